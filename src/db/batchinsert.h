#pragma once

#include "db/params.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

class Connection;

// Rows for one table sent in as few statements as SQL Server takes: each a
// multi-row "insert … values (…), (…)" of at most 1,000 rows (the most one
// VALUES takes) and 2,000 parameters (a request takes 2,100, the driver's own
// call to prepare and run the statement among them). At a branch office every statement is a trip of tens of
// milliseconds, so a save of thousands of rows must not send one per row.
// Whole numbers are written into the text (nothing but digits can come of
// them); every other value is a parameter. The rows go out as a batch fills
// and at finish(); the caller's transaction holds them all, so an error in a
// later statement takes the earlier ones back with it.
class BatchInsert
{
public:
    static constexpr int kMaxRows = 1000;
    static constexpr int kMaxParameters = 2000;

    BatchInsert(Connection& connection, const QString& table, const QStringList& columns);

    // One row, a value per column in the order given. Throws DbError when the
    // count does not match.
    void add(const QVariantList& row);
    // Sends the rows not sent yet; answers the rows written in all.
    int finish();
    // Statements sent so far.
    int statements() const { return m_statements; }

private:
    void send();

    Connection& m_connection;
    QString m_head;
    int m_columns;
    QString m_values;
    ParamValues m_params;
    int m_rows = 0;
    int m_paramCount = 0;
    int m_written = 0;
    int m_statements = 0;
};
