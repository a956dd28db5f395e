#pragma once

#include "testapp.h"

#include <QDialog>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// As the first member of a fixture that holds widgets: the application comes first.
struct WithApplication
{
    WithApplication() { testApp(); }
};

struct ModalRun
{
    int result = -1;
    bool leftOpen = false; // drive finished with the dialog still up (the helper then closed it)
};

// Shows the dialog modally and works it with `drive` once it is up and active.
// A dialog that drive leaves open is closed without its close step or question.
inline ModalRun runModal(QDialog& dialog, const std::function<void()>& drive)
{
    ModalRun run;
    bool driven = false;
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        drive();
        driven = true;
        if (dialog.isVisible()) {
            run.leftOpen = true;
            dialog.QDialog::done(-2);
        }
    });
    run.result = dialog.exec();
    EXPECT_TRUE(driven);
    return run;
}

// A key as the user types it: to whatever has the focus in the window.
inline void press(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QTest::keyClick(target, Qt::Key(key), modifiers);
}
