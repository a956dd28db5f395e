#pragma once

#include "db/field.h"
#include "db/params.h"
#include "db/rowstore.h"

#include <QObject>
#include <QStringList>
#include <QVector>
#include <memory>

class Connection;
class QSqlQuery;

// A statement held as lines of T-SQL with named parameters, and, once open, its
// rows with a current row. Rows are fetched from the engine as they are
// needed, so a large result costs only what is read of it.
class Query : public QObject
{
    Q_OBJECT
public:
    explicit Query(Connection* connection, QObject* parent = nullptr);
    Query(Connection* connection, const QStringList& sql, QObject* parent = nullptr);
    ~Query() override;

    Connection* connection() const { return m_connection; }

    QStringList& sql() { return m_sql; } // a screen may edit its lines
    const QStringList& sql() const { return m_sql; }
    void setSql(const QStringList& lines);
    QString text() const { return m_sql.join(QLatin1Char('\n')); }

    void setParam(const QString& name, const QVariant& value) { m_params.set(name, value); }
    QVariant param(const QString& name) const { return m_params.value(name); }
    const ParamValues& params() const { return m_params; }
    void clearParams() { m_params.clear(); }

    // Runs a statement that returns rows; the first row becomes current.
    void open();
    // Runs a statement that returns no rows; answers the rows affected.
    int execSql();
    void close();
    bool isOpen() const { return m_open; }

    // Navigation over the open result.
    bool isEmpty();
    bool eof();
    void first();
    void next();
    int recNo() const { return m_current; } // 0-based
    void setRecNo(int row);
    int rowCount();       // fetches every row
    int fetchedCount() const { return int(m_rows.size()); }
    bool canFetchMore() const { return m_live != nullptr; }
    void fetchMore(int count);
    // Reads the rest of the result into memory and lets the engine's cursor go.
    void releaseCursor();
    // Moves to the first row whose column equals the value; false leaves the
    // current row where it was.
    bool locate(const QString& column, const QVariant& value);

    // Fields of the current row (an empty, NULL field past the end).
    Field field(const QString& name);
    Field field(int column);
    QVariant value(int row, int column); // any fetched-or-fetchable row
    int columnCount() const { return int(m_columns.size()); }
    const QStringList& columnNames() const { return m_columns; }
    int columnIndex(const QString& name) const; // -1 when absent

signals:
    void opened();
    void closed();
    void currentChanged(int row);

private:
    friend class Connection;
    bool ensureRow(int row);
    void fetchAll();

    Connection* m_connection;
    QStringList m_sql;
    ParamValues m_params;
    bool m_open = false;
    QStringList m_columns;
    RowStore m_rows;
    std::unique_ptr<QSqlQuery> m_live;
    int m_current = 0;
};
