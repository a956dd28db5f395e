#pragma once

#include "db/embedded/procedures.h"
#include "db/mssql/odbcsession.h"

// The SQL Server engine's ODBC path over an embedded site's own SQLite files,
// with the SQLite ODBC driver standing in for SQL Server's: each statement of
// the program is translated as the embedded engine translates it and goes to
// the driver through the ODBC session, and the built-in procedures send their
// steps the same way. A statement or a procedure call of the program counts
// as one execution, as it is one trip to SQL Server, whatever the stand-in
// sends to SQLite for it; so do begin, commit and rollback.
class SqliteOdbcSession : public OdbcSession, public SqliteRunner
{
public:
    // A profile of the embedded site: SERVER NAME is the server folder.
    explicit SqliteOdbcSession(const ConnectionProfile& profile);

    std::unique_ptr<QSqlQuery> run(const QString& tsql, const ParamValues& params) override;
    void callProcedure(const QString& name, QList<ProcParam>& params) override;
    std::unique_ptr<QSqlQuery> native(const QString& sql, const QVariantList& values) override;
};

// From now on every connection of the process opens as a SqliteOdbcSession
// (until setEngineSessionMaker({})).
void openEverySessionOverSqliteOdbc();
