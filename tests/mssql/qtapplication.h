#pragma once

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

// Qt loads its SQL driver plugins only while an application object exists.
// It lives from before the first test to after the last, and is gone before
// the program's static objects (Qt's driver registry among them) are.
class QtApplication : public testing::Environment
{
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance())
            m_app = std::make_unique<QCoreApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[8] = "test";
    char* m_argv[2] = { m_name, nullptr };
    std::unique_ptr<QCoreApplication> m_app;
};
