#pragma once

#include <QObject>
#include <functional>

class QWidget;
class TFrChangePassword;
class TFrUserName;

// Puts the users (1), change password (2) and user groups (5) screens into the
// launcher's table of built-in screens for as long as it lives. Each screen is
// made on first use and then reused; the launcher's opener captions it with
// the menu entry's description and shows it modally.
class UserScreens : public QObject
{
    Q_OBJECT
public:
    // parent: the main window, over which the screens open. serverName: the
    // server entered at logon; readOnly: the command line's read-only switch.
    UserScreens(QWidget* parent, std::function<QString()> serverName, bool readOnly);
    ~UserScreens() override;

    TFrUserName* users() const { return m_users; }
    TFrChangePassword* changePassword() const { return m_changePassword; }

private:
    void openUsers(bool groupMode, const QString& caption);
    void openChangePassword(const QString& caption);

    QWidget* m_parent;
    std::function<QString()> m_serverName;
    bool m_readOnly;
    TFrUserName* m_users = nullptr;
    TFrChangePassword* m_changePassword = nullptr;
};
