#include "db/connectionprofile.h"

namespace {
int separator(const QString& line) { return line.indexOf(QLatin1Char('=')); }
} // namespace

bool ConnectionProfile::has(const QString& name) const
{
    for (const QString& line : m_lines) {
        const int eq = separator(line);
        if (eq >= 0 && line.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ConnectionProfile::value(const QString& name) const
{
    for (const QString& line : m_lines) {
        const int eq = separator(line);
        if (eq >= 0 && line.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1);
    }
    return {};
}

bool ConnectionProfile::readOnly() const
{
    return value(QStringLiteral("OPEN MODE")).trimmed().compare(QLatin1String("READ"), Qt::CaseInsensitive) == 0;
}

int ConnectionProfile::maxQueryTimeSeconds() const
{
    bool ok = false;
    const int seconds = value(QStringLiteral("MAX QUERY TIME")).trimmed().toInt(&ok);
    return ok && seconds > 0 ? seconds : 0;
}

bool ConnectionProfile::dayMonthYear() const { return value(QStringLiteral("DATE MODE")).trimmed() == QLatin1String("1"); }
