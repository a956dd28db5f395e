#include "db/storedproc.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/field.h"

namespace {
QString bare(const QString& name)
{
    QString n = name.trimmed();
    if (n.startsWith(QLatin1Char('@')))
        n.remove(0, 1);
    return n;
}
} // namespace

StoredProc::StoredProc(Connection* connection, const QString& name, QObject* parent)
    : QObject(parent)
    , m_connection(connection)
    , m_name(name)
{
    m_connection->attach(this);
}

StoredProc::~StoredProc()
{
    if (m_connection)
        m_connection->detach(this);
}

void StoredProc::addParam(const QString& name, ProcParam::Direction direction, QMetaType::Type type)
{
    m_params.append(ProcParam { name, direction, type, QVariant() });
}

int StoredProc::indexOf(const QString& name) const
{
    for (int i = 0; i < m_params.size(); ++i) {
        if (bare(m_params.at(i).name).compare(bare(name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void StoredProc::setParam(const QString& name, const QVariant& value)
{
    const int i = indexOf(name);
    if (i < 0)
        throw DbError(QStringLiteral("Parameter '%1' not found in procedure %2.").arg(name, m_name));
    m_params[i].value = value;
}

QVariant StoredProc::param(const QString& name) const
{
    const int i = indexOf(name);
    if (i < 0)
        throw DbError(QStringLiteral("Parameter '%1' not found in procedure %2.").arg(name, m_name));
    return m_params.at(i).value;
}

QString StoredProc::paramAsString(const QString& name) const { return Field(name, param(name)).asString(); }

int StoredProc::paramAsInteger(const QString& name) const { return Field(name, param(name)).asInteger(); }

void StoredProc::execProc()
{
    m_connection->ensureOpen();
    for (ProcParam& p : m_params) {
        if (p.direction == ProcParam::Out || p.direction == ProcParam::Return)
            p.value = QVariant();
    }
    m_connection->callProcedure(m_name, m_params);
}

void StoredProc::close()
{
    for (ProcParam& p : m_params) {
        if (p.direction != ProcParam::In)
            p.value = QVariant();
    }
}
