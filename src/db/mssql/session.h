#pragma once

#include "db/engine.h"

// A connection to a SQL Server database through ODBC.
class MssqlSession : public EngineSession
{
public:
    explicit MssqlSession(const ConnectionProfile& profile);
    ~MssqlSession() override;

    std::unique_ptr<QSqlQuery> run(const QString& tsql, const ParamValues& params) override;
    void callProcedure(const QString& name, QList<ProcParam>& params) override;
    void beginTransaction() override;
    void commit() override;
    void rollback() override;
    QString serverName() const override { return m_server; }
    QString databaseName() const override { return m_database; }

private:
    QString m_server;
    QString m_database;
};
