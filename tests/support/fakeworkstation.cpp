#include "fakeworkstation.h"

#include "workstation/clock.h"

FakeWorkstation::FakeWorkstation()
    : m_previous(&workstation())
{
    setWorkstation(this);
}

FakeWorkstation::~FakeWorkstation()
{
    setWorkstation(m_previous);
}

ProxySettings FakeWorkstation::proxySettings() const
{
    if (proxyUnreadable)
        throw WorkstationError(QStringLiteral("Invalid data type for 'ProxyEnable'"));
    return proxy;
}

int FakeWorkstation::dialUpConnectionCount() const
{
    if (dialUpFunctionMissing)
        throw WorkstationError(QStringLiteral("RasEnumConnectionsA not found in rasapi32.dll"));
    return dialUpConnections;
}

QDateTime FakeWorkstation::fileDate(const QString& path) const
{
    const auto found = fileDates.constFind(path);
    if (found != fileDates.constEnd())
        return found.value();
    return QDateTime(currentClock().today(), QTime(0, 0));
}
