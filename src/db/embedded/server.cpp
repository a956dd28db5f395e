#include "db/embedded/server.h"

#include "db/dberror.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <sqlite3.h>

namespace EmbeddedServer {

namespace {
QString marker(const QString& folder) { return QDir(folder).filePath(QLatin1String(kMarkerFile)); }
} // namespace

void create(const QString& folder, const QString& login, const QString& password)
{
    if (!QDir().mkpath(folder))
        throw DbError(QStringLiteral("Cannot create the server folder %1.").arg(folder));
    QSettings ini(marker(folder), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Logins"));
    ini.setValue(login, password);
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw DbError(QStringLiteral("Cannot write %1.").arg(marker(folder)));
}

bool isServer(const QString& folder) { return QFileInfo(marker(folder)).isFile(); }

bool acceptsLogin(const QString& folder, const QString& login, const QString& password)
{
    QSettings ini(marker(folder), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Logins"));
    for (const QString& key : ini.childKeys()) {
        if (key.compare(login.trimmed(), Qt::CaseInsensitive) == 0)
            return ini.value(key).toString() == password;
    }
    return false;
}

// A server folder of a large site holds a thousand databases, and the
// master lists them at every connect: names only, without a file lookup each.
QStringList databases(const QString& folder)
{
    QStringList out;
    const QString ext = QLatin1String(kExtension);
    QDirIterator it(folder, { QLatin1Char('*') + ext }, QDir::Files);
    while (it.hasNext()) {
        it.next();
        out.append(it.fileName());
    }
    std::sort(out.begin(), out.end()); // by file name, as the folder's listing sorts
    for (QString& name : out)
        name.chop(ext.size());
    return out;
}

QString databaseFile(const QString& folder, const QString& name)
{
    const QString wanted = name.trimmed();
    // The name as it is spelled is the usual case, and needs no listing.
    const QString exact = QDir(folder).filePath(wanted + QLatin1String(kExtension));
    if (!wanted.isEmpty() && !wanted.contains(QLatin1Char('/')) && !wanted.contains(QLatin1Char('\\')) && QFileInfo(exact).isFile())
        return exact;
    for (const QString& db : databases(folder)) {
        if (db.compare(wanted, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(db + QLatin1String(kExtension));
    }
    return {};
}

QString createDatabase(const QString& folder, const QString& name)
{
    if (!databaseFile(folder, name).isEmpty())
        throw DbError(QStringLiteral("Database '%1' already exists.").arg(name));
    const QString path = QDir(folder).filePath(name + QLatin1String(kExtension));
    sqlite3* db = nullptr;
    const QByteArray file = QFile::encodeName(path);
    int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    const QString error = rc == SQLITE_OK ? QString() : QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("Cannot create database '%1': %2").arg(name, error));
    return path;
}

} // namespace EmbeddedServer
