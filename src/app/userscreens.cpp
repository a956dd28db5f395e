#include "app/userscreens.h"

#include "mainmenu/launcher.h"
#include "security/frchangepassword.h"
#include "security/frusername.h"

namespace {
constexpr int kUsers = 1;
constexpr int kChangePassword = 2;
constexpr int kGroups = 5;
} // namespace

UserScreens::UserScreens(QWidget* parent, std::function<QString()> serverName, bool readOnly)
    : m_parent(parent)
    , m_serverName(std::move(serverName))
    , m_readOnly(readOnly)
{
    Launcher::registerBuiltInScreen(kUsers, [this](const QString& caption) { openUsers(false, caption); });
    Launcher::registerBuiltInScreen(kGroups, [this](const QString& caption) { openUsers(true, caption); });
    Launcher::registerBuiltInScreen(kChangePassword, [this](const QString& caption) { openChangePassword(caption); });
}

UserScreens::~UserScreens()
{
    for (int n : { kUsers, kChangePassword, kGroups })
        Launcher::unregisterBuiltInScreen(n);
    delete m_users;
    delete m_changePassword;
}

void UserScreens::openUsers(bool groupMode, const QString& caption)
{
    if (!m_users) {
        m_users = new TFrUserName(m_parent);
        m_users->ServerName = m_serverName;
        m_users->ReadOnly = m_readOnly;
    }
    m_users->GroupMode = groupMode;
    m_users->setWindowTitle(caption);
    m_users->exec();
}

void UserScreens::openChangePassword(const QString& caption)
{
    if (!m_changePassword)
        m_changePassword = new TFrChangePassword(m_parent);
    m_changePassword->setWindowTitle(caption);
    m_changePassword->exec();
}
