#pragma once

#include "workstation/workstation.h"

#include <QHash>

// A workstation whose every fact is a public field. Installs itself for its lifetime
// and puts the previous workstation back when it dies.
class FakeWorkstation : public Workstation
{
public:
    FakeWorkstation();
    ~FakeWorkstation() override;
    FakeWorkstation(const FakeWorkstation&) = delete;
    FakeWorkstation& operator=(const FakeWorkstation&) = delete;

    QString userName = QStringLiteral("tester");
    QString computer = QStringLiteral("WS01");
    QString address = QStringLiteral("192.168.1.10");
    QString program = QStringLiteral("/opt/zaq/zaqmain");
    int depth = 32;
    QString keyboardLayout;
    quint64 totalMemory = 8ULL * 1024 * 1024 * 1024;
    quint64 freeMemory = 4ULL * 1024 * 1024 * 1024;
    ProxySettings proxy;
    bool proxyUnreadable = false; // proxySettings() throws
    int dialUpConnections = 0;
    bool dialUpFunctionMissing = false; // dialUpConnectionCount() throws the library's error
    // File dates by path; a path not listed answers today at midnight (of currentClock()).
    QHash<QString, QDateTime> fileDates;

    QString windowsUserName() const override { return userName; }
    QString computerName() const override { return computer; }
    QString localAddress() const override { return address; }
    QString programPath() const override { return program; }
    int colourDepth() const override { return depth; }
    QString keyboardLayoutId() const override { return keyboardLayout; }
    quint64 totalMemoryBytes() const override { return totalMemory; }
    quint64 freeMemoryBytes() const override { return freeMemory; }
    ProxySettings proxySettings() const override;
    int dialUpConnectionCount() const override;
    QDateTime fileDate(const QString& path) const override;

private:
    Workstation* m_previous;
};
