#include "db/params.h"

#include "db/tsqllexer.h"

QStringList parameterNames(const QString& tsql)
{
    QStringList names;
    for (const SqlToken& t : tokenizeSql(tsql)) {
        if (t.kind != SqlToken::Param)
            continue;
        const QString name = t.text.toUpper();
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}
