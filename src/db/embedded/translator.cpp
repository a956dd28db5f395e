#include "db/embedded/translator.h"

#include "db/dberror.h"
#include "db/tsqllexer.h"

#include <QHash>
#include <QSet>
#include <cmath>

namespace {

[[noreturn]] void unsupported(const QString& construct)
{
    throw DbError(QStringLiteral("Not supported by the embedded engine: %1").arg(excerpt(construct)));
}

[[noreturn]] void syntax(const SqlToken* token)
{
    if (token)
        throw DbError(QStringLiteral("Incorrect syntax near '%1' (line %2).").arg(excerpt(token->text, 100), QString::number(token->line)));
    throw DbError(QStringLiteral("Incorrect syntax near the end of the statement."));
}

const QSet<QString>& keywords()
{
    static const QSet<QString> k = {
        QStringLiteral("SELECT"), QStringLiteral("FROM"), QStringLiteral("WHERE"), QStringLiteral("AND"),
        QStringLiteral("OR"), QStringLiteral("NOT"), QStringLiteral("IN"), QStringLiteral("IS"),
        QStringLiteral("LIKE"), QStringLiteral("BETWEEN"), QStringLiteral("EXISTS"), QStringLiteral("AS"),
        QStringLiteral("ON"), QStringLiteral("JOIN"), QStringLiteral("INNER"), QStringLiteral("LEFT"),
        QStringLiteral("RIGHT"), QStringLiteral("FULL"), QStringLiteral("OUTER"), QStringLiteral("CROSS"),
        QStringLiteral("ORDER"), QStringLiteral("GROUP"), QStringLiteral("BY"), QStringLiteral("HAVING"),
        QStringLiteral("UNION"), QStringLiteral("ALL"), QStringLiteral("DISTINCT"), QStringLiteral("TOP"),
        QStringLiteral("INTO"), QStringLiteral("VALUES"), QStringLiteral("SET"), QStringLiteral("UPDATE"),
        QStringLiteral("INSERT"), QStringLiteral("DELETE"), QStringLiteral("CASE"), QStringLiteral("WHEN"),
        QStringLiteral("THEN"), QStringLiteral("ELSE"), QStringLiteral("END"), QStringLiteral("ASC"),
        QStringLiteral("DESC"), QStringLiteral("ESCAPE"), QStringLiteral("WITH"), QStringLiteral("PRIMARY"),
        QStringLiteral("KEY"), QStringLiteral("DEFAULT"), QStringLiteral("CONSTRAINT"), QStringLiteral("REFERENCES"),
        QStringLiteral("UNIQUE"), QStringLiteral("INDEX"), QStringLiteral("CREATE"), QStringLiteral("TABLE"),
        QStringLiteral("ALTER"), QStringLiteral("ADD"), QStringLiteral("DROP"), QStringLiteral("COLUMN"),
        QStringLiteral("EXCEPT"), QStringLiteral("INTERSECT"), QStringLiteral("FOREIGN"),
    };
    return k;
}

// Words that begin a new statement of a batch.
const QSet<QString>& statementWords()
{
    static const QSet<QString> k = {
        QStringLiteral("SELECT"), QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE"),
        QStringLiteral("DECLARE"), QStringLiteral("IF"), QStringLiteral("BEGIN"), QStringLiteral("END"),
        QStringLiteral("SET"), QStringLiteral("ALTER"), QStringLiteral("CREATE"), QStringLiteral("DROP"),
        QStringLiteral("EXEC"), QStringLiteral("EXECUTE"), QStringLiteral("ELSE"), QStringLiteral("WHILE"),
        QStringLiteral("RETURN"), QStringLiteral("PRINT"), QStringLiteral("TRUNCATE"), QStringLiteral("GO"),
        QStringLiteral("COMMIT"), QStringLiteral("ROLLBACK"),
    };
    return k;
}

// Every token is read through here: a statement that ends early is a syntax
// error, never a read past the end of the list.
const SqlToken& at(const SqlTokens& v, int i)
{
    if (i < 0 || i >= int(v.size()))
        syntax(nullptr);
    return v[i];
}

// SQL Server refuses statements nested deeper than it can parse, and so does
// the embedded engine, before the translation's own recursion exhausts the stack.
constexpr int kMaxNesting = 64;
constexpr int kMaxSubstitutedTokens = 100000;

class NestingGuard
{
public:
    explicit NestingGuard(int& depth)
        : m_depth(depth)
    {
        if (++m_depth > kMaxNesting) {
            --m_depth;
            throw DbError(QStringLiteral("Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into smaller queries."));
        }
    }
    ~NestingGuard() { --m_depth; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    int& m_depth;
};

QString upper(const SqlToken& t) { return t.text.toUpper(); }

QString identifier(const SqlToken& t)
{
    if (t.kind == SqlToken::Quoted)
        return QLatin1Char('"') + QString(t.text).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    return t.text;
}

void appendPiece(QString& s, const QString& piece)
{
    if (piece.isEmpty())
        return;
    if (!s.isEmpty() && piece != QLatin1String(",") && !s.endsWith(QLatin1Char('(')))
        s += QLatin1Char(' ');
    s += piece;
}

int matchParen(const SqlTokens& v, int open, int end)
{
    int depth = 0;
    for (int i = open; i < end; ++i) {
        if (at(v, i).kind == SqlToken::LParen)
            ++depth;
        else if (at(v, i).kind == SqlToken::RParen && --depth == 0)
            return i;
    }
    syntax(&at(v, open));
}

// A numeric literal as SQLite should read it. SQL Server reads integers beyond
// bigint as decimals, which SQLite would turn into approximate floats, and
// refuses floats beyond the float range; neither is answered with a different number.
QString number(const SqlToken& k)
{
    const QString& text = k.text;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        // SQL Server pads an odd number of digits with a leading zero.
        const QString digits = text.mid(2);
        return QStringLiteral("X'") + (digits.size() % 2 ? QStringLiteral("0") : QString()) + digits + QLatin1Char('\'');
    }
    bool ok = false;
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e'), Qt::CaseInsensitive)) {
        text.toLongLong(&ok);
        if (!ok)
            unsupported(QStringLiteral("the number %1, which is beyond the range of bigint").arg(excerpt(text)));
        return text;
    }
    const double d = text.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        throw DbError(QStringLiteral("Arithmetic overflow error for type float, value = %1.").arg(excerpt(text)));
    return text;
}

// Emits expressions and clauses of one nesting level at a time.
class Emitter
{
public:
    QStringList params;

    QString range(const SqlTokens& v, int b, int e);
    QString columnDef(const SqlTokens& v, int b, int e);
    // The columns columnDef met whose type SQL Server enforces on write: the
    // column and the statements of its guard triggers.
    QVector<QPair<QString, QString>> checks;

private:
    // What the translation knows of an item's SQL Server type: enough to
    // apply the collation and the implicit conversions between texts and
    // numbers. A column's type is not known here (Unknown).
    enum class Type { Unknown, Text, Integer, BigInt, Number };
    struct Node
    {
        enum Kind { Item, Op, Other };
        Kind kind;
        QString text;
        bool isText = false; // an item whose value is always text or NULL
        Type type = Type::Unknown;
        bool literal = false; // a quoted text, as written
        bool column = false;  // a bare column name
    };

    int m_depth = 0;

    QString placeholder(const QString& name)
    {
        params.append(name.toUpper());
        return QLatin1Char('?') + QString::number(params.size());
    }
    QString function(const SqlTokens& v, const QString& name, int b, int e);
    QString cast(const QString& expr, const SqlTokens& v, int b, int e);
    QString scalarSubquery(const SqlTokens& v, int b, int e);
    static bool valuePosition(const QVector<Node>& nodes);
    static Type resultType(const QString& function, const SqlTokens& v, int b, int e);
    static Type literalType(const QString& number);
    static int castLength(const SqlTokens& v, int b, int e, bool& padded);
    SqlTokens typedCase(const SqlTokens& v, int b, int e);
    static void typeComparisons(QVector<Node>& nodes);
    QVector<QPair<int, int>> splitArgs(const SqlTokens& v, int b, int e);
    static QString fold(const QVector<Node>& nodes);
};

QVector<QPair<int, int>> Emitter::splitArgs(const SqlTokens& v, int b, int e)
{
    QVector<QPair<int, int>> out;
    if (b >= e)
        return out;
    int depth = 0;
    int start = b;
    for (int i = b; i < e; ++i) {
        if (at(v, i).kind == SqlToken::LParen)
            ++depth;
        else if (at(v, i).kind == SqlToken::RParen)
            --depth;
        else if (at(v, i).kind == SqlToken::Comma && depth == 0) {
            out.append({ start, i });
            start = i + 1;
        }
    }
    out.append({ start, e });
    return out;
}

QString Emitter::range(const SqlTokens& v, int b, int e)
{
    const NestingGuard guard(m_depth);
    QVector<Node> nodes;
    QString limit;
    QString unary;
    auto prevIsItem = [&] { return !nodes.isEmpty() && nodes.last().kind == Node::Item; };
    auto pushItem = [&](const QString& text, Type type = Type::Unknown, bool literal = false, bool column = false) {
        if (!unary.isEmpty()) {
            nodes.append(Node { Node::Item, unary + text, false, type == Type::Text ? Type::Unknown : type, false, false });
            unary.clear();
            return;
        }
        nodes.append(Node { Node::Item, text, type == Type::Text, type, literal, column });
    };

    int i = b;
    while (i < e) {
        const SqlToken& k = at(v, i);
        switch (k.kind) {
        case SqlToken::Word: {
            const QString u = upper(k);
            // "INTO t (a, b)" and "REFERENCES t (id)" name a table and its columns, not a call.
            const bool tableFollows = !nodes.isEmpty() && nodes.last().kind == Node::Other
                && (nodes.last().text.compare(QLatin1String("INTO"), Qt::CaseInsensitive) == 0
                    || nodes.last().text.compare(QLatin1String("REFERENCES"), Qt::CaseInsensitive) == 0);
            const bool callFollows = !tableFollows && i + 1 < e && at(v, i + 1).kind == SqlToken::LParen;
            if (u == QLatin1String("CASE")) {
                int depth = 0;
                int caseDepth = 0;
                int j = i + 1;
                for (; j < e; ++j) {
                    if (at(v, j).kind == SqlToken::LParen)
                        ++depth;
                    else if (at(v, j).kind == SqlToken::RParen)
                        --depth;
                    else if (depth == 0 && at(v, j).isWord("CASE"))
                        ++caseDepth;
                    else if (depth == 0 && at(v, j).isWord("END") && caseDepth-- == 0)
                        break;
                }
                if (j >= e)
                    syntax(&k);
                const SqlTokens body = typedCase(v, i + 1, j);
                pushItem(QStringLiteral("CASE ") + range(body, 0, int(body.size())) + QStringLiteral(" END"));
                i = j + 1;
                continue;
            }
            if (u == QLatin1String("TOP")) {
                ++i;
                if (i < e && at(v, i).kind == SqlToken::LParen) {
                    const int j = matchParen(v, i, e);
                    if (j != i + 2 || at(v, i + 1).kind != SqlToken::Number)
                        unsupported(QStringLiteral("TOP with an expression"));
                    limit = at(v, i + 1).text;
                    i = j + 1;
                } else if (i < e && at(v, i).kind == SqlToken::Number) {
                    limit = at(v, i).text;
                    ++i;
                } else {
                    syntax(&k);
                }
                if (i < e && (at(v, i).isWord("PERCENT") || at(v, i).isWord("WITH")))
                    unsupported(QStringLiteral("TOP … ") + at(v, i).text.toUpper());
                continue;
            }
            if (u == QLatin1String("WITH") && callFollows) { // table hint such as WITH (NOLOCK)
                i = matchParen(v, i + 1, e) + 1;
                continue;
            }
            if (u == QLatin1String("NULL")) {
                pushItem(QStringLiteral("NULL"));
                ++i;
                continue;
            }
            if (u == QLatin1String("CURRENT_TIMESTAMP")) {
                pushItem(QStringLiteral("zaq_getdate()"));
                ++i;
                continue;
            }
            if (u == QLatin1String("COLLATE"))
                unsupported(QStringLiteral("COLLATE"));
            const bool functionKeyword = u == QLatin1String("LEFT") || u == QLatin1String("RIGHT");
            if (keywords().contains(u) && !(callFollows && functionKeyword)) {
                nodes.append(Node { Node::Other, k.text });
                ++i;
                continue;
            }
            if (callFollows) {
                const int j = matchParen(v, i + 1, e);
                const Type type = resultType(u, v, i + 2, j);
                pushItem(function(v, k.text, i + 2, j), type);
                i = j + 1;
                continue;
            }
            [[fallthrough]];
        }
        case SqlToken::Quoted: {
            QString name = identifier(at(v, i));
            ++i;
            while (i + 1 < e && at(v, i).kind == SqlToken::Dot) {
                const SqlToken& part = at(v, i + 1);
                if (part.kind == SqlToken::Word || part.kind == SqlToken::Quoted)
                    name += QLatin1Char('.') + identifier(part);
                else if (part.isOp("*"))
                    name += QStringLiteral(".*");
                else
                    syntax(&part);
                i += 2;
            }
            pushItem(name, Type::Unknown, false, true);
            continue;
        }
        case SqlToken::String:
            pushItem(k.text, Type::Text, true);
            ++i;
            continue;
        case SqlToken::Number:
            pushItem(number(k), literalType(k.text));
            ++i;
            continue;
        case SqlToken::Param:
            pushItem(placeholder(k.text));
            ++i;
            continue;
        case SqlToken::Variable:
            if (k.text.startsWith(QLatin1String("@@")))
                unsupported(k.text.toUpper());
            throw DbError(QStringLiteral("Must declare the scalar variable \"%1\".").arg(k.text));
        case SqlToken::LParen: {
            const int j = matchParen(v, i, e);
            if (i + 1 < j && at(v, i + 1).isWord("SELECT") && valuePosition(nodes))
                pushItem(scalarSubquery(v, i + 1, j));
            else
                pushItem(QLatin1Char('(') + range(v, i + 1, j) + QLatin1Char(')'));
            i = j + 1;
            continue;
        }
        case SqlToken::Operator:
            if (k.text == QLatin1String("*") && !prevIsItem()) {
                pushItem(QStringLiteral("*"));
            } else if ((k.text == QLatin1String("-") || k.text == QLatin1String("+") || k.text == QLatin1String("~")) && !prevIsItem()) {
                if (k.text != QLatin1String("+")) // "- -1" must not become the comment "--1"
                    unary += unary.isEmpty() ? k.text : QLatin1Char(' ') + k.text;
            } else if (k.text == QLatin1String("||")) {
                syntax(&k); // SQL Server joins texts with "+" only
            } else if (k.text == QLatin1String("!<") || k.text == QLatin1String("!>")) {
                nodes.append(Node { Node::Op, QLatin1String(k.text == QLatin1String("!<") ? ">=" : "<=") });
            } else {
                nodes.append(Node { Node::Op, k.text });
            }
            ++i;
            continue;
        case SqlToken::Comma:
            nodes.append(Node { Node::Other, QStringLiteral(",") });
            ++i;
            continue;
        case SqlToken::RParen:
        case SqlToken::Dot:
        case SqlToken::Semicolon:
            syntax(&k);
        }
    }
    if (!unary.isEmpty())
        syntax(nullptr); // a sign with nothing after it
    if (!limit.isEmpty()) {
        for (const Node& node : nodes) {
            if (node.kind == Node::Other
                && (node.text.compare(QLatin1String("UNION"), Qt::CaseInsensitive) == 0 || node.text.compare(QLatin1String("EXCEPT"), Qt::CaseInsensitive) == 0
                    || node.text.compare(QLatin1String("INTERSECT"), Qt::CaseInsensitive) == 0))
                unsupported(QStringLiteral("TOP in one branch of a UNION, EXCEPT or INTERSECT"));
        }
    }
    typeComparisons(nodes);
    QString out = fold(nodes);
    if (!limit.isEmpty())
        out += QStringLiteral(" LIMIT ") + limit;
    return out;
}

// Whether a parenthesised SELECT standing after these nodes is a value (a
// scalar sub-query) rather than a table, a list for IN, EXISTS or a set operator.
bool Emitter::valuePosition(const QVector<Node>& nodes)
{
    if (nodes.isEmpty())
        return true;
    const Node& last = nodes.last();
    if (last.kind != Node::Other)
        return last.kind == Node::Op;
    static const QSet<QString> notValue = {
        QStringLiteral("IN"), QStringLiteral("EXISTS"), QStringLiteral("FROM"), QStringLiteral("JOIN"), QStringLiteral("APPLY"),
        QStringLiteral("UNION"), QStringLiteral("ALL"), QStringLiteral("ANY"), QStringLiteral("SOME"), QStringLiteral("EXCEPT"),
        QStringLiteral("INTERSECT"), QStringLiteral("INTO"), QStringLiteral("AS"),
    };
    const QString u = last.text.toUpper();
    if (notValue.contains(u))
        return false;
    if (u != QLatin1String(","))
        return true;
    // After a comma: a value unless the comma separates the tables of a FROM.
    static const QSet<QString> clauses = {
        QStringLiteral("SELECT"), QStringLiteral("FROM"), QStringLiteral("WHERE"), QStringLiteral("GROUP"), QStringLiteral("ORDER"),
        QStringLiteral("HAVING"), QStringLiteral("SET"), QStringLiteral("VALUES"), QStringLiteral("ON"),
    };
    for (int k = int(nodes.size()) - 1; k >= 0; --k) {
        const QString w = nodes[k].text.toUpper();
        if (nodes[k].kind == Node::Other && clauses.contains(w))
            return w != QLatin1String("FROM");
    }
    return true;
}

// The SQL Server type of a function's result, where it does not depend on
// the arguments' types.
Emitter::Type Emitter::resultType(const QString& function, const SqlTokens& v, int b, int e)
{
    static const QSet<QString> texts = { QStringLiteral("UPPER"), QStringLiteral("LOWER"), QStringLiteral("LTRIM"), QStringLiteral("RTRIM"),
        QStringLiteral("SUBSTRING"), QStringLiteral("LEFT"), QStringLiteral("RIGHT"), QStringLiteral("REPLACE"), QStringLiteral("SPACE") };
    static const QSet<QString> integers = { QStringLiteral("LEN"), QStringLiteral("CHARINDEX"), QStringLiteral("COUNT"), QStringLiteral("YEAR"),
        QStringLiteral("MONTH"), QStringLiteral("DAY") };
    if (texts.contains(function))
        return Type::Text;
    if (integers.contains(function))
        return Type::Integer;
    QString target; // CAST (x AS type), CONVERT (type, x)
    if (function == QLatin1String("CAST")) {
        int depth = 0;
        for (int i = b; i + 1 < e; ++i) {
            if (at(v, i).kind == SqlToken::LParen)
                ++depth;
            else if (at(v, i).kind == SqlToken::RParen)
                --depth;
            else if (depth == 0 && at(v, i).isWord("AS"))
                target = upper(at(v, i + 1));
        }
    } else if (function == QLatin1String("CONVERT") && b < e) {
        target = upper(at(v, b));
    }
    if (target.endsWith(QLatin1String("CHAR")) || target == QLatin1String("TEXT") || target == QLatin1String("NTEXT"))
        return Type::Text;
    if (target == QLatin1String("BIGINT"))
        return Type::BigInt;
    if (target.endsWith(QLatin1String("INT")) || target == QLatin1String("INTEGER") || target == QLatin1String("BIT"))
        return Type::Integer;
    if (target == QLatin1String("FLOAT") || target == QLatin1String("REAL") || target == QLatin1String("DECIMAL") || target == QLatin1String("NUMERIC")
        || target.endsWith(QLatin1String("MONEY")))
        return Type::Number;
    return Type::Unknown;
}

// A number as written: an int within int's range, a decimal beyond it (as
// SQL Server reads 2147483648), a float with an exponent; 0x… is binary.
Emitter::Type Emitter::literalType(const QString& number)
{
    if (number.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return Type::Unknown;
    if (number.contains(QLatin1Char('.')) || number.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return Type::Number;
    bool ok = false;
    const qint64 n = number.toLongLong(&ok);
    return ok && n <= 2147483647LL ? Type::Integer : Type::Number;
}

// The length of CAST (x AS [N][VAR]CHAR(n)) standing alone in b..e, or -1.
int Emitter::castLength(const SqlTokens& v, int b, int e, bool& padded)
{
    if (e - b < 4 || !at(v, b).isWord("CAST") || at(v, b + 1).kind != SqlToken::LParen || matchParen(v, b + 1, e) != e - 1)
        return -1;
    int depth = 0;
    for (int i = b + 2; i + 4 < e; ++i) {
        if (at(v, i).kind == SqlToken::LParen)
            ++depth;
        else if (at(v, i).kind == SqlToken::RParen)
            --depth;
        else if (depth == 0 && at(v, i).isWord("AS") && upper(at(v, i + 1)).endsWith(QLatin1String("CHAR")) && at(v, i + 2).kind == SqlToken::LParen
            && at(v, i + 3).kind == SqlToken::Number && at(v, i + 4).kind == SqlToken::RParen) {
            padded = !upper(at(v, i + 1)).contains(QLatin1String("VAR"));
            bool ok = false;
            const int n = at(v, i + 3).text.toInt(&ok);
            return ok ? n : -1;
        }
    }
    return -1;
}

// The body of a CASE (b..e, between CASE and END) with SQL Server's result
// type: when one result is a number and another a quoted text, the texts
// convert to the number's type, and fail when they are not numbers, as SQL
// Server converts every result to the type of highest precedence.
SqlTokens Emitter::typedCase(const SqlTokens& v, int b, int e)
{
    QVector<QPair<int, int>> results;
    int depth = 0;
    int nested = 0;
    int start = -1;
    for (int i = b; i <= e; ++i) {
        const bool atEnd = i == e;
        if (!atEnd && at(v, i).kind == SqlToken::LParen)
            ++depth;
        else if (!atEnd && at(v, i).kind == SqlToken::RParen)
            --depth;
        if (!atEnd && (depth > 0 || at(v, i).kind != SqlToken::Word))
            continue;
        if (!atEnd && at(v, i).isWord("CASE")) {
            ++nested;
            continue;
        }
        if (!atEnd && at(v, i).isWord("END")) {
            --nested;
            continue;
        }
        if (nested > 0)
            continue;
        const bool boundary = atEnd || at(v, i).isWord("WHEN") || at(v, i).isWord("ELSE") || at(v, i).isWord("THEN");
        if (boundary && start >= 0) {
            results.append({ start, i });
            start = -1;
        }
        if (!atEnd && (at(v, i).isWord("THEN") || at(v, i).isWord("ELSE")))
            start = i + 1;
    }
    Type number = Type::Unknown;
    bool text = false;
    for (const auto& r : results) {
        if (r.second - r.first != 1)
            continue;
        const SqlToken& k = at(v, r.first);
        if (k.kind == SqlToken::String)
            text = true;
        else if (k.kind == SqlToken::Number && literalType(k.text) != Type::Unknown && number != Type::Number)
            number = literalType(k.text);
    }
    SqlTokens out = v.mid(b, e - b);
    if (!text || number == Type::Unknown)
        return out;
    for (int r = int(results.size()) - 1; r >= 0; --r) {
        const int at0 = results[r].first - b;
        if (results[r].second - results[r].first != 1 || out[at0].kind != SqlToken::String)
            continue;
        const int line = out[at0].line;
        const SqlTokens cast { SqlToken { SqlToken::Word, QStringLiteral("CAST"), line }, SqlToken { SqlToken::LParen, QStringLiteral("("), line }, out[at0],
            SqlToken { SqlToken::Word, QStringLiteral("AS"), line },
            SqlToken { SqlToken::Word, number == Type::Number ? QStringLiteral("FLOAT") : QStringLiteral("INT"), line },
            SqlToken { SqlToken::RParen, QStringLiteral(")"), line } };
        out.remove(at0);
        for (int c = int(cast.size()) - 1; c >= 0; --c)
            out.insert(at0, cast[c]);
    }
    return out;
}

// The comparisons of one level as SQL Server types them, before the text is
// built:
// - a text compared with a number converts to the number's type (SQL Server's
//   type precedence), and fails as SQL Server fails when it is not a number;
// - "=" in a select list is T-SQL's "alias = expression", or an error;
// - a quoted text or a function's text that SQLite would compare byte by byte
//   takes the site's collation, as SQL Server compares every text: as an
//   operand of a comparison, IN, BETWEEN or a simple CASE, in GROUP BY and
//   ORDER BY, and in the select list of a DISTINCT or a UNION. Beside a bare
//   column it needs none (the column's collation applies, and its index stays
//   usable), nor where nothing compares it (the text stays as it was).
void Emitter::typeComparisons(QVector<Node>& nodes)
{
    static const QSet<QString> comparisons = { QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("!="), QStringLiteral("<"),
        QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">=") };
    static const QSet<QString> clauses = { QStringLiteral("SELECT"), QStringLiteral("FROM"), QStringLiteral("WHERE"), QStringLiteral("HAVING"),
        QStringLiteral("ON"), QStringLiteral("SET"), QStringLiteral("VALUES"), QStringLiteral("WHEN"), QStringLiteral("THEN"), QStringLiteral("ELSE"),
        QStringLiteral("BY"), QStringLiteral("INTO"), QStringLiteral("UNION"), QStringLiteral("EXCEPT"), QStringLiteral("INTERSECT") };
    const int n = int(nodes.size());
    QVector<bool> collate(n, false);
    auto isItem = [&](int k) { return k >= 0 && k < n && nodes[k].kind == Node::Item; };
    auto isOp = [&](int k) { return k >= 0 && k < n && nodes[k].kind == Node::Op; };
    auto isWord = [&](int k, const char* w) { return k >= 0 && k < n && nodes[k].kind == Node::Other && nodes[k].text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0; };
    auto textual = [&](int k) { return isItem(k) && (nodes[k].literal || (nodes[k].type == Type::Text && nodes[k].isText)); };
    auto convert = [&](Node& text, Type to) {
        text.text = to == Type::Number ? QStringLiteral("zaq_float(%1)").arg(text.text)
                                       : QStringLiteral("zaq_integer(%1, '%2')").arg(text.text, QLatin1String(to == Type::BigInt ? "BIGINT" : "INT"));
        text.type = to;
        text.isText = false;
        text.literal = false;
    };
    bool setLevel = false;
    for (int k = 0; k < n; ++k)
        setLevel = setLevel || isWord(k, "UNION") || isWord(k, "EXCEPT") || isWord(k, "INTERSECT") || isWord(k, "DISTINCT");
    for (int k = 0; k < n; ++k) {
        if (isWord(k, "BETWEEN")) {
            const bool column = isItem(k - 1) && nodes[k - 1].column && !isOp(k - 2);
            if (!column && textual(k + 1) && !isOp(k + 2))
                collate[k + 1] = true;
            if (!column && isWord(k + 2, "AND") && textual(k + 3) && !isOp(k + 4))
                collate[k + 3] = true;
            continue;
        }
        if (isWord(k, "IN")) {
            const int l = isWord(k - 1, "NOT") ? k - 2 : k - 1;
            if (textual(l) && !isOp(l - 1))
                collate[l] = true;
            continue;
        }
        if (isWord(k, "WHEN") && !isWord(0, "WHEN")) { // CASE x WHEN 'a' …
            if (textual(k + 1) && isWord(k + 2, "THEN"))
                collate[k + 1] = true;
            if (textual(0) && isWord(1, "WHEN"))
                collate[0] = true;
            continue;
        }
        if (!isOp(k) || !comparisons.contains(nodes[k].text))
            continue;
        for (int j = k - 1; j >= 0; --j) {
            if (nodes[j].kind != Node::Other || isWord(j, ",") || isWord(j, "DISTINCT") || isWord(j, "ALL"))
                continue;
            if (isWord(j, "SELECT")) {
                if (k == j + 2 && nodes[k - 1].column && nodes[k].text == QLatin1String("="))
                    unsupported(QStringLiteral("SELECT alias = expression (write expression AS alias)"));
                throw DbError(QStringLiteral("Incorrect syntax near '%1'.").arg(nodes[k].text));
            }
            break;
        }
        const int l = k - 1;
        const int r = k + 1;
        if (!isItem(l) || !isItem(r) || isOp(l - 1) || isOp(r + 1))
            continue; // an operand is a sum or product: its type is not known here
        Node& a = nodes[l];
        Node& b = nodes[r];
        auto numeric = [](Type t) { return t == Type::Integer || t == Type::BigInt || t == Type::Number; };
        if (a.type == Type::Text && numeric(b.type))
            convert(a, b.type);
        else if (b.type == Type::Text && numeric(a.type))
            convert(b, a.type);
        if (a.literal && !b.column)
            collate[l] = true;
        if (b.literal && !a.column)
            collate[r] = true;
        if (textual(l) && textual(r) && !a.literal && !b.literal)
            collate[l] = true; // two function results
    }
    // The clause each item stands in: its select list, GROUP BY, ORDER BY …
    QString clause;
    for (int k = 0; k < n; ++k) {
        if (nodes[k].kind == Node::Other && clauses.contains(nodes[k].text.toUpper())) {
            clause = nodes[k].text.toUpper();
            if (clause == QLatin1String("BY"))
                clause = isWord(k - 1, "GROUP") || isWord(k - 1, "ORDER") ? QStringLiteral("GROUP BY") : QString();
            continue;
        }
        if (collate[k] || !textual(k) || isWord(k - 1, "AS"))
            continue;
        if (clause == QLatin1String("GROUP BY") || (setLevel && clause == QLatin1String("SELECT")) || isWord(k - 1, "DISTINCT"))
            collate[k] = true;
    }
    for (int k = 0; k < n; ++k) {
        if (collate[k] && textual(k))
            nodes[k].text += QStringLiteral(" COLLATE ") + QLatin1String(kEmbeddedCollation);
    }
}

// A sub-query used as a value. SQL Server fails when it returns more than one
// row, where SQLite would take the first: the rows are counted (at most two are
// read) and zaq_scalar raises SQL Server's error. TOP 1 needs no count.
QString Emitter::scalarSubquery(const SqlTokens& v, int b, int e)
{
    const QString inner = range(v, b, e);
    int top = b + 1;
    if (top < e && at(v, top).isWord("DISTINCT"))
        ++top;
    if (top + 1 < e && at(v, top).isWord("TOP")) {
        const SqlToken& n = at(v, top + 1).kind == SqlToken::LParen && top + 2 < e ? at(v, top + 2) : at(v, top + 1);
        if (n.kind == SqlToken::Number && n.text == QLatin1String("1"))
            return QLatin1Char('(') + inner + QLatin1Char(')');
    }
    return QStringLiteral("(WITH zaq_s(zaq_v) AS (") + inner
        + QStringLiteral(") SELECT zaq_scalar(min(zaq_v), count(*)) FROM (SELECT zaq_v FROM zaq_s LIMIT 2))");
}

// Rewrites the arithmetic of one level. "+" is addition or text concatenation
// by the operands' types, as in SQL Server, which only the values can tell:
// zaq_plus decides per row. The other operators become functions too, so that
// overflow, division by zero and failed conversions raise SQL Server's errors
// instead of SQLite's silent NULL or float. LIKE becomes zaq_like, which knows
// the [...] classes. The text is built in one pass: long chains stay linear.
QString Emitter::fold(const QVector<Node>& nodes)
{
    const int n = int(nodes.size());
    auto opAt = [&](int m, std::initializer_list<const char*> ops) -> const char* {
        if (m >= n || nodes[m].kind != Node::Op || m + 1 >= n || nodes[m + 1].kind != Node::Item)
            return nullptr;
        for (const char* op : ops) {
            if (nodes[m].text == QLatin1String(op))
                return op;
        }
        return nullptr;
    };
    // A left-associative chain t0 op1 t1 op2 t2 …, where each step is either a
    // call wrapping everything before it (fn(acc, args…)) or an infix operator.
    struct Step
    {
        const char* call; // nullptr for an infix step
        QString text;     // the call's further arguments, or " op term"
    };
    // ints: every operand is an int, so every step is one too, and fails
    // beyond int's range as SQL Server's int arithmetic does (zaq_int).
    bool ints = false;
    auto chain = [&ints](const QString& first, const QVector<Step>& steps) {
        QString out;
        for (int k = int(steps.size()) - 1; k >= 0; --k) {
            if (steps[k].call)
                out += (ints ? QStringLiteral("zaq_int(") : QString()) + QLatin1String(steps[k].call) + QLatin1Char('(');
        }
        out += first;
        for (const Step& st : steps) {
            if (st.call)
                out += QStringLiteral(", ") + st.text + (ints ? QStringLiteral("))") : QStringLiteral(")"));
            else
                out += st.text;
        }
        return out;
    };
    auto readTerm = [&](int& m) {
        const QString first = nodes[m].text;
        ++m;
        QVector<Step> steps;
        while (const char* op = opAt(m, { "*", "/", "%" })) {
            const char* fn = op[0] == '*' ? "zaq_times" : op[0] == '/' ? "zaq_divide" : "zaq_modulo";
            steps.append(Step { fn, nodes[m + 1].text });
            m += 2;
        }
        return chain(first, steps);
    };

    struct Piece
    {
        bool expr;
        QString text;
    };
    QVector<Piece> pieces;
    for (int k = 0; k < n;) {
        if (nodes[k].kind != Node::Item) {
            pieces.append(Piece { false, nodes[k].text });
            ++k;
            continue;
        }
        int m = k;
        ints = nodes[k].type == Type::Integer;
        for (int j = k; ints && opAt(j + 1, { "*", "/", "%", "+", "-", "&", "|", "^" }); j += 2)
            ints = nodes[j + 2].type == Type::Integer;
        // Text joined to text is a concatenation whatever the values: such a
        // chain becomes SQLite's own "||", which answers the same, NULL included.
        bool allText = nodes[k].isText && !opAt(k + 1, { "*", "/", "%" });
        QStringList texts { nodes[k].text };
        const QString first = readTerm(m);
        QVector<Step> steps;
        int plusArgs = 0; // arguments of the open zaq_plus step; SQLite takes at most 127
        while (const char* op = opAt(m, { "+", "-", "&", "|", "^" })) {
            ++m;
            allText = allText && op[0] == '+' && nodes[m].isText && !opAt(m + 1, { "*", "/", "%" });
            if (allText)
                texts.append(nodes[m].text);
            const QString term = readTerm(m);
            if (op[0] == '+' && plusArgs > 0 && plusArgs < 100) {
                steps.last().text += QStringLiteral(", ") + term;
                ++plusArgs;
            } else if (op[0] == '+') {
                steps.append(Step { "zaq_plus", term });
                plusArgs = 2;
            } else if (op[0] == '-') {
                steps.append(Step { "zaq_minus", term });
                plusArgs = 0;
            } else {
                steps.append(Step { nullptr, QLatin1Char(' ') + QLatin1String(op) + QLatin1Char(' ') + term });
                plusArgs = 0;
            }
        }
        if (allText && texts.size() > 1)
            pieces.append(Piece { true, QLatin1Char('(') + texts.join(QStringLiteral(" || ")) + QLatin1Char(')') });
        else
            pieces.append(Piece { true, chain(first, steps) });
        k = m;
    }

    QVector<Piece> done;
    for (int k = 0; k < int(pieces.size()); ++k) {
        if (pieces[k].expr || pieces[k].text.compare(QLatin1String("LIKE"), Qt::CaseInsensitive) != 0) {
            done.append(pieces[k]);
            continue;
        }
        bool negate = false;
        if (!done.isEmpty() && !done.last().expr && done.last().text.compare(QLatin1String("NOT"), Qt::CaseInsensitive) == 0) {
            negate = true;
            done.removeLast();
        }
        if (done.isEmpty() || !done.last().expr || k + 1 >= int(pieces.size()) || !pieces[k + 1].expr)
            throw DbError(QStringLiteral("Incorrect syntax near 'LIKE'."));
        QString call = QStringLiteral("zaq_like(") + done.last().text + QStringLiteral(", ") + pieces[k + 1].text;
        ++k;
        if (k + 2 < int(pieces.size()) && !pieces[k + 1].expr && pieces[k + 1].text.compare(QLatin1String("ESCAPE"), Qt::CaseInsensitive) == 0
            && pieces[k + 2].expr) {
            call += QStringLiteral(", ") + pieces[k + 2].text;
            k += 2;
        }
        call += QLatin1Char(')');
        done.last() = Piece { true, negate ? QStringLiteral("NOT ") + call : call };
    }
    QString out;
    for (const Piece& p : done)
        appendPiece(out, p.text);
    return out;
}

QString Emitter::function(const SqlTokens& v, const QString& name, int b, int e)
{
    const QString u = name.toUpper();
    if (u == QLatin1String("CAST")) {
        int as = -1;
        int depth = 0;
        for (int i = b; i < e; ++i) {
            if (at(v, i).kind == SqlToken::LParen)
                ++depth;
            else if (at(v, i).kind == SqlToken::RParen)
                --depth;
            else if (depth == 0 && at(v, i).isWord("AS"))
                as = i;
        }
        if (as < 0)
            syntax(b < e ? &at(v, b) : nullptr);
        const QString expr = range(v, b, as);
        return cast(expr, v, as + 1, e);
    }
    const auto spans = splitArgs(v, b, e);
    if (u == QLatin1String("CONVERT")) {
        if (spans.size() < 2)
            syntax(b < e ? &at(v, b) : nullptr);
        if (spans.size() > 2)
            unsupported(QStringLiteral("CONVERT with a style"));
        const QString expr = range(v, spans[1].first, spans[1].second);
        return cast(expr, v, spans[0].first, spans[0].second);
    }
    QStringList args;
    for (const auto& s : spans)
        args.append(range(v, s.first, s.second));
    auto call = [&](const char* to) -> QString { return QLatin1String(to) + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')'); };
    auto need = [&](int count) {
        if (args.size() != count)
            throw DbError(QStringLiteral("The %1 function requires %2 argument(s).").arg(u).arg(count));
    };
    if (u == QLatin1String("GETDATE") || u == QLatin1String("SYSDATETIME")) {
        need(0);
        return QStringLiteral("zaq_getdate()");
    }
    if (u == QLatin1String("SPACE")) {
        need(1);
        return call("zaq_space");
    }
    if (u == QLatin1String("UPPER")) {
        need(1);
        return call("zaq_upper");
    }
    if (u == QLatin1String("LOWER")) {
        need(1);
        return call("zaq_lower");
    }
    if (u == QLatin1String("LEN")) {
        need(1);
        return call("zaq_len");
    }
    if (u == QLatin1String("ISNULL")) {
        need(2);
        // ISNULL takes the type of its first argument: a text cut to its length.
        bool padded = false;
        const int length = castLength(v, spans[0].first, spans[0].second, padded);
        if (length >= 0)
            return QStringLiteral("zaq_text(%1, %2, %3)").arg(call("ifnull"), QString::number(length), QLatin1String(padded ? "1" : "0"));
        return call("ifnull");
    }
    // SQLite's substr counts a negative start from the end and takes a
    // negative length backwards; SQL Server does neither.
    if (u == QLatin1String("SUBSTRING")) {
        need(3);
        return call("zaq_substring");
    }
    if (u == QLatin1String("LEFT")) {
        need(2);
        return call("zaq_left");
    }
    if (u == QLatin1String("RIGHT")) {
        need(2);
        return call("zaq_right");
    }
    // Searching and replacing ignore letter case, as the server's collation does.
    if (u == QLatin1String("CHARINDEX")) {
        need(2);
        return call("zaq_charindex");
    }
    if (u == QLatin1String("REPLACE")) {
        need(3);
        return call("zaq_replace");
    }
    if (u == QLatin1String("YEAR") || u == QLatin1String("MONTH") || u == QLatin1String("DAY")) {
        need(1);
        const char* f = u == QLatin1String("YEAR") ? "%Y" : u == QLatin1String("MONTH") ? "%m" : "%d";
        return QStringLiteral("CAST(strftime('%1', zaq_datetime(%2)) AS INTEGER)").arg(QLatin1String(f), args[0]);
    }
    // Functions both engines answer alike. Any other name is refused: SQLite
    // has functions SQL Server lacks, and like-named ones that answer differently.
    static const QSet<QString> same = {
        QStringLiteral("COALESCE"), QStringLiteral("NULLIF"), QStringLiteral("ABS"), QStringLiteral("LTRIM"), QStringLiteral("RTRIM"),
        QStringLiteral("COUNT"), QStringLiteral("SUM"), QStringLiteral("MIN"), QStringLiteral("MAX"), QStringLiteral("AVG"),
    };
    if (!same.contains(u))
        unsupported(QStringLiteral("the function %1").arg(excerpt(u, 60)));
    if ((u == QLatin1String("LTRIM") || u == QLatin1String("RTRIM") || u == QLatin1String("ABS")) && args.size() != 1)
        need(1);
    if (u == QLatin1String("NULLIF")) {
        need(2);
        // NULLIF compares its arguments: texts by the site's collation.
        for (int k = 0; k < 2; ++k) {
            if (spans[k].second - spans[k].first == 1 && at(v, spans[k].first).kind == SqlToken::String)
                args[k] += QStringLiteral(" COLLATE ") + QLatin1String(kEmbeddedCollation);
        }
    }
    if (u == QLatin1String("ABS"))
        return call("zaq_abs");
    // SQLite's sum and avg add texts as numbers and average integers as
    // fractions; SQL Server refuses the one and keeps integers for the other.
    if (u == QLatin1String("SUM") || u == QLatin1String("AVG")) {
        const int distinct = spans.size() == 1 && spans[0].first < spans[0].second && at(v, spans[0].first).isWord("DISTINCT") ? 1 : 0;
        if (spans.size() != 1 || spans[0].second - spans[0].first <= distinct)
            need(1);
        return QLatin1String(u == QLatin1String("SUM") ? "zaq_sum(" : "zaq_avg(") + args[0] + QLatin1Char(')');
    }
    return name + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
}

namespace {
// The length of a type such as VARCHAR(20) or DECIMAL(10, 2): the numbers in
// its parentheses, or none; -1 stands for MAX.
QVector<int> typeArguments(const SqlTokens& v, int b, int e)
{
    QVector<int> out;
    if (b >= e)
        return out;
    if (at(v, b).kind != SqlToken::LParen || matchParen(v, b, e) != e - 1)
        syntax(&at(v, b));
    for (int i = b + 1; i < e - 1; ++i) {
        const SqlToken& k = at(v, i);
        if (k.kind == SqlToken::Comma)
            continue;
        bool ok = false;
        const int n = k.text.toInt(&ok);
        if (k.isWord("MAX"))
            out.append(-1);
        else if (k.kind == SqlToken::Number && ok && n >= 0)
            out.append(n);
        else
            syntax(&k);
    }
    return out;
}
} // namespace

// CAST and CONVERT run through the engine's own conversion functions, which
// fail as SQL Server does on a text that is not a number or a date, on a value
// out of the type's range, and cut texts to the type's length.
QString Emitter::cast(const QString& expr, const SqlTokens& v, int b, int e)
{
    if (b >= e || at(v, b).kind != SqlToken::Word)
        syntax(b < e ? &at(v, b) : nullptr);
    const QString type = upper(at(v, b));
    const QVector<int> a = typeArguments(v, b + 1, e);
    auto arg = [&](int k, int fallback) { return k < a.size() ? a[k] : fallback; };
    // SQL Server's limits on the lengths and precisions a type may declare.
    const int widest = type.startsWith(QLatin1Char('N')) ? 4000 : 8000;
    if (!a.isEmpty() && a[0] > widest)
        throw DbError(QStringLiteral("The size (%1) given to the type '%2' exceeds the maximum allowed for any data type (%3).").arg(a[0]).arg(type.toLower()).arg(widest));
    auto quoted = [](const QString& t) -> QString { return QLatin1Char('\'') + t + QLatin1Char('\''); };
    if (type == QLatin1String("VARBINARY") || type == QLatin1String("BINARY") || type == QLatin1String("IMAGE")) {
        const int length = type == QLatin1String("IMAGE") ? -1 : arg(0, 30);
        if (length < 0)
            return QStringLiteral("zaq_varbinary(") + expr + QLatin1Char(')');
        return QStringLiteral("zaq_varbinary(%1, %2, %3)").arg(expr, QString::number(length), QLatin1String(type == QLatin1String("BINARY") ? "1" : "0"));
    }
    if (type.endsWith(QLatin1String("CHAR")) || type == QLatin1String("TEXT") || type == QLatin1String("NTEXT")) {
        const int length = type.endsWith(QLatin1String("TEXT")) ? -1 : arg(0, 30);
        if (length < 0)
            return QStringLiteral("zaq_text(") + expr + QLatin1Char(')');
        const bool padded = type == QLatin1String("CHAR") || type == QLatin1String("NCHAR");
        return QStringLiteral("zaq_text(%1, %2, %3)").arg(expr, QString::number(length), QLatin1String(padded ? "1" : "0"));
    }
    if (type == QLatin1String("INT") || type == QLatin1String("INTEGER") || type == QLatin1String("BIGINT") || type == QLatin1String("SMALLINT")
        || type == QLatin1String("TINYINT") || type == QLatin1String("BIT"))
        return QStringLiteral("zaq_integer(%1, %2)").arg(expr, quoted(type == QLatin1String("INTEGER") ? QStringLiteral("INT") : type));
    if (type == QLatin1String("FLOAT") || type == QLatin1String("REAL"))
        return QStringLiteral("zaq_float(") + expr + QLatin1Char(')');
    if ((type == QLatin1String("NUMERIC") || type == QLatin1String("DECIMAL")) && (arg(0, 18) < 1 || arg(0, 18) > 38 || arg(1, 0) > arg(0, 18)))
        throw DbError(QStringLiteral("The precision or scale given to the type '%1' is out of range.").arg(type.toLower()));
    if (type == QLatin1String("NUMERIC") || type == QLatin1String("DECIMAL"))
        return QStringLiteral("zaq_decimal(%1, %2, %3)").arg(expr, QString::number(qBound(1, arg(0, 18), 38)), QString::number(qBound(0, arg(1, 0), 38)));
    if (type == QLatin1String("MONEY") || type == QLatin1String("SMALLMONEY"))
        return QStringLiteral("zaq_decimal(%1, %2, 4)").arg(expr, QLatin1String(type == QLatin1String("MONEY") ? "19" : "10"));
    if (type == QLatin1String("DATETIME") || type == QLatin1String("SMALLDATETIME") || type == QLatin1String("DATETIME2"))
        return QStringLiteral("zaq_datetime(") + expr + QLatin1Char(')');
    if (type == QLatin1String("DATE"))
        return QStringLiteral("zaq_datetime(") + expr + QStringLiteral(", 1)");
    unsupported(QStringLiteral("CAST or CONVERT to %1").arg(excerpt(type, 60)));
}

// A column of CREATE TABLE or ALTER TABLE … ADD, with SQL Server's types
// mapped onto SQLite's and every text column given the server's collation.
QString Emitter::columnDef(const SqlTokens& v, int b, int e)
{
    if (b + 1 >= e || (at(v, b).kind != SqlToken::Word && at(v, b).kind != SqlToken::Quoted) || at(v, b + 1).kind != SqlToken::Word)
        syntax(b < e ? &at(v, b) : nullptr);
    const QString name = identifier(at(v, b));
    const QString type = upper(at(v, b + 1));
    int i = b + 2;
    QString size;
    if (i < e && at(v, i).kind == SqlToken::LParen) {
        const int j = matchParen(v, i, e);
        QStringList parts;
        for (int k = i + 1; k < j; ++k)
            parts.append(at(v, k).text);
        size = parts.join(QString());
        i = j + 1;
    }
    QString mapped;
    bool text = false;
    // What SQL Server enforces on every write and SQLite does not: a text's
    // length and code page, an integer's range, a decimal's precision. Each
    // becomes a statement of the column's guard triggers that fails with SQL
    // Server's error, or refuses in words what SQL Server would silently
    // change (a character a varchar of the Thai code page cannot hold becomes
    // "?", a fraction in an integer is cut). Plain SQL only, so that any
    // SQLite connection can still write the file.
    QString check;
    auto checked = [&](const char* kind, const QString& first, const QString& second) {
        QString shownName = QString(name).remove(QLatin1Char('"'));
        shownName.replace(QLatin1Char('\''), QLatin1String("''"));
        const QString value = QStringLiteral("NEW.") + name;
        QStringList out;
        auto refuse = [&](const QString& condition, const QString& message) {
            out.append(QStringLiteral("SELECT RAISE(ABORT, '%1') WHERE %2;").arg(message, condition));
        };
        const QString k = QLatin1String(kind);
        if (k == QLatin1String("VARCHAR") || k == QLatin1String("NVARCHAR")) {
            if (first.toInt() >= 0)
                refuse(QStringLiteral("typeof(%1) = 'text' AND length(rtrim(%1, ' ')) > %2").arg(value, first),
                    QStringLiteral("String or binary data would be truncated in column ''%1''.").arg(shownName));
            if (k == QLatin1String("VARCHAR"))
                refuse(QStringLiteral("typeof(%1) = 'text' AND %1 GLOB '*[^' || char(1) || '-' || char(127, 160, 3585) || '-' || char(3642, 3647) || '-' || "
                                      "char(3675, 8364, 8230, 8216, 8217, 8220, 8221, 8226, 8211, 8212) || ']*'")
                           .arg(value),
                    QStringLiteral("Not supported by the embedded engine: a character outside the Thai code page (874) in the varchar column ''%1'', "
                                   "where SQL Server would store ''?''. Leave the character out, or make the column nvarchar.")
                        .arg(shownName));
        } else if (k == QLatin1String("DECIMAL")) {
            refuse(QStringLiteral("typeof(%1) IN ('text', 'blob')").arg(value), QStringLiteral("Error converting data type varchar to numeric (column ''%1'').").arg(shownName));
            refuse(QStringLiteral("typeof(%1) IN ('integer', 'real') AND abs(%1) >= 1e%2").arg(value).arg(first.toInt() - second.toInt()),
                QStringLiteral("Arithmetic overflow error converting numeric to data type numeric (column ''%1'').").arg(shownName));
        } else {
            const bool big = k == QLatin1String("BIGINT");
            const QString low = k == QLatin1String("SMALLINT") ? QStringLiteral("-32768") : k == QLatin1String("TINYINT") ? QStringLiteral("0") : big ? QStringLiteral("-9223372036854775808") : QStringLiteral("-2147483648");
            const QString high = k == QLatin1String("SMALLINT") ? QStringLiteral("32767") : k == QLatin1String("TINYINT") ? QStringLiteral("255") : big ? QStringLiteral("9223372036854775807") : QStringLiteral("2147483647");
            const QString typeName = k.toLower();
            const QString overflow = QStringLiteral("Arithmetic overflow error converting expression to data type %1.").arg(typeName);
            refuse(QStringLiteral("typeof(%1) IN ('integer', 'real') AND (%1 < %2 OR %1 > %3)").arg(value, low, high), overflow);
            refuse(QStringLiteral("typeof(%1) = 'real' AND %1 BETWEEN %2 AND %3").arg(value, low, high),
                QStringLiteral("Not supported by the embedded engine: a fraction in the %1 column ''%2'', which SQL Server would cut.").arg(typeName, shownName));
            refuse(QStringLiteral("typeof(%1) = 'text' AND trim(%1) = ''").arg(value),
                QStringLiteral("Not supported by the embedded engine: a blank text in the %1 column ''%2'', where SQL Server would store 0.").arg(typeName, shownName));
            refuse(QStringLiteral("typeof(%1) = 'blob' OR (typeof(%1) = 'text' AND trim(%1) <> '')").arg(value),
                QStringLiteral("Conversion failed when converting the varchar value in column ''%1'' to data type %2.").arg(shownName, typeName));
        }
        check = out.join(QLatin1Char(' '));
    };
    const bool maxSize = size.isEmpty() || size.compare(QLatin1String("max"), Qt::CaseInsensitive) == 0;
    if (type.endsWith(QLatin1String("INT")) || type == QLatin1String("INTEGER") || type == QLatin1String("BIT")) {
        mapped = QStringLiteral("INTEGER");
        if (type != QLatin1String("BIT"))
            checked(type == QLatin1String("INTEGER") ? "INT" : type.toLatin1().constData(), QStringLiteral("0"), QStringLiteral("0"));
    } else if (type.endsWith(QLatin1String("CHAR")) || type == QLatin1String("TEXT") || type == QLatin1String("NTEXT") || type == QLatin1String("SYSNAME")) {
        mapped = maxSize ? type : type + QLatin1Char('(') + size + QLatin1Char(')');
        text = true;
        // VARCHAR(MAX) and TEXT hold any length; a bare VARCHAR is VARCHAR(1), as SQL Server reads it.
        bool sized = false;
        int length = size.toInt(&sized);
        if (type == QLatin1String("SYSNAME"))
            length = 128;
        else if (!sized)
            length = size.isEmpty() && type.endsWith(QLatin1String("CHAR")) ? 1 : -1;
        const bool wide = type.startsWith(QLatin1Char('N')) || type == QLatin1String("SYSNAME");
        checked(wide ? "NVARCHAR" : "VARCHAR", QString::number(length), QStringLiteral("0"));
    } else if (type.startsWith(QLatin1String("DATE")) || type == QLatin1String("SMALLDATETIME") || type == QLatin1String("TIME"))
        mapped = QStringLiteral("DATETIME");
    else if (type == QLatin1String("NUMERIC") || type == QLatin1String("DECIMAL") || type.endsWith(QLatin1String("MONEY"))) {
        // Held as floating point (REAL), so that a whole amount still divides
        // as a decimal and not as an integer.
        mapped = QStringLiteral("REAL");
        const QStringList ps = size.split(QLatin1Char(','));
        int precision = type == QLatin1String("MONEY") ? 19 : type == QLatin1String("SMALLMONEY") ? 10 : ps.value(0).toInt();
        int scale = type.endsWith(QLatin1String("MONEY")) ? 4 : ps.value(1).toInt();
        if (precision <= 0)
            precision = 18;
        checked("DECIMAL", QString::number(precision), QString::number(scale));
    }
    else if (type == QLatin1String("FLOAT") || type == QLatin1String("REAL"))
        mapped = QStringLiteral("REAL");
    else if (type == QLatin1String("VARBINARY") || type == QLatin1String("BINARY") || type == QLatin1String("IMAGE"))
        mapped = QStringLiteral("BLOB");
    else
        unsupported(QStringLiteral("the column type %1").arg(excerpt(type, 60)));

    bool identity = false;
    QString rest;
    while (i < e) {
        const QString u = upper(at(v, i));
        if (u == QLatin1String("IDENTITY")) {
            identity = true;
            ++i;
            if (i < e && at(v, i).kind == SqlToken::LParen)
                i = matchParen(v, i, e) + 1;
        } else if (u == QLatin1String("PRIMARY") && i + 1 < e && at(v, i + 1).isWord("KEY")) {
            appendPiece(rest, QStringLiteral("PRIMARY KEY"));
            i += 2;
        } else if (u == QLatin1String("CLUSTERED") || u == QLatin1String("NONCLUSTERED")) {
            ++i;
        } else if (u == QLatin1String("CONSTRAINT")) {
            i += 2; // a named default or key: the name does not matter here
        } else if (u == QLatin1String("COLLATE")) {
            i += 2;
        } else if (u == QLatin1String("NOT") && i + 1 < e && at(v, i + 1).isWord("NULL")) {
            appendPiece(rest, QStringLiteral("NOT NULL"));
            i += 2;
        } else if (u == QLatin1String("NULL")) {
            appendPiece(rest, QStringLiteral("NULL"));
            ++i;
        } else if (u == QLatin1String("DEFAULT") && i + 1 < e) {
            int j = i + 2;
            if (at(v, i + 1).kind == SqlToken::LParen)
                j = matchParen(v, i + 1, e) + 1;
            else if (at(v, i + 1).kind == SqlToken::Word && i + 2 < e && at(v, i + 2).kind == SqlToken::LParen)
                j = matchParen(v, i + 2, e) + 1;
            appendPiece(rest, QStringLiteral("DEFAULT (") + range(v, i + 1, j) + QLatin1Char(')'));
            i = j;
        } else {
            unsupported(QStringLiteral("the column option %1").arg(excerpt(at(v, i).text, 60)));
        }
    }
    if (identity)
        return name + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
    QString out = name + QLatin1Char(' ') + mapped;
    if (text)
        out += QStringLiteral(" COLLATE ") + QLatin1String(kEmbeddedCollation);
    appendPiece(out, rest);
    if (!check.isEmpty())
        checks.append({ name, check });
    return out;
}

class Translator
{
public:
    explicit Translator(const QString& text)
        : t(tokenizeSql(text))
    {
    }

    EmbeddedPlan run()
    {
        int pos = 0;
        EmbeddedPlan plan = statements(pos, false);
        if (pos < t.size())
            syntax(&at(t, pos));
        return plan;
    }

private:
    SqlTokens t;
    QHash<QString, SqlTokens> vars;
    QHash<QString, SqlTokens> varTypes; // the declared type, as CAST takes it
    // Variables set from a query: SQL Server keeps the value the query gave,
    // while here the query stands at every use; after the batch has written,
    // a use could see another value, and is refused.
    QSet<QString> fromQuery;
    QSet<QString> stale;
    int m_depth = 0; // BEGIN … END, IF and NOT nest by recursion

    int size() const { return int(t.size()); }
    bool word(int i, const char* w) const { return i < size() && at(t, i).isWord(w); }

    EmbeddedPlan statements(int& pos, bool inBlock)
    {
        EmbeddedPlan plan;
        while (pos < size()) {
            if (at(t, pos).kind == SqlToken::Semicolon) {
                ++pos;
                continue;
            }
            if (inBlock && word(pos, "END"))
                break;
            plan += oneStatement(pos);
        }
        return plan;
    }

    EmbeddedPlan oneStatement(int& pos)
    {
        const NestingGuard guard(m_depth);
        const SqlToken& k = at(t, pos);
        const QString u = upper(k);
        if (k.kind != SqlToken::Word)
            syntax(&k);
        if (u == QLatin1String("DECLARE")) {
            declare(pos);
            return {};
        }
        if (u == QLatin1String("IF"))
            return { ifStep(pos) };
        if (u == QLatin1String("BEGIN")) {
            if (word(pos + 1, "TRAN") || word(pos + 1, "TRANSACTION"))
                unsupported(QStringLiteral("BEGIN TRANSACTION inside a statement"));
            ++pos;
            EmbeddedPlan inner = statements(pos, true);
            if (!word(pos, "END"))
                syntax(pos < size() ? &at(t, pos) : nullptr);
            ++pos;
            return inner;
        }
        if (u == QLatin1String("ELSE"))
            unsupported(QStringLiteral("IF … ELSE"));
        if (u == QLatin1String("END") || u == QLatin1String("GO"))
            syntax(&k);
        if (pos + 1 < size() && at(t, pos + 1).kind == SqlToken::Variable && at(t, pos + 1).text.startsWith(QLatin1String("@@")))
            unsupported(at(t, pos + 1).text.toUpper());
        // "SELECT @v = …" assigns; "SELECT @v" reads the value.
        if ((u == QLatin1String("SET") || (pos + 2 < size() && at(t, pos + 2).isOp("="))) && (u == QLatin1String("SELECT") || u == QLatin1String("SET"))
            && pos + 1 < size() && at(t, pos + 1).kind == SqlToken::Variable) {
            assign(pos);
            return {};
        }
        if (u == QLatin1String("SET"))
            unsupported(QStringLiteral("SET ") + (pos + 1 < size() ? at(t, pos + 1).text.toUpper() : QString()));
        const int end = statementEnd(pos);
        EmbeddedPlan plan = statement(substitute(pos, end));
        pos = end;
        static const QSet<QString> writes = { QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE"), QStringLiteral("TRUNCATE"),
            QStringLiteral("ALTER"), QStringLiteral("CREATE"), QStringLiteral("DROP") };
        if (writes.contains(u))
            stale = fromQuery;
        return plan;
    }

    void declare(int& pos)
    {
        ++pos;
        for (;;) {
            if (pos >= size() || at(t, pos).kind != SqlToken::Variable)
                syntax(pos < size() ? &at(t, pos) : nullptr);
            const QString name = at(t, pos).text.toUpper();
            ++pos;
            if (word(pos, "AS"))
                ++pos;
            if (word(pos, "TABLE") || word(pos, "CURSOR"))
                unsupported(QStringLiteral("DECLARE … ") + at(t, pos).text.toUpper());
            if (pos >= size() || at(t, pos).kind != SqlToken::Word)
                syntax(pos < size() ? &at(t, pos) : nullptr);
            const int typeStart = pos;
            ++pos;
            if (pos < size() && at(t, pos).kind == SqlToken::LParen)
                pos = matchParen(t, pos, size()) + 1;
            SqlTokens type = t.mid(typeStart, pos - typeStart);
            const int line = type.first().line;
            if (type.first().isWord("SYSNAME"))
                type = { SqlToken { SqlToken::Word, QStringLiteral("NVARCHAR"), line }, SqlToken { SqlToken::LParen, QStringLiteral("("), line },
                    SqlToken { SqlToken::Number, QStringLiteral("128"), line }, SqlToken { SqlToken::RParen, QStringLiteral(")"), line } };
            else if (type.size() == 1 && type.first().text.endsWith(QLatin1String("CHAR"), Qt::CaseInsensitive))
                type += { SqlToken { SqlToken::LParen, QStringLiteral("("), line }, SqlToken { SqlToken::Number, QStringLiteral("1"), line },
                    SqlToken { SqlToken::RParen, QStringLiteral(")"), line } }; // a bare VARCHAR declares one character
            varTypes.insert(name, type);
            vars.insert(name, SqlTokens());
            if (pos < size() && at(t, pos).isOp("=")) {
                ++pos;
                const int end = expressionEnd(pos, true);
                if (end == pos)
                    syntax(pos < size() ? &at(t, pos) : nullptr);
                setVariable(name, pos, end);
                pos = end;
            }
            if (pos < size() && at(t, pos).kind == SqlToken::Comma) {
                ++pos;
                continue;
            }
            break;
        }
    }

    void assign(int& pos)
    {
        const bool isSelect = word(pos, "SELECT");
        ++pos;
        for (;;) {
            if (pos >= size() || at(t, pos).kind != SqlToken::Variable)
                syntax(pos < size() ? &at(t, pos) : nullptr);
            const QString name = at(t, pos).text.toUpper();
            if (!vars.contains(name))
                throw DbError(QStringLiteral("Must declare the scalar variable \"%1\".").arg(at(t, pos).text));
            ++pos;
            if (pos >= size() || !at(t, pos).isOp("="))
                syntax(pos < size() ? &at(t, pos) : nullptr);
            ++pos;
            const int end = expressionEnd(pos, isSelect);
            if (end == pos)
                syntax(pos < size() ? &at(t, pos) : nullptr);
            if (end < size() && (word(end, "FROM") || word(end, "WHERE")))
                unsupported(QStringLiteral("SELECT @variable = … FROM"));
            setVariable(name, pos, end);
            pos = end;
            if (isSelect && pos < size() && at(t, pos).kind == SqlToken::Comma) {
                ++pos;
                continue;
            }
            break;
        }
    }

    // Whether the value is CAST (… AS type) of the variable's own type.
    static bool alreadyOfType(const SqlTokens& value, const SqlTokens& type)
    {
        const int n = int(value.size());
        const int m = int(type.size());
        if (n < m + 4 || !value.first().isWord("CAST") || value[1].kind != SqlToken::LParen || value.last().kind != SqlToken::RParen
            || matchParen(value, 1, n) != n - 1 || !value[n - m - 2].isWord("AS"))
            return false;
        for (int k = 0; k < m; ++k) {
            if (value[n - m - 1 + k].text.compare(type[k].text, Qt::CaseInsensitive) != 0)
                return false;
        }
        return true;
    }

    // A variable holds its declared type: the value is converted as SQL
    // Server converts it on assignment.
    void setVariable(const QString& name, int b, int e)
    {
        SqlTokens value = substitute(b, e);
        bool query = false;
        for (const SqlToken& k : value)
            query = query || k.isWord("SELECT");
        if (query)
            fromQuery.insert(name);
        else
            fromQuery.remove(name);
        stale.remove(name);
        const SqlTokens& type = varTypes[name];
        const int line = value.isEmpty() ? 1 : value.first().line;
        if (value.isEmpty() || alreadyOfType(value, type)) {
            vars.insert(name, value);
            return;
        }
        SqlTokens typed { SqlToken { SqlToken::Word, QStringLiteral("CAST"), line }, SqlToken { SqlToken::LParen, QStringLiteral("("), line } };
        typed += value;
        typed.append(SqlToken { SqlToken::Word, QStringLiteral("AS"), line });
        typed += type;
        typed.append(SqlToken { SqlToken::RParen, QStringLiteral(")"), line });
        vars.insert(name, typed);
    }

    int expressionEnd(int pos, bool stopAtComma) const
    {
        int depth = 0;
        int caseDepth = 0;
        for (int i = pos; i < size(); ++i) {
            const SqlToken& k = at(t, i);
            if (k.kind == SqlToken::LParen)
                ++depth;
            else if (k.kind == SqlToken::RParen)
                --depth;
            if (depth > 0 || k.kind == SqlToken::RParen)
                continue;
            if (k.kind == SqlToken::Semicolon || (stopAtComma && k.kind == SqlToken::Comma))
                return i;
            if (k.kind != SqlToken::Word)
                continue;
            const QString u = upper(k);
            if (u == QLatin1String("CASE"))
                ++caseDepth;
            else if (u == QLatin1String("END") && caseDepth > 0)
                --caseDepth;
            else if (caseDepth == 0 && (statementWords().contains(u) || u == QLatin1String("FROM") || u == QLatin1String("WHERE")))
                return i;
        }
        return size();
    }

    int statementEnd(int pos) const
    {
        const QString kind = upper(at(t, pos));
        int depth = 0;
        int caseDepth = 0;
        bool seenSet = false;
        bool seenSource = false;
        for (int i = pos + 1; i < size(); ++i) {
            const SqlToken& k = at(t, i);
            if (k.kind == SqlToken::LParen)
                ++depth;
            else if (k.kind == SqlToken::RParen)
                --depth;
            if (depth > 0 || k.kind == SqlToken::RParen)
                continue;
            if (k.kind == SqlToken::Semicolon)
                return i;
            if (k.kind != SqlToken::Word)
                continue;
            const QString u = upper(k);
            if (u == QLatin1String("CASE")) {
                ++caseDepth;
                continue;
            }
            if (u == QLatin1String("END")) {
                if (caseDepth > 0) {
                    --caseDepth;
                    continue;
                }
                return i;
            }
            if (caseDepth > 0)
                continue;
            if (u == QLatin1String("VALUES"))
                seenSource = true;
            if (u == QLatin1String("SET") && kind == QLatin1String("UPDATE") && !seenSet) {
                seenSet = true;
                continue;
            }
            if (u == QLatin1String("SELECT")) {
                const QString prev = upper(at(t, i - 1));
                if (prev == QLatin1String("UNION") || prev == QLatin1String("ALL") || prev == QLatin1String("EXCEPT") || prev == QLatin1String("INTERSECT"))
                    continue;
                if (kind == QLatin1String("INSERT") && !seenSource) {
                    seenSource = true;
                    continue;
                }
                return i;
            }
            if (u == QLatin1String("DROP") && kind == QLatin1String("ALTER"))
                continue; // ALTER TABLE … DROP COLUMN
            if (statementWords().contains(u))
                return i;
        }
        return size();
    }

    // The statement's tokens with every variable replaced by its value.
    SqlTokens substitute(int b, int e) const
    {
        SqlTokens out;
        for (int i = b; i < e; ++i) {
            const SqlToken& k = at(t, i);
            if (k.kind != SqlToken::Variable || k.text.startsWith(QLatin1String("@@"))) {
                out.append(k);
                continue;
            }
            const auto it = vars.constFind(k.text.toUpper());
            if (it == vars.constEnd())
                throw DbError(QStringLiteral("Must declare the scalar variable \"%1\".").arg(k.text));
            if (stale.contains(k.text.toUpper()))
                unsupported(QStringLiteral("the variable %1, set from a query and used after the batch has changed data").arg(excerpt(k.text, 60)));
            if (it->isEmpty()) {
                out.append(SqlToken { SqlToken::Word, QStringLiteral("NULL"), k.line });
                continue;
            }
            out.append(SqlToken { SqlToken::LParen, QStringLiteral("("), k.line });
            out += *it;
            out.append(SqlToken { SqlToken::RParen, QStringLiteral(")"), k.line });
            // Each variable stands for its value's text: variables built from
            // variables would double at every step.
            if (out.size() > kMaxSubstitutedTokens)
                unsupported(QStringLiteral("variables whose values grow beyond %1 tokens").arg(kMaxSubstitutedTokens));
        }
        return out;
    }

    EmbeddedStep ifStep(int& pos)
    {
        ++pos;
        bool negate = false;
        int subB = 0;
        int subE = 0;
        condition(pos, size(), negate, subB, subE);
        EmbeddedStep step;
        step.kind = EmbeddedStep::IfExists;
        step.negate = negate;
        Emitter em;
        const SqlTokens sub = substitute(subB, subE);
        step.sql = QStringLiteral("SELECT EXISTS (") + em.range(sub, 0, int(sub.size())) + QLatin1Char(')');
        step.params = em.params;
        if (word(pos, "BEGIN") && !word(pos + 1, "TRAN") && !word(pos + 1, "TRANSACTION")) {
            ++pos;
            step.body = statements(pos, true);
            if (!word(pos, "END"))
                syntax(pos < size() ? &at(t, pos) : nullptr);
            ++pos;
        } else if (pos < size()) {
            step.body = oneStatement(pos);
        }
        if (word(pos, "ELSE"))
            unsupported(QStringLiteral("IF … ELSE"));
        return step;
    }

    void condition(int& pos, int end, bool& negate, int& subB, int& subE)
    {
        const NestingGuard guard(m_depth);
        if (pos >= end)
            syntax(nullptr);
        if (at(t, pos).kind == SqlToken::LParen) {
            const int close = matchParen(t, pos, end);
            int inner = pos + 1;
            condition(inner, close, negate, subB, subE);
            if (inner != close)
                unsupported(QStringLiteral("IF with a condition other than [NOT] EXISTS (…)"));
            pos = close + 1;
            return;
        }
        if (at(t, pos).isWord("NOT")) {
            negate = !negate;
            ++pos;
            condition(pos, end, negate, subB, subE);
            return;
        }
        if (at(t, pos).isWord("EXISTS") && pos + 1 < end && at(t, pos + 1).kind == SqlToken::LParen) {
            const int close = matchParen(t, pos + 1, end);
            subB = pos + 2;
            subE = close;
            pos = close + 1;
            return;
        }
        unsupported(QStringLiteral("IF with a condition other than [NOT] EXISTS (…)"));
    }

    static EmbeddedStep runStep(const QString& sql, const QStringList& params)
    {
        EmbeddedStep s;
        s.sql = sql;
        s.params = params;
        return s;
    }

    EmbeddedPlan statement(const SqlTokens& v)
    {
        const int n = int(v.size());
        const QString first = upper(at(v, 0));
        Emitter em;
        if (first == QLatin1String("ALTER")) {
            if (n < 4 || !at(v, 1).isWord("TABLE"))
                unsupported(QStringLiteral("ALTER ") + (n > 1 ? at(v, 1).text.toUpper() : QString()));
            int i = 2;
            QString table = identifier(at(v, i));
            while (i + 2 < n && at(v, i + 1).kind == SqlToken::Dot) {
                i += 2;
                table = identifier(at(v, i)); // dbo.Table: the schema does not exist here
            }
            ++i;
            if (i < n && at(v, i).isWord("ADD")) {
                if (i + 1 < n && (at(v, i + 1).isWord("CONSTRAINT") || at(v, i + 1).isWord("PRIMARY") || at(v, i + 1).isWord("FOREIGN")))
                    unsupported(QStringLiteral("ALTER TABLE … ADD CONSTRAINT"));
                EmbeddedPlan plan;
                int start = i + 1;
                int depth = 0;
                for (int k = start; k <= n; ++k) {
                    if (k < n && at(v, k).kind == SqlToken::LParen)
                        ++depth;
                    else if (k < n && at(v, k).kind == SqlToken::RParen)
                        --depth;
                    if (k == n || (depth == 0 && at(v, k).kind == SqlToken::Comma)) {
                        em.checks.clear();
                        plan.append(runStep(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD COLUMN ") + em.columnDef(v, start, k), em.params));
                        plan.last().after = guards(table, em.checks);
                        start = k + 1;
                    }
                }
                return plan;
            }
            if (i + 2 < n && at(v, i).isWord("DROP") && at(v, i + 1).isWord("COLUMN")) {
                EmbeddedStep drop = runStep(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" DROP COLUMN ") + identifier(at(v, i + 2)), {});
                // The column's guards go first: SQLite keeps a column that a trigger names.
                for (const char* when : { "insert", "update" })
                    drop.before.append(QStringLiteral("DROP TRIGGER IF EXISTS ") + guardName(table, identifier(at(v, i + 2)), when));
                return { drop };
            }
            unsupported(QStringLiteral("ALTER TABLE … ") + (i < n ? at(v, i).text.toUpper() : QString()));
        }
        if (first == QLatin1String("CREATE")) {
            if (n > 1 && at(v, 1).isWord("TABLE"))
                return { createTable(v) };
            if (n > 1 && (at(v, 1).isWord("INDEX") || at(v, 1).isWord("UNIQUE")))
                return { createIndex(v) };
            unsupported(QStringLiteral("CREATE ") + (n > 1 ? at(v, 1).text.toUpper() : QString()));
        }
        if (first == QLatin1String("TRUNCATE")) {
            if (n != 3 || !at(v, 1).isWord("TABLE"))
                syntax(&at(v, 0));
            return { runStep(QStringLiteral("DELETE FROM ") + identifier(at(v, 2)), {}) };
        }
        if (first == QLatin1String("SELECT") || first == QLatin1String("INSERT") || first == QLatin1String("UPDATE")
            || first == QLatin1String("DELETE") || first == QLatin1String("DROP")) {
            const QString sql = em.range(v, 0, n);
            return { runStep(sql, em.params) };
        }
        if (first == QLatin1String("EXEC") || first == QLatin1String("EXECUTE"))
            unsupported(QStringLiteral("EXEC (stored procedures are called through the procedure interface)"));
        unsupported(first);
    }

    // CREATE [UNIQUE] [NON]CLUSTERED INDEX name ON table (columns)
    EmbeddedStep createIndex(const SqlTokens& v)
    {
        const int n = int(v.size());
        int i = 1;
        QString sql = QStringLiteral("CREATE ");
        if (at(v, i).isWord("UNIQUE")) {
            sql += QStringLiteral("UNIQUE ");
            ++i;
        }
        if (at(v, i).isWord("CLUSTERED") || at(v, i).isWord("NONCLUSTERED"))
            ++i;
        if (!at(v, i).isWord("INDEX"))
            syntax(&at(v, i));
        const SqlToken& name = at(v, i + 1);
        if (name.kind != SqlToken::Word && name.kind != SqlToken::Quoted)
            syntax(&name);
        if (!at(v, i + 2).isWord("ON"))
            syntax(&at(v, i + 2));
        i += 3;
        QString table = identifier(at(v, i));
        while (at(v, i + 1).kind == SqlToken::Dot) {
            i += 2;
            table = identifier(at(v, i)); // dbo.Table: the schema does not exist here
        }
        ++i;
        if (at(v, i).kind != SqlToken::LParen)
            syntax(&at(v, i));
        const int close = matchParen(v, i, n);
        if (close != n - 1)
            unsupported(QStringLiteral("CREATE INDEX … ") + at(v, close + 1).text.toUpper());
        QStringList columns;
        int start = i + 1;
        for (int k = start; k <= close; ++k) {
            if (k < close && at(v, k).kind != SqlToken::Comma)
                continue;
            if (k - start < 1 || k - start > 2 || (k - start == 2 && !at(v, k - 1).isWord("ASC") && !at(v, k - 1).isWord("DESC")))
                syntax(&at(v, start));
            columns.append(identifier(at(v, start)) + (k - start == 2 ? QLatin1Char(' ') + upper(at(v, k - 1)) : QString()));
            start = k + 1;
        }
        return runStep(sql + QStringLiteral("INDEX ") + identifier(name) + QStringLiteral(" ON ") + table + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + QLatin1Char(')'), {});
    }

    EmbeddedStep createTable(const SqlTokens& v)
    {
        const int n = int(v.size());
        int i = 2;
        QString table = identifier(at(v, i));
        while (i + 2 < n && at(v, i + 1).kind == SqlToken::Dot) {
            i += 2;
            table = identifier(at(v, i));
        }
        ++i;
        if (i >= n || at(v, i).kind != SqlToken::LParen)
            syntax(i < n ? &at(v, i) : nullptr);
        const int close = matchParen(v, i, n);
        if (close != n - 1)
            syntax(&at(v, close));
        Emitter em;
        QStringList defs;
        int start = i + 1;
        int depth = 0;
        for (int k = start; k <= close; ++k) {
            if (k < close && at(v, k).kind == SqlToken::LParen)
                ++depth;
            else if (k < close && at(v, k).kind == SqlToken::RParen)
                --depth;
            if (k == close || (depth == 0 && at(v, k).kind == SqlToken::Comma)) {
                const QString head = upper(at(v, start));
                if (head == QLatin1String("CONSTRAINT") || head == QLatin1String("PRIMARY") || head == QLatin1String("UNIQUE") || head == QLatin1String("FOREIGN"))
                    defs.append(em.range(v, start, k));
                else
                    defs.append(em.columnDef(v, start, k));
                start = k + 1;
            }
        }
        EmbeddedStep step = runStep(QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" (") + defs.join(QStringLiteral(", ")) + QLatin1Char(')'), em.params);
        step.after = guards(table, em.checks);
        return step;
    }

    static QString bare(const QString& identifier)
    {
        return identifier.startsWith(QLatin1Char('"')) ? identifier.mid(1, identifier.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\"")) : identifier;
    }

    static QString guardName(const QString& table, const QString& column, const char* when)
    {
        const QString name = QStringLiteral("zaq_check_%1_%2_%3").arg(bare(table), bare(column), QLatin1String(when));
        return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    }

    // SQL Server enforces a column's type on every write (lengths, the code
    // page, ranges); SQLite does not, so a trigger per column and write
    // checks the row as it is stored. Triggers, not CHECK constraints: SQLite drops a column that a
    // trigger names once the trigger is dropped, never one that a CHECK names.
    static QStringList guards(const QString& table, const QVector<QPair<QString, QString>>& checks)
    {
        QStringList out;
        for (const auto& c : checks) {
            out.append(QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON %2 BEGIN %3 END").arg(guardName(table, c.first, "insert"), table, c.second));
            out.append(QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE OF %3 ON %2 BEGIN %4 END").arg(guardName(table, c.first, "update"), table, c.first, c.second));
        }
        return out;
    }
};

} // namespace

EmbeddedPlan translateTsql(const QString& tsql)
{
    Translator tr(tsql);
    return tr.run();
}
