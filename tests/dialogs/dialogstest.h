#pragma once

#include "toolkit/guard.h"

#include <QDialog>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Readable texts in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* os)
{
    *os << '[' << texts.join(QStringLiteral("|")).toStdString() << ']';
}
QT_END_NAMESPACE

// The one application object of the test program, made on first use.
inline GuardedApplication& dialogsApp()
{
    static int argc = 1;
    static char name[] = "dialogs_tests";
    static char* argv[] = { name, nullptr };
    static GuardedApplication* app = new GuardedApplication(argc, argv);
    return *app;
}

// As the first member of a fixture that holds widgets: the application comes first.
struct WithApplication
{
    WithApplication() { dialogsApp(); }
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
