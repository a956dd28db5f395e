#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One step of a translated statement: SQLite text with "?" placeholders and
// the names that fill them, or a condition (IF [NOT] EXISTS) guarding steps.
struct EmbeddedStep
{
    enum Kind { Run, IfExists };
    Kind kind = Run;
    QString sql;
    QStringList params; // upper-cased names, one per placeholder, in order
    bool negate = false;
    QVector<EmbeddedStep> body;
    QStringList before; // SQLite run just before sql, and just after it (without
    QStringList after;  // parameters): the guards of a table's column types
};
using EmbeddedPlan = QVector<EmbeddedStep>;

// Translates the program's T-SQL into what the embedded SQLite engine runs.
// A construct it does not know throws DbError naming the construct; it never
// runs a different statement.
EmbeddedPlan translateTsql(const QString& tsql);

// The name of the case-insensitive, trailing-blank-insensitive collation given
// to every text column, as SQL Server's default collation compares.
inline constexpr const char* kEmbeddedCollation = "ZAQ_CI";
