#pragma once

#include <QDate>
#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <stdexcept>

// Raised by a workstation fact that the caller must hear about (the remote-access
// library without its enumeration function). what() is the message in UTF-8.
class WorkstationError : public std::runtime_error
{
public:
    explicit WorkstationError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// The current user's proxy switch and server as the workstation's internet settings hold them.
struct ProxySettings
{
    bool enabled = false;
    QString server;
};

// What the program asks the workstation about itself. Production code uses
// SystemWorkstation (systemworkstation.h); tests install a fake with setWorkstation().
class Workstation
{
public:
    virtual ~Workstation();

    // The signed-on user's name as the platform spells it; "Unknown" when it cannot be read.
    virtual QString windowsUserName() const = 0;
    // The same name in upper case; "UNKNOWN" when it cannot be read.
    virtual QString upperWindowsUserName() const;
    // The computer's name, trimmed.
    virtual QString computerName() const = 0;
    // The dotted IPv4 address of this host: the last IPv4 address its own name resolves to,
    // empty when the name does not resolve.
    virtual QString localAddress() const = 0;
    // Full path of the running program file.
    virtual QString programPath() const = 0;
    // Bits per pixel times colour planes of the primary screen; 0 when there is no screen.
    virtual int colourDepth() const = 0;
    // Identifier of the active keyboard layout ("0000041E" Thai, "00000409" English);
    // empty where the platform has no such identifier.
    virtual QString keyboardLayoutId() const = 0;
    virtual quint64 totalMemoryBytes() const = 0;
    virtual quint64 freeMemoryBytes() const = 0;
    // Throws when the settings exist but cannot be read; callers that only want an
    // answer swallow that (see InternetRoute).
    virtual ProxySettings proxySettings() const = 0;
    // Active dial-up connections. Throws WorkstationError when the remote-access library
    // lacks its enumeration function.
    virtual int dialUpConnectionCount() const = 0;
    // Last-write time of the file in local time; today at midnight when the file cannot
    // be opened for writing (missing, read-only or locked).
    virtual QDateTime fileDate(const QString& path) const = 0;
};

// The workstation everything asks. Never null: without an installed one it is the system's.
Workstation& workstation();
// Installs a workstation (not owned); nullptr puts the system's back.
void setWorkstation(Workstation* instance);

// bytes / 1024, rounded to the nearest whole number with halves to the even neighbour, + " KB".
QString memoryText(quint64 bytes);
// The last IPv4 address of a resolver's answer in dotted form, empty when it has none.
QString lastIpv4Address(const QList<QHostAddress>& addresses);

// The program's own names for the facts, each asking workstation().
QString WindowsUserName();
QString UpperWindowsUserName();
QString ComputerName();
QString LocalAddress();
QString ProgramPath();
int ColourDepth();
QString TotalMemoryText();
QString FreeMemoryText();
// 1: a proxy is switched on and named; 2: otherwise an active dial-up connection; 0: neither.
// Errors reading the proxy settings are swallowed; the dial-up error reaches the caller.
int InternetRoute();
int DialUpConnectionCount();
QDateTime FileDate(const QString& path);
int YearOf(const QDate& date);
