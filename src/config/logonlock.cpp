#include "config/logonlock.h"

#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/query.h"
#include "workstation/clock.h"

namespace LogonLock {

namespace {
QDateTime windowStart(const QDateTime& now) { return now.addSecs(-60 * kWindowMinutes); }
} // namespace

State read(Connection& connection, const QString& code)
{
    Query q(&connection, Sql::QLogonFailure);
    q.setParam(QStringLiteral("Code"), code);
    q.open();
    State s;
    if (!q.eof()) {
        s.failures = q.field(QStringLiteral("Failures")).asInteger();
        s.lastFailure = q.field(QStringLiteral("LastFailure")).asDateTime();
    }
    return s;
}

bool isLocked(const State& state, const QDateTime& now)
{
    return state.failures >= kFailures && state.lastFailure.isValid() && state.lastFailure > windowStart(now);
}

int minutesLeft(const State& state, const QDateTime& now)
{
    if (!isLocked(state, now))
        return 0;
    const qint64 seconds = now.secsTo(state.lastFailure.addSecs(60 * kWindowMinutes));
    return int((seconds + 59) / 60);
}

void countFailure(Connection& connection, const QString& code)
{
    const QDateTime now = currentClock().now();
    Query q(&connection, Sql::CountLogonFailure);
    q.setParam(QStringLiteral("Code"), code);
    q.setParam(QStringLiteral("Now"), now);
    q.setParam(QStringLiteral("Since"), windowStart(now));
    q.execSql();
}

bool clear(Connection& connection, const QString& code)
{
    Query q(&connection, Sql::ClearLogonFailure);
    q.setParam(QStringLiteral("Code"), code);
    return q.execSql() > 0;
}

} // namespace LogonLock
