#pragma once

#include "workstation/workstation.h"

// The facts as the operating system reports them.
class SystemWorkstation : public Workstation
{
public:
    QString windowsUserName() const override;
    QString upperWindowsUserName() const override;
    QString computerName() const override;
    QString localAddress() const override;
    QString programPath() const override;
    int colourDepth() const override;
    QString keyboardLayoutId() const override;
    quint64 totalMemoryBytes() const override;
    quint64 freeMemoryBytes() const override;
    ProxySettings proxySettings() const override;
    int dialUpConnectionCount() const override;
    QDateTime fileDate(const QString& path) const override;
};
