// The launcher opens the group-rights screen for "SELF 3" and the user-database
// screen for "SELF 4", made once and reused, captioned with the entry.
#include "app/rightsscreens.h"
#include "config/dmconfig.h"
#include "fixturesite.h"
#include "mainmenu/launcher.h"
#include "scriptedprompts.h"
#include "security/frusercompany.h"
#include "security/fruserrights.h"
#include "testapp.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(RightsScreens, BuiltInCommandsThreeAndFourOpenTheirScreens)
{
    testApp();
    ScriptedPrompts prompts;
    FixtureSite site;
    TDMConfig dm;
    DmConfig = &dm;
    QWidget owner;
    registerRightsScreens(&owner);
    Launcher launcher;

    struct Opened
    {
        QString kind;
        QString caption;
        QWidget* screen;
    };
    QList<Opened> opened;
    const auto openAndClose = [&](const QString& command, const QString& description) {
        QTimer::singleShot(0, [&] {
            auto* screen = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(screen, nullptr);
            opened.append({ QString::fromLatin1(screen->metaObject()->className()), screen->windowTitle(), screen });
            screen->QDialog::done(QDialog::Rejected);
        });
        // The entry that opens whatever the year's document numbering says.
        launcher.launch({ 91400000, command, QString(), description }, 2, QDate(2026, 12, 10));
    };
    openAndClose(QStringLiteral("SELF 3"), QStringLiteral("สิทธิ์กลุ่มผู้ใช้"));
    openAndClose(QStringLiteral("SELF 4"), QStringLiteral("ฐานข้อมูลของผู้ใช้"));
    openAndClose(QStringLiteral("SELF 3"), QStringLiteral("Group Menu Rights"));
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[0].kind, QStringLiteral("TFrUserRights"));
    EXPECT_EQ(opened[0].caption, QStringLiteral("สิทธิ์กลุ่มผู้ใช้"));
    EXPECT_EQ(opened[1].kind, QStringLiteral("TFrUserCompany"));
    EXPECT_EQ(opened[2].screen, opened[0].screen); // reused
    EXPECT_EQ(opened[2].caption, QStringLiteral("Group Menu Rights"));
    EXPECT_EQ(prompts.errors(), QStringList());

    Launcher::unregisterBuiltInScreen(3);
    Launcher::unregisterBuiltInScreen(4);
    DmConfig = nullptr;
}

} // namespace
