#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

// Named parameter values. Names are written without the leading colon and
// matched without regard to letter case.
class ParamValues
{
public:
    void set(const QString& name, const QVariant& value) { m_values.insert(key(name), value); }
    bool contains(const QString& name) const { return m_values.contains(key(name)); }
    QVariant value(const QString& name) const { return m_values.value(key(name)); }
    void clear() { m_values.clear(); }

private:
    static QString key(const QString& name)
    {
        QString k = name.trimmed().toUpper();
        if (k.startsWith(QLatin1Char(':')))
            k.remove(0, 1);
        return k;
    }
    QHash<QString, QVariant> m_values;
};

// The names of the ":Name" parameters of a T-SQL text, in order of first
// appearance, upper-cased; string literals, quoted names and comments are
// skipped.
QStringList parameterNames(const QString& tsql);
