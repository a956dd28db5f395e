#include "db/embedded/result.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <sqlite3.h>

namespace {

// NULL as the driver takes it: a null variant, or a null text or byte array.
bool isNullValue(const QVariant& v)
{
    if (v.isNull())
        return true;
    if (v.typeId() == QMetaType::QString)
        return static_cast<const QString*>(v.constData())->isNull();
    if (v.typeId() == QMetaType::QByteArray)
        return static_cast<const QByteArray*>(v.constData())->isNull();
    return false;
}

int bindText(sqlite3_stmt* st, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return sqlite3_bind_text(st, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// Values bind as the driver binds them.
int bind(sqlite3_stmt* st, int index, const QVariant& v)
{
    if (isNullValue(v))
        return sqlite3_bind_null(st, index);
    switch (v.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray* bytes = static_cast<const QByteArray*>(v.constData());
        return sqlite3_bind_blob(st, index, bytes->constData(), int(bytes->size()), SQLITE_TRANSIENT);
    }
    case QMetaType::Int:
    case QMetaType::Bool:
        return sqlite3_bind_int(st, index, v.toInt());
    case QMetaType::Double:
        return sqlite3_bind_double(st, index, v.toDouble());
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(st, index, v.toLongLong());
    case QMetaType::QDateTime:
        return bindText(st, index, v.toDateTime().toString(Qt::ISODateWithMs));
    case QMetaType::QTime:
        return bindText(st, index, v.toTime().toString(QStringLiteral("hh:mm:ss.zzz")));
    case QMetaType::QString:
        return bindText(st, index, *static_cast<const QString*>(v.constData()));
    default:
        return bindText(st, index, v.toString());
    }
}

} // namespace

QString plainPlaceholders(const QString& sql)
{
    constexpr int kWorthIt = 64; // markers below which the lookups cost nothing to speak of
    QString out;
    int expected = 1;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) { // a literal or a quoted name, copied whole
            const qsizetype end = sql.indexOf(c, i + 1);
            if (end < 0)
                return sql;
            out += QStringView(sql).mid(i, end - i + 1);
            i = end;
            continue;
        }
        if (c != QLatin1Char('?')) {
            out += c;
            continue;
        }
        qsizetype j = i + 1;
        while (j < sql.size() && sql.at(j).isDigit())
            ++j;
        if (j == i + 1 || QStringView(sql).mid(i + 1, j - i - 1).toInt() != expected)
            return sql;
        ++expected;
        out += c;
        i = j - 1;
    }
    return expected - 1 >= kWorthIt ? out : sql;
}

EmbeddedResult::EmbeddedResult(const QSqlDriver* driver, sqlite3* db, const QString& sql, const QVariantList& values)
    : QSqlResult(driver)
    , m_db(db)
{
    setForwardOnly(true);
    setQuery(sql);
    const QByteArray text = plainPlaceholders(sql).toUtf8();
    int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()) + 1, &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        failWith(rc, QCoreApplication::translate("QSQLiteResult", "Unable to execute statement"));
        return;
    }
    if (sqlite3_bind_parameter_count(m_stmt) != values.size()) {
        setLastError(QSqlError(QCoreApplication::translate("QSQLiteResult", "Parameter count mismatch"), QString(), QSqlError::StatementError));
        return;
    }
    for (int i = 0; i < values.size(); ++i) {
        rc = bind(m_stmt, i + 1, values.at(i));
        if (rc != SQLITE_OK) {
            failWith(rc, QCoreApplication::translate("QSQLiteResult", "Unable to bind parameters"));
            return;
        }
    }
    m_columns = sqlite3_column_count(m_stmt);
    if (!step())
        return;
    setSelect(m_columns > 0);
    setActive(true);
}

EmbeddedResult::~EmbeddedResult() { sqlite3_finalize(m_stmt); }

void EmbeddedResult::failWith(int code, const QString& what)
{
    setLastError(QSqlError(what, QString::fromUtf8(sqlite3_errmsg(m_db)), QSqlError::ConnectionError, QString::number(code)));
}

// One step: a row waits, or the statement is done (and lets go of its
// locks at once), or it failed. False only on failure.
bool EmbeddedResult::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        m_firstRowWaiting = at() == QSql::BeforeFirstRow;
        return true;
    }
    if (rc == SQLITE_DONE) {
        sqlite3_reset(m_stmt);
        m_firstRowWaiting = false;
        return true;
    }
    failWith(rc, QCoreApplication::translate("QSQLiteResult", "Unable to fetch row"));
    sqlite3_reset(m_stmt);
    return false;
}

bool EmbeddedResult::fetchFirst()
{
    if (at() != QSql::BeforeFirstRow || !m_firstRowWaiting)
        return false;
    m_firstRowWaiting = false;
    setAt(0);
    return true;
}

bool EmbeddedResult::fetchNext()
{
    if (at() == QSql::BeforeFirstRow)
        return fetchFirst();
    if (at() < 0 || !sqlite3_stmt_busy(m_stmt))
        return false;
    if (!step()) {
        setAt(QSql::AfterLastRow);
        return false;
    }
    if (!sqlite3_stmt_busy(m_stmt)) // done
        return false;
    setAt(at() + 1);
    return true;
}

bool EmbeddedResult::fetch(int row)
{
    if (row == at() + 1)
        return fetchNext();
    return false;
}

QVariant EmbeddedResult::data(int column)
{
    if (at() < 0 || column < 0 || column >= m_columns)
        return {};
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(p, sqlite3_column_bytes(m_stmt, column)));
    }
    default: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QVariant(QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, column)));
    }
    }
}

void EmbeddedResult::storeRow(RowStore& rows) const
{
    rows.beginRow();
    for (int c = 0; c < m_columns; ++c) {
        switch (sqlite3_column_type(m_stmt, c)) {
        case SQLITE_INTEGER:
            rows.addInteger(sqlite3_column_int64(m_stmt, c));
            break;
        case SQLITE_FLOAT:
            rows.addDouble(sqlite3_column_double(m_stmt, c));
            break;
        case SQLITE_NULL:
            rows.addNull();
            break;
        case SQLITE_BLOB:
            rows.addBlob(static_cast<const char*>(sqlite3_column_blob(m_stmt, c)), sqlite3_column_bytes(m_stmt, c));
            break;
        default:
            rows.addText(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, c)), sqlite3_column_bytes(m_stmt, c));
        }
    }
    rows.endRow();
}

bool EmbeddedResult::isNull(int column)
{
    return at() < 0 || column < 0 || column >= m_columns || sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

int EmbeddedResult::numRowsAffected() { return sqlite3_changes(m_db); }

QSqlRecord EmbeddedResult::record() const
{
    QSqlRecord rec;
    for (int i = 0; i < m_columns; ++i)
        rec.append(QSqlField(QString::fromUtf8(sqlite3_column_name(m_stmt, i)).remove(QLatin1Char('"'))));
    return rec;
}
