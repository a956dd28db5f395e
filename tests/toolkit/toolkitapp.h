#pragma once

#include "toolkit/guard.h"

// The one application object of the test program, made on first use and kept to the end.
inline GuardedApplication& toolkitApp()
{
    static int argc = 1;
    static char name[] = "toolkit_tests";
    static char* argv[] = { name, nullptr };
    static GuardedApplication* app = [] {
        auto* made = new GuardedApplication(argc, argv);
        made->setApplicationDisplayName(QStringLiteral("ZAQ Account"));
        return made;
    }();
    return *app;
}

#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
