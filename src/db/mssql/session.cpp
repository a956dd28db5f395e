#include "db/mssql/session.h"

#include "db/dberror.h"

MssqlSession::MssqlSession(const ConnectionProfile& profile)
    : m_server(profile.serverName().trimmed())
    , m_database(profile.databaseName().trimmed())
{
    throw DbError(QStringLiteral("Cannot reach SQL Server \"%1\" (database \"%2\"): this build has no SQL Server engine yet.").arg(m_server, m_database));
}

MssqlSession::~MssqlSession() = default;

std::unique_ptr<QSqlQuery> MssqlSession::run(const QString&, const ParamValues&) { throw DbError(QStringLiteral("not connected")); }
void MssqlSession::callProcedure(const QString&, QList<ProcParam>&) { throw DbError(QStringLiteral("not connected")); }
void MssqlSession::beginTransaction() { }
void MssqlSession::commit() { }
void MssqlSession::rollback() { }
