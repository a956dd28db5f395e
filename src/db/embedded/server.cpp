#include "db/embedded/server.h"

#include "db/dberror.h"

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QFileInfo>
#include <QSettings>
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

namespace {

QStringList listDatabases(const QString& folder)
{
    QStringList out;
    const QString ext = QLatin1String(kExtension);
    for (const QFileInfo& fi : QDir(folder).entryInfoList({ QLatin1Char('*') + ext }, QDir::Files, QDir::Name))
        out.append(fi.fileName().chopped(int(ext.size())));
    return out;
}

// A server folder of a large site holds a thousand databases, and every
// connection opened looks a name up in it. The listing is kept while the
// folder's modification time stays what it was. A listing taken within a few
// seconds of that time is not kept: a coarse clock (FAT, some network shares)
// could give a file added right after it the same time.
struct Listing
{
    QDateTime modified;
    QStringList names;
};

QStringList cachedDatabases(const QString& folder)
{
    constexpr qint64 kSettledMs = 3000;
    thread_local QHash<QString, Listing> cache;
    const QString key = QDir(folder).absolutePath();
    const QDateTime modified = QFileInfo(key).lastModified();
    const auto it = cache.constFind(key);
    if (it != cache.constEnd() && modified.isValid() && it->modified == modified)
        return it->names;
    const QDateTime listedAt = QDateTime::currentDateTime();
    QStringList names = listDatabases(key);
    if (modified.isValid() && modified.msecsTo(listedAt) > kSettledMs) {
        if (cache.size() >= 16)
            cache.clear();
        cache.insert(key, { modified, names });
    } else {
        cache.remove(key);
    }
    return names;
}

} // namespace

QStringList databases(const QString& folder) { return cachedDatabases(folder); }

QString databaseFile(const QString& folder, const QString& name)
{
    const QString wanted = name.trimmed();
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
