#pragma once

#include "db/engine.h"
#include "db/embedded/procedures.h"
#include "db/embedded/translator.h"

#include <QElapsedTimer>
#include <QSqlDatabase>

struct sqlite3;

// A connection to one database of an embedded server folder.
// What every runner of translated statements shares with the session: the
// translation of a text, kept for the texts sent again and again, and a value
// in the form the engine stores it.
namespace EmbeddedSql {
const EmbeddedPlan& cachedPlan(const QString& tsql);
QVariant bindable(const QVariant& v);
} // namespace EmbeddedSql

class EmbeddedSession : public EngineSession, public SqliteRunner
{
public:
    explicit EmbeddedSession(const ConnectionProfile& profile);
    ~EmbeddedSession() override;

    std::unique_ptr<QSqlQuery> run(const QString& tsql, const ParamValues& params) override;
    void callProcedure(const QString& name, QList<ProcParam>& params) override;
    void beginTransaction() override;
    void commit() override;
    void rollback() override;
    QString serverName() const override { return m_server; }
    QString databaseName() const override { return m_database; }
    QByteArray contentStamp() const override;

    // Runs SQLite text as it stands (used by the built-in procedures).
    std::unique_ptr<QSqlQuery> native(const QString& sql, const QVariantList& values) override;
    std::unique_ptr<QSqlQuery> native(const QString& sql) { return native(sql, {}); }

private:
    void fail(const QString& what, const QSqlError& error) const;
    std::unique_ptr<QSqlQuery> runSteps(const EmbeddedPlan& plan, const ParamValues& params);
    static void refuseWriteInMaster(const QString& sql);
    static int progress(void* self);

    QString m_server;
    QString m_database;
    QString m_folder; // the server folder, absolute
    QString m_file;   // the database file; empty for master
    QString m_connectionName;
    QSqlDatabase m_db;
    sqlite3* m_handle = nullptr;
    bool m_readOnly = false;
    int m_maxQuerySeconds = 0;
    // The time limit counts while SQLite works without a pause: a result that
    // is read lazily, hours after it was opened, is not a long statement.
    QElapsedTimer m_clock;
    qint64 m_burstStart = 0;
    qint64 m_lastProgress = 0;
};
