#include "toolkit/guard.h"

#include "db/dberror.h"
#include "toolkit/prompts.h"

#include <exception>

QString exceptionMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const DbError& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unexpected error");
    }
}

namespace {

// Showing the error must not itself let anything escape.
void show(std::exception_ptr error)
{
    const QString message = exceptionMessage(error);
    try {
        prompts().error(message);
    } catch (...) {
    }
}

} // namespace

bool guarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        show(std::current_exception());
        return false;
    }
}

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        show(std::current_exception());
        return false;
    }
}
