#pragma once

#include "db/connectionprofile.h"

#include <QString>
#include <QStringList>

// Everything an ODBC session needs: the connection string handed to the
// driver manager, the attributes set before connecting, and what our own layer
// enforces on every statement.
struct OdbcConnectionSpec
{
    QString server;   // as the profile names it, for messages
    QString database; // likewise
    QString driver;   // the ODBC driver, for messages
    QString login;    // likewise
    QString connectionString;
    QStringList connectOptions;  // Qt's "SQL_ATTR_…=value" connect options
    int queryTimeoutSeconds = 0; // 0 = no limit
    bool readOnly = false;       // refuse every statement that is not a query
    QStringList initStatements;  // run once, right after connecting
    // SQL Server takes the long-value types Qt binds (ntext, image) as legacy
    // types that cannot be compared; such values are cast to the (max) types.
    bool castLongValues = false;
};

// How long a connection attempt may take before it gives up, so an unknown or
// unreachable host fails within seconds instead of hanging the logon.
constexpr int kMssqlLoginTimeoutSeconds = 15;

// The ODBC connection for a profile through the named ODBC driver. Pure: it
// opens nothing.
OdbcConnectionSpec mssqlConnectionSpec(const ConnectionProfile& profile, const QString& odbcDriver);

// One value of an ODBC connection string, braced when it holds a character
// that would otherwise end it or start another attribute.
QString odbcConnectionValue(const QString& value);

bool isFreeTdsDriver(const QString& odbcDriver);

// The SQL Server driver to use among the installed ODBC drivers, best first;
// empty when none of them reaches SQL Server.
QString pickMssqlOdbcDriver(const QStringList& installedDrivers);

// The drivers the ODBC driver manager knows (odbcinst.ini, or the registry).
QStringList installedOdbcDrivers();
