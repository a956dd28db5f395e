#pragma once

#include <QString>

// What the logon dialog writes into the main window once a logon is confirmed:
// the user id it keeps, and three of its displays.
class LogonTarget
{
public:
    virtual ~LogonTarget() = default;
    virtual void setUserId(int userId) = 0;
    virtual void setFullNameText(const QString& text) = 0;   // the full-name label
    virtual void setHeaderHint(const QString& text) = 0;     // hint of the header strip
    virtual void setCompanyPanelText(const QString& text) = 0; // first status-bar panel
};
