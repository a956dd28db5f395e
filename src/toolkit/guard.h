#pragma once

#include <QApplication>
#include <functional>

// Runs an event handler. An error it raises (a database error or any std::exception)
// is shown in the standard error box and the rest of the handler is skipped; the
// answer is then false. This is how failures surface to the user.
bool guarded(const std::function<void()>& handler);

// The message an escaped exception is shown with.
QString exceptionMessage(std::exception_ptr error);

// The application object of the program: whatever a handler lets escape is shown
// through prompts().error() and never reaches the event loop.
class GuardedApplication : public QApplication
{
    Q_OBJECT
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
