#include "config/logonlock.h"

#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/query.h"
#include "db/dberror.h"

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
    s.serverNow = q.field(QStringLiteral("ServerNow")).asDateTime();
    if (!q.field(QStringLiteral("Failures")).isNull()) {
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

void countFailure(Connection& connection, const QString& code, const State& state)
{
    const auto count = [&] {
        Query q(&connection, Sql::CountLogonFailure);
        q.setParam(QStringLiteral("Code"), code);
        q.setParam(QStringLiteral("Since"), windowStart(state.serverNow));
        q.execSql();
    };
    try {
        count();
    } catch (const DbError&) {
        // Another workstation made the code's row between this one's test and
        // its insert, and the unique index refused the twin: the row is there now.
        if (connection.inTransaction())
            throw;
        count();
    }
}

bool clear(Connection& connection, const QString& code)
{
    Query q(&connection, Sql::ClearLogonFailure);
    q.setParam(QStringLiteral("Code"), code);
    return q.execSql() > 0;
}

} // namespace LogonLock
