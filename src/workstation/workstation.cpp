#include "workstation/workstation.h"

#include "workstation/seam.h"
#include "workstation/systemworkstation.h"

#include <exception>

Workstation::~Workstation() = default;

QString Workstation::upperWindowsUserName() const
{
    return windowsUserName().toUpper();
}

Workstation& workstation() { return Seam<Workstation, SystemWorkstation>::current(); }

void setWorkstation(Workstation* instance) { Seam<Workstation, SystemWorkstation>::install(instance); }

QString memoryText(quint64 bytes)
{
    quint64 kilobytes = bytes / 1024;
    const quint64 rest = bytes % 1024;
    if (rest > 512 || (rest == 512 && (kilobytes & 1) != 0))
        ++kilobytes;
    return QString::number(kilobytes) + QStringLiteral(" KB");
}

QString lastIpv4Address(const QList<QHostAddress>& addresses)
{
    for (auto it = addresses.crbegin(); it != addresses.crend(); ++it) {
        if (it->protocol() == QAbstractSocket::IPv4Protocol)
            return it->toString();
    }
    return QString();
}

QString WindowsUserName()
{
    return workstation().windowsUserName();
}

QString UpperWindowsUserName()
{
    return workstation().upperWindowsUserName();
}

QString ComputerName()
{
    return workstation().computerName();
}

QString LocalAddress()
{
    return workstation().localAddress();
}

QString ProgramPath()
{
    return workstation().programPath();
}

int ColourDepth()
{
    return workstation().colourDepth();
}

QString TotalMemoryText()
{
    return memoryText(workstation().totalMemoryBytes());
}

QString FreeMemoryText()
{
    return memoryText(workstation().freeMemoryBytes());
}

int InternetRoute()
{
    int route = 0;
    try {
        const ProxySettings proxy = workstation().proxySettings();
        if (proxy.enabled && !proxy.server.isEmpty())
            route = 1;
    } catch (const std::exception&) {
        // Unreadable settings mean "no proxy known"; the dial-up count decides.
    }
    if (route == 0 && workstation().dialUpConnectionCount() > 0)
        route = 2;
    return route;
}

int DialUpConnectionCount()
{
    return workstation().dialUpConnectionCount();
}

QDateTime FileDate(const QString& path)
{
    return workstation().fileDate(path);
}

int YearOf(const QDate& date)
{
    return date.year();
}
