#include "db/embedded/functions.h"
#include "db/embedded/serverclock.h"

#include "db/cp874.h"
#include "db/embedded/collation.h"
#include "db/embedded/translator.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QString>
#include <cmath>
#include <limits>
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

void fail(sqlite3_context* ctx, const QString& message)
{
    const QByteArray msg = message.toUtf8();
    sqlite3_result_error(ctx, msg.constData(), int(msg.size()));
}

QString shown(const QString& text) { return text.size() <= 100 ? text : text.left(100) + QStringLiteral("…"); }

// A value as the arithmetic sees it; several "+" steps pass it on without
// going back through SQLite.
struct Value
{
    enum Kind { Null, Integer, Float, Text, Blob };
    Kind kind = Null;
    qint64 i = 0;
    double d = 0;
    QString text;
    QByteArray blob;
    bool isNumber() const { return kind == Integer || kind == Float; }
    double real() const { return kind == Integer ? double(i) : d; }
};

Value valueOf(sqlite3_value* v)
{
    Value out;
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        out.kind = Value::Integer;
        out.i = sqlite3_value_int64(v);
        break;
    case SQLITE_FLOAT:
        out.kind = Value::Float;
        out.d = sqlite3_value_double(v);
        break;
    case SQLITE_TEXT:
        out.kind = Value::Text;
        out.text = textOf(v);
        break;
    case SQLITE_BLOB:
        out.kind = Value::Blob;
        out.blob = QByteArray(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v));
        break;
    default:
        break;
    }
    return out;
}

void result(sqlite3_context* ctx, const Value& v)
{
    switch (v.kind) {
    case Value::Null: sqlite3_result_null(ctx); break;
    case Value::Integer: sqlite3_result_int64(ctx, v.i); break;
    case Value::Float: sqlite3_result_double(ctx, v.d); break;
    case Value::Text: resultText(ctx, v.text); break;
    case Value::Blob: sqlite3_result_blob(ctx, v.blob.constData(), int(v.blob.size()), SQLITE_TRANSIENT); break;
    }
}

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

bool checkedAdd(qint64 a, qint64 b, qint64& r)
{
    if ((b > 0 && a > kMax - b) || (b < 0 && a < kMin - b))
        return false;
    r = a + b;
    return true;
}

bool checkedSubtract(qint64 a, qint64 b, qint64& r)
{
    if ((b < 0 && a > kMax + b) || (b > 0 && a < kMin + b))
        return false;
    r = a - b;
    return true;
}

bool checkedMultiply(qint64 a, qint64 b, qint64& r)
{
    if (a != 0 && b != 0) {
        const bool over = a > 0 ? (b > 0 ? a > kMax / b : b < kMin / a) : (b > 0 ? a < kMin / b : b < kMax / a);
        if (over)
            return false;
    }
    r = a * b;
    return true;
}

enum class Arith { Add, Subtract, Multiply, Divide, Modulo };

const char* operatorName(Arith op)
{
    switch (op) {
    case Arith::Add: return "add";
    case Arith::Subtract: return "subtract";
    case Arith::Multiply: return "multiply";
    case Arith::Divide: return "divide";
    case Arith::Modulo: return "modulo";
    }
    return "";
}

// A text converted for arithmetic with a number, as SQL Server converts it: to
// an integer next to an integer (so '1.5' fails), to a float next to a float.
// Blanks alone count as zero.
bool toNumber(Value& v, bool wantInt, QString& error)
{
    if (v.isNumber())
        return true;
    if (v.kind == Value::Blob) {
        error = QStringLiteral("Not supported by the embedded engine: arithmetic on binary data.");
        return false;
    }
    const QString s = v.text.trimmed();
    bool ok = s.isEmpty();
    if (wantInt) {
        const qint64 n = ok ? 0 : s.toLongLong(&ok);
        if (!ok) {
            error = QStringLiteral("Conversion failed when converting the varchar value '%1' to data type int.").arg(shown(v.text));
            return false;
        }
        v.kind = Value::Integer;
        v.i = n;
        return true;
    }
    const double d = ok ? 0 : s.toDouble(&ok);
    if (!ok || !std::isfinite(d)) {
        error = QStringLiteral("Error converting data type varchar to float.");
        return false;
    }
    v.kind = Value::Float;
    v.d = d;
    return true;
}

// +, -, *, / and % as SQL Server evaluates them: NULL yields NULL; integers
// stay integers and fail on overflow; a division by zero fails; a text next to
// a number is converted first and fails when it is not one; "+" joins two
// texts (or two binaries). Returns false with the error text on failure.
bool arithmetic(Arith op, Value a, Value b, Value& out, QString& error)
{
    out = Value();
    if (a.kind == Value::Null || b.kind == Value::Null)
        return true;
    if (!a.isNumber() && !b.isNumber()) {
        if (op != Arith::Add) {
            error = QStringLiteral("Operand data type varchar is invalid for %1 operator.").arg(QLatin1String(operatorName(op)));
            return false;
        }
        if (a.kind == Value::Blob && b.kind == Value::Blob) {
            out.kind = Value::Blob;
            out.blob = a.blob + b.blob;
            return true;
        }
        out.kind = Value::Text;
        out.text = (a.kind == Value::Blob ? Cp874::decode(a.blob) : a.text) + (b.kind == Value::Blob ? Cp874::decode(b.blob) : b.text);
        return true;
    }
    if (!toNumber(a, b.kind == Value::Integer, error) || !toNumber(b, a.kind == Value::Integer, error))
        return false;
    if ((op == Arith::Divide || op == Arith::Modulo) && (b.kind == Value::Integer ? b.i == 0 : b.d == 0.0)) {
        error = QStringLiteral("Divide by zero error encountered.");
        return false;
    }
    if (a.kind == Value::Integer && b.kind == Value::Integer) {
        qint64 r = 0;
        bool overflow = false;
        switch (op) {
        case Arith::Add: overflow = !checkedAdd(a.i, b.i, r); break;
        case Arith::Subtract: overflow = !checkedSubtract(a.i, b.i, r); break;
        case Arith::Multiply: overflow = !checkedMultiply(a.i, b.i, r); break;
        case Arith::Divide:
            overflow = a.i == kMin && b.i == -1;
            r = overflow ? 0 : a.i / b.i;
            break;
        case Arith::Modulo: r = b.i == -1 ? 0 : a.i % b.i; break;
        }
        if (overflow) {
            error = QStringLiteral("Arithmetic overflow error converting expression to data type bigint.");
            return false;
        }
        out.kind = Value::Integer;
        out.i = r;
        return true;
    }
    const double x = a.real();
    const double y = b.real();
    double r = 0;
    switch (op) {
    case Arith::Add: r = x + y; break;
    case Arith::Subtract: r = x - y; break;
    case Arith::Multiply: r = x * y; break;
    case Arith::Divide: r = x / y; break;
    case Arith::Modulo: r = std::fmod(x, y); break;
    }
    if (!std::isfinite(r)) {
        error = QStringLiteral("Arithmetic overflow error converting expression to data type float.");
        return false;
    }
    out.kind = Value::Float;
    out.d = r;
    return true;
}

// "+" over any number of terms, left to right: a chain a + b + c is one call.
void plusFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc < 2) {
        fail(ctx, QStringLiteral("zaq_plus needs at least two terms."));
        return;
    }
    Value acc = valueOf(argv[0]);
    QString error;
    for (int k = 1; k < argc; ++k) {
        Value next;
        if (!arithmetic(Arith::Add, acc, valueOf(argv[k]), next, error)) {
            fail(ctx, error);
            return;
        }
        acc = std::move(next);
    }
    result(ctx, acc);
}

template <Arith Op>
void arithFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    Value out;
    QString error;
    if (arithmetic(Op, valueOf(argv[0]), valueOf(argv[1]), out, error))
        result(ctx, out);
    else
        fail(ctx, error);
}

void getdateFn(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, ServerClock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
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

// LEFT, RIGHT and SUBSTRING as SQL Server counts: a start before the first
// character shortens what is taken; a negative length fails.
void substringFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    for (int k = 0; k < 3; ++k) {
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    const qint64 start = sqlite3_value_int64(argv[1]);
    const qint64 length = sqlite3_value_int64(argv[2]);
    if (length < 0) {
        fail(ctx, QStringLiteral("Invalid length parameter passed to the substring function."));
        return;
    }
    const QString s = textOf(argv[0]);
    const qint64 first = qMax<qint64>(start, 1);
    const qint64 last = start > kMax - length ? kMax : start + length; // one past the end
    if (last <= first || first > s.size()) {
        resultText(ctx, QString());
        return;
    }
    resultText(ctx, s.mid(int(first - 1), int(qMin<qint64>(last - first, s.size()))));
}

template <bool FromLeft>
void sideFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        fail(ctx, QStringLiteral("Invalid length parameter passed to the %1 function.").arg(QLatin1String(FromLeft ? "left" : "right")));
        return;
    }
    const QString s = textOf(argv[0]);
    const int count = int(qMin<qint64>(n, s.size()));
    resultText(ctx, FromLeft ? s.left(count) : s.right(count));
}

void replaceFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    for (int k = 0; k < 3; ++k) {
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    QString s = textOf(argv[0]);
    const QString from = textOf(argv[1]);
    if (!from.isEmpty())
        s.replace(from, textOf(argv[2]), Qt::CaseInsensitive);
    resultText(ctx, s);
}

// CAST(… AS VARBINARY/BINARY): texts become their code-page 874 bytes, as a
// varchar of a Thai server does; a length cuts, and BINARY pads with zeros.
void varbinaryFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    QByteArray bytes;
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_BLOB:
        bytes = QByteArray(static_cast<const char*>(sqlite3_value_blob(argv[0])), sqlite3_value_bytes(argv[0]));
        break;
    case SQLITE_TEXT:
        bytes = Cp874::encode(textOf(argv[0]));
        break;
    default:
        // SQL Server gives the bytes of the number's own type, which the
        // embedded engine does not keep.
        fail(ctx, QStringLiteral("Not supported by the embedded engine: converting a number to binary."));
        return;
    }
    if (argc == 3) {
        const qint64 length = sqlite3_value_int64(argv[1]);
        if (bytes.size() > length)
            bytes.truncate(int(length));
        if (sqlite3_value_int(argv[2]) != 0 && bytes.size() < length)
            bytes.append(QByteArray(int(length - bytes.size()), '\0'));
    }
    sqlite3_result_blob(ctx, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

// CAST(… AS [N][VAR]CHAR(n)): a text is cut to n characters (CHAR pads with
// blanks); a number that does not fit fails, where SQL Server shows "*" or fails.
void textFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    QString s = textOf(argv[0]);
    if (argc == 3) {
        const qint64 length = sqlite3_value_int64(argv[1]);
        if (s.size() > length) {
            if (isNumeric(type)) {
                fail(ctx, QStringLiteral("Arithmetic overflow error converting expression to data type varchar."));
                return;
            }
            s.truncate(int(length));
        }
        if (sqlite3_value_int(argv[2]) != 0 && s.size() < length)
            s += QString(int(length - s.size()), QLatin1Char(' '));
    }
    resultText(ctx, s);
}

struct IntegerType
{
    const char* name;
    qint64 min;
    qint64 max;
};

// CAST(… AS INT, BIGINT, SMALLINT, TINYINT, BIT): floats are truncated;
// texts must hold a whole number (blanks alone are 0); out of range fails.
void integerFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    static const IntegerType types[] = {
        { "INT", -2147483648LL, 2147483647LL },
        { "BIGINT", kMin, kMax },
        { "SMALLINT", -32768, 32767 },
        { "TINYINT", 0, 255 },
        { "BIT", kMin, kMax },
    };
    const QByteArray wanted(reinterpret_cast<const char*>(sqlite3_value_text(argv[1])));
    const IntegerType* t = &types[0];
    for (const IntegerType& candidate : types) {
        if (wanted == candidate.name)
            t = &candidate;
    }
    const bool bit = qstrcmp(t->name, "BIT") == 0;
    const QString typeName = QString::fromLatin1(t->name).toLower();
    qint64 n = 0;
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
        n = sqlite3_value_int64(argv[0]);
        break;
    case SQLITE_FLOAT: {
        const double d = std::trunc(sqlite3_value_double(argv[0]));
        // 2^63 is the first double beyond bigint; the comparison keeps the
        // conversion below defined.
        if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0)) {
            fail(ctx, QStringLiteral("Arithmetic overflow error converting float to data type %1.").arg(typeName));
            return;
        }
        n = qint64(d);
        break;
    }
    case SQLITE_TEXT: {
        const QString s = textOf(argv[0]).trimmed();
        bool ok = s.isEmpty();
        if (bit && (s.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 || s.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)) {
            sqlite3_result_int(ctx, s.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ? 1 : 0);
            return;
        }
        static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
        if (!ok && whole.match(s).hasMatch())
            n = s.toLongLong(&ok);
        if (!ok) {
            const bool digits = !s.isEmpty() && whole.match(s).hasMatch();
            fail(ctx, digits ? QStringLiteral("The conversion of the varchar value '%1' overflowed an %2 column.").arg(shown(s), typeName)
                             : QStringLiteral("Conversion failed when converting the varchar value '%1' to data type %2.").arg(shown(s), typeName));
            return;
        }
        if (!bit && (n < t->min || n > t->max)) {
            fail(ctx, QStringLiteral("The conversion of the varchar value '%1' overflowed an %2 column.").arg(shown(s), typeName));
            return;
        }
        break;
    }
    default:
        fail(ctx, QStringLiteral("Not supported by the embedded engine: converting binary data to %1.").arg(typeName));
        return;
    }
    if (bit) {
        sqlite3_result_int(ctx, n != 0 ? 1 : 0);
        return;
    }
    if (n < t->min || n > t->max) {
        fail(ctx, QStringLiteral("Arithmetic overflow error converting expression to data type %1.").arg(typeName));
        return;
    }
    sqlite3_result_int64(ctx, n);
}

// The number a value converts to for CAST(… AS FLOAT or DECIMAL); false with
// SQL Server's message when it does not convert.
bool castNumber(sqlite3_value* v, const char* type, bool textMayBeBlank, double& out, QString& error)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        out = double(sqlite3_value_int64(v));
        return true;
    case SQLITE_FLOAT:
        out = sqlite3_value_double(v);
        return true;
    case SQLITE_TEXT: {
        const QString s = textOf(v).trimmed();
        bool ok = textMayBeBlank && s.isEmpty();
        out = ok ? 0 : s.toDouble(&ok);
        if (ok && std::isfinite(out))
            return true;
        error = QStringLiteral("Error converting data type varchar to %1.").arg(QLatin1String(type));
        return false;
    }
    default:
        error = QStringLiteral("Not supported by the embedded engine: converting binary data to %1.").arg(QLatin1String(type));
        return false;
    }
}

void floatFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    double d = 0;
    QString error;
    if (castNumber(argv[0], "float", true, d, error))
        sqlite3_result_double(ctx, d);
    else
        fail(ctx, error);
}

// CAST(… AS DECIMAL(p, s)), NUMERIC and MONEY: rounded to s places; a value
// with more than p - s digits before the point fails.
void decimalFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const int precision = sqlite3_value_int(argv[1]);
    const int scale = sqlite3_value_int(argv[2]);
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER && scale == 0) {
        const qint64 n = sqlite3_value_int64(argv[0]);
        const double limit = std::pow(10.0, precision);
        if (double(n < 0 ? -(n + 1) : n) >= limit) {
            fail(ctx, QStringLiteral("Arithmetic overflow error converting int to data type numeric."));
            return;
        }
        sqlite3_result_int64(ctx, n);
        return;
    }
    double d = 0;
    QString error;
    if (!castNumber(argv[0], "numeric", false, d, error)) {
        fail(ctx, error);
        return;
    }
    const double factor = std::pow(10.0, scale);
    const double rounded = std::round(d * factor) / factor;
    if (!std::isfinite(rounded) || std::fabs(rounded) >= std::pow(10.0, precision - scale)) {
        fail(ctx, QStringLiteral("Arithmetic overflow error converting %1 to data type numeric.")
                      .arg(QLatin1String(sqlite3_value_type(argv[0]) == SQLITE_TEXT ? "varchar" : "expression")));
        return;
    }
    if (scale == 0 && std::fabs(rounded) < 9.2e18)
        sqlite3_result_int64(ctx, qint64(rounded));
    else
        sqlite3_result_double(ctx, rounded);
}

// A sub-query used as a value: its first value, or SQL Server's error when it
// gave more than one row.
void scalarFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_int64(argv[1]) > 1) {
        fail(ctx, QStringLiteral("Subquery returned more than 1 value. This is not permitted when the subquery follows =, !=, <, <= , >, >= or when the subquery is used as an expression."));
        return;
    }
    sqlite3_result_value(ctx, argv[0]);
}

// LIKE as SQL Server matches: % and _, [abc], [a-f] and [^…] classes, an
// optional escape character, letter case ignored as the collation does, and
// trailing blanks of the value ignored.
class LikePattern
{
public:
    LikePattern(const QString& pattern, QChar escape, bool hasEscape)
    {
        const int n = int(pattern.size());
        for (int i = 0; i < n; ++i) {
            const QChar c = pattern.at(i);
            Element el;
            if (hasEscape && c == escape) {
                if (i + 1 >= n) {
                    m_valid = false; // an escape character with nothing after it matches nothing
                    return;
                }
                el.chars = fold(pattern.at(++i));
            } else if (c == QLatin1Char('%')) {
                el.kind = Element::Any;
            } else if (c == QLatin1Char('_')) {
                el.kind = Element::One;
            } else if (c == QLatin1Char('[') && pattern.indexOf(QLatin1Char(']'), i + 1) > i) {
                const int close = int(pattern.indexOf(QLatin1Char(']'), i + 1));
                el.kind = Element::Set;
                int k = i + 1;
                if (k < close && pattern.at(k) == QLatin1Char('^')) {
                    el.negate = true;
                    ++k;
                }
                for (; k < close; ++k) {
                    if (k + 2 < close && pattern.at(k + 1) == QLatin1Char('-')) {
                        el.ranges += fold(pattern.at(k));
                        el.ranges += fold(pattern.at(k + 2));
                        k += 2;
                    } else {
                        el.chars += fold(pattern.at(k));
                    }
                }
                i = close;
            } else {
                el.chars = fold(c);
            }
            m_elements.append(el);
        }
    }

    bool matches(const QString& value) const
    {
        if (!m_valid)
            return false;
        int n = int(value.size());
        while (n > 0 && value.at(n - 1) == QLatin1Char(' '))
            --n;
        const int m = int(m_elements.size());
        int p = 0;
        int s = 0;
        int starP = -1;
        int starS = 0;
        // % matches any run, so one backtracking point is enough: linear in
        // practice, at worst value × pattern.
        while (s < n) {
            if (p < m && m_elements[p].kind == Element::Any) {
                starP = p++;
                starS = s;
                continue;
            }
            if (p < m && m_elements[p].accepts(fold(value.at(s)))) {
                ++p;
                ++s;
                continue;
            }
            if (starP < 0)
                return false;
            p = starP + 1;
            s = ++starS;
        }
        while (p < m && m_elements[p].kind == Element::Any)
            ++p;
        return p == m;
    }

private:
    static QChar fold(QChar c) { return c.toCaseFolded(); }

    struct Element
    {
        enum Kind { Literal, Any, One, Set };
        Kind kind = Literal;
        QString chars;  // the literal, or the single characters of a set
        QString ranges; // pairs of first and last character
        bool negate = false;

        bool accepts(QChar c) const
        {
            switch (kind) {
            case Literal: return chars.at(0) == c;
            case One: return true;
            case Any: return false;
            case Set: break;
            }
            bool in = chars.contains(c);
            for (int k = 0; !in && k + 1 < ranges.size(); k += 2)
                in = ranges.at(k) <= c && c <= ranges.at(k + 1);
            return in != negate;
        }
    };
    QVector<Element> m_elements;
    bool m_valid = true;
};

void likeFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    for (int k = 0; k < argc; ++k) {
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    QChar escape;
    if (argc == 3) {
        const QString e = textOf(argv[2]);
        if (e.size() != 1) {
            fail(ctx, QStringLiteral("Invalid escape character '%1' was specified in a LIKE predicate.").arg(shown(e)));
            return;
        }
        escape = e.at(0);
    }
    const LikePattern pattern(textOf(argv[1]), escape, argc == 3);
    sqlite3_result_int(ctx, pattern.matches(textOf(argv[0])) ? 1 : 0);
}

// CAST(… AS DATETIME): ISO texts as they are; "d/m/y" texts in the order the
// connection's DATE MODE gives. A second argument (CAST … AS DATE) drops the time.
void datetimeFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
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
        for (const char* format : { "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm" }) {
            if (!dt.isValid())
                dt = QDateTime::fromString(s, QLatin1String(format));
        }
        if (!dt.isValid())
            dt = QDate::fromString(s, QStringLiteral("yyyy-MM-dd")).startOfDay();
    }
    if (!dt.isValid()) {
        fail(ctx, QStringLiteral("Conversion failed when converting date and/or time from character string '%1'.").arg(shown(s)));
        return;
    }
    if (argc == 2)
        dt = dt.date().startOfDay();
    resultText(ctx, dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
}

// An int expression's value: beyond int's range it fails, as SQL Server's
// int arithmetic fails.
void intFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) {
        const qint64 n = sqlite3_value_int64(argv[0]);
        if (n < -2147483648LL || n > 2147483647LL) {
            fail(ctx, QStringLiteral("Arithmetic overflow error converting expression to data type int."));
            return;
        }
    }
    sqlite3_result_value(ctx, argv[0]);
}

// CHARINDEX(what, text): the first place of what in text, letter case
// ignored as the collation ignores it; 0 when what is empty or absent.
void charindexFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString what = textOf(argv[0]);
    if (what.isEmpty()) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    sqlite3_result_int64(ctx, textOf(argv[1]).toCaseFolded().indexOf(what.toCaseFolded()) + 1);
}

// ABS: numbers keep their kind; a text converts to float as SQL Server
// converts it, and fails when it is not a number.
void absFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER: {
        const qint64 n = sqlite3_value_int64(argv[0]);
        if (n == kMin) {
            fail(ctx, QStringLiteral("Arithmetic overflow error converting expression to data type bigint."));
            return;
        }
        sqlite3_result_int64(ctx, n < 0 ? -n : n);
        return;
    }
    case SQLITE_FLOAT:
        sqlite3_result_double(ctx, std::fabs(sqlite3_value_double(argv[0])));
        return;
    case SQLITE_TEXT: {
        bool ok = false;
        const double d = textOf(argv[0]).trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(d)) {
            fail(ctx, QStringLiteral("Error converting data type varchar to float."));
            return;
        }
        sqlite3_result_double(ctx, std::fabs(d));
        return;
    }
    default:
        fail(ctx, QStringLiteral("Operand data type varbinary is invalid for abs operator."));
        return;
    }
}

// SUM and AVG as SQL Server answers them: texts and binaries are refused, a
// sum of integers fails on overflow, and the average of integers is an
// integer (the sum divided by the count, cut toward zero).
struct Aggregate
{
    qint64 count;
    qint64 whole;
    double real;
    bool anyReal;
    bool failed;
};

template <bool Average>
void aggregateStep(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    auto* a = static_cast<Aggregate*>(sqlite3_aggregate_context(ctx, sizeof(Aggregate)));
    if (!a || a->failed)
        return;
    const char* name = Average ? "avg" : "sum";
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        return;
    case SQLITE_INTEGER:
        if (!checkedAdd(a->whole, sqlite3_value_int64(argv[0]), a->whole)) {
            a->failed = true;
            fail(ctx, QStringLiteral("Arithmetic overflow error converting expression to data type bigint."));
            return;
        }
        break;
    case SQLITE_FLOAT:
        a->real += sqlite3_value_double(argv[0]);
        a->anyReal = true;
        break;
    default:
        a->failed = true;
        fail(ctx, QStringLiteral("Operand data type %1 is invalid for %2 operator.")
                      .arg(QLatin1String(sqlite3_value_type(argv[0]) == SQLITE_TEXT ? "varchar" : "varbinary"), QLatin1String(name)));
        return;
    }
    ++a->count;
}

template <bool Average>
void aggregateFinal(sqlite3_context* ctx)
{
    auto* a = static_cast<Aggregate*>(sqlite3_aggregate_context(ctx, 0));
    if (!a || a->count == 0) {
        sqlite3_result_null(ctx);
        return;
    }
    if (a->failed)
        return;
    if (a->anyReal) {
        const double total = a->real + double(a->whole);
        if (!std::isfinite(total)) {
            fail(ctx, QStringLiteral("Arithmetic overflow error converting expression to data type float."));
            return;
        }
        sqlite3_result_double(ctx, Average ? total / double(a->count) : total);
        return;
    }
    sqlite3_result_int64(ctx, Average ? a->whole / a->count : a->whole);
}

int collate(void*, int la, const void* a, int lb, const void* b)
{
    return compareEmbeddedText(static_cast<const char*>(a), la, static_cast<const char*>(b), lb);
}

} // namespace

void registerEmbeddedFunctions(sqlite3* db, bool dayMonthYear)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_collation_v2(db, kEmbeddedCollation, SQLITE_UTF8, nullptr, collate, nullptr);
    auto add = [&](const char* name, int args, int fnFlags, void* data, void (*fn)(sqlite3_context*, int, sqlite3_value**)) {
        sqlite3_create_function_v2(db, name, args, fnFlags, data, fn, nullptr, nullptr, nullptr);
    };
    add("zaq_plus", -1, flags, nullptr, plusFn);
    add("zaq_minus", 2, flags, nullptr, arithFn<Arith::Subtract>);
    add("zaq_times", 2, flags, nullptr, arithFn<Arith::Multiply>);
    add("zaq_divide", 2, flags, nullptr, arithFn<Arith::Divide>);
    add("zaq_modulo", 2, flags, nullptr, arithFn<Arith::Modulo>);
    add("zaq_getdate", 0, SQLITE_UTF8, nullptr, getdateFn);
    add("zaq_space", 1, flags, nullptr, spaceFn);
    add("zaq_upper", 1, flags, nullptr, caseFn<true>);
    add("zaq_lower", 1, flags, nullptr, caseFn<false>);
    add("zaq_len", 1, flags, nullptr, lenFn);
    add("zaq_substring", 3, flags, nullptr, substringFn);
    add("zaq_left", 2, flags, nullptr, sideFn<true>);
    add("zaq_right", 2, flags, nullptr, sideFn<false>);
    add("zaq_replace", 3, flags, nullptr, replaceFn);
    add("zaq_varbinary", 1, flags, nullptr, varbinaryFn);
    add("zaq_varbinary", 3, flags, nullptr, varbinaryFn);
    add("zaq_text", 1, flags, nullptr, textFn);
    add("zaq_text", 3, flags, nullptr, textFn);
    add("zaq_integer", 2, flags, nullptr, integerFn);
    add("zaq_float", 1, flags, nullptr, floatFn);
    add("zaq_decimal", 3, flags, nullptr, decimalFn);
    add("zaq_scalar", 2, flags, nullptr, scalarFn);
    add("zaq_charindex", 2, flags, nullptr, charindexFn);
    add("zaq_int", 1, flags, nullptr, intFn);
    add("zaq_abs", 1, flags, nullptr, absFn);
    sqlite3_create_function_v2(db, "zaq_sum", 1, flags, nullptr, nullptr, aggregateStep<false>, aggregateFinal<false>, nullptr);
    sqlite3_create_function_v2(db, "zaq_avg", 1, flags, nullptr, nullptr, aggregateStep<true>, aggregateFinal<true>, nullptr);
    add("zaq_like", 2, flags, nullptr, likeFn);
    add("zaq_like", 3, flags, nullptr, likeFn);
    void* dmy = dayMonthYear ? db : nullptr;
    add("zaq_datetime", 1, flags, dmy, datetimeFn);
    add("zaq_datetime", 2, flags, dmy, datetimeFn);
}
