#include "db/embedded/translator.h"

#include "db/dberror.h"
#include "db/tsqllexer.h"

#include <QHash>
#include <QSet>

namespace {

[[noreturn]] void unsupported(const QString& construct)
{
    throw DbError(QStringLiteral("Not supported by the embedded engine: %1").arg(construct));
}

[[noreturn]] void syntax(const SqlToken* token)
{
    if (token)
        throw DbError(QStringLiteral("Incorrect syntax near '%1' (line %2).").arg(token->text).arg(token->line));
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
        if (v[i].kind == SqlToken::LParen)
            ++depth;
        else if (v[i].kind == SqlToken::RParen && --depth == 0)
            return i;
    }
    syntax(&v[open]);
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
    };

    QString placeholder(const QString& name)
    {
        params.append(name.toUpper());
        return QLatin1Char('?') + QString::number(params.size());
    }
    QString function(const SqlTokens& v, const QString& name, int b, int e);
    QString cast(const QString& expr, const SqlTokens& v, int b, int e);
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
        if (v[i].kind == SqlToken::LParen)
            ++depth;
        else if (v[i].kind == SqlToken::RParen)
            --depth;
        else if (v[i].kind == SqlToken::Comma && depth == 0) {
            out.append({ start, i });
            start = i + 1;
        }
    }
    out.append({ start, e });
    return out;
}

QString Emitter::range(const SqlTokens& v, int b, int e)
{
    QVector<Node> nodes;
    QString limit;
    QString unary;
    auto prevIsItem = [&] { return !nodes.isEmpty() && nodes.last().kind == Node::Item; };
    auto pushItem = [&](const QString& text) {
        nodes.append(Node { Node::Item, unary + text });
        unary.clear();
    };

    int i = b;
    while (i < e) {
        const SqlToken& k = v[i];
        switch (k.kind) {
        case SqlToken::Word: {
            const QString u = upper(k);
            const bool callFollows = i + 1 < e && v[i + 1].kind == SqlToken::LParen;
            if (u == QLatin1String("CASE")) {
                int depth = 0;
                int caseDepth = 0;
                int j = i + 1;
                for (; j < e; ++j) {
                    if (v[j].kind == SqlToken::LParen)
                        ++depth;
                    else if (v[j].kind == SqlToken::RParen)
                        --depth;
                    else if (depth == 0 && v[j].isWord("CASE"))
                        ++caseDepth;
                    else if (depth == 0 && v[j].isWord("END") && caseDepth-- == 0)
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
                if (i < e && v[i].kind == SqlToken::LParen) {
                    const int j = matchParen(v, i, e);
                    if (j != i + 2 || v[i + 1].kind != SqlToken::Number)
                        unsupported(QStringLiteral("TOP with an expression"));
                    limit = v[i + 1].text;
                    i = j + 1;
                } else if (i < e && v[i].kind == SqlToken::Number) {
                    limit = v[i].text;
                    ++i;
                } else {
                    syntax(&k);
                }
                if (i < e && (v[i].isWord("PERCENT") || v[i].isWord("WITH")))
                    unsupported(QStringLiteral("TOP … ") + v[i].text.toUpper());
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
                pushItem(function(v, k.text, i + 2, j));
                i = j + 1;
                continue;
            }
            [[fallthrough]];
        }
        case SqlToken::Quoted: {
            QString name = identifier(v[i]);
            ++i;
            while (i + 1 < e && v[i].kind == SqlToken::Dot) {
                const SqlToken& part = v[i + 1];
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
        case SqlToken::Number:
            pushItem(k.text);
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
            pushItem(QLatin1Char('(') + range(v, i + 1, j) + QLatin1Char(')'));
            i = j + 1;
            continue;
        }
        case SqlToken::Operator:
            if (k.text == QLatin1String("*") && !prevIsItem()) {
                pushItem(QStringLiteral("*"));
            } else if ((k.text == QLatin1String("-") || k.text == QLatin1String("+") || k.text == QLatin1String("~")) && !prevIsItem()) {
                if (k.text != QLatin1String("+"))
                    unary += k.text;
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
    QString out = fold(nodes);
    if (!limit.isEmpty())
        out += QStringLiteral(" LIMIT ") + limit;
    return out;
}

// Rewrites the additive expressions of one level. "+" is addition or text
// concatenation by the operands' types, as in SQL Server, which only the
// values can tell: zaq_plus decides per row.
QString Emitter::fold(const QVector<Node>& nodes)
{
    QString out;
    const int n = int(nodes.size());
    auto isOp = [&](int m, std::initializer_list<const char*> ops) {
        if (m >= n || nodes[m].kind != Node::Op)
            return false;
        for (const char* op : ops) {
            if (nodes[m].text == QLatin1String(op))
                return m + 1 < n && nodes[m + 1].kind == Node::Item;
        }
        return false;
    };
    for (int k = 0; k < n;) {
        if (nodes[k].kind != Node::Item) {
            appendPiece(out, nodes[k].text);
            ++k;
            continue;
        }
        int m = k;
        auto readTerm = [&]() {
            QString term = nodes[m].text;
            ++m;
            while (isOp(m, { "*", "/", "%" })) {
                term += QLatin1Char(' ') + nodes[m].text + QLatin1Char(' ') + nodes[m + 1].text;
                m += 2;
            }
            return term;
        };
        QString acc = readTerm();
        while (isOp(m, { "+", "-", "&", "|", "^" })) {
            const QString op = nodes[m].text;
            ++m;
            const QString term = readTerm();
            if (op == QLatin1String("+"))
                acc = QStringLiteral("zaq_plus(") + acc + QStringLiteral(", ") + term + QLatin1Char(')');
            else
                acc += QLatin1Char(' ') + op + QLatin1Char(' ') + term;
        }
        appendPiece(out, acc);
        k = m;
    }
    return out;
}

QString Emitter::function(const SqlTokens& v, const QString& name, int b, int e)
{
    const QString u = name.toUpper();
    if (u == QLatin1String("CAST")) {
        int as = -1;
        int depth = 0;
        for (int i = b; i < e; ++i) {
            if (v[i].kind == SqlToken::LParen)
                ++depth;
            else if (v[i].kind == SqlToken::RParen)
                --depth;
            else if (depth == 0 && v[i].isWord("AS"))
                as = i;
        }
        if (as < 0)
            syntax(b < e ? &v[b] : nullptr);
        const QString expr = range(v, b, as);
        return cast(expr, v, as + 1, e);
    }
    const auto spans = splitArgs(v, b, e);
    if (u == QLatin1String("CONVERT")) {
        if (spans.size() < 2)
            syntax(b < e ? &v[b] : nullptr);
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
    if (u == QLatin1String("UPPER"))
        return call("zaq_upper");
    if (u == QLatin1String("LOWER"))
        return call("zaq_lower");
    if (u == QLatin1String("LEN"))
        return call("zaq_len");
    if (u == QLatin1String("ISNULL")) {
        need(2);
        return call("ifnull");
    }
    if (u == QLatin1String("SUBSTRING")) {
        need(3);
        return call("substr");
    }
    if (u == QLatin1String("LEFT")) {
        need(2);
        return QStringLiteral("substr(%1, 1, %2)").arg(args[0], args[1]);
    }
    if (u == QLatin1String("RIGHT")) {
        need(2);
        return call("zaq_right");
    }
    if (u == QLatin1String("CHARINDEX")) {
        need(2);
        return QStringLiteral("instr(%1, %2)").arg(args[1], args[0]);
    }
    if (u == QLatin1String("YEAR") || u == QLatin1String("MONTH") || u == QLatin1String("DAY")) {
        need(1);
        const char* f = u == QLatin1String("YEAR") ? "%Y" : u == QLatin1String("MONTH") ? "%m" : "%d";
        return QStringLiteral("CAST(strftime('%1', %2) AS INTEGER)").arg(QLatin1String(f), args[0]);
    }
    static const QSet<QString> unsupportedFunctions = {
        QStringLiteral("DATEADD"), QStringLiteral("DATEDIFF"), QStringLiteral("DATEPART"), QStringLiteral("DATENAME"),
        QStringLiteral("NEWID"), QStringLiteral("SCOPE_IDENTITY"), QStringLiteral("IDENT_CURRENT"), QStringLiteral("OBJECT_ID"),
        QStringLiteral("STUFF"), QStringLiteral("PATINDEX"), QStringLiteral("REPLICATE"), QStringLiteral("STR"),
    };
    if (unsupportedFunctions.contains(u))
        unsupported(QStringLiteral("the function %1").arg(u));
    return name + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString Emitter::cast(const QString& expr, const SqlTokens& v, int b, int e)
{
    if (b >= e || v[b].kind != SqlToken::Word)
        syntax(b < e ? &v[b] : nullptr);
    const QString type = upper(v[b]);
    if (type == QLatin1String("VARBINARY") || type == QLatin1String("BINARY") || type == QLatin1String("IMAGE"))
        return QStringLiteral("zaq_varbinary(") + expr + QLatin1Char(')');
    if (type.endsWith(QLatin1String("CHAR")) || type == QLatin1String("TEXT") || type == QLatin1String("NTEXT"))
        return QStringLiteral("zaq_text(") + expr + QLatin1Char(')');
    if (type.endsWith(QLatin1String("INT")) || type == QLatin1String("INTEGER") || type == QLatin1String("BIT"))
        return QStringLiteral("CAST(") + expr + QStringLiteral(" AS INTEGER)");
    if (type == QLatin1String("FLOAT") || type == QLatin1String("REAL") || type == QLatin1String("NUMERIC")
        || type == QLatin1String("DECIMAL") || type.endsWith(QLatin1String("MONEY")))
        return QStringLiteral("CAST(") + expr + QStringLiteral(" AS REAL)");
    if (type.startsWith(QLatin1String("DATE")) || type == QLatin1String("SMALLDATETIME"))
        return QStringLiteral("zaq_datetime(") + expr + QLatin1Char(')');
    unsupported(QStringLiteral("CAST or CONVERT to %1").arg(type));
}

// A column of CREATE TABLE or ALTER TABLE … ADD, with SQL Server's types
// mapped onto SQLite's and every text column given the server's collation.
QString Emitter::columnDef(const SqlTokens& v, int b, int e)
{
    if (b + 1 >= e || (v[b].kind != SqlToken::Word && v[b].kind != SqlToken::Quoted) || v[b + 1].kind != SqlToken::Word)
        syntax(b < e ? &v[b] : nullptr);
    const QString name = identifier(v[b]);
    const QString type = upper(v[b + 1]);
    int i = b + 2;
    QString size;
    if (i < e && v[i].kind == SqlToken::LParen) {
        const int j = matchParen(v, i, e);
        QStringList parts;
        for (int k = i + 1; k < j; ++k)
            parts.append(v[k].text);
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
        unsupported(QStringLiteral("the column type %1").arg(type));

    bool identity = false;
    QString rest;
    while (i < e) {
        const QString u = upper(v[i]);
        if (u == QLatin1String("IDENTITY")) {
            identity = true;
            ++i;
            if (i < e && v[i].kind == SqlToken::LParen)
                i = matchParen(v, i, e) + 1;
        } else if (u == QLatin1String("PRIMARY") && i + 1 < e && v[i + 1].isWord("KEY")) {
            appendPiece(rest, QStringLiteral("PRIMARY KEY"));
            i += 2;
        } else if (u == QLatin1String("CLUSTERED") || u == QLatin1String("NONCLUSTERED")) {
            ++i;
        } else if (u == QLatin1String("CONSTRAINT")) {
            i += 2; // a named default or key: the name does not matter here
        } else if (u == QLatin1String("COLLATE")) {
            i += 2;
        } else if (u == QLatin1String("NOT") && i + 1 < e && v[i + 1].isWord("NULL")) {
            appendPiece(rest, QStringLiteral("NOT NULL"));
            i += 2;
        } else if (u == QLatin1String("NULL")) {
            appendPiece(rest, QStringLiteral("NULL"));
            ++i;
        } else if (u == QLatin1String("DEFAULT") && i + 1 < e) {
            int j = i + 2;
            if (v[i + 1].kind == SqlToken::LParen)
                j = matchParen(v, i + 1, e) + 1;
            else if (v[i + 1].kind == SqlToken::Word && i + 2 < e && v[i + 2].kind == SqlToken::LParen)
                j = matchParen(v, i + 2, e) + 1;
            appendPiece(rest, QStringLiteral("DEFAULT (") + range(v, i + 1, j) + QLatin1Char(')'));
            i = j;
        } else {
            unsupported(QStringLiteral("the column option %1").arg(v[i].text));
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
            syntax(&t[pos]);
        return plan;
    }

private:
    SqlTokens t;
    QHash<QString, SqlTokens> vars;

    int size() const { return int(t.size()); }
    bool word(int i, const char* w) const { return i < size() && t[i].isWord(w); }

    EmbeddedPlan statements(int& pos, bool inBlock)
    {
        EmbeddedPlan plan;
        while (pos < size()) {
            if (t[pos].kind == SqlToken::Semicolon) {
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
        const SqlToken& k = t[pos];
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
                syntax(pos < size() ? &t[pos] : nullptr);
            ++pos;
            return inner;
        }
        if (u == QLatin1String("ELSE"))
            unsupported(QStringLiteral("IF … ELSE"));
        if (u == QLatin1String("END") || u == QLatin1String("GO"))
            syntax(&k);
        if (pos + 1 < size() && t[pos + 1].kind == SqlToken::Variable && t[pos + 1].text.startsWith(QLatin1String("@@")))
            unsupported(t[pos + 1].text.toUpper());
        if ((u == QLatin1String("SELECT") || u == QLatin1String("SET")) && pos + 1 < size() && t[pos + 1].kind == SqlToken::Variable) {
            assign(pos);
            return {};
        }
        if (u == QLatin1String("SET"))
            unsupported(QStringLiteral("SET ") + (pos + 1 < size() ? t[pos + 1].text.toUpper() : QString()));
        const int end = statementEnd(pos);
        EmbeddedPlan plan = statement(substitute(pos, end));
        pos = end;
        return plan;
    }

    void declare(int& pos)
    {
        ++pos;
        for (;;) {
            if (pos >= size() || t[pos].kind != SqlToken::Variable)
                syntax(pos < size() ? &t[pos] : nullptr);
            const QString name = t[pos].text.toUpper();
            ++pos;
            if (word(pos, "AS"))
                ++pos;
            if (word(pos, "TABLE") || word(pos, "CURSOR"))
                unsupported(QStringLiteral("DECLARE … ") + t[pos].text.toUpper());
            if (pos >= size() || t[pos].kind != SqlToken::Word)
                syntax(pos < size() ? &t[pos] : nullptr);
            ++pos;
            if (pos < size() && t[pos].kind == SqlToken::LParen)
                pos = matchParen(t, pos, size()) + 1;
            vars.insert(name, SqlTokens());
            if (pos < size() && t[pos].isOp("=")) {
                ++pos;
                const int end = expressionEnd(pos, true);
                vars.insert(name, substitute(pos, end));
                pos = end;
            }
            if (pos < size() && t[pos].kind == SqlToken::Comma) {
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
            if (pos >= size() || t[pos].kind != SqlToken::Variable)
                syntax(pos < size() ? &t[pos] : nullptr);
            const QString name = t[pos].text.toUpper();
            if (!vars.contains(name))
                throw DbError(QStringLiteral("Must declare the scalar variable \"%1\".").arg(t[pos].text));
            ++pos;
            if (pos >= size() || !t[pos].isOp("="))
                syntax(pos < size() ? &t[pos] : nullptr);
            ++pos;
            const int end = expressionEnd(pos, isSelect);
            if (end < size() && (word(end, "FROM") || word(end, "WHERE")))
                unsupported(QStringLiteral("SELECT @variable = … FROM"));
            vars.insert(name, substitute(pos, end));
            pos = end;
            if (isSelect && pos < size() && t[pos].kind == SqlToken::Comma) {
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
            const SqlToken& k = t[i];
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
        const QString kind = upper(t[pos]);
        int depth = 0;
        int caseDepth = 0;
        bool seenSet = false;
        bool seenSource = false;
        for (int i = pos + 1; i < size(); ++i) {
            const SqlToken& k = t[i];
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
                const QString prev = upper(t[i - 1]);
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
            const SqlToken& k = t[i];
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
                syntax(pos < size() ? &t[pos] : nullptr);
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
        if (pos >= end)
            syntax(nullptr);
        if (t[pos].kind == SqlToken::LParen) {
            const int close = matchParen(t, pos, end);
            int inner = pos + 1;
            condition(inner, close, negate, subB, subE);
            if (inner != close)
                unsupported(QStringLiteral("IF with a condition other than [NOT] EXISTS (…)"));
            pos = close + 1;
            return;
        }
        if (t[pos].isWord("NOT")) {
            negate = !negate;
            ++pos;
            condition(pos, end, negate, subB, subE);
            return;
        }
        if (t[pos].isWord("EXISTS") && pos + 1 < end && t[pos + 1].kind == SqlToken::LParen) {
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
        const QString first = upper(v[0]);
        Emitter em;
        if (first == QLatin1String("ALTER")) {
            if (n < 4 || !v[1].isWord("TABLE"))
                unsupported(QStringLiteral("ALTER ") + (n > 1 ? v[1].text.toUpper() : QString()));
            int i = 2;
            QString table = identifier(v[i]);
            while (i + 2 < n && v[i + 1].kind == SqlToken::Dot) {
                i += 2;
                table = identifier(v[i]); // dbo.Table: the schema does not exist here
            }
            ++i;
            if (i < n && v[i].isWord("ADD")) {
                if (i + 1 < n && (v[i + 1].isWord("CONSTRAINT") || v[i + 1].isWord("PRIMARY") || v[i + 1].isWord("FOREIGN")))
                    unsupported(QStringLiteral("ALTER TABLE … ADD CONSTRAINT"));
                EmbeddedPlan plan;
                int start = i + 1;
                int depth = 0;
                for (int k = start; k <= n; ++k) {
                    if (k < n && v[k].kind == SqlToken::LParen)
                        ++depth;
                    else if (k < n && v[k].kind == SqlToken::RParen)
                        --depth;
                    if (k == n || (depth == 0 && v[k].kind == SqlToken::Comma)) {
                        plan.append(runStep(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD COLUMN ") + em.columnDef(v, start, k), em.params));
                        start = k + 1;
                    }
                }
                return plan;
            }
            if (i + 2 < n && v[i].isWord("DROP") && v[i + 1].isWord("COLUMN"))
                return { runStep(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" DROP COLUMN ") + identifier(v[i + 2]), {}) };
            unsupported(QStringLiteral("ALTER TABLE … ") + (i < n ? v[i].text.toUpper() : QString()));
        }
        if (first == QLatin1String("CREATE")) {
            if (n > 1 && v[1].isWord("TABLE"))
                return { createTable(v) };
            if (n > 1 && (v[1].isWord("INDEX") || v[1].isWord("UNIQUE"))) {
                const QString sql = em.range(v, 0, n);
                return { runStep(sql, em.params) };
            }
            unsupported(QStringLiteral("CREATE ") + (n > 1 ? v[1].text.toUpper() : QString()));
        }
        if (first == QLatin1String("TRUNCATE")) {
            if (n != 3 || !v[1].isWord("TABLE"))
                syntax(&v[0]);
            return { runStep(QStringLiteral("DELETE FROM ") + identifier(v[2]), {}) };
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

    EmbeddedStep createTable(const SqlTokens& v)
    {
        const int n = int(v.size());
        int i = 2;
        QString table = identifier(v[i]);
        while (i + 2 < n && v[i + 1].kind == SqlToken::Dot) {
            i += 2;
            table = identifier(v[i]);
        }
        ++i;
        if (i >= n || v[i].kind != SqlToken::LParen)
            syntax(i < n ? &v[i] : nullptr);
        const int close = matchParen(v, i, n);
        if (close != n - 1)
            syntax(&v[close]);
        Emitter em;
        QStringList defs;
        int start = i + 1;
        int depth = 0;
        for (int k = start; k <= close; ++k) {
            if (k < close && v[k].kind == SqlToken::LParen)
                ++depth;
            else if (k < close && v[k].kind == SqlToken::RParen)
                --depth;
            if (k == close || (depth == 0 && v[k].kind == SqlToken::Comma)) {
                const QString head = upper(v[start]);
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
