#include "db/tsqllexer.h"

#include "db/dberror.h"

#include <cctype>

namespace {
bool isWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('#'); }
bool isWordPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#') || c == QLatin1Char('$'); }
} // namespace

SqlTokens tokenizeSql(const QString& s)
{
    SqlTokens out;
    int i = 0;
    int line = 1;
    const int n = int(s.size());
    auto push = [&](SqlToken::Kind kind, const QString& text, int atLine) { out.append(SqlToken { kind, text, atLine }); };

    while (i < n) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\n')) {
            ++line;
            ++i;
            continue;
        }
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && s.at(i + 1) == QLatin1Char('-')) {
            while (i < n && s.at(i) != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && s.at(i + 1) == QLatin1Char('*')) {
            // Comments nest, as SQL Server reads them; one left open is an error.
            int depth = 0;
            int j = i;
            while (j < n) {
                if (s.at(j) == QLatin1Char('/') && j + 1 < n && s.at(j + 1) == QLatin1Char('*')) {
                    ++depth;
                    j += 2;
                } else if (s.at(j) == QLatin1Char('*') && j + 1 < n && s.at(j + 1) == QLatin1Char('/')) {
                    j += 2;
                    if (--depth == 0)
                        break;
                } else {
                    if (s.at(j) == QLatin1Char('\n'))
                        ++line;
                    ++j;
                }
            }
            if (depth > 0)
                throw DbError(QStringLiteral("Missing end comment mark '*/'."));
            i = j;
            continue;
        }
        const int startLine = line;
        if (c == QLatin1Char('\'') || ((c == QLatin1Char('N') || c == QLatin1Char('n')) && i + 1 < n && s.at(i + 1) == QLatin1Char('\''))) {
            int j = (c == QLatin1Char('\'')) ? i + 1 : i + 2;
            QString lit = QStringLiteral("'");
            for (;;) {
                if (j >= n)
                    throw DbError(QStringLiteral("Unclosed quotation mark in the statement at line %1.").arg(startLine));
                const QChar d = s.at(j);
                if (d == QLatin1Char('\n'))
                    ++line;
                if (d == QLatin1Char('\'')) {
                    if (j + 1 < n && s.at(j + 1) == QLatin1Char('\'')) {
                        lit += QLatin1String("''");
                        j += 2;
                        continue;
                    }
                    lit += d;
                    ++j;
                    break;
                }
                lit += d;
                ++j;
            }
            push(SqlToken::String, lit, startLine);
            i = j;
            continue;
        }
        if (c == QLatin1Char('[') || c == QLatin1Char('"')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"');
            const int end = s.indexOf(close, i + 1);
            if (end < 0)
                throw DbError(QStringLiteral("Unclosed quoted name in the statement at line %1.").arg(startLine));
            push(SqlToken::Quoted, s.mid(i + 1, end - i - 1), startLine);
            i = end + 1;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < n && isWordStart(s.at(i + 1))) {
            int j = i + 1;
            while (j < n && isWordPart(s.at(j)))
                ++j;
            push(SqlToken::Param, s.mid(i + 1, j - i - 1), startLine);
            i = j;
            continue;
        }
        if (c == QLatin1Char('@')) {
            int j = i + 1;
            while (j < n && (isWordPart(s.at(j)) || s.at(j) == QLatin1Char('@')))
                ++j;
            push(SqlToken::Variable, s.mid(i, j - i), startLine);
            i = j;
            continue;
        }
        if (c == QLatin1Char('0') && i + 1 < n && (s.at(i + 1) == QLatin1Char('x') || s.at(i + 1) == QLatin1Char('X'))) {
            // A binary constant such as 0x41; the text keeps the "0x".
            int j = i + 2;
            while (j < n && isxdigit(s.at(j).unicode() < 0x80 ? s.at(j).unicode() : 0))
                ++j;
            push(SqlToken::Number, s.mid(i, j - i), startLine);
            i = j;
            continue;
        }
        if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s.at(i + 1).isDigit())) {
            int j = i;
            while (j < n && (s.at(j).isDigit() || s.at(j) == QLatin1Char('.')))
                ++j;
            if (j < n && (s.at(j) == QLatin1Char('e') || s.at(j) == QLatin1Char('E'))) {
                int k = j + 1;
                if (k < n && (s.at(k) == QLatin1Char('+') || s.at(k) == QLatin1Char('-')))
                    ++k;
                if (k < n && s.at(k).isDigit()) {
                    j = k;
                    while (j < n && s.at(j).isDigit())
                        ++j;
                }
            }
            push(SqlToken::Number, s.mid(i, j - i), startLine);
            i = j;
            continue;
        }
        if (isWordStart(c)) {
            int j = i;
            while (j < n && isWordPart(s.at(j)))
                ++j;
            push(SqlToken::Word, s.mid(i, j - i), startLine);
            i = j;
            continue;
        }
        switch (c.unicode()) {
        case '(': push(SqlToken::LParen, QStringLiteral("("), startLine); ++i; continue;
        case ')': push(SqlToken::RParen, QStringLiteral(")"), startLine); ++i; continue;
        case ',': push(SqlToken::Comma, QStringLiteral(","), startLine); ++i; continue;
        case '.': push(SqlToken::Dot, QStringLiteral("."), startLine); ++i; continue;
        case ';': push(SqlToken::Semicolon, QStringLiteral(";"), startLine); ++i; continue;
        default: break;
        }
        static const char* const twoChar[] = { "<=", ">=", "<>", "!=", "||", "!<", "!>" };
        bool matched = false;
        for (const char* op : twoChar) {
            if (s.mid(i, 2) == QLatin1String(op)) {
                push(SqlToken::Operator, QLatin1String(op), startLine);
                i += 2;
                matched = true;
                break;
            }
        }
        if (matched)
            continue;
        if (QStringLiteral("+-*/%=<>&|^~").contains(c)) {
            push(SqlToken::Operator, QString(c), startLine);
            ++i;
            continue;
        }
        throw DbError(QStringLiteral("Incorrect syntax near '%1' at line %2.").arg(c).arg(startLine));
    }
    return out;
}
