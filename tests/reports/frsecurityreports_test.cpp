// The security reports screen over the logon and menu fixtures: what each page
// shows, the reachability rule, Unlock with its trail row, and the exports.
#include "config/dmconfig.h"
#include "fakeworkstation.h"
#include "fixedclock.h"
#include "db/embedded/serverclock.h"
#include "logonfixture.h"
#include "menufixture.h"
#include "reports/frsecurityreports.h"
#include "scriptedprompts.h"
#include "testapp.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

QStringList column(const Reports::Table& t, int c = 0)
{
    QStringList out;
    for (const QStringList& row : t.rows)
        out.append(row.value(c));
    return out;
}

class SecurityReportsScreen : public ::testing::Test
{
protected:
    SecurityReportsScreen()
    {
        testApp();
        LogonFixture::build(site);
        MenuFixture::build(site);
        DmConfig = &dm;
        dm.DmCfg->open();
        dm.UserId = LogonFixture::userId(site, QStringLiteral("ANN"));
        dm.UserCode = QStringLiteral("ANN");
        dm.ThaiLanguage = false;
        screen = std::make_unique<TFrSecurityReports>(nullptr, dm.DmCfg);
        screen->show();
    }
    ~SecurityReportsScreen() override
    {
        screen.reset();
        DmConfig = nullptr;
    }
    void show(TFrSecurityReports::Page page)
    {
        screen->Pages->setCurrentIndex(page);
        screen->BShow->click();
    }

    FixtureSite site;
    ScriptedPrompts prompts;
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(9, 0)) };
    // The site's server keeps the same time: locks go by the server's clock.
    struct ServerTime
    {
        explicit ServerTime(const FixedClock& c) { ServerClock::setSource([&c] { return c.now(); }); }
        ~ServerTime() { ServerClock::setSource({}); }
    } serverTime { clock };
    FakeWorkstation workstation;
    TDMConfig dm;
    std::unique_ptr<TFrSecurityReports> screen;
};

TEST_F(SecurityReportsScreen, WhoCanKeepsTheGrantedButUnreachableApart)
{
    screen->EntryEdit->setText(QStringLiteral("Unreachable"));
    show(TFrSecurityReports::WhoCan);
    ASSERT_EQ(screen->shown(TFrSecurityReports::WhoCan).size(), 2) << prompts.allTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(column(screen->shown(TFrSecurityReports::WhoCan).at(0)), QStringList { QStringLiteral("ANN") });
    EXPECT_EQ(screen->shown(TFrSecurityReports::WhoCan).at(1).title, QStringLiteral("Granted but unreachable"));
    EXPECT_TRUE(column(screen->shown(TFrSecurityReports::WhoCan).at(1)).contains(QStringLiteral("BOB")));

    // What BOB can do: his tree has no entry below the folder his group lacks.
    screen->UserCodeEdit->setText(QStringLiteral("bob"));
    show(TFrSecurityReports::UserRights);
    const QStringList ids = column(screen->shown(TFrSecurityReports::UserRights).at(1), 1);
    EXPECT_TRUE(ids.contains(QStringLiteral("10201000")));
    EXPECT_FALSE(ids.contains(QStringLiteral("10301000")));

    // A name the site does not know is said, and the page keeps what it showed.
    screen->UserCodeEdit->setText(QStringLiteral("NOBODY"));
    show(TFrSecurityReports::UserRights);
    EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("No user NOBODY.") });
    EXPECT_EQ(screen->shown(TFrSecurityReports::UserRights).at(1).rows.size(), ids.size());
}

TEST_F(SecurityReportsScreen, DormantAndMembersShowTheLogonHistory)
{
    site.config(QStringLiteral("Insert Into LogonHistory (UserId, UserCode, LogonDate, Workstation, DatabaseName) Select Id, Code, '2026-12-09 08:00:00', 'WS01', 'A2026' From UserName Where Code = 'BOB'"));
    show(TFrSecurityReports::Dormant);
    EXPECT_EQ(screen->DaysBox->value(), 90);
    const QStringList dormant = column(screen->shown(TFrSecurityReports::Dormant).at(0));
    EXPECT_TRUE(dormant.contains(QStringLiteral("ANN")));
    EXPECT_FALSE(dormant.contains(QStringLiteral("BOB")));

    screen->Pages->setCurrentIndex(TFrSecurityReports::Members);
    screen->GroupBox->setCurrentText(QStringLiteral("SALES"));
    screen->BShow->click();
    const Reports::Table members = screen->shown(TFrSecurityReports::Members).at(0);
    const int bob = int(column(members).indexOf(QStringLiteral("BOB")));
    ASSERT_GE(bob, 0);
    EXPECT_EQ(members.rows.at(bob).last(), QStringLiteral("09/12/2026 08:00:00"));
}

TEST_F(SecurityReportsScreen, UnlockLiftsTheChosenLockAndWritesItsTrailRow)
{
    site.config(QStringLiteral("Insert Into LogonFailure (Code, Failures, LastFailure) Values ('BOB', 10, '2026-12-10 08:55:00')"));
    show(TFrSecurityReports::Locks);
    ASSERT_EQ(column(screen->shown(TFrSecurityReports::Locks).at(0)), QStringList { QStringLiteral("BOB") });
    QTableView* grid = screen->grid(TFrSecurityReports::Locks);
    grid->setCurrentIndex(grid->model()->index(2, 0)); // the title, the column names, then BOB
    prompts.queueConfirm(true);
    screen->BUnlock->click();
    EXPECT_TRUE(screen->shown(TFrSecurityReports::Locks).at(0).rows.isEmpty());
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from LogonFailure")).toInt(), 0);
    EXPECT_EQ(site.configScalar(QStringLiteral("select UserCode + '|' + Screen + '|' + Action + '|' + TargetCode from SecurityLog")).toString(),
        QStringLiteral("ANN|security reports|unlock|BOB"));

    // The trail page shows that row, newest first, filtered by screen.
    screen->SinceEdit->setDate(QDate(2026, 12, 1));
    screen->ScreenEdit->setText(QStringLiteral("security reports"));
    show(TFrSecurityReports::Trail);
    ASSERT_EQ(screen->shown(TFrSecurityReports::Trail).at(0).rows.size(), 1);
    EXPECT_TRUE(screen->shown(TFrSecurityReports::Trail).at(0).rows.at(0).last().endsWith(QStringLiteral("lifted by ANN on WS01 with the security reports")));
    screen->ScreenEdit->setText(QStringLiteral("users"));
    show(TFrSecurityReports::Trail);
    EXPECT_TRUE(screen->shown(TFrSecurityReports::Trail).at(0).rows.isEmpty());
}

TEST_F(SecurityReportsScreen, ThaiCaptionsByTheLogonLanguageAndTheExportOfAPage)
{
    dm.ThaiLanguage = true;
    TFrSecurityReports thai(nullptr, dm.DmCfg);
    EXPECT_EQ(thai.windowTitle(), QStringLiteral("รายงานความปลอดภัย"));
    EXPECT_EQ(thai.Pages->tabText(TFrSecurityReports::Dormant), QStringLiteral("ผู้ใช้ที่ไม่ได้ใช้งาน"));
    EXPECT_EQ(screen->Pages->tabText(TFrSecurityReports::Dormant), QStringLiteral("Dormant accounts"));
    dm.ThaiLanguage = false;

    show(TFrSecurityReports::Dormant);
    const QString file = site.file(QStringLiteral("dormant.csv"));
    screen->exportTo(file);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes.mid(3));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Code,FullName,Group,Created,LastLogon\r\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ANN,แอน ทดสอบ,ADMIN,"))) << text.toStdString();
}

} // namespace
