#include "db/embedded/functions.h"

#include "db/cp874.h"
#include "db/embedded/translator.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QString>
#include <sqlite3.h>

namespace {

QString textOf(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_BLOB) {
        const auto* p = static_cast<const char*>(sqlite3_value_blob(v));
        return Cp874::decode(QByteArray(p, sqlite3_value_bytes(v)));
    }
    const auto* p = reinterpret_cast<const char16_t*>(sqlite3_value_text16(v));
    return QString(reinterpret_cast<const QChar*>(p), sqlite3_value_bytes16(v) / 2);
}

void resultText(sqlite3_context* ctx, const QString& s)
{
    sqlite3_result_text16(ctx, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT);
}

bool isNumeric(int type) { return type == SQLITE_INTEGER || type == SQLITE_FLOAT; }

// "+" as SQL Server evaluates it: numbers add; texts concatenate; a text next
// to a number is converted to a number first; NULL yields NULL.
void plusFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const int ta = sqlite3_value_type(argv[0]);
    const int tb = sqlite3_value_type(argv[1]);
    if (ta == SQLITE_NULL || tb == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (!isNumeric(ta) && !isNumeric(tb)) {
        resultText(ctx, textOf(argv[0]) + textOf(argv[1]));
        return;
    }
    auto number = [&](sqlite3_value* v, int type, bool& isInt, qint64& i, double& d) -> bool {
        if (type == SQLITE_INTEGER) {
            i = sqlite3_value_int64(v);
            d = double(i);
            return true;
        }
        if (type == SQLITE_FLOAT) {
            isInt = false;
            d = sqlite3_value_double(v);
            return true;
        }
        const QString s = textOf(v).trimmed();
        bool ok = false;
        i = s.toLongLong(&ok);
        if (ok) {
            d = double(i);
            return true;
        }
        d = s.toDouble(&ok);
        isInt = false;
        return ok;
    };
    bool isInt = true;
    qint64 ia = 0, ib = 0;
    double da = 0, db = 0;
    if (!number(argv[0], ta, isInt, ia, da) || !number(argv[1], tb, isInt, ib, db)) {
        const QString bad = isNumeric(ta) ? textOf(argv[1]) : textOf(argv[0]);
        const QByteArray msg = QStringLiteral("Conversion failed when converting the varchar value '%1' to a number.").arg(bad).toUtf8();
        sqlite3_result_error(ctx, msg.constData(), int(msg.size()));
        return;
    }
    if (isInt)
        sqlite3_result_int64(ctx, ia + ib);
    else
        sqlite3_result_double(ctx, da + db);
}

void getdateFn(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
}

void spaceFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 n = sqlite3_value_int64(argv[0]);
    if (n < 0) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, QString(int(qMin<qint64>(n, 8000)), QLatin1Char(' ')));
}

template <bool Up>
void caseFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString s = textOf(argv[0]);
    resultText(ctx, Up ? s.toUpper() : s.toLower());
}

void lenFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    QString s = textOf(argv[0]);
    int n = int(s.size());
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    sqlite3_result_int(ctx, n);
}

void rightFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, textOf(argv[0]).right(int(qMax<qint64>(0, sqlite3_value_int64(argv[1])))));
}

// CAST(… AS VARBINARY): texts become their code-page 874 bytes, as a varchar
// of a Thai server does.
void varbinaryFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_BLOB:
        sqlite3_result_value(ctx, argv[0]);
        return;
    default: {
        const QByteArray bytes = Cp874::encode(textOf(argv[0]));
        sqlite3_result_blob(ctx, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    }
}

void textFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, textOf(argv[0]));
}

// CAST(… AS DATETIME): ISO texts as they are; "d/m/y" texts in the order the
// connection's DATE MODE gives.
void datetimeFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const bool dmy = sqlite3_user_data(ctx) != nullptr;
    const QString s = textOf(argv[0]).trimmed();
    static const QRegularExpression slashed(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
    const QRegularExpressionMatch m = slashed.match(s);
    QDateTime dt;
    if (m.hasMatch()) {
        const int a = m.captured(1).toInt();
        const int b = m.captured(2).toInt();
        const QDate d(m.captured(3).toInt(), dmy ? b : a, dmy ? a : b);
        dt = QDateTime(d, QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt()));
    } else {
        dt = QDateTime::fromString(s, Qt::ISODateWithMs);
        if (!dt.isValid())
            dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        if (!dt.isValid())
            dt = QDate::fromString(s, QStringLiteral("yyyy-MM-dd")).startOfDay();
    }
    if (!dt.isValid()) {
        const QByteArray msg = QStringLiteral("Conversion failed when converting date and/or time from character string '%1'.").arg(s).toUtf8();
        sqlite3_result_error(ctx, msg.constData(), int(msg.size()));
        return;
    }
    resultText(ctx, dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
}

// Text comparison as SQL Server's default collation does it: letter case and
// trailing blanks do not count.
int collate(void*, int la, const void* a, int lb, const void* b)
{
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    while (la > 0 && pa[la - 1] == ' ')
        --la;
    while (lb > 0 && pb[lb - 1] == ' ')
        --lb;
    int i = 0;
    bool unicode = false;
    for (; i < la && i < lb; ++i) {
        unsigned char ca = pa[i];
        unsigned char cb = pb[i];
        if (ca >= 0x80 || cb >= 0x80) {
            unicode = true; // not plain ASCII from here: compare the rest as Unicode
            break;
        }
        if (ca >= 'a' && ca <= 'z')
            ca = ca - 'a' + 'A';
        if (cb >= 'a' && cb <= 'z')
            cb = cb - 'a' + 'A';
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (!unicode)
        return la == lb ? 0 : (la < lb ? -1 : 1);
    const QString sa = QString::fromUtf8(reinterpret_cast<const char*>(pa + i), la - i);
    const QString sb = QString::fromUtf8(reinterpret_cast<const char*>(pb + i), lb - i);
    const int c = sa.compare(sb, Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace

void registerEmbeddedFunctions(sqlite3* db, bool dayMonthYear)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_collation_v2(db, kEmbeddedCollation, SQLITE_UTF8, nullptr, collate, nullptr);
    sqlite3_create_function_v2(db, "zaq_plus", 2, flags, nullptr, plusFn, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "zaq_getdate", 0, SQLITE_UTF8, nullptr, getdateFn, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "zaq_space", 1, flags, nullptr, spaceFn, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "zaq_upper", 1, flags, nullptr, caseFn<true>, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "zaq_lower", 1, flags, nullptr, caseFn<false>, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "zaq_len", 1, flags, nullptr, lenFn, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "zaq_right", 2, flags, nullptr, rightFn, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "zaq_varbinary", 1, flags, nullptr, varbinaryFn, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "zaq_text", 1, flags, nullptr, textFn, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "zaq_datetime", 1, flags, dayMonthYear ? db : nullptr, datetimeFn, nullptr, nullptr, nullptr);
}
