#pragma once

#include <QString>
#include <QStringList>

// A statement as ODBC takes it: the program's text with each ":Name"
// parameter (outside literals, quoted names and comments) replaced by a "?"
// marker. Everything else stays exactly as written.
struct OdbcStatement
{
    QStringList pieces; // the text between markers: one more than names
    QStringList names;  // the parameter of each marker, upper-cased

    QString text() const;
    // The text with each marker written by the given function (index 0…).
    template<typename Marker>
    QString text(Marker marker) const
    {
        QString out = pieces.value(0);
        for (int i = 0; i < names.size(); ++i)
            out += QString(marker(i)) + pieces.at(i + 1);
        return out;
    }
};

// Throws DbError on an unterminated literal or quoted name.
OdbcStatement odbcStatement(const QString& tsql);

// True when the statement only reads: a query, an IF [NOT] EXISTS probe, or a
// batch of DECLARE / SET / SELECT that writes no table, runs no procedure and
// changes no schema. What cannot be read is taken as a write.
bool isReadOnlyStatement(const QString& tsql);
