#include "db/connection.h"

#include "db/dberror.h"
#include "db/query.h"
#include "db/storedproc.h"

Connection::Connection(const QString& alias, QObject* parent)
    : QObject(parent)
    , m_alias(alias)
{
}

Connection::~Connection()
{
    close();
    for (Query* q : std::as_const(m_queries))
        q->m_connection = nullptr;
    for (StoredProc* p : std::as_const(m_procs))
        p->m_connection = nullptr;
}

void Connection::open()
{
    if (m_session)
        return;
    if (m_opening)
        throw DbError(QStringLiteral("Connection %1 is already being opened.").arg(m_alias));
    m_opening = true;
    try {
        if (beforeConnect)
            beforeConnect(*this);
        m_session = openEngineSession(m_profile);
    } catch (...) {
        m_opening = false;
        throw;
    }
    m_opening = false;
    m_inTransaction = false;
    emit opened();
    if (afterConnect)
        afterConnect(*this);
}

void Connection::ensureOpen()
{
    if (!m_session)
        open();
}

void Connection::close()
{
    if (!m_session)
        return;
    for (Query* q : m_queries) // copy: a slot might detach
        q->close();
    for (StoredProc* p : m_procs)
        p->close();
    if (m_inTransaction) {
        try {
            m_session->rollback();
        } catch (const DbError&) {
            // The connection goes away either way; an open transaction dies with it.
        }
    }
    m_inTransaction = false;
    m_session.reset();
    emit closed();
}

EngineSession& Connection::session()
{
    if (!m_session)
        throw DbError(QStringLiteral("Connection %1 is not open.").arg(m_alias));
    return *m_session;
}

// A result still being read holds the engine's view of the data as it was
// when it was opened (SQLite keeps its read snapshot, and a write lock taken on
// top of an old snapshot fails; SQL Server allows one pending result only). So
// the rest of every such result is read in before the connection does anything
// else: each statement, call and transaction sees what others have committed.
void Connection::settleQueries()
{
    for (Query* q : m_queries) // a copy: reading cannot attach or detach
        q->releaseCursor();
}

std::unique_ptr<QSqlQuery> Connection::run(const QString& tsql, const ParamValues& params)
{
    EngineSession& s = session();
    settleQueries();
    ++m_statements;
    return s.run(tsql, params);
}

void Connection::callProcedure(const QString& name, QList<ProcParam>& params)
{
    EngineSession& s = session();
    settleQueries();
    ++m_statements;
    s.callProcedure(name, params);
}

void Connection::startTransaction()
{
    ensureOpen();
    if (m_inTransaction)
        throw DbError(QStringLiteral("A transaction is already active on %1.").arg(m_alias));
    settleQueries();
    m_session->beginTransaction();
    m_inTransaction = true;
}

void Connection::commit()
{
    if (!m_inTransaction)
        throw DbError(QStringLiteral("No transaction is active on %1.").arg(m_alias));
    settleQueries();
    m_session->commit();
    m_inTransaction = false;
}

void Connection::rollback()
{
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    settleQueries();
    m_session->rollback();
}

void Connection::attach(Query* query) { m_queries.append(query); }
void Connection::detach(Query* query) { m_queries.removeAll(query); }
void Connection::attach(StoredProc* proc) { m_procs.append(proc); }
void Connection::detach(StoredProc* proc) { m_procs.removeAll(proc); }

Transaction::Transaction(Connection& connection)
    : m_connection(connection)
{
    m_connection.startTransaction();
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    try {
        m_connection.rollback();
    } catch (const DbError&) {
        // Rolling back on the way out of a failed save; the first error is the one that matters.
    }
}

void Transaction::commit()
{
    m_connection.commit();
    m_done = true;
}
