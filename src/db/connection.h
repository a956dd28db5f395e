#pragma once

#include "db/connectionprofile.h"
#include "db/engine.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class Query;
class StoredProc;

// A database connection under an alias, opened from its profile. The
// before-connect step may rewrite the profile; the after-connect step runs once
// the connection is up. No login prompt is ever shown: the profile carries the
// login. Closing the connection closes every query that runs on it.
class Connection : public QObject
{
    Q_OBJECT
public:
    explicit Connection(const QString& alias, QObject* parent = nullptr);
    ~Connection() override;

    const QString& alias() const { return m_alias; }
    ConnectionProfile& profile() { return m_profile; }
    const ConnectionProfile& profile() const { return m_profile; }
    void setProfile(const ConnectionProfile& profile) { m_profile = profile; }

    std::function<void(Connection&)> beforeConnect;
    std::function<void(Connection&)> afterConnect;

    void open();
    void close();
    bool isOpen() const { return m_session != nullptr; }
    // Opens the connection when it is closed (a query opened on a closed alias).
    void ensureOpen();

    void startTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }

    // The open session; throws DbError when the connection is closed.
    EngineSession& session();
    // Runs one statement, or calls a procedure, on the open session and counts it.
    std::unique_ptr<QSqlQuery> run(const QString& tsql, const ParamValues& params);
    void callProcedure(const QString& name, QList<ProcParam>& params);
    // Statements run on this connection so far (a diagnostic, and how tests
    // see that something was done without a query).
    quint64 statementsRun() const { return m_statements; }
    // The open session's content stamp (see EngineSession); empty when closed.
    QByteArray contentStamp() const { return m_session ? m_session->contentStamp() : QByteArray(); }

    // Bookkeeping for the queries and procedures that run on this connection.
    void attach(Query* query);
    void detach(Query* query);
    void attach(StoredProc* proc);
    void detach(StoredProc* proc);

signals:
    void opened();
    void closed();

private:
    void settleQueries();

    QString m_alias;
    ConnectionProfile m_profile;
    std::unique_ptr<EngineSession> m_session;
    bool m_inTransaction = false;
    bool m_opening = false;
    quint64 m_statements = 0;
    QList<Query*> m_queries;
    QList<StoredProc*> m_procs;
};

// Rolls back on scope exit unless committed: one save, one transaction.
class Transaction
{
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Connection& m_connection;
    bool m_done = false;
};
