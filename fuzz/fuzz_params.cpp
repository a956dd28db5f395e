// Named parameters: the names of any text, and values set and found again
// under each of them whatever their letter case.
#include "db/dberror.h"
#include "db/params.h"

#include <QString>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList names;
    try {
        names = parameterNames(text);
    } catch (const DbError&) {
        return 0;
    }
    ParamValues values;
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names.at(i);
        if (name.isEmpty() || name != name.toUpper() || names.indexOf(name) != i)
            __builtin_trap(); // upper-cased, each once
        values.set(name.toLower(), i);
    }
    for (int i = 0; i < names.size(); ++i) {
        if (!values.contains(QLatin1Char(':') + names.at(i)) || values.value(names.at(i)).toInt() != i)
            __builtin_trap();
    }
    return 0;
}
