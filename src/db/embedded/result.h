#pragma once

#include "db/rowstore.h"

#include <QSqlResult>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

// The text with its numbered markers "?1", "?2", … written as plain "?" when
// they stand in exactly that order, which numbers them the same. SQLite looks
// each numbered marker up in a list as long as the markers, so a statement of
// a thousand rows of values would take time growing with their square.
// Any other text is answered as it is.
QString plainPlaceholders(const QString& sql);

// A statement run straight on the SQLite handle, read through the QSqlQuery
// interface the rest of the layer uses. Values are taken from SQLite as UTF-8
// when they are asked for, without the driver's UTF-16 copy of every row;
// they read as the driver reads them (integers as qlonglong, texts as QString,
// NULL as a null QString, blobs as QByteArray). Forward only.
class EmbeddedResult : public QSqlResult, public RowSource
{
public:
    // Prepares, binds and runs the statement up to its first row; on failure
    // the result is inactive and lastError() tells why (as the driver's would,
    // the SQLite code as its native code).
    EmbeddedResult(const QSqlDriver* driver, sqlite3* db, const QString& sql, const QVariantList& values);
    ~EmbeddedResult() override;

    void storeRow(RowStore& rows) const override;

protected:
    QVariant data(int column) override;
    bool isNull(int column) override;
    bool reset(const QString&) override { return false; }
    bool fetch(int row) override;
    bool fetchFirst() override;
    bool fetchLast() override { return false; }
    bool fetchNext() override;
    int size() override { return -1; }
    int numRowsAffected() override;
    QSqlRecord record() const override;
    QVariant handle() const override { return {}; }

private:
    void failWith(int code, const QString& what);
    bool step();

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_firstRowWaiting = false;
    int m_columns = 0;
};
