#pragma once

#include <QStringList>

// The ordered NAME=value lines a connection is opened with. Names are matched
// without regard to letter case; the first line of a name wins.
class ConnectionProfile
{
public:
    ConnectionProfile() = default;
    explicit ConnectionProfile(QStringList lines)
        : m_lines(std::move(lines))
    {
    }

    const QStringList& lines() const { return m_lines; }
    void clear() { m_lines.clear(); }
    void add(const QString& line) { m_lines.append(line); }
    void add(const QStringList& lines) { m_lines.append(lines); }
    bool isEmpty() const { return m_lines.isEmpty(); }

    bool has(const QString& name) const;
    QString value(const QString& name) const;

    // Well-known lines.
    QString serverName() const { return value(QStringLiteral("SERVER NAME")); }
    QString databaseName() const { return value(QStringLiteral("DATABASE NAME")); }
    QString userName() const { return value(QStringLiteral("USER NAME")); }
    QString password() const { return value(QStringLiteral("PASSWORD")); }
    bool readOnly() const;
    int maxQueryTimeSeconds() const; // 0 = no limit
    bool dayMonthYear() const;       // DATE MODE=1

private:
    QStringList m_lines;
};
