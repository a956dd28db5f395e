#pragma once

#include "db/engine.h"
#include "db/mssql/connectionspec.h"

#include <QSqlDatabase>
#include <QSqlError>

class OdbcLiveResult;

// A connection through Qt's ODBC driver to whatever the connection string
// names. Statements go to the driver as the program holds them; only the
// ":Name" parameters become "?" markers, bound by position (a name used
// several times is bound at each place with its one value).
//
// A result is read from the server as the caller asks for rows. ODBC drivers
// for SQL Server allow one pending result per connection, so before anything
// else runs on the connection the rows still pending are read into memory;
// the caller's result carries on from there.
class OdbcSession : public EngineSession
{
public:
    explicit OdbcSession(OdbcConnectionSpec spec);
    ~OdbcSession() override;

    std::unique_ptr<QSqlQuery> run(const QString& tsql, const ParamValues& params) override;
    void callProcedure(const QString& name, QList<ProcParam>& params) override;
    void beginTransaction() override;
    void commit() override;
    void rollback() override;
    QString serverName() const override { return m_spec.server; }
    QString databaseName() const override { return m_spec.database; }

    const OdbcConnectionSpec& spec() const { return m_spec; }

    // The requests sent to the server so far, one per trip over the network:
    // each statement or batch run, each procedure called, and each begin,
    // commit and rollback of a transaction. Benchmarks and tests read it; at
    // a branch office every one costs tens of milliseconds.
    quint64 executions() const { return m_executions; }
    // The same over every ODBC session of the process, open or closed: a step
    // of the program may open and close several connections.
    static quint64 totalExecutions();

protected:
    // Sends a text as the driver takes it, with "?" markers bound in order by
    // the values, and hands back its rows or its count. `shown` is the
    // statement an error names. Counts nothing: the caller counts the trip.
    std::unique_ptr<QSqlQuery> execute(const QString& text, const QVariantList& values, const QString& shown);
    void countExecution();
    void settlePendingResults();
    [[noreturn]] void fail(const QString& statement, const QSqlError& error) const;
    [[noreturn]] void fail(const QString& statement, const QString& message) const;

private:
    friend class OdbcLiveResult;
    void applyQueryTimeout(void* statementHandle, const QString& statement) const;
    void* connectionHandle() const;

    OdbcConnectionSpec m_spec;
    QString m_connectionName;
    QSqlDatabase m_db;
    QList<OdbcLiveResult*> m_live;
    quint64 m_executions = 0;
};

// The driver's message as the server wrote it: without the "[vendor][driver]"
// prefixes and the SQLSTATE suffix Qt appends.
QString odbcServerMessage(const QSqlError& error);
QString odbcServerMessage(const QString& driverText);

// The message for a connection that could not be made: what failed, for which
// server and database, what to check, and the driver's own words.
QString odbcConnectFailure(const OdbcConnectionSpec& spec, const QString& nativeCodes, const QString& driverMessage);
