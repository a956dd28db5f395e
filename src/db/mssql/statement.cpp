#include "db/mssql/statement.h"

#include "db/dberror.h"
#include "db/tsqllexer.h"

namespace {

// The same word rules as the T-SQL lexer, so both agree on what a parameter is.
bool isWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('#'); }
bool isWordPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#') || c == QLatin1Char('$'); }

// Index just past the construct that starts at i and must be copied as it
// stands (literal, quoted name, comment), or i when none starts there.
int skipVerbatim(const QString& s, int i)
{
    const int n = int(s.size());
    const QChar c = s.at(i);
    const QChar next = i + 1 < n ? s.at(i + 1) : QChar();
    if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
        const int end = s.indexOf(QLatin1Char('\n'), i);
        return end < 0 ? n : end;
    }
    if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
        const int end = s.indexOf(QLatin1String("*/"), i + 2);
        return end < 0 ? n : end + 2;
    }
    if (c == QLatin1Char('\'')) {
        int j = i + 1;
        while (j < n) {
            if (s.at(j) == QLatin1Char('\'')) {
                if (j + 1 < n && s.at(j + 1) == QLatin1Char('\'')) {
                    j += 2;
                    continue;
                }
                return j + 1;
            }
            ++j;
        }
        return n; // the lexer reports the unterminated literal
    }
    if (c == QLatin1Char('[') || c == QLatin1Char('"')) {
        const int end = s.indexOf(c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"'), i + 1);
        return end < 0 ? n : end + 1;
    }
    return i;
}

} // namespace

QString OdbcStatement::text() const
{
    return text([](int) { return QStringLiteral("?"); });
}

OdbcStatement odbcStatement(const QString& tsql)
{
    OdbcStatement st;
    QString piece;
    const int n = int(tsql.size());
    int i = 0;
    while (i < n) {
        const int verbatim = skipVerbatim(tsql, i);
        if (verbatim > i) {
            piece += QStringView(tsql).mid(i, verbatim - i);
            i = verbatim;
            continue;
        }
        const QChar c = tsql.at(i);
        if (c == QLatin1Char(':') && i + 1 < n && isWordStart(tsql.at(i + 1))) {
            int j = i + 1;
            while (j < n && isWordPart(tsql.at(j)))
                ++j;
            st.pieces.append(piece);
            piece.clear();
            st.names.append(tsql.mid(i + 1, j - i - 1).toUpper());
            i = j;
            continue;
        }
        piece += c;
        ++i;
    }
    st.pieces.append(piece);

    if (!st.names.isEmpty()) {
        // The lexer is the authority on the program's T-SQL; the scan above
        // only adds positions. Should they ever disagree, binding values by
        // position would put them in the wrong places, so refuse instead.
        QStringList lexed;
        for (const SqlToken& t : tokenizeSql(tsql)) {
            if (t.kind == SqlToken::Param)
                lexed.append(t.text.toUpper());
        }
        if (lexed != st.names)
            throw DbError(QStringLiteral("The parameters of the statement cannot be located safely (%1 against %2).")
                              .arg(st.names.join(QLatin1String(", ")), lexed.join(QLatin1String(", "))));
    }
    return st;
}

bool isReadOnlyStatement(const QString& tsql)
{
    SqlTokens tokens;
    try {
        tokens = tokenizeSql(tsql);
    } catch (const DbError&) {
        return false;
    }
    if (tokens.isEmpty())
        return true;
    static const char* const starts[] = { "SELECT", "WITH", "IF", "DECLARE", "SET" };
    bool startsWell = tokens.first().kind == SqlToken::LParen;
    for (const char* word : starts)
        startsWell = startsWell || tokens.first().isWord(word);
    if (!startsWell)
        return false;
    // Any of these anywhere makes the batch a write (SELECT … INTO creates a
    // table; EXEC runs code we cannot see).
    static const char* const writes[] = { "INSERT", "UPDATE", "DELETE", "MERGE", "INTO", "CREATE", "ALTER", "DROP", "TRUNCATE", "EXEC",
        "EXECUTE", "GRANT", "REVOKE", "DENY", "BULK", "BACKUP", "RESTORE", "DBCC", "KILL", "SHUTDOWN", "RECONFIGURE", "WRITETEXT", "UPDATETEXT",
        "OPENQUERY", "OPENROWSET", "OPENDATASOURCE", "USE", "SAVE", "COMMIT", "ROLLBACK" };
    for (const SqlToken& t : tokens) {
        if (t.kind != SqlToken::Word)
            continue;
        for (const char* word : writes) {
            if (t.isWord(word))
                return false;
        }
    }
    // BEGIN … END blocks of a probe are fine; BEGIN TRAN is not.
    for (int i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens.at(i).isWord("BEGIN") && (tokens.at(i + 1).isWord("TRAN") || tokens.at(i + 1).isWord("TRANSACTION") || tokens.at(i + 1).isWord("DISTRIBUTED")))
            return false;
    }
    return true;
}
