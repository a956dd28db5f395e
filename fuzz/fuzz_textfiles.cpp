// The workstation's small text files (Server.Dat, ZaqVersion.Dat): any file
// gives its first line, and a line written reads back the same.
#include "config/textfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Server.Dat"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const std::optional<QString> line = TextFiles::firstLine(path);
    if (!line)
        __builtin_trap();
    if (line->contains(QLatin1Char('\n')))
        __builtin_trap();
    if (!TextFiles::writeLine(path, *line))
        return 0;
    const std::optional<QString> again = TextFiles::firstLine(path);
    if (!again || *again != *line)
        __builtin_trap();
    return 0;
}
