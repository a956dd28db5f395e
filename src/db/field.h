#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// One value of the current row. NULL reads as 0 for numbers and as the empty
// text for texts; binary values read as text are taken as code-page 874 bytes,
// which is how the suite stores single-byte texts such as PasswordNew.
class Field
{
public:
    Field() = default;
    Field(QString name, QVariant value)
        : m_name(std::move(name))
        , m_value(std::move(value))
    {
    }

    const QString& name() const { return m_name; }
    const QVariant& value() const { return m_value; }
    bool isNull() const { return m_value.isNull(); }

    QString asString() const;
    int asInteger() const;
    qint64 asLargeInt() const;
    double asFloat() const;
    QDateTime asDateTime() const;
    QByteArray asBytes() const;

private:
    QString m_name;
    QVariant m_value;
};
