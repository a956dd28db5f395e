#include "db/mssql/session.h"

#include "db/dberror.h"

QString mssqlOdbcDriver(const ConnectionProfile& profile)
{
    const QString chosen = qEnvironmentVariable("ZAQ_MSSQL_ODBC_DRIVER").trimmed();
    if (!chosen.isEmpty())
        return chosen;
    const QStringList installed = installedOdbcDrivers();
    const QString best = pickMssqlOdbcDriver(installed);
    if (best.isEmpty())
        throw DbError(QStringLiteral("Cannot connect to server \"%1\", database \"%2\": no SQL Server ODBC driver is installed on this workstation "
                                     "(installed ODBC drivers: %3).\nCheck that FreeTDS's ODBC driver (on Debian the package tdsodbc) or Microsoft's "
                                     "\"ODBC Driver 18 for SQL Server\" is installed.")
                          .arg(profile.serverName().trimmed(), profile.databaseName().trimmed(),
                              installed.isEmpty() ? QStringLiteral("none") : installed.join(QLatin1String(", "))));
    return best;
}

MssqlSession::MssqlSession(const ConnectionProfile& profile)
    : OdbcSession(mssqlConnectionSpec(profile, mssqlOdbcDriver(profile)))
{
}
