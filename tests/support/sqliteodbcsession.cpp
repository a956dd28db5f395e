#include "sqliteodbcsession.h"

#include "db/embedded/session.h"

#include "db/dberror.h"
#include "db/embedded/functions.h"
#include "db/embedded/result.h"
#include "db/embedded/server.h"
#include "db/embedded/translator.h"
#include "db/mssql/statement.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QHash>
#include <cstdio>
#include <sqlite3.h>

namespace {

bool g_dayMonthYear = false;

// The driver opens its own SQLite connection, in this process and on the same
// library: the engine's collation and functions are registered on it as it opens.
int registerOnOpen(sqlite3* db, const char**, const sqlite3_api_routines*)
{
    registerEmbeddedFunctions(db, g_dayMonthYear);
    return SQLITE_OK;
}

using Entry = void (*)();

OdbcConnectionSpec standInSpec(const ConnectionProfile& profile)
{
    const QString folder = QDir::current().absoluteFilePath(profile.serverName().trimmed());
    const QString database = profile.databaseName().trimmed();
    const bool master = database.compare(QLatin1String("master"), Qt::CaseInsensitive) == 0;
    const QString file = master ? QStringLiteral(":memory:") : EmbeddedServer::databaseFile(folder, database);
    if (file.isEmpty())
        throw DbError(QStringLiteral("Cannot open database \"%1\" on server \"%2\": the database does not exist.").arg(database, profile.serverName()));
    OdbcConnectionSpec spec;
    spec.server = profile.serverName().trimmed();
    spec.database = database;
    spec.driver = QStringLiteral("SQLite3");
    spec.login = profile.userName();
    spec.connectionString = QStringLiteral("DRIVER={SQLite3};Timeout=5000;Database=") + file;
    spec.queryTimeoutSeconds = profile.maxQueryTimeSeconds();
    spec.readOnly = profile.readOnly();
    g_dayMonthYear = profile.dayMonthYear();
    sqlite3_auto_extension(reinterpret_cast<Entry>(&registerOnOpen));
    return spec;
}


// ZAQ_TRACE_TRIPS=1 lists every statement and call counted, one line each, on stderr.
void trace(const QString& database, const QString& what)
{
    static const bool on = qEnvironmentVariableIsSet("ZAQ_TRACE_TRIPS");
    if (on)
        std::fprintf(stderr, "trip %s: %s\n", qPrintable(database), qPrintable(what.simplified().left(160)));
}

} // namespace

SqliteOdbcSession::SqliteOdbcSession(const ConnectionProfile& profile)
    : OdbcSession(standInSpec(profile))
{
    sqlite3_cancel_auto_extension(reinterpret_cast<Entry>(&registerOnOpen));
    // The server catalogue as SQL Server answers it, as the embedded engine makes it.
    native(QStringLiteral("CREATE TEMP VIEW SysObjects AS SELECT name COLLATE ZAQ_CI AS Name, rowid AS Id,"
                          " CASE type WHEN 'table' THEN 'U' ELSE 'V' END AS xtype"
                          " FROM main.sqlite_master WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite_%'"),
        {});
    native(QStringLiteral("CREATE TEMP VIEW SysColumns AS SELECT p.name COLLATE ZAQ_CI AS Name, m.rowid AS Id, p.cid + 1 AS colid"
                          " FROM main.sqlite_master m JOIN pragma_table_info(m.name, 'main') p"
                          " WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite_%'"),
        {});
    native(QStringLiteral("CREATE TEMP VIEW SysIndexes AS SELECT i.name COLLATE ZAQ_CI AS Name, t.rowid AS Id"
                          " FROM main.sqlite_master i JOIN main.sqlite_master t ON t.type = 'table' AND t.name = i.tbl_name"
                          " WHERE i.type = 'index' AND i.name NOT LIKE 'sqlite_%'"),
        {});
    if (databaseName().compare(QLatin1String("master"), Qt::CaseInsensitive) == 0) {
        native(QStringLiteral("CREATE TEMP TABLE SysDatabases (Name TEXT COLLATE ZAQ_CI, dbid INTEGER)"), {});
        const QString folder = QDir::current().absoluteFilePath(serverName());
        QStringList names { QStringLiteral("master") };
        names += EmbeddedServer::databases(folder);
        for (int i = 0; i < names.size(); ++i)
            native(QStringLiteral("INSERT INTO SysDatabases (Name, dbid) VALUES (?, ?)"), { names.at(i), i + 1 });
    }
}

std::unique_ptr<QSqlQuery> SqliteOdbcSession::native(const QString& sql, const QVariantList& values)
{
    QVariantList bound;
    bound.reserve(values.size());
    for (const QVariant& v : values)
        bound.append(EmbeddedSql::bindable(v));
    return execute(sql, bound, sql);
}

std::unique_ptr<QSqlQuery> SqliteOdbcSession::run(const QString& tsql, const ParamValues& params)
{
    settlePendingResults();
    if (spec().readOnly && !isReadOnlyStatement(tsql))
        fail(tsql, QStringLiteral("The database \"%1\" is open read-only (OPEN MODE=READ); only queries may run on it.").arg(databaseName()));
    const EmbeddedPlan* steps = nullptr;
    try {
        steps = &EmbeddedSql::cachedPlan(tsql);
    } catch (const DbError& e) {
        fail(tsql, e.message());
    }
    countExecution();
    trace(databaseName(), tsql);
    std::function<std::unique_ptr<QSqlQuery>(const EmbeddedPlan&)> runSteps = [&](const EmbeddedPlan& p) {
        std::unique_ptr<QSqlQuery> last;
        for (const EmbeddedStep& step : p) {
            QVariantList values;
            for (const QString& name : step.params) {
                if (!params.contains(name))
                    fail(tsql, QStringLiteral("No value given for parameter :%1.").arg(name));
                values.append(EmbeddedSql::bindable(params.value(name)));
            }
            auto q = execute(plainPlaceholders(step.sql), values, tsql);
            if (step.kind == EmbeddedStep::Run) {
                last = std::move(q);
                continue;
            }
            const bool exists = q->next() && q->value(0).toInt() != 0;
            q.reset();
            if (exists != step.negate) {
                auto inner = runSteps(step.body);
                if (inner)
                    last = std::move(inner);
            }
        }
        return last;
    };
    auto q = runSteps(*steps);
    return q ? std::move(q) : std::make_unique<QSqlQuery>();
}

void SqliteOdbcSession::callProcedure(const QString& name, QList<ProcParam>& params)
{
    settlePendingResults();
    if (spec().readOnly)
        fail(name, QStringLiteral("The database \"%1\" is open read-only (OPEN MODE=READ); procedures may not run on it.").arg(databaseName()));
    const EmbeddedProcedure proc = embeddedProcedure(name);
    if (!proc)
        fail(name, QStringLiteral("Could not find stored procedure '%1'.").arg(name));
    countExecution();
    trace(databaseName(), QStringLiteral("call ") + name);
    native(QStringLiteral("SAVEPOINT zaq_procedure"), {});
    try {
        proc(*this, params);
    } catch (...) {
        try {
            native(QStringLiteral("ROLLBACK TO zaq_procedure"), {});
            native(QStringLiteral("RELEASE zaq_procedure"), {});
        } catch (const DbError&) {
            // The procedure's own error is the one to report.
        }
        throw;
    }
    native(QStringLiteral("RELEASE zaq_procedure"), {});
}

void openEverySessionOverSqliteOdbc()
{
    setEngineSessionMaker([](const ConnectionProfile& profile) { return std::make_unique<SqliteOdbcSession>(profile); });
}
