#pragma once

#include "db/mssql/odbcsession.h"

// A connection to a SQL Server database through the SQL Server ODBC driver
// of the workstation (FreeTDS on Linux, Microsoft's driver on Windows).
class MssqlSession : public OdbcSession
{
public:
    explicit MssqlSession(const ConnectionProfile& profile);
};

// The ODBC driver used for SQL Server: the environment variable
// ZAQ_MSSQL_ODBC_DRIVER when set (a driver name or a driver library's path),
// else the best installed one. Throws DbError naming server and database when
// there is none.
QString mssqlOdbcDriver(const ConnectionProfile& profile);
