// The module program's command line. The input is lines: the program's file
// name, then one argument per line. Every field is read, none is invented.
#include "commandline.h"

#include <QString>
#include <QStringList>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList args = text.split(QLatin1Char('\n'));
    const QString program = args.takeFirst();
    const ReadCommandLine read = readCommandLine(program, args);
    if (read.fields.isEmpty())
        __builtin_trap();
    for (const ReadCommandLine::Field& f : read.fields) {
        if (f.name.isEmpty() || (!f.present && !f.value.isEmpty()))
            __builtin_trap();
    }
    return 0;
}
