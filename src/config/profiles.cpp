#include "config/profiles.h"

#include "config/servernames.h"

namespace {

// The 24 lines every profile shares, in order; each profile changes a few.
QStringList base(const QString& first, const QString& second, bool readOnly, const char* maxQueryTime, const char* bcd,
    const char* blobsToCache, const char* blobSize)
{
    return {
        first,
        second,
        QStringLiteral("USER NAME=") + QLatin1String(kSuiteLogin),
        readOnly ? QStringLiteral("OPEN MODE=READ") : QStringLiteral("OPEN MODE=READ/WRITE"),
        QStringLiteral("SCHEMA CACHE SIZE=8"),
        QStringLiteral("BLOB EDIT LOGGING="),
        QStringLiteral("LANGDRIVER="),
        QStringLiteral("SQLQRYMODE="),
        QStringLiteral("SQLPASSTHRU MODE=SHARED AUTOCOMMIT"),
        QStringLiteral("DATE MODE=1"),
        QStringLiteral("SCHEMA CACHE TIME=-1"),
        QStringLiteral("MAX QUERY TIME=") + QLatin1String(maxQueryTime),
        QStringLiteral("MAX ROWS=-1"),
        QStringLiteral("BATCH COUNT=200"),
        QStringLiteral("ENABLE SCHEMA CACHE=FALSE"),
        QStringLiteral("SCHEMA CACHE DIR="),
        QStringLiteral("HOST NAME="),
        QStringLiteral("APPLICATION NAME="),
        QStringLiteral("NATIONAL LANG NAME="),
        QStringLiteral("ENABLE BCD=") + QLatin1String(bcd),
        QStringLiteral("TDS PACKET SIZE=4096"),
        QStringLiteral("BLOBS TO CACHE=") + QLatin1String(blobsToCache),
        QStringLiteral("BLOB SIZE=") + QLatin1String(blobSize),
        QStringLiteral("PASSWORD=") + QLatin1String(kSuitePassword),
    };
}

QString server(const QString& name) { return QStringLiteral("SERVER NAME=") + name; }
QString database(const QString& name) { return QStringLiteral("DATABASE NAME=") + name; }

} // namespace

namespace Profiles {

QStringList master(const QString& serverName)
{
    return base(database(QStringLiteral("master")), server(serverName), false, "1200", "True", "-1", "64");
}

QStringList config(const QString& serverName, const QString& databaseName)
{
    return base(database(databaseName), server(serverName), false, "600", "True", "-1", "64");
}

QStringList configTail(const QString& serverName) { return config(serverName, QString()).mid(1); }

QStringList companyMainWindow(const QString& serverName, const QString& databaseName, bool readOnly)
{
    return base(server(serverName), database(databaseName), readOnly, "600", "TRUE", "64", "32");
}

QStringList companyUserScreen(const QString& serverName, const QString& databaseName, bool readOnly)
{
    return base(database(databaseName), server(serverName), readOnly, "600", "True", "-1", "64");
}

} // namespace Profiles
