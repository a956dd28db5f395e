// The launcher's built-in entries open the user, group and password screens.
#include "mainmenu/launcher.h"
#include "security/frchangepassword.h"
#include "security/frusername.h"
#include "app/userscreens.h"
#include "securityfixture.h"
#include "site.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class BuiltInScreens : public SecuritySite
{
protected:
    BuiltInScreens()
    {
        site.config(QStringLiteral("Insert Into Menu (Id, Parent, OrderNo, Description, DescEnglish, Command) Values "
                                   "(2070100000, 0, 1, 'ผู้ใช้งาน', 'Users', 'SELF 1')\n/\n"
                                   "Insert Into Menu (Id, Parent, OrderNo, Description, DescEnglish, Command) Values "
                                   "(2070200000, 0, 2, 'เปลี่ยนรหัสผ่าน', 'Change Password', 'SELF 2')\n/\n"
                                   "Insert Into Menu (Id, Parent, OrderNo, Description, DescEnglish, Command) Values "
                                   "(2070500000, 0, 3, 'กลุ่มผู้ใช้งาน', 'User Groups', 'SELF 5')\n/"));
    }

    struct Opened
    {
        QWidget* window = nullptr;
        QString title;
        bool groupMode = false;
        bool modal = false;
    };

    // Launches the entry and notes what came up, then closes it without its question.
    Opened launch(qint64 id, const QString& command, const QString& description)
    {
        Opened seen;
        QTimer::singleShot(0, [&seen] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen.window = dialog;
            seen.title = dialog->windowTitle();
            seen.modal = dialog->isModal();
            if (auto* users = qobject_cast<TFrUserName*>(dialog))
                seen.groupMode = users->GroupMode;
            dialog->QDialog::done(0);
        });
        Launcher launcher;
        EXPECT_EQ(launcher.launch({ id, command, QString(), description },
                      LogonFixture::userId(site, QStringLiteral("ANN")), QDate(2026, 12, 10)),
            Launcher::Outcome::BuiltIn);
        return seen;
    }
};

TEST_F(BuiltInScreens, EntriesOpenTheirScreenOnceModallyCaptionedWithTheDescription)
{
    UserScreens screens(
        nullptr, [] { return QStringLiteral("./data"); }, false);
    const Opened users = launch(2070100000, QStringLiteral("SELF 1"), QStringLiteral("ผู้ใช้งาน"));
    ASSERT_NE(users.window, nullptr);
    EXPECT_EQ(users.window, screens.users());
    EXPECT_EQ(users.title, QStringLiteral("ผู้ใช้งาน"));
    EXPECT_TRUE(users.modal);
    EXPECT_FALSE(users.groupMode);
    EXPECT_EQ(dm.MenuCaption, QStringLiteral("ผู้ใช้งาน"));

    const Opened groups = launch(2070500000, QStringLiteral("SELF 05"), QStringLiteral("กลุ่มผู้ใช้งาน"));
    EXPECT_EQ(groups.window, screens.users()); // the same screen, reused
    EXPECT_TRUE(groups.groupMode);
    EXPECT_EQ(groups.title, QStringLiteral("กลุ่มผู้ใช้งาน"));

    const Opened change = launch(2070200000, QStringLiteral("SELF 2"), QStringLiteral("เปลี่ยนรหัสผ่าน"));
    ASSERT_NE(change.window, nullptr);
    EXPECT_EQ(change.window, screens.changePassword());
    EXPECT_EQ(change.title, QStringLiteral("เปลี่ยนรหัสผ่าน"));
    EXPECT_TRUE(change.modal);
    EXPECT_TRUE(dm.CanSetOtherUserPass); // looked up from ANN's group before the screen opened
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join(QLatin1Char('|')).toStdString();
}

TEST(DemoSite, GroupsFitTheUserAndPasswordWalkthrough)
{
    QTemporaryDir dir;
    Site::initDemo(dir.path(), 2026);
    const auto scalar = [&](const QString& select) {
        Connection c(QStringLiteral("demo"));
        c.profile().add({ QStringLiteral("SERVER NAME=") + dir.filePath(QStringLiteral("data")),
            QStringLiteral("DATABASE NAME=ZAQ_CONFIG"), QStringLiteral("USER NAME=zaq"),
            QStringLiteral("PASSWORD=hollyoak") });
        Query q(&c, { select });
        q.open();
        return q.field(0).asString();
    };
    const QString groupFlag = QStringLiteral(
        "select G.CanSetOtherUserPass from UserName U inner join UserName G on G.Id = U.GroupId where U.Code = '%1'");
    EXPECT_EQ(scalar(groupFlag.arg(QStringLiteral("SOMCHAI"))), QStringLiteral("Y"));
    EXPECT_EQ(scalar(groupFlag.arg(QStringLiteral("JOHN"))), QStringLiteral("N"));
    const QString reaches = QStringLiteral("select count(*) from UserRight R inner join Menu M on M.Id = R.Menu inner "
                                           "join UserName U on U.GroupId = R.UserName "
                                           "where U.Code = '%1' and M.Command in (%2)");
    EXPECT_EQ(scalar(reaches.arg(QStringLiteral("SOMCHAI"), QStringLiteral("'SELF 1', 'SELF 2', 'SELF 5'"))),
        QStringLiteral("3"));
    EXPECT_EQ(scalar(reaches.arg(QStringLiteral("JOHN"), QStringLiteral("'SELF 2'"))), QStringLiteral("1"));
}

} // namespace
