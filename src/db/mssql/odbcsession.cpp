#include "db/mssql/odbcsession.h"

#include "db/dberror.h"
#include "db/mssql/odbcapi.h"
#include "db/mssql/statement.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <deque>
#include <vector>

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "ODBC wide characters are UTF-16");

namespace {

int g_connectionCounter = 0;
quint64 g_executions = 0; // every session's, for OdbcSession::totalExecutions

// Qt's driver binds a text longer than this (in UTF-16 units) as a long text
// and every binary value as a long binary, which SQL Server takes as the
// legacy ntext and image types.
constexpr int kLongTextUnits = 127;

// Output buffers of procedure calls: the longest non-max varchar/varbinary a
// parameter of SQL Server can be.
constexpr int kOutTextUnits = 4000;
constexpr int kOutBinaryBytes = 8000;

QString handleTypeError() { return QStringLiteral("The ODBC driver gives no handle for this connection."); }

SQLHANDLE handleOf(const QVariant& v)
{
    if (!v.isValid() || (qstrcmp(v.typeName(), "void*") != 0 && qstrcmp(v.typeName(), "SQLHANDLE") != 0))
        return SQL_NULL_HANDLE;
    return *static_cast<const SQLHANDLE*>(v.constData());
}

QString fromWide(const SQLWCHAR* text, qsizetype units = -1) { return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), units); }

std::vector<SQLWCHAR> toWide(const QString& text)
{
    std::vector<SQLWCHAR> out(size_t(text.size()) + 1, 0);
    std::copy(text.utf16(), text.utf16() + text.size(), out.begin());
    return out;
}

// The diagnostics of a raw ODBC handle: messages and native codes.
struct Diagnostics
{
    QString message;
    QString nativeCodes;
};

Diagnostics diagnostics(SQLSMALLINT type, SQLHANDLE handle)
{
    Diagnostics d;
    QStringList messages, codes;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLWCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLWCHAR text[SQL_MAX_MESSAGE_LENGTH + 1] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        const SQLRETURN r = SQLGetDiagRecW(type, handle, i, state, &native, text, SQLSMALLINT(std::size(text)), &length);
        if (!SQL_SUCCEEDED(r))
            break;
        messages.append(fromWide(text));
        codes.append(QString::number(native));
    }
    d.message = odbcServerMessage(messages.join(QLatin1Char(' ')));
    d.nativeCodes = codes.join(QLatin1Char(';'));
    return d;
}

class StatementHandle
{
public:
    explicit StatementHandle(SQLHANDLE connection)
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection, &m_handle)))
            m_handle = SQL_NULL_HSTMT;
    }
    ~StatementHandle()
    {
        if (m_handle != SQL_NULL_HSTMT)
            SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
    }
    StatementHandle(const StatementHandle&) = delete;
    StatementHandle& operator=(const StatementHandle&) = delete;
    SQLHSTMT get() const { return m_handle; }

private:
    SQLHSTMT m_handle = SQL_NULL_HSTMT;
};

bool isProcedureName(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        if (!c.isLetterOrNumber() && !QStringLiteral("_#$.[]").contains(c))
            return false;
    }
    return true;
}

} // namespace

// A result handed to the program. It reads rows from Qt's ODBC result as they
// are asked for; when the session needs the connection for something else it
// reads the rest into memory first ("settles"), and carries on from there.
class OdbcLiveResult : public QSqlResult
{
public:
    OdbcLiveResult(OdbcSession* session, std::unique_ptr<QSqlQuery> inner, int rowsAffected)
        : QSqlResult(inner->driver())
        , m_session(session)
        , m_inner(std::move(inner))
        , m_rowsAffected(rowsAffected)
    {
        setForwardOnly(true);
        setSelect(m_inner->isSelect());
        setActive(true);
        setAt(QSql::BeforeFirstRow);
        if (isSelect()) {
            m_record = m_inner->record();
            m_session->m_live.append(this);
        } else {
            m_inner.reset();
        }
    }

    ~OdbcLiveResult() override { release(); }

    // Reads every pending row, so the connection is free for the next statement.
    void settle()
    {
        while (m_inner && pull()) { }
    }

    // The session is going away: stop reading from it.
    void abandon()
    {
        if (m_inner)
            setLastError(QSqlError(QString(), QStringLiteral("The connection was closed before every row of the result was read."), QSqlError::ConnectionError));
        release();
    }

protected:
    QVariant data(int column) override { return m_current.value(column); }
    bool isNull(int column) override { return m_current.value(column).isNull(); }
    bool reset(const QString&) override { return false; }
    bool fetch(int row) override { return row == at() + 1 && fetchNext(); }
    bool fetchFirst() override { return at() == QSql::BeforeFirstRow && fetchNext(); }
    bool fetchLast() override
    {
        settle();
        if (m_pending.empty())
            return false;
        const int skipped = int(m_pending.size()) - 1;
        m_current = std::move(m_pending.back());
        m_pending.clear();
        setAt((at() < 0 ? 0 : at() + 1) + skipped);
        return true;
    }
    bool fetchNext() override
    {
        if (m_pending.empty() && !(m_inner && pull()))
            return false;
        m_current = std::move(m_pending.front());
        m_pending.pop_front();
        setAt(at() < 0 ? 0 : at() + 1);
        return true;
    }
    int size() override { return -1; }
    int numRowsAffected() override { return m_rowsAffected; }
    QSqlRecord record() const override { return m_record; }

private:
    // Moves one row from the driver into the queue; at the end, finishes.
    bool pull()
    {
        if (!m_inner->next()) {
            finish();
            return false;
        }
        QVector<QVariant> row;
        row.reserve(m_record.count());
        for (int c = 0; c < m_record.count(); ++c)
            row.append(m_inner->value(c));
        m_pending.push_back(std::move(row));
        return true;
    }

    void finish()
    {
        QSqlError error = m_inner->lastError();
        // An error the server raises after the rows arrives with the next
        // result; read on so that it is not lost.
        if (error.type() == QSqlError::NoError) {
            while (m_inner->nextResult()) { }
            error = m_inner->lastError();
        }
        if (error.type() != QSqlError::NoError)
            setLastError(QSqlError(error.driverText(), odbcServerMessage(error), error.type(), error.nativeErrorCode()));
        release();
    }

    void release()
    {
        m_inner.reset();
        if (m_session) {
            m_session->m_live.removeAll(this);
            m_session = nullptr;
        }
    }

    OdbcSession* m_session;
    std::unique_ptr<QSqlQuery> m_inner;
    int m_rowsAffected;
    QSqlRecord m_record;
    std::deque<QVector<QVariant>> m_pending;
    QVector<QVariant> m_current;
};

QString odbcServerMessage(const QString& driverText)
{
    // "[unixODBC][FreeTDS][SQL Server]Message one [FreeTDS][SQL Server]Message two"
    static const QRegularExpression prefixes(QStringLiteral("(^|\\s)(\\[[^\\[\\]]*\\])+"));
    QString text = driverText;
    text.replace(prefixes, QStringLiteral("\n"));
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (!t.isEmpty() && !lines.contains(t))
            lines.append(t);
    }
    return lines.join(QLatin1Char('\n'));
}

QString odbcServerMessage(const QSqlError& error)
{
    QString text = odbcServerMessage(error.databaseText());
    if (text.isEmpty())
        text = error.driverText();
    return text;
}

QString odbcConnectFailure(const OdbcConnectionSpec& spec, const QString& nativeCodes, const QString& driverMessage)
{
    const QStringList codes = nativeCodes.split(QLatin1Char(';'));
    auto has = [&](const char* text) { return driverMessage.contains(QLatin1String(text), Qt::CaseInsensitive); };
    auto code = [&](const char* c) { return codes.contains(QLatin1String(c)); };
    QString what;
    QString check;
    if (has("Can't open lib") || has("Data source name not found") || has("driver not found") || has("not installed")) {
        what = QStringLiteral("the ODBC driver \"%1\" cannot be loaded").arg(spec.driver);
        check = QStringLiteral("Check that the driver is installed (on Debian the package tdsodbc, on Windows \"ODBC Driver 18 for SQL Server\") and known to the ODBC driver manager (\"odbcinst -q -d\" lists the drivers).");
    } else if (code("4060") || has("Cannot open database")) {
        what = QStringLiteral("the database does not exist there or the login \"%1\" may not open it").arg(spec.login);
        check = QStringLiteral("Check the database name and that the login is a user of that database.");
    } else if (code("18456") || has("Login failed")) {
        what = QStringLiteral("the server refused the login \"%1\"").arg(spec.login);
        check = QStringLiteral("Check that the SQL Server login exists with this password and that the server accepts SQL Server authentication (mixed mode).");
    } else if (code("20009") || code("20013") || has("Unknown host") || has("unavailable or does not exist") || has("TCP Provider") || has("timeout expired")
        || has("server was not found") || has("network-related") || has("Could not open a connection")) {
        what = QStringLiteral("the server cannot be reached");
        check = QStringLiteral("Check the server name in Server.Dat (host, host,port or host\\instance), that SQL Server runs there and accepts TCP/IP "
                               "connections (for a named instance, that the SQL Server Browser service runs), and that no firewall blocks the way.");
    } else if (has("certificate") || has("SSL") || has("TLS")) {
        what = QStringLiteral("no encrypted connection could be set up");
        check = QStringLiteral("Check that the server has a certificate this workstation trusts.");
    } else {
        what = QStringLiteral("the connection failed");
        check = QStringLiteral("Check the server name in Server.Dat and the SQL Server login.");
    }
    return QStringLiteral("Cannot connect to server \"%1\", database \"%2\": %3.\n%4\n(%5)").arg(spec.server, spec.database, what, check, driverMessage);
}

OdbcSession::OdbcSession(OdbcConnectionSpec spec)
    : m_spec(std::move(spec))
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        throw DbError(QStringLiteral("Cannot connect to server \"%1\", database \"%2\": Qt's ODBC driver is missing.\nCheck that Qt's ODBC plugin is installed "
                                     "(on Debian the package libqt6sql6-odbc).")
                          .arg(m_spec.server, m_spec.database));
    m_connectionName = QStringLiteral("zaq-odbc-%1").arg(++g_connectionCounter);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_connectionName);
    m_db.setDatabaseName(m_spec.connectionString);
    m_db.setConnectOptions(m_spec.connectOptions.join(QLatin1Char(';')));
    try {
        if (!m_db.open()) {
            const QSqlError e = m_db.lastError();
            throw DbError(odbcConnectFailure(m_spec, e.nativeErrorCode(), odbcServerMessage(e)));
        }
        for (const QString& statement : std::as_const(m_spec.initStatements))
            run(statement, ParamValues());
    } catch (...) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw;
    }
}

OdbcSession::~OdbcSession()
{
    for (OdbcLiveResult* r : QList<OdbcLiveResult*>(m_live))
        r->abandon();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void OdbcSession::fail(const QString& statement, const QSqlError& error) const { fail(statement, odbcServerMessage(error)); }

void OdbcSession::fail(const QString& statement, const QString& message) const
{
    throw DbError(QStringLiteral("%1\n[server \"%2\", database \"%3\"]\n%4").arg(message, m_spec.server, m_spec.database, statement));
}

void OdbcSession::settlePendingResults()
{
    for (OdbcLiveResult* r : QList<OdbcLiveResult*>(m_live))
        r->settle();
}

void OdbcSession::countExecution()
{
    ++m_executions;
    ++g_executions;
}

quint64 OdbcSession::totalExecutions() { return g_executions; }

void* OdbcSession::connectionHandle() const { return handleOf(m_db.driver()->handle()); }

void OdbcSession::applyQueryTimeout(void* statementHandle, const QString& statement) const
{
    if (m_spec.queryTimeoutSeconds <= 0)
        return;
    if (!statementHandle)
        fail(statement, handleTypeError());
    const SQLRETURN r = SQLSetStmtAttr(statementHandle, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(m_spec.queryTimeoutSeconds)), 0);
    // SUCCESS_WITH_INFO means the driver substituted its nearest limit; still a limit.
    if (!SQL_SUCCEEDED(r))
        fail(statement, QStringLiteral("The query time limit (MAX QUERY TIME=%1 seconds) cannot be set: %2").arg(m_spec.queryTimeoutSeconds).arg(diagnostics(SQL_HANDLE_STMT, statementHandle).message));
}

std::unique_ptr<QSqlQuery> OdbcSession::run(const QString& tsql, const ParamValues& params)
{
    settlePendingResults();
    if (m_spec.readOnly && !isReadOnlyStatement(tsql))
        fail(tsql, QStringLiteral("The database \"%1\" is open read-only (OPEN MODE=READ); only queries may run on it.").arg(m_spec.database));

    OdbcStatement st;
    try {
        st = odbcStatement(tsql);
    } catch (const DbError& e) {
        fail(tsql, e.message());
    }
    QVariantList values;
    for (const QString& name : std::as_const(st.names)) {
        if (!params.contains(name))
            fail(tsql, QStringLiteral("No value given for parameter :%1.").arg(name));
        values.append(params.value(name));
    }
    const QString text = st.text([&](int i) {
        const QVariant& v = values.at(i);
        if (m_spec.castLongValues && v.typeId() == QMetaType::QString && v.toString().size() > kLongTextUnits)
            return QStringLiteral("CAST(? AS NVARCHAR(MAX))");
        if (m_spec.castLongValues && v.typeId() == QMetaType::QByteArray)
            return QStringLiteral("CAST(? AS VARBINARY(MAX))");
        return QStringLiteral("?");
    });

    countExecution();
    return execute(text, values, tsql);
}

std::unique_ptr<QSqlQuery> OdbcSession::execute(const QString& text, const QVariantList& values, const QString& tsql)
{
    auto q = std::make_unique<QSqlQuery>(m_db);
    q->setForwardOnly(true);
    if (!q->prepare(text))
        fail(tsql, q->lastError());
    applyQueryTimeout(handleOf(q->result()->handle()), tsql);
    for (const QVariant& v : std::as_const(values))
        q->addBindValue(v);
    if (!q->exec())
        fail(tsql, q->lastError());

    // A batch reports the rows of each of its statements before the first one
    // that returns rows (the declare / select @v = batch, for one). Skip to the
    // rows; without rows, the count of the last statement that wrote.
    int affected = q->numRowsAffected();
    while (!q->isSelect()) {
        if (!q->nextResult()) {
            if (q->lastError().type() != QSqlError::NoError)
                fail(tsql, q->lastError());
            break;
        }
        if (!q->isSelect() && q->numRowsAffected() >= 0)
            affected = q->numRowsAffected();
    }
    QSqlResult* result = new OdbcLiveResult(this, std::move(q), affected);
    return std::make_unique<QSqlQuery>(result);
}

void OdbcSession::callProcedure(const QString& name, QList<ProcParam>& params)
{
    // Bound by hand rather than through Qt: Qt sizes an output text from the
    // value bound and declares anything over 127 characters as the legacy
    // ntext, which SQL Server refuses for output parameters.
    settlePendingResults();
    const QString procedure = name.trimmed();
    if (!isProcedureName(procedure))
        fail(procedure, QStringLiteral("\"%1\" is not a procedure name.").arg(procedure));
    if (m_spec.readOnly)
        fail(procedure, QStringLiteral("The database \"%1\" is open read-only (OPEN MODE=READ); procedures may not run on it.").arg(m_spec.database));

    struct Slot
    {
        int param;
        QByteArray buffer;
        SQLLEN indicator = 0;
        SQLSMALLINT io = SQL_PARAM_INPUT;
        SQLSMALLINT cType = SQL_C_WCHAR;
        SQLSMALLINT sqlType = SQL_WVARCHAR;
        SQLULEN columnSize = 0;
        SQLSMALLINT digits = 0;
    };
    std::vector<Slot> binds;
    int returnSlot = -1;
    for (int i = 0; i < params.size(); ++i) {
        if (params.at(i).direction == ProcParam::Return && returnSlot < 0) {
            returnSlot = i;
            binds.push_back(Slot { i, {}, 0, SQL_PARAM_OUTPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0 });
        }
    }
    for (int i = 0; i < params.size(); ++i) {
        if (params.at(i).direction == ProcParam::Return)
            continue;
        Slot s { i, {}, 0, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 0, 0 };
        switch (params.at(i).direction) {
        case ProcParam::Out: s.io = SQL_PARAM_OUTPUT; break;
        case ProcParam::InOut: s.io = SQL_PARAM_INPUT_OUTPUT; break;
        default: break;
        }
        binds.push_back(s);
    }

    QString call = QStringLiteral("{") + (returnSlot >= 0 ? QStringLiteral("? = ") : QString()) + QStringLiteral("call ") + procedure;
    const int inner = int(binds.size()) - (returnSlot >= 0 ? 1 : 0);
    if (inner > 0) {
        QStringList marks;
        for (int i = 0; i < inner; ++i)
            marks.append(QStringLiteral("?"));
        call += QLatin1Char('(') + marks.join(QLatin1String(", ")) + QLatin1Char(')');
    }
    call += QLatin1Char('}');

    SQLHANDLE dbc = connectionHandle();
    if (!dbc)
        fail(call, handleTypeError());
    StatementHandle stmt(dbc);
    if (!stmt.get())
        fail(call, diagnostics(SQL_HANDLE_DBC, dbc).message);
    applyQueryTimeout(stmt.get(), call);

    for (size_t n = 0; n < binds.size(); ++n) {
        Slot& s = binds[n];
        const ProcParam& p = params.at(s.param);
        const bool sends = s.io != SQL_PARAM_OUTPUT;
        const bool isNull = !sends || !p.value.isValid() || p.value.isNull();
        const QMetaType::Type type = p.direction == ProcParam::Return ? QMetaType::Int : p.type;
        switch (type) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::UChar: {
            const SQLINTEGER v = isNull ? 0 : SQLINTEGER(p.value.toInt());
            s.cType = SQL_C_SLONG;
            s.sqlType = SQL_INTEGER;
            s.buffer = QByteArray(reinterpret_cast<const char*>(&v), sizeof v);
            break;
        }
        case QMetaType::Bool: {
            const unsigned char v = isNull ? 0 : (p.value.toBool() ? 1 : 0);
            s.cType = SQL_C_BIT;
            s.sqlType = SQL_BIT;
            s.buffer = QByteArray(reinterpret_cast<const char*>(&v), sizeof v);
            break;
        }
        case QMetaType::LongLong:
        case QMetaType::ULongLong: {
            const SQLBIGINT v = isNull ? 0 : SQLBIGINT(p.value.toLongLong());
            s.cType = SQL_C_SBIGINT;
            s.sqlType = SQL_BIGINT;
            s.buffer = QByteArray(reinterpret_cast<const char*>(&v), sizeof v);
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float: {
            const SQLDOUBLE v = isNull ? 0 : p.value.toDouble();
            s.cType = SQL_C_DOUBLE;
            s.sqlType = SQL_DOUBLE;
            s.buffer = QByteArray(reinterpret_cast<const char*>(&v), sizeof v);
            break;
        }
        case QMetaType::QDateTime:
        case QMetaType::QDate: {
            const QDateTime dt = isNull ? QDateTime() : p.value.toDateTime();
            SQL_TIMESTAMP_STRUCT ts {};
            if (dt.isValid()) {
                ts.year = SQLSMALLINT(dt.date().year());
                ts.month = SQLUSMALLINT(dt.date().month());
                ts.day = SQLUSMALLINT(dt.date().day());
                ts.hour = SQLUSMALLINT(dt.time().hour());
                ts.minute = SQLUSMALLINT(dt.time().minute());
                ts.second = SQLUSMALLINT(dt.time().second());
                ts.fraction = SQLUINTEGER(dt.time().msec()) * 1000000u;
            }
            s.cType = SQL_C_TYPE_TIMESTAMP;
            s.sqlType = SQL_TYPE_TIMESTAMP;
            s.columnSize = 23;
            s.digits = 3;
            s.buffer = QByteArray(reinterpret_cast<const char*>(&ts), sizeof ts);
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray v = isNull ? QByteArray() : p.value.toByteArray();
            s.cType = SQL_C_BINARY;
            s.sqlType = SQL_VARBINARY;
            const int capacity = s.io == SQL_PARAM_INPUT ? int(v.size()) : qMax(int(v.size()), kOutBinaryBytes);
            s.columnSize = SQLULEN(qMax(capacity, 1));
            if (s.columnSize > SQLULEN(kOutBinaryBytes))
                s.sqlType = SQL_LONGVARBINARY;
            s.buffer = v;
            s.buffer.resize(qMax(capacity, 1));
            s.indicator = SQLLEN(v.size());
            break;
        }
        default: { // texts
            const QString v = isNull ? QString() : p.value.toString();
            const int capacity = s.io == SQL_PARAM_INPUT ? int(v.size()) : qMax(int(v.size()), kOutTextUnits);
            s.cType = SQL_C_WCHAR;
            s.sqlType = capacity > kOutTextUnits ? SQL_WLONGVARCHAR : SQL_WVARCHAR;
            s.columnSize = SQLULEN(qMax(capacity, 1));
            s.buffer = QByteArray((qMax(capacity, 1) + 1) * int(sizeof(SQLWCHAR)), '\0');
            memcpy(s.buffer.data(), v.utf16(), size_t(v.size()) * sizeof(SQLWCHAR));
            s.indicator = SQLLEN(v.size()) * SQLLEN(sizeof(SQLWCHAR));
            break;
        }
        }
        if (s.cType != SQL_C_WCHAR && s.cType != SQL_C_BINARY)
            s.indicator = SQLLEN(s.buffer.size());
        if (isNull && sends)
            s.indicator = SQL_NULL_DATA;
        const SQLRETURN r = SQLBindParameter(stmt.get(), SQLUSMALLINT(n + 1), s.io, s.cType, s.sqlType, s.columnSize, s.digits, s.buffer.data(),
            SQLLEN(s.buffer.size()), &s.indicator);
        if (!SQL_SUCCEEDED(r))
            fail(call, QStringLiteral("Parameter %1 of %2 cannot be bound: %3").arg(p.name, procedure, diagnostics(SQL_HANDLE_STMT, stmt.get()).message));
    }

    const std::vector<SQLWCHAR> text = toWide(call);
    countExecution();
    SQLRETURN r = SQLExecDirectW(stmt.get(), const_cast<SQLWCHAR*>(text.data()), SQL_NTS);
    // Output parameters arrive after every result of the call; an error raised
    // late in the procedure arrives with them.
    while (SQL_SUCCEEDED(r))
        r = SQLMoreResults(stmt.get());
    if (r != SQL_NO_DATA)
        fail(call, diagnostics(SQL_HANDLE_STMT, stmt.get()).message);

    for (const Slot& s : binds) {
        if (s.io == SQL_PARAM_INPUT)
            continue;
        ProcParam& p = params[s.param];
        const QMetaType::Type type = p.direction == ProcParam::Return ? QMetaType::Int : p.type;
        if (s.indicator == SQL_NULL_DATA) {
            p.value = QVariant(QMetaType(type));
            continue;
        }
        const char* data = s.buffer.constData();
        switch (s.cType) {
        case SQL_C_SLONG: p.value = QVariant::fromValue(int(*reinterpret_cast<const SQLINTEGER*>(data))); break;
        case SQL_C_BIT: p.value = *reinterpret_cast<const unsigned char*>(data) != 0; break;
        case SQL_C_SBIGINT: p.value = qlonglong(*reinterpret_cast<const SQLBIGINT*>(data)); break;
        case SQL_C_DOUBLE: p.value = double(*reinterpret_cast<const SQLDOUBLE*>(data)); break;
        case SQL_C_TYPE_TIMESTAMP: {
            const auto* ts = reinterpret_cast<const SQL_TIMESTAMP_STRUCT*>(data);
            const QDateTime dt(QDate(ts->year, ts->month, ts->day), QTime(ts->hour, ts->minute, ts->second, int(ts->fraction / 1000000u)));
            p.value = type == QMetaType::QDate ? QVariant(dt.date()) : QVariant(dt);
            break;
        }
        case SQL_C_BINARY: {
            const qsizetype length = s.indicator < 0 || s.indicator > s.buffer.size() ? s.buffer.size() : qsizetype(s.indicator);
            p.value = QByteArray(data, length);
            break;
        }
        default: {
            const qsizetype room = s.buffer.size() / qsizetype(sizeof(SQLWCHAR)) - 1;
            const qsizetype units = s.indicator < 0 ? room : qMin(room, qsizetype(s.indicator) / qsizetype(sizeof(SQLWCHAR)));
            p.value = fromWide(reinterpret_cast<const SQLWCHAR*>(data), units);
            break;
        }
        }
    }
}

void OdbcSession::beginTransaction()
{
    settlePendingResults();
    countExecution();
    if (!m_db.transaction())
        fail(QStringLiteral("BEGIN TRANSACTION"), m_db.lastError());
}

void OdbcSession::commit()
{
    settlePendingResults();
    countExecution();
    if (!m_db.commit())
        fail(QStringLiteral("COMMIT"), m_db.lastError());
}

void OdbcSession::rollback()
{
    settlePendingResults();
    countExecution();
    if (!m_db.rollback())
        fail(QStringLiteral("ROLLBACK"), m_db.lastError());
}
