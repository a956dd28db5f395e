#pragma once

#include <QStringList>

class Connection;

// A statement script: statements separated by lines holding only "/". Each
// line is trimmed before it is sent, empty statements are skipped, and the
// statements run one by one outside any transaction. A failing statement stops
// the script; its error names the script line at which the statement starts.
struct ScriptStatement
{
    QString text;
    int firstLine = 0; // 1-based line of the script
};

QList<ScriptStatement> splitScript(const QStringList& lines);
void runScript(Connection& connection, const QStringList& lines);
