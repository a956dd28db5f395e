#include "config/textfiles.h"

#include <QFile>

namespace TextFiles {

std::optional<QString> firstLine(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray line = f.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

bool writeLine(const QString& path, const QString& line, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    f.write(line.toUtf8());
    f.write("\n");
    return true;
}

} // namespace TextFiles
