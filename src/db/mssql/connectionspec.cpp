#include "db/mssql/connectionspec.h"

#include "db/mssql/odbcapi.h"

#include <iterator>

// How each line of a connection profile reaches SQL Server. Lines not listed
// here, and lines with an empty value, change nothing.
//
// | Profile line                 | Takes effect as                                                    |
// |------------------------------|--------------------------------------------------------------------|
// | SERVER NAME                  | SERVER= as written: host, host,port or host\instance               |
// | DATABASE NAME                | DATABASE=                                                          |
// | USER NAME, PASSWORD          | UID=, PWD= (a SQL Server login; never a login prompt)              |
// | OPEN MODE=READ               | SQL_ATTR_ACCESS_MODE read-only and ApplicationIntent=ReadOnly      |
// |                              | (hints only), and our layer refuses every statement that is not a  |
// |                              | query, and every procedure call                                    |
// | MAX QUERY TIME               | SQL_ATTR_QUERY_TIMEOUT on every statement, in seconds              |
// | DATE MODE=1                  | SET DATEFORMAT dmy right after connecting                          |
// | TDS PACKET SIZE              | SQL_ATTR_PACKET_SIZE                                               |
// | SQLPASSTHRU MODE             | no effect: ODBC already commits each statement by itself unless a  |
// |                              | transaction is open, which is what SHARED AUTOCOMMIT asks for      |
// | MAX ROWS=-1                  | no effect: results are never limited                               |
// | ENABLE BCD                   | no effect: decimal columns read as double, as on the embedded      |
// |                              | engine                                                             |
// | BLOBS TO CACHE, BLOB SIZE,   | no effect: client-side caching and batching of the old client      |
// | BATCH COUNT, SCHEMA CACHE …  |                                                                    |
// | BLOB EDIT LOGGING, LANGDRIVER| no effect: the program leaves them empty (the driver's defaults)   |
// | SQLQRYMODE, HOST NAME,       |                                                                    |
// | APPLICATION NAME,            |                                                                    |
// | NATIONAL LANG NAME           |                                                                    |
//
// Besides the profile: SQL_ATTR_LOGIN_TIMEOUT (kMssqlLoginTimeoutSeconds) so
// a wrong host fails quickly, and with FreeTDS ClientCharset=UTF-8 so texts
// reach the program as Unicode whatever the server's code page.

namespace {

int positive(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}

void attribute(QStringList& parts, const char* name, const QString& value)
{
    parts.append(QLatin1String(name) + QLatin1Char('=') + odbcConnectionValue(value));
}

} // namespace

QString odbcConnectionValue(const QString& value)
{
    static const QString special = QStringLiteral(";{}=");
    bool needsBraces = value != value.trimmed();
    for (const QChar c : value)
        needsBraces = needsBraces || special.contains(c);
    if (!needsBraces)
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

bool isFreeTdsDriver(const QString& odbcDriver)
{
    return odbcDriver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive) || odbcDriver.contains(QLatin1String("libtdsodbc"), Qt::CaseInsensitive);
}

OdbcConnectionSpec mssqlConnectionSpec(const ConnectionProfile& profile, const QString& odbcDriver)
{
    OdbcConnectionSpec spec;
    spec.server = profile.serverName().trimmed();
    spec.database = profile.databaseName().trimmed();
    spec.driver = odbcDriver;
    spec.login = profile.userName().trimmed();
    spec.readOnly = profile.readOnly();
    spec.queryTimeoutSeconds = profile.maxQueryTimeSeconds();
    spec.castLongValues = true;

    QStringList parts;
    // The driver name always goes in braces: names such as "ODBC Driver 18 for
    // SQL Server" hold blanks.
    QString driver = odbcDriver;
    driver.replace(QLatin1Char('}'), QLatin1String("}}"));
    parts.append(QStringLiteral("DRIVER={") + driver + QLatin1Char('}'));
    attribute(parts, "SERVER", spec.server);
    if (!spec.database.isEmpty())
        attribute(parts, "DATABASE", spec.database);
    attribute(parts, "UID", spec.login);
    attribute(parts, "PWD", profile.password());
    if (spec.readOnly)
        parts.append(QStringLiteral("ApplicationIntent=ReadOnly"));
    if (isFreeTdsDriver(odbcDriver))
        parts.append(QStringLiteral("ClientCharset=UTF-8"));
    spec.connectionString = parts.join(QLatin1Char(';'));

    spec.connectOptions.append(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(kMssqlLoginTimeoutSeconds));
    if (spec.readOnly)
        spec.connectOptions.append(QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY"));
    if (const int packet = positive(profile.value(QStringLiteral("TDS PACKET SIZE"))))
        spec.connectOptions.append(QStringLiteral("SQL_ATTR_PACKET_SIZE=%1").arg(packet));

    if (profile.dayMonthYear())
        spec.initStatements.append(QStringLiteral("SET DATEFORMAT dmy"));
    return spec;
}

QString pickMssqlOdbcDriver(const QStringList& installedDrivers)
{
    // Microsoft's current drivers first, then FreeTDS (Linux), then the old
    // driver every Windows has.
    static const char* const preferred[] = {
        "ODBC Driver 18 for SQL Server",
        "ODBC Driver 17 for SQL Server",
        "FreeTDS",
        "SQL Server Native Client 11.0",
        "SQL Server",
    };
    for (const char* name : preferred) {
        for (const QString& installed : installedDrivers) {
            if (installed.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return installed;
        }
    }
    for (const QString& installed : installedDrivers) {
        if (isFreeTdsDriver(installed))
            return installed;
    }
    return {};
}

QStringList installedOdbcDrivers()
{
    static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "ODBC wide characters are UTF-16");
    QStringList names;
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return names;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLWCHAR description[512];
    SQLWCHAR attributes[2048];
    SQLSMALLINT descriptionLength = 0;
    SQLSMALLINT attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDriversW(env, direction, description, SQLSMALLINT(std::size(description)), &descriptionLength, attributes,
        SQLSMALLINT(std::size(attributes)), &attributesLength))) {
        names.append(QString::fromUtf16(reinterpret_cast<const char16_t*>(description)));
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return names;
}
