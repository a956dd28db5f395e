#include "db/batchinsert.h"

#include "db/connection.h"
#include "db/dberror.h"

#include <QSqlQuery>

namespace {

bool isWholeNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return !v.isNull();
    default:
        return false;
    }
}

} // namespace

BatchInsert::BatchInsert(Connection& connection, const QString& table, const QStringList& columns)
    : m_connection(connection)
    , m_head(QStringLiteral("insert into %1 (%2) values").arg(table, columns.join(QLatin1String(", "))))
    , m_columns(int(columns.size()))
{
}

void BatchInsert::add(const QVariantList& row)
{
    if (row.size() != m_columns)
        throw DbError(QStringLiteral("A row of %1 values for %2 columns: %3").arg(row.size()).arg(m_columns).arg(m_head));
    int needed = 0;
    for (const QVariant& v : row)
        needed += isWholeNumber(v) ? 0 : 1;
    if (m_rows > 0 && (m_rows >= kMaxRows || m_paramCount + needed > kMaxParameters))
        send();
    m_values += m_rows == 0 ? QStringLiteral("\n  (") : QStringLiteral(",\n  (");
    for (int c = 0; c < m_columns; ++c) {
        const QVariant& v = row.at(c);
        if (c > 0)
            m_values += QLatin1String(", ");
        if (isWholeNumber(v)) {
            m_values += v.toString();
            continue;
        }
        const QString name = QStringLiteral("V%1").arg(++m_paramCount);
        m_values += QLatin1Char(':') + name;
        m_params.set(name, v);
    }
    m_values += QLatin1Char(')');
    ++m_rows;
}

int BatchInsert::finish()
{
    if (m_rows > 0)
        send();
    return m_written;
}

void BatchInsert::send()
{
    m_connection.ensureOpen();
    const QString text = m_head + m_values;
    const std::unique_ptr<QSqlQuery> q = m_connection.run(text, m_params);
    const int affected = q->numRowsAffected();
    m_written += affected >= 0 ? affected : m_rows;
    ++m_statements;
    m_values.clear();
    m_params.clear();
    m_rows = 0;
    m_paramCount = 0;
}
