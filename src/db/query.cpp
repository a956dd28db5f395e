#include "db/query.h"

#include "db/connection.h"
#include "db/dberror.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>

Query::Query(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection)
{
    m_connection->attach(this);
}

Query::Query(Connection* connection, const QStringList& sql, QObject* parent)
    : Query(connection, parent)
{
    m_sql = sql;
}

Query::~Query()
{
    if (m_connection)
        m_connection->detach(this);
}

void Query::setSql(const QStringList& lines)
{
    close();
    m_sql = lines;
}

void Query::open()
{
    close();
    m_connection->ensureOpen();
    std::unique_ptr<QSqlQuery> q = m_connection->run(text(), m_params);
    if (!q->isSelect())
        throw DbError(QStringLiteral("The statement returned no result set:\n%1").arg(text()));
    const QSqlRecord rec = q->record();
    m_columns.clear();
    for (int i = 0; i < rec.count(); ++i)
        m_columns.append(rec.fieldName(i));
    m_live = std::move(q);
    m_open = true;
    m_current = 0;
    ensureRow(0);
    emit opened();
    emit currentChanged(m_current);
}

int Query::execSql()
{
    close();
    m_connection->ensureOpen();
    std::unique_ptr<QSqlQuery> q = m_connection->run(text(), m_params);
    return q->numRowsAffected();
}

void Query::close()
{
    const bool wasOpen = m_open;
    m_live.reset();
    m_rows.clear();
    m_columns.clear();
    m_current = 0;
    m_open = false;
    if (wasOpen)
        emit closed();
}

bool Query::ensureRow(int row)
{
    // An engine that can store its rows itself does, without a QVariant per value.
    const auto* source = m_live ? dynamic_cast<const RowSource*>(m_live->result()) : nullptr;
    while (row >= int(m_rows.size()) && m_live) {
        if (!m_live->next()) {
            const QSqlError error = m_live->lastError();
            m_live.reset(); // all rows are here; release the engine's cursor
            if (error.isValid())
                throw DbError(error.databaseText().isEmpty() ? error.text() : error.databaseText());
            break;
        }
        if (source) {
            source->storeRow(m_rows);
            continue;
        }
        m_rows.beginRow();
        for (int c = 0; c < m_columns.size(); ++c)
            m_rows.addVariant(m_live->value(c));
        m_rows.endRow();
    }
    return row >= 0 && row < int(m_rows.size());
}

void Query::fetchAll() { ensureRow(INT_MAX - 1); }

void Query::releaseCursor()
{
    if (m_live)
        fetchAll();
}

void Query::fetchMore(int count) { ensureRow(int(m_rows.size()) + count - 1); }

bool Query::isEmpty() { return !m_open || !ensureRow(0); }

bool Query::eof() { return !m_open || !ensureRow(m_current); }

void Query::first()
{
    m_current = 0;
    emit currentChanged(m_current);
}

void Query::next()
{
    if (!eof()) {
        ++m_current;
        emit currentChanged(m_current);
    }
}

void Query::setRecNo(int row)
{
    if (row != m_current && ensureRow(row)) {
        m_current = row;
        emit currentChanged(m_current);
    }
}

int Query::rowCount()
{
    if (!m_open)
        return 0;
    fetchAll();
    return int(m_rows.size());
}

bool Query::locate(const QString& column, const QVariant& value)
{
    const int c = columnIndex(column);
    if (!m_open || c < 0)
        return false;
    const Field wanted(QString(), value);
    for (int r = 0; ensureRow(r); ++r) {
        const Field f(QString(), m_rows.value(r, c));
        if (f.asString() == wanted.asString()) {
            setRecNo(r);
            return true;
        }
    }
    return false;
}

int Query::columnIndex(const QString& name) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Field Query::field(const QString& name)
{
    const int c = columnIndex(name);
    if (c < 0) {
        if (m_open)
            throw DbError(QStringLiteral("Field '%1' not found.").arg(name));
        return Field(name, QVariant());
    }
    return field(c);
}

Field Query::field(int column)
{
    if (column < 0 || column >= m_columns.size())
        return {};
    return Field(m_columns.at(column), value(m_current, column));
}

QVariant Query::value(int row, int column)
{
    if (!m_open || !ensureRow(row) || column < 0 || column >= m_columns.size())
        return {};
    return m_rows.value(row, column);
}
