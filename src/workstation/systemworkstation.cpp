#include "workstation/systemworkstation.h"

#include "workstation/clock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHostInfo>
#include <QScreen>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX // keep min and max usable as names
#endif
// Windows Sockets must come before windows.h, which would pull in the old version.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <vector>
#include <windows.h>
#else
#include "workstation/desktopnetwork.h"

#include <QFile>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysinfo.h>
#include <unistd.h>
#include <vector>
#endif

namespace {

const QString kUnknownUser = QStringLiteral("Unknown");

QDateTime todayAtMidnight()
{
    return QDateTime(currentClock().today(), QTime(0, 0));
}

} // namespace

#ifdef _WIN32

QString SystemWorkstation::windowsUserName() const
{
    wchar_t name[256];
    DWORD size = 256;
    if (!GetUserNameW(name, &size) || size == 0)
        return kUnknownUser;
    return QString::fromWCharArray(name, int(size) - 1);
}

QString SystemWorkstation::upperWindowsUserName() const
{
    // Ask for the size first so that no name is ever cut short.
    DWORD size = 0;
    GetUserNameW(nullptr, &size);
    if (size == 0)
        return kUnknownUser.toUpper();
    std::vector<wchar_t> name(size);
    if (!GetUserNameW(name.data(), &size) || size == 0)
        return kUnknownUser.toUpper();
    return QString::fromWCharArray(name.data(), int(size) - 1).toUpper();
}

QString SystemWorkstation::computerName() const
{
    wchar_t name[20];
    DWORD size = 20;
    if (!GetComputerNameW(name, &size))
        return QString();
    return QString::fromWCharArray(name, int(size)).trimmed();
}

QString SystemWorkstation::localAddress() const
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return QString();
    QString answer;
    char host[256];
    if (gethostname(host, sizeof host) == 0) {
        addrinfo hints {};
        hints.ai_family = AF_INET;
        addrinfo* found = nullptr;
        if (getaddrinfo(host, nullptr, &hints, &found) == 0) {
            QList<QHostAddress> addresses;
            for (addrinfo* a = found; a; a = a->ai_next)
                addresses.append(QHostAddress(a->ai_addr));
            freeaddrinfo(found);
            answer = lastIpv4Address(addresses);
        }
    }
    WSACleanup();
    return answer;
}

QString SystemWorkstation::programPath() const
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return QString();
        if (length < path.size())
            return QString::fromWCharArray(path.data(), int(length));
        path.resize(path.size() * 2);
    }
}

int SystemWorkstation::colourDepth() const
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        return 0;
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return depth;
}

QString SystemWorkstation::keyboardLayoutId() const
{
    wchar_t name[KL_NAMELENGTH];
    if (!GetKeyboardLayoutNameW(name))
        return QString();
    return QString::fromWCharArray(name);
}

// The 64-bit memory status: the 32-bit one saturates at 4 GiB.
quint64 SystemWorkstation::totalMemoryBytes() const
{
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return 0;
    return status.ullTotalPhys;
}

quint64 SystemWorkstation::freeMemoryBytes() const
{
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return 0;
    return status.ullAvailPhys;
}

ProxySettings SystemWorkstation::proxySettings() const
{
    ProxySettings proxy;
    HKEY key = nullptr;
    if (RegOpenKeyExW(
            HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet settings", 0, KEY_READ, &key)
        != ERROR_SUCCESS)
        return proxy;

    struct KeyCloser
    {
        HKEY key;
        ~KeyCloser() { RegCloseKey(key); }
    } closer { key };

    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG read = RegQueryValueExW(key, L"ProxyEnable", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (read != ERROR_SUCCESS)
        throw WorkstationError(QStringLiteral("Invalid data type for 'ProxyEnable'"));
    // Older settings hold the switch as four raw bytes, newer ones as a number.
    if (type != REG_BINARY && type != REG_DWORD)
        throw WorkstationError(QStringLiteral("Invalid data type for 'ProxyEnable'"));
    proxy.enabled = value != 0;
    if (!proxy.enabled)
        return proxy;

    DWORD textSize = 0;
    if (RegQueryValueExW(key, L"ProxyServer", nullptr, &type, nullptr, &textSize) != ERROR_SUCCESS || textSize == 0)
        return proxy;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw WorkstationError(QStringLiteral("Invalid data type for 'ProxyServer'"));
    std::vector<wchar_t> text(textSize / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, L"ProxyServer", nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &textSize)
        != ERROR_SUCCESS)
        throw WorkstationError(QStringLiteral("Invalid data type for 'ProxyServer'"));
    proxy.server = QString::fromWCharArray(text.data());
    return proxy;
}

int SystemWorkstation::dialUpConnectionCount() const
{
    HMODULE library = LoadLibraryW(L"rasapi32.dll");
    if (!library)
        return 0;
    using EnumConnections = DWORD(WINAPI*)(void* connections, DWORD* bufferSize, DWORD* count);
    auto enumerate = reinterpret_cast<EnumConnections>(GetProcAddress(library, "RasEnumConnectionsA"));
    if (!enumerate) {
        FreeLibrary(library);
        throw WorkstationError(QStringLiteral("RasEnumConnectionsA not found in rasapi32.dll"));
    }
    // Room for four entries of the ANSI connection record; the first one's size field
    // tells the library which record layout we expect.
    constexpr DWORD kEntrySize = 412;
    constexpr DWORD kBufferSize = 4 * kEntrySize;
    constexpr DWORD kBufferTooSmall = 603;
    alignas(DWORD) BYTE buffer[kBufferSize] = {};
    *reinterpret_cast<DWORD*>(buffer) = kEntrySize;
    DWORD bufferSize = kBufferSize;
    DWORD count = 0;
    const DWORD result = enumerate(buffer, &bufferSize, &count);
    FreeLibrary(library);
    if (result == 0 || result == kBufferTooSmall)
        return int(count);
    return 0;
}

QDateTime SystemWorkstation::fileDate(const QString& path) const
{
    // A file that others hold open, or that is read-only, is treated as brand new.
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_WRITE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return todayAtMidnight();
    FILETIME written;
    const bool ok = GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    if (!ok)
        return todayAtMidnight();
    const quint64 ticks = (quint64(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    // FILETIME counts 100 ns steps from 1601-01-01 UTC.
    constexpr qint64 kEpochDifferenceMs = 11644473600000LL;
    return QDateTime::fromMSecsSinceEpoch(qint64(ticks / 10000) - kEpochDifferenceMs).toLocalTime();
}

#else // POSIX

QString SystemWorkstation::windowsUserName() const
{
    std::vector<char> buffer(16384);
    passwd entry {};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name
        && *found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    const QString fromEnvironment = qEnvironmentVariable("USER");
    return fromEnvironment.isEmpty() ? kUnknownUser : fromEnvironment;
}

QString SystemWorkstation::upperWindowsUserName() const
{
    return windowsUserName().toUpper();
}

QString SystemWorkstation::computerName() const
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return QString();
    return QString::fromLocal8Bit(name).trimmed();
}

QString SystemWorkstation::localAddress() const
{
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    if (info.error() != QHostInfo::NoError)
        return QString();
    return lastIpv4Address(info.addresses());
}

QString SystemWorkstation::programPath() const
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

int SystemWorkstation::colourDepth() const
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
}

QString SystemWorkstation::keyboardLayoutId() const
{
    return QString();
}

namespace {

// A field of /proc/meminfo in bytes, or 0 when absent.
quint64 memInfoBytes(const char* field)
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (QByteArray line = file.readLine(); !line.isEmpty(); line = file.readLine()) {
        if (!line.startsWith(prefix))
            continue;
        const QList<QByteArray> words = line.mid(prefix.size()).simplified().split(' ');
        bool ok = false;
        const quint64 kilobytes = words.value(0).toULongLong(&ok);
        return ok ? kilobytes * 1024 : 0;
    }
    return 0;
}

} // namespace

quint64 SystemWorkstation::totalMemoryBytes() const
{
    struct sysinfo info = {};
    if (sysinfo(&info) != 0)
        return memInfoBytes("MemTotal");
    return quint64(info.totalram) * info.mem_unit;
}

quint64 SystemWorkstation::freeMemoryBytes() const
{
    // MemAvailable counts reclaimable caches, which is what "available" means to a user.
    if (const quint64 available = memInfoBytes("MemAvailable"))
        return available;
    struct sysinfo info = {};
    if (sysinfo(&info) != 0)
        return 0;
    return quint64(info.freeram) * info.mem_unit;
}

// A proxy named in the environment or in the desktop's proxy settings is what
// the internet settings of a Windows workstation mean by a proxy.
ProxySettings SystemWorkstation::proxySettings() const
{
    return DesktopNetwork::desktopProxy();
}

// Dial-up modems and tunnels show as point-to-point interfaces; one that is up
// with its link is an active connection.
int SystemWorkstation::dialUpConnectionCount() const
{
    return DesktopNetwork::activePointToPointLinks();
}

QDateTime SystemWorkstation::fileDate(const QString& path) const
{
    // A file without any write permission bit stands for a read-only file even for
    // the superuser, who could otherwise write anything.
    struct stat status
    {
    };
    const QByteArray native = QFile::encodeName(path);
    if (stat(native.constData(), &status) != 0 || !S_ISREG(status.st_mode)
        || (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(native.constData(), W_OK) != 0)
        return todayAtMidnight();
    return QFileInfo(path).lastModified();
}

#endif
