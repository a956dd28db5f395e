#pragma once

#include <QString>
#include <QVector>

// Tokens of a T-SQL text, as far as this program's statements need them.
struct SqlToken
{
    enum Kind {
        Word,       // identifier or keyword
        Quoted,     // [name] or "name"; text holds the bare name
        String,     // 'text'; text holds the literal as written, quotes included
        Number,
        Param,      // :Name; text holds the name without the colon
        Variable,   // @name; text holds the name with the "@"
        Operator,   // + - * / % = < > <= >= <> != ||
        LParen,
        RParen,
        Comma,
        Dot,
        Semicolon,
    };
    Kind kind;
    QString text;
    int line = 1; // 1-based line of the text where the token starts

    bool is(Kind k) const { return kind == k; }
    bool isWord(const char* upper) const { return kind == Word && text.compare(QLatin1String(upper), Qt::CaseInsensitive) == 0; }
    bool isOp(const char* op) const { return kind == Operator && text == QLatin1String(op); }
};

using SqlTokens = QVector<SqlToken>;

// Splits a text into tokens; comments and blanks are dropped. Throws DbError
// on an unterminated literal or quoted name.
SqlTokens tokenizeSql(const QString& text);
