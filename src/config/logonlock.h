#pragma once

#include <QDateTime>
#include <QString>

class Connection;

// The failed-logon lock: a count, per user code, of consecutive failed logons
// with the time of the last, kept in the configuration database so that a
// restart does not reset it. Times are the server's, as every stamp the
// program writes: a workstation whose clock runs ahead neither ends a lock
// early nor starts a count anew.
namespace LogonLock {

// After this many failures, each within the window of the one before, the
// code is refused for the window, even with the right password.
inline constexpr int kFailures = 10;
inline constexpr int kWindowMinutes = 15;

struct State
{
    int failures = 0;
    QDateTime lastFailure; // invalid when there is no count
    QDateTime serverNow;   // the server's clock when the state was read
};

State read(Connection& connection, const QString& code);
bool isLocked(const State& state, const QDateTime& now);
// Minutes (rounded up) until the lock ends; 0 when not locked.
int minutesLeft(const State& state, const QDateTime& now);

// The logon's one statement each: read the count (read above); count a failure; reset.
// The window of a count is measured from the server time of the state read
// just before.
void countFailure(Connection& connection, const QString& code, const State& state);
// Answers whether there was a count to clear.
bool clear(Connection& connection, const QString& code);

} // namespace LogonLock
