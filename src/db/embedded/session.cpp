#include "db/embedded/session.h"

#include "db/dberror.h"
#include "db/embedded/functions.h"
#include "db/embedded/procedures.h"
#include "db/embedded/result.h"
#include "db/embedded/server.h"
#include "db/embedded/storagefailure.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <sqlite3.h>

namespace {

int g_connectionCounter = 0;


// A server of a large site holds a thousand databases: one prepared
// statement in one transaction, straight on the handle, fills the list.
void fillSysDatabases(sqlite3* db, const QStringList& names)
{
    sqlite3_stmt* insert = nullptr;
    int rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(db, "INSERT INTO SysDatabases (Name, dbid) VALUES (?, ?)", -1, &insert, nullptr);
    for (int i = 0; rc == SQLITE_OK && i < names.size(); ++i) {
        const QByteArray name = names.at(i).toUtf8();
        sqlite3_bind_text(insert, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 2, i + 1);
        rc = sqlite3_step(insert) == SQLITE_DONE ? sqlite3_reset(insert) : sqlite3_errcode(db);
    }
    const QString error = rc == SQLITE_OK ? QString() : QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(insert);
    sqlite3_exec(db, rc == SQLITE_OK ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(error);
}

void exec(QSqlDatabase& db, const char* sql)
{
    QSqlQuery q(db);
    if (!q.exec(QLatin1String(sql)))
        throw DbError(q.lastError().databaseText());
}

} // namespace

namespace EmbeddedSql {

const EmbeddedPlan& cachedPlan(const QString& tsql)
{
    // The program sends the same few dozen texts over and over; translate each once.
    // Texts built at run time (a parent id written into the text) would grow it
    // without end: it starts over once it is large.
    thread_local QHash<QString, EmbeddedPlan> cache;
    auto it = cache.find(tsql);
    if (it == cache.end()) {
        EmbeddedPlan plan = translateTsql(tsql);
        if (cache.size() >= 2000)
            cache.clear();
        it = cache.insert(tsql, std::move(plan));
    }
    return *it;
}

QVariant bindable(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    default:
        return v;
    }
}

} // namespace EmbeddedSql

using EmbeddedSql::bindable;
using EmbeddedSql::cachedPlan;

EmbeddedSession::EmbeddedSession(const ConnectionProfile& profile)
    : m_server(profile.serverName().trimmed())
    , m_database(profile.databaseName().trimmed())
    , m_readOnly(profile.readOnly())
    , m_maxQuerySeconds(profile.maxQueryTimeSeconds())
{
    const QString folder = QDir::current().absoluteFilePath(m_server);
    m_folder = folder;
    // Names come from the site's files: a runaway line is shown cut, not whole.
    const QString server = excerpt(m_server);
    const QString database = excerpt(m_database);
    if (!QFileInfo(folder).isDir())
        throw DbError(QStringLiteral("Cannot reach server \"%1\": there is no server folder %2. Check the server name in Server.Dat.").arg(server, excerpt(QDir::cleanPath(folder))));
    if (!EmbeddedServer::isServer(folder))
        throw DbError(QStringLiteral("Cannot reach server \"%1\": the folder %2 is not a database server (it has no %3).").arg(server, excerpt(QDir::cleanPath(folder)), QLatin1String(EmbeddedServer::kMarkerFile)));
    if (!EmbeddedServer::acceptsLogin(folder, profile.userName(), profile.password()))
        throw DbError(QStringLiteral("Login failed for user '%1' on server \"%2\", database \"%3\".").arg(excerpt(profile.userName()), server, database));

    const bool master = m_database.compare(QLatin1String("master"), Qt::CaseInsensitive) == 0;
    QString file;
    if (!master) {
        file = EmbeddedServer::databaseFile(folder, m_database);
        if (file.isEmpty())
            throw DbError(QStringLiteral("Cannot open database \"%1\" on server \"%2\": the database does not exist.").arg(database, server));
    }
    m_file = file;

    m_connectionName = QStringLiteral("zaq-embedded-%1").arg(++g_connectionCounter);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(master ? QStringLiteral(":memory:") : file);
    QStringList options { QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000") };
    if (m_readOnly && !master)
        options.append(QStringLiteral("QSQLITE_OPEN_READONLY"));
    m_db.setConnectOptions(options.join(QLatin1Char(';')));
    try {
        if (!m_db.open()) {
            const QSqlError e = m_db.lastError();
            QString why = describeStorageFailure(e.nativeErrorCode().toInt(), e.databaseText(), storageFacts(m_folder, m_file, m_readOnly), database);
            throw DbError(QStringLiteral("Cannot open database \"%1\" on server \"%2\": %3").arg(database, server, why.isEmpty() ? e.databaseText() : why));
        }
        const QVariant handle = m_db.driver()->handle();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
            throw DbError(QStringLiteral("The SQLite driver gives no connection handle."));
        m_handle = *static_cast<sqlite3* const*>(handle.data());
        registerEmbeddedFunctions(m_handle, profile.dayMonthYear());
        m_clock.start();
        sqlite3_progress_handler(m_handle, 2000, &EmbeddedSession::progress, this);

        exec(m_db, "PRAGMA temp_store=MEMORY");
        // The first read opens the file for real (and, in WAL mode, its journal
        // files beside it): what fails here is the file system or the file.
        QSqlQuery probe(m_db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM main.sqlite_master"))) {
            const QSqlError e = probe.lastError();
            const QString why = describeStorageFailure(e.nativeErrorCode().toInt(), e.databaseText(), storageFacts(m_folder, m_file, m_readOnly), database);
            if (!why.isEmpty())
                throw DbError(QStringLiteral("Cannot open database \"%1\" on server \"%2\": %3").arg(database, server, why));
            throw DbError(QStringLiteral("Database \"%1\" on server \"%2\" cannot be read (%3): %4").arg(database, server, QDir::cleanPath(file), e.databaseText()));
        }
        probe.finish();
        // Version 1 of the collation is a true order; indexes built under the
        // earlier one may hold a few texts out of order, which lookups through
        // them would miss. They are rebuilt once.
        if (!master && !m_readOnly) {
            QSqlQuery version(m_db);
            if (version.exec(QStringLiteral("PRAGMA user_version")) && version.next() && version.value(0).toInt() < 1) {
                version.finish();
                exec(m_db, "REINDEX ZAQ_CI");
                exec(m_db, "PRAGMA user_version = 1");
            }
        }
        // The server catalogue as SQL Server answers it.
        exec(m_db,
            "CREATE TEMP VIEW SysObjects AS SELECT name COLLATE ZAQ_CI AS Name, rowid AS Id,"
            " CASE type WHEN 'table' THEN 'U' ELSE 'V' END AS xtype"
            " FROM main.sqlite_master WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite_%'");
        exec(m_db,
            "CREATE TEMP VIEW SysColumns AS SELECT p.name COLLATE ZAQ_CI AS Name, m.rowid AS Id, p.cid + 1 AS colid"
            " FROM main.sqlite_master m JOIN pragma_table_info(m.name, 'main') p"
            " WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite_%'");
        exec(m_db,
            "CREATE TEMP VIEW SysIndexes AS SELECT i.name COLLATE ZAQ_CI AS Name, t.rowid AS Id"
            " FROM main.sqlite_master i JOIN main.sqlite_master t ON t.type = 'table' AND t.name = i.tbl_name"
            " WHERE i.type = 'index' AND i.name NOT LIKE 'sqlite_%'");
        if (master) {
            exec(m_db, "CREATE TEMP TABLE SysDatabases (Name TEXT COLLATE ZAQ_CI, dbid INTEGER)");
            QStringList names { QStringLiteral("master") };
            names += EmbeddedServer::databases(folder);
            fillSysDatabases(m_handle, names);
        }
    } catch (...) {
        m_handle = nullptr;
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw;
    }
}

EmbeddedSession::~EmbeddedSession()
{
    if (m_handle)
        sqlite3_progress_handler(m_handle, 0, nullptr, nullptr);
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

// Every commit, of this workstation or another, lands in the write-ahead log
// or, once checkpointed, in the database file: their sizes and times tell
// that nothing changed. A time within a few seconds of now tells nothing (a
// coarse clock may give the next change the same time), so no stamp then.
QByteArray EmbeddedSession::contentStamp() const
{
    constexpr qint64 kSettledMs = 3000;
    if (m_file.isEmpty())
        return {};
    const QDateTime now = QDateTime::currentDateTime();
    QByteArray stamp = QFile::encodeName(m_file);
    for (const QString& path : { m_file, QString(m_file + QStringLiteral("-wal")) }) {
        const QFileInfo fi(path);
        if (!fi.exists() || (fi.size() == 0 && path != m_file)) {
            stamp += "|-"; // no log, or an empty one: nothing beyond the file
            continue;
        }
        const QDateTime modified = fi.lastModified();
        if (!modified.isValid() || modified.msecsTo(now) <= kSettledMs)
            return {};
        stamp += '|' + QByteArray::number(fi.size()) + '@' + QByteArray::number(modified.toMSecsSinceEpoch());
    }
    return stamp;
}

int EmbeddedSession::progress(void* self)
{
    auto* s = static_cast<EmbeddedSession*>(self);
    if (s->m_maxQuerySeconds <= 0)
        return 0;
    // SQLite calls this every few thousand steps while it works; a gap means
    // it stood still (a result waiting to be read), and the next work starts anew.
    const qint64 now = s->m_clock.elapsed();
    if (now - s->m_lastProgress > 250)
        s->m_burstStart = now;
    s->m_lastProgress = now;
    return now - s->m_burstStart > s->m_maxQuerySeconds * 1000LL;
}

void EmbeddedSession::fail(const QString& what, const QSqlError& error) const
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    const QString code = error.nativeErrorCode();
    int sqliteCode = code.toInt();
    if (code.isEmpty() && text.contains(QLatin1String("readonly"), Qt::CaseInsensitive))
        sqliteCode = 8; // SQLITE_READONLY
    const QString storage = describeStorageFailure(sqliteCode, text, storageFacts(m_folder, m_file, m_readOnly), excerpt(m_database));
    if (!storage.isEmpty())
        text = storage;
    else if (text.contains(QLatin1String("parser stack overflow")) || text.contains(QLatin1String("Expression tree is too large")))
        text = QStringLiteral("Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into smaller queries. (%1)").arg(text);
    else if (code == QLatin1String("9") || text.contains(QLatin1String("interrupted")))
        text = QStringLiteral("The statement ran longer than the query time limit (MAX QUERY TIME=%1 seconds) and was stopped.").arg(m_maxQuerySeconds);
    else if (code == QLatin1String("5") || text.contains(QLatin1String("database is locked")))
        text = QStringLiteral("The database \"%1\" is locked by another workstation; try again. (%2)").arg(excerpt(m_database), text);
    throw DbError(QStringLiteral("%1\n[server \"%2\", database \"%3\"]\n%4").arg(text, excerpt(m_server), excerpt(m_database), excerpt(what, 2000)));
}

// Statements run on the SQLite handle itself: rows are read as SQLite holds
// them, without the driver's conversion of every value of every row.
std::unique_ptr<QSqlQuery> EmbeddedSession::native(const QString& sql, const QVariantList& values)
{
    QVariantList bound;
    bound.reserve(values.size());
    for (const QVariant& v : values)
        bound.append(bindable(v));
    m_burstStart = m_lastProgress = m_clock.elapsed();
    auto q = std::make_unique<QSqlQuery>(new EmbeddedResult(m_db.driver(), m_handle, sql, bound));
    if (!q->isActive())
        fail(sql, q->lastError());
    return q;
}

// master is answered from the server folder and keeps nothing: a table made
// or a row written there would report success and be gone with the
// connection, where SQL Server keeps it. Such statements are refused.
void EmbeddedSession::refuseWriteInMaster(const QString& sql)
{
    const QString first = sql.section(QLatin1Char(' '), 0, 0).toUpper();
    static const QStringList writes { QStringLiteral("CREATE"), QStringLiteral("ALTER"), QStringLiteral("DROP"), QStringLiteral("INSERT"),
        QStringLiteral("UPDATE"), QStringLiteral("DELETE") };
    if (writes.contains(first))
        throw DbError(QStringLiteral("Not supported by the embedded engine: %1 in the master database, which the embedded server answers from its folder "
                                     "and which keeps no tables or rows of its own.")
                          .arg(excerpt(sql.section(QLatin1Char(' '), 0, 1).toUpper(), 60)));
}

std::unique_ptr<QSqlQuery> EmbeddedSession::runSteps(const EmbeddedPlan& plan, const ParamValues& params)
{
    std::unique_ptr<QSqlQuery> last;
    for (const EmbeddedStep& step : plan) {
        QVariantList values;
        for (const QString& name : step.params) {
            if (!params.contains(name))
                throw DbError(QStringLiteral("No value given for parameter :%1.").arg(name));
            values.append(params.value(name));
        }
        if (step.kind == EmbeddedStep::Run) {
            if (m_file.isEmpty())
                refuseWriteInMaster(step.sql);
            for (const QString& sql : step.before)
                native(sql);
            last = native(step.sql, values);
            for (const QString& sql : step.after)
                native(sql);
            continue;
        }
        auto cond = native(step.sql, values);
        const bool exists = cond->next() && cond->value(0).toInt() != 0;
        cond.reset();
        if (exists != step.negate) {
            auto inner = runSteps(step.body, params);
            if (inner)
                last = std::move(inner);
        }
    }
    return last;
}

std::unique_ptr<QSqlQuery> EmbeddedSession::run(const QString& tsql, const ParamValues& params)
{
    EmbeddedPlan plan;
    try {
        plan = cachedPlan(tsql);
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("%1\n[server \"%2\", database \"%3\"]\n%4").arg(e.message(), excerpt(m_server), excerpt(m_database), excerpt(tsql, 2000)));
    }
    auto q = runSteps(plan, params);
    if (!q)
        q = std::make_unique<QSqlQuery>(m_db);
    return q;
}

void EmbeddedSession::callProcedure(const QString& name, QList<ProcParam>& params)
{
    const EmbeddedProcedure proc = embeddedProcedure(name);
    if (!proc)
        throw DbError(QStringLiteral("Could not find stored procedure '%1'.\n[server \"%2\", database \"%3\"]").arg(excerpt(name), excerpt(m_server), excerpt(m_database)));
    // A procedure is atomic, inside or outside the caller's transaction.
    native(QStringLiteral("SAVEPOINT zaq_procedure"));
    try {
        proc(*this, params);
    } catch (...) {
        try {
            native(QStringLiteral("ROLLBACK TO zaq_procedure"));
            native(QStringLiteral("RELEASE zaq_procedure"));
        } catch (const DbError&) {
            // The procedure's own error is the one to report.
        }
        throw;
    }
    native(QStringLiteral("RELEASE zaq_procedure"));
}

void EmbeddedSession::beginTransaction()
{
    // IMMEDIATE takes the write lock up front, so two workstations saving at
    // once wait for each other instead of failing half-way.
    native(m_readOnly ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
}

void EmbeddedSession::commit() { native(QStringLiteral("COMMIT")); }

void EmbeddedSession::rollback() { native(QStringLiteral("ROLLBACK")); }
