#include "db/field.h"

#include "db/cp874.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {
// As dates are shown everywhere: the short date, and the time only when there is one.
QString dateText(const QDateTime& dt)
{
    return dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("dd/MM/yyyy")) : dt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}
} // namespace

QString Field::asString() const
{
    if (m_value.isNull())
        return {};
    if (m_value.typeId() == QMetaType::QByteArray)
        return Cp874::decode(m_value.toByteArray());
    if (m_value.typeId() == QMetaType::QDateTime)
        return dateText(m_value.toDateTime());
    if (m_value.typeId() == QMetaType::QString) {
        // The embedded engine keeps date-and-time columns as ISO texts; they read
        // as SQL Server's datetimes do.
        static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d(\\.\\d{1,3})?$"));
        const QString text = m_value.toString();
        if (text.size() >= 19 && text.size() <= 23 && iso.match(text).hasMatch())
            return dateText(asDateTime());
        return text;
    }
    if (m_value.typeId() == QMetaType::Double) {
        const double d = m_value.toDouble();
        if (std::fabs(d) < 9.0e15 && d == std::trunc(d)) // whole and exact in a double
            return QString::number(qint64(d));
    }
    return m_value.toString();
}

int Field::asInteger() const { return int(qBound(qint64(std::numeric_limits<int>::min()), asLargeInt(), qint64(std::numeric_limits<int>::max()))); }

qint64 Field::asLargeInt() const
{
    if (m_value.isNull())
        return 0;
    bool ok = false;
    const qint64 v = m_value.toLongLong(&ok);
    if (ok)
        return v;
    const double d = m_value.toString().trimmed().toDouble(&ok);
    if (!ok || std::isnan(d))
        return 0;
    // Beyond the range a conversion is undefined; the nearest limit stands in.
    if (d >= 9223372036854775808.0)
        return std::numeric_limits<qint64>::max();
    if (d < -9223372036854775808.0)
        return std::numeric_limits<qint64>::min();
    return qint64(d);
}

double Field::asFloat() const
{
    if (m_value.isNull())
        return 0.0;
    bool ok = false;
    const double d = m_value.toDouble(&ok);
    return ok ? d : 0.0;
}

QDateTime Field::asDateTime() const
{
    if (m_value.isNull())
        return {};
    if (m_value.typeId() == QMetaType::QDateTime)
        return m_value.toDateTime();
    if (m_value.typeId() == QMetaType::QDate)
        return m_value.toDate().startOfDay();
    const QString text = m_value.toString().trimmed();
    QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!dt.isValid())
        dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid())
        dt = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd")).startOfDay();
    return dt;
}

QByteArray Field::asBytes() const
{
    if (m_value.isNull())
        return {};
    if (m_value.typeId() == QMetaType::QByteArray)
        return m_value.toByteArray();
    return Cp874::encode(m_value.toString());
}
