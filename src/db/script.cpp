#include "db/script.h"

#include "db/connection.h"
#include "db/dberror.h"

QList<ScriptStatement> splitScript(const QStringList& lines)
{
    QList<ScriptStatement> out;
    QStringList current;
    int first = 0;
    auto flush = [&]() {
        const QString text = current.join(QLatin1Char('\n')).trimmed();
        if (!text.isEmpty())
            out.append(ScriptStatement { current.join(QLatin1Char('\n')), first });
        current.clear();
        first = 0;
    };
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line == QLatin1String("/")) {
            flush();
            continue;
        }
        if (first == 0 && line.isEmpty())
            continue;
        if (first == 0)
            first = i + 1;
        current.append(line);
    }
    flush();
    return out;
}

void runScript(Connection& connection, const QStringList& lines)
{
    connection.ensureOpen();
    for (const ScriptStatement& st : splitScript(lines)) {
        try {
            connection.run(st.text, ParamValues());
        } catch (const DbError& e) {
            throw DbError(QStringLiteral("Script line %1: %2").arg(st.firstLine).arg(e.message()));
        }
    }
}
