// Connection profiles to ODBC connection strings. The input is lines: the
// ODBC driver's name, then the profile's lines. Whatever a profile holds, the
// connection string keeps each value inside its own attribute.
#include "db/connectionprofile.h"
#include "db/dberror.h"
#include "db/mssql/connectionspec.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace {
// The attributes of a connection string, braces respected; false when it is malformed.
bool attributes(const QString& s, QStringList& keys)
{
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        const int eq = int(s.indexOf(QLatin1Char('='), i));
        if (eq < 0)
            return false;
        keys.append(s.mid(i, eq - i).trimmed().toUpper());
        i = eq + 1;
        if (i < n && s.at(i) == QLatin1Char('{')) {
            ++i;
            for (;;) {
                if (i >= n)
                    return false;
                if (s.at(i) == QLatin1Char('}')) {
                    if (i + 1 < n && s.at(i + 1) == QLatin1Char('}')) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
        } else {
            while (i < n && s.at(i) != QLatin1Char(';'))
                ++i;
        }
        if (i < n && s.at(i) != QLatin1Char(';'))
            return false;
        ++i;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList lines = text.split(QLatin1Char('\n'));
    const QString driver = lines.takeFirst();
    pickMssqlOdbcDriver(lines);
    isFreeTdsDriver(driver);
    const QString value = odbcConnectionValue(driver);
    QStringList keys;
    if (!attributes(QStringLiteral("K=") + value, keys) || keys.size() != 1)
        __builtin_trap(); // one value stays one attribute
    try {
        const OdbcConnectionSpec spec = mssqlConnectionSpec(ConnectionProfile(lines), driver);
        keys.clear();
        if (!attributes(spec.connectionString, keys) || QSet<QString>(keys.begin(), keys.end()).size() != keys.size())
            __builtin_trap(); // well formed, no attribute twice
    } catch (const DbError&) {
    }
    return 0;
}
