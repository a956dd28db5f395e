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

private:
    struct Node
    {
        enum Kind { Item, Op, Other };
        Kind kind;
        QString text;
        bool isText = false; // an item whose value is always text or NULL
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

// Functions whose answer is text or NULL whatever they are given.
const QSet<QString>& textFunctions()
{
    static const QSet<QString> names = { QStringLiteral("LTRIM"), QStringLiteral("RTRIM"), QStringLiteral("UPPER"), QStringLiteral("LOWER") };
    return names;
}

QString Emitter::range(const SqlTokens& v, int b, int e)
{
    const NestingGuard guard(m_depth);
    QVector<Node> nodes;
    QString limit;
    QString unary;
    auto prevIsItem = [&] { return !nodes.isEmpty() && nodes.last().kind == Node::Item; };
    auto pushItem = [&](const QString& text, bool isText = false) {
        nodes.append(Node { Node::Item, unary + text, isText && unary.isEmpty() });
        unary.clear();
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
                pushItem(QStringLiteral("CASE ") + range(v, i + 1, j) + QStringLiteral(" END"));
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
                pushItem(function(v, k.text, i + 2, j), textFunctions().contains(u));
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
            pushItem(name);
            continue;
        }
        case SqlToken::String:
            pushItem(k.text, true);
            ++i;
            continue;
        case SqlToken::Number:
            pushItem(number(k));
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
    auto chain = [](const QString& first, const QVector<Step>& steps) {
        QString out;
        for (int k = int(steps.size()) - 1; k >= 0; --k) {
            if (steps[k].call)
                out += QLatin1String(steps[k].call) + QLatin1Char('(');
        }
        out += first;
        for (const Step& st : steps) {
            if (st.call)
                out += QStringLiteral(", ") + st.text + QLatin1Char(')');
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
        return QStringLiteral("instr(zaq_upper(%1), zaq_upper(%2))").arg(args[1], args[0]);
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
    if (u == QLatin1String("NULLIF"))
        need(2);
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
    if (type.endsWith(QLatin1String("INT")) || type == QLatin1String("INTEGER") || type == QLatin1String("BIT"))
        mapped = QStringLiteral("INTEGER");
    else if (type.endsWith(QLatin1String("CHAR")) || type == QLatin1String("TEXT") || type == QLatin1String("NTEXT") || type == QLatin1String("SYSNAME")) {
        mapped = size.isEmpty() || size.compare(QLatin1String("max"), Qt::CaseInsensitive) == 0 ? type : type + QLatin1Char('(') + size + QLatin1Char(')');
        text = true;
    } else if (type.startsWith(QLatin1String("DATE")) || type == QLatin1String("SMALLDATETIME") || type == QLatin1String("TIME"))
        mapped = QStringLiteral("DATETIME");
    else if (type == QLatin1String("NUMERIC") || type == QLatin1String("DECIMAL") || type.endsWith(QLatin1String("MONEY")))
        mapped = QStringLiteral("NUMERIC");
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
        if ((u == QLatin1String("SELECT") || u == QLatin1String("SET")) && pos + 1 < size() && at(t, pos + 1).kind == SqlToken::Variable) {
            assign(pos);
            return {};
        }
        if (u == QLatin1String("SET"))
            unsupported(QStringLiteral("SET ") + (pos + 1 < size() ? at(t, pos + 1).text.toUpper() : QString()));
        const int end = statementEnd(pos);
        EmbeddedPlan plan = statement(substitute(pos, end));
        pos = end;
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
            ++pos;
            if (pos < size() && at(t, pos).kind == SqlToken::LParen)
                pos = matchParen(t, pos, size()) + 1;
            vars.insert(name, SqlTokens());
            if (pos < size() && at(t, pos).isOp("=")) {
                ++pos;
                const int end = expressionEnd(pos, true);
                if (end == pos)
                    syntax(pos < size() ? &at(t, pos) : nullptr);
                vars.insert(name, substitute(pos, end));
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
            vars.insert(name, substitute(pos, end));
            pos = end;
            if (isSelect && pos < size() && at(t, pos).kind == SqlToken::Comma) {
                ++pos;
                continue;
            }
            break;
        }
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
                        plan.append(runStep(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD COLUMN ") + em.columnDef(v, start, k), em.params));
                        start = k + 1;
                    }
                }
                return plan;
            }
            if (i + 2 < n && at(v, i).isWord("DROP") && at(v, i + 1).isWord("COLUMN"))
                return { runStep(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" DROP COLUMN ") + identifier(at(v, i + 2)), {}) };
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
        return runStep(QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" (") + defs.join(QStringLiteral(", ")) + QLatin1Char(')'), em.params);
    }
};

} // namespace

EmbeddedPlan translateTsql(const QString& tsql)
{
    Translator tr(tsql);
    return tr.run();
}
