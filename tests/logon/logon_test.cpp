// The logon dialog driven as a person uses it, over a fixture site.
#include "config/dmconfig.h"
#include "config/logonlock.h"
#include "config/servernames.h"
#include "db/query.h"
#include "fakeworkstation.h"
#include "fixedclock.h"
#include "db/embedded/serverclock.h"
#include "logon/frlogon.h"
#include "logon/logontarget.h"
#include "logonfixture.h"
#include "scriptedprompts.h"
#include "testapp.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Target : LogonTarget
{
    int userId = 0;
    QString fullName, hint, panel;
    void setUserId(int id) override { userId = id; }
    void setFullNameText(const QString& t) override { fullName = t; }
    void setHeaderHint(const QString& t) override { hint = t; }
    void setCompanyPanelText(const QString& t) override { panel = t; }
};

const QString kUnknown = QStringLiteral("ไม่พบชื่อผู้ใช้");
const QString kWrongPassword = QStringLiteral("รหัสผ่านไม่ถูกต้อง");
const QString kNoDatabase = QStringLiteral("ผู้ใช้ไม่มีสิทธิ์ในการใช้งานฐานข้อมูลใด ๆ");

class Logon : public ::testing::Test
{
protected:
    Logon()
    {
        testApp();
        LogonFixture::build(site);
        DmConfig = &dm;
        dialog = std::make_unique<TFrLogon>(&target);
        dialog->show();
    }
    ~Logon() override { dialog.reset(); }

    void logOn(const QString& code, const QString& password)
    {
        dialog->UserName->setText(code);
        dialog->Password->setText(password);
        QTest::mouseClick(dialog->BtLogon, Qt::LeftButton);
    }

    FixtureSite site;
    ScriptedPrompts prompts;
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(9, 0)) };
    FakeWorkstation workstation;
    TDMConfig dm;
    Target target;
    std::unique_ptr<TFrLogon> dialog;
};

TEST_F(Logon, ShowsTheServerTodayAndTheUsersName)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ระบบรักษาความปลอดภัย ( tester )"));
    EXPECT_EQ(dialog->GetServer->text(), QStringLiteral("./data"));
    EXPECT_TRUE(dialog->GetServer->isReadOnly());
    EXPECT_EQ(dialog->WorkDate(), QDate(2026, 12, 10));
    EXPECT_EQ(dialog->WorkDateBox->text(), QStringLiteral("10/12/2026"));
    EXPECT_EQ(dialog->height(), TFrLogon::kLogonHeight);
    EXPECT_TRUE(dialog->BtLogon->isDefault());
    EXPECT_TRUE(dialog->GrpSelectDatabase->isHidden());
    EXPECT_EQ(dialog->GrpSelectDatabase->title(), QStringLiteral("  Database Listing  "));

    dialog->hide();
    QFile::remove(QStringLiteral("Server.Dat"));
    dialog->show();
    EXPECT_EQ(dialog->GetServer->text(), QLatin1String(kHostedServerName));
}

TEST_F(Logon, RefusesWithTheRightMessageAndCountsTheFailure)
{
    const struct
    {
        const char* code;
        const char* password;
        QString message; // empty: accepted
    } cases[] = {
        { "NOBODY", "x", kUnknown },
        { "SALES", "", kUnknown },        // a group's code
        { "OLD", "old", kUnknown },       // inactive
        { "", "", kUnknown },
        { "BOB", "bad", kWrongPassword },
        { "BOB", "bob ", kWrongPassword }, // a typed trailing blank counts
        { "BOB", "BOB", kWrongPassword },  // letter case counts
        { "NULLPW", "x", kWrongPassword },
        { "NULLPW", "", QString() },       // no stored password: only the empty one
        { "BLANK", "pw", QString() },      // a stored trailing blank is trimmed away
        { "BOB", "bob", QString() },
    };
    for (const auto& c : cases) {
        dialog->hide();
        dialog->setResult(0);
        dialog->show();
        prompts.clear();
        logOn(QString::fromUtf8(c.code), QString::fromUtf8(c.password));
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompts.allTexts().isEmpty()) << c.code;
            EXPECT_EQ(dialog->result(), QDialog::Accepted) << c.code;
            EXPECT_EQ(dialog->failureCount(), 0) << c.code;
        } else {
            EXPECT_EQ(prompts.informations(), QStringList { c.message }) << c.code << " / " << c.password;
            EXPECT_EQ(dialog->failureCount(), 1) << c.code;
            EXPECT_TRUE(dialog->isVisible()) << c.code;
            EXPECT_EQ(dialog->UserName->text(), QString::fromUtf8(c.code)); // boxes keep their text
        }
    }
}

TEST_F(Logon, TypedCodeTurnsUpperCase)
{
    dialog->UserName->clear();
    QTest::keyClicks(dialog->UserName, QStringLiteral("bob"));
    EXPECT_EQ(dialog->UserName->text(), QStringLiteral("BOB"));
    dialog->Password->setText(QStringLiteral("bob"));
    QTest::keyClick(dialog->Password, Qt::Key_Return); // Enter logs on
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(Logon, TwoFailuresThenSuccessAndTheThirdFailureEnds)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("1"));
    logOn(QStringLiteral("NOBODY"), QStringLiteral("2"));
    EXPECT_EQ(dialog->failureCount(), 2);
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    dialog->show(); // the count starts again at every show
    EXPECT_EQ(dialog->failureCount(), 0);
    logOn(QStringLiteral("BOB"), QStringLiteral("1"));
    logOn(QStringLiteral("BOB"), QStringLiteral("2"));
    EXPECT_TRUE(dialog->isVisible());
    logOn(QStringLiteral("BOB"), QStringLiteral("3"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(prompts.informations().size(), 5);
}

TEST_F(Logon, NoDatabaseForTheYearEndsTheProgram)
{
    logOn(QStringLiteral("PREV"), QStringLiteral("prev"));
    EXPECT_EQ(prompts.informations(), QStringList { kNoDatabase });
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(dialog->failureCount(), 3);
}

TEST_F(Logon, OneCompanyWithTwoDatabaseTypesIsOneItemAndBothNamesAreStored)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->DatabaseList->count(), 1); // C2026's company is not a local server
    EXPECT_EQ(dialog->DatabaseList->itemText(0), QStringLiteral("A Co Year 2026"));
    EXPECT_EQ(dm.DatabaseNames.value(1), QStringLiteral("A2026"));
    EXPECT_EQ(dm.DatabaseNames.value(2), QStringLiteral("AMFG2026"));
    EXPECT_EQ(target.userId, LogonFixture::userId(site, QStringLiteral("BOB")));
    EXPECT_EQ(target.fullName, QStringLiteral("Bob Brown"));
    EXPECT_EQ(target.hint, QStringLiteral("[ AAA ] A Co"));
    EXPECT_EQ(target.panel, QStringLiteral("[ A Co ]"));
    EXPECT_EQ(dm.UserCode, QStringLiteral("BOB"));
    EXPECT_FALSE(dm.PosUser);
    EXPECT_FALSE(dm.ThaiLanguage);
    EXPECT_EQ(dialog->ServerName(), QStringLiteral("./data"));
    EXPECT_FALSE(dialog->QCompList->isOpen());
}

TEST_F(Logon, SeveralCompaniesAreChosenFromTheList)
{
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->choosingDatabase());
    EXPECT_EQ(dialog->height(), TFrLogon::kChoiceHeight);
    EXPECT_TRUE(dialog->BtOk->isDefault());
    EXPECT_FALSE(dialog->BtLogon->isDefault());
    EXPECT_FALSE(dialog->UserName->isEnabled());
    EXPECT_FALSE(dialog->Password->isEnabled());
    EXPECT_FALSE(dialog->BtLogon->isEnabled());
    EXPECT_TRUE(dm.ThaiLanguage);
    // In branch order, databases without a branch first (by company code): AMFG2026 brings
    // its company AAA up first, then DDD; B2026 (branch 1) comes before A2026 (branch 2),
    // which repeats AAA and adds no item.
    ASSERT_EQ(dialog->DatabaseList->count(), 3);
    EXPECT_EQ(dialog->DatabaseList->itemText(0), QStringLiteral("A Co Year 2026"));
    EXPECT_EQ(dialog->DatabaseList->itemText(1), QStringLiteral("D Co Year 2026"));
    EXPECT_EQ(dialog->DatabaseList->itemText(2), QStringLiteral("B Co Year 2026"));
    dialog->DatabaseList->setCurrentIndex(2);
    QTest::mouseClick(dialog->BtOk, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dm.DatabaseNames.value(1), QStringLiteral("B2026"));
    EXPECT_EQ(target.panel, QStringLiteral("[ B Co ]"));
}

TEST_F(Logon, WorkDateInAnotherYearListsThatYear)
{
    site.config(QStringLiteral("Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList) "
                               "Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L Where U.Code = 'PREV' And L.DatabaseName = 'B2026'"));
    dialog->WorkDateBox->setDate(QDate(2025, 6, 1));
    logOn(QStringLiteral("PREV"), QStringLiteral("prev"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dm.DatabaseNames.value(1), QStringLiteral("A2025"));
}

TEST_F(Logon, ServerFileIsWrittenBeforeTheCodeIsChecked)
{
    site.writeFile(QStringLiteral("Server.Dat"), "  ./data  \nsecond line\n");
    dialog->hide();
    dialog->show();
    EXPECT_EQ(dialog->GetServer->text(), QStringLiteral("  ./data  "));
    logOn(QStringLiteral("NOBODY"), QString());
    QFile f(QStringLiteral("Server.Dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("./data\n"));
    EXPECT_EQ(dialog->ServerName(), QStringLiteral("./data"));
}

TEST_F(Logon, ServerFileThatCannotBeWrittenStopsTheAttemptUncounted)
{
    QFile::remove(QStringLiteral("Server.Dat"));
    QDir().mkdir(QStringLiteral("Server.Dat")); // a folder where the file should go
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    ASSERT_EQ(prompts.errors().size(), 1);
    EXPECT_TRUE(prompts.errors().first().contains(QLatin1String("Server.Dat")));
    EXPECT_TRUE(prompts.informations().isEmpty());
    EXPECT_EQ(dialog->failureCount(), 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dm.DmCfg->isOpen());
}

// The box's 40 characters limit typing only: a longer first line of Server.Dat
// (a fully qualified host name, a deep folder path) is shown, used and written
// back whole, or the site could never log on again.
TEST_F(Logon, LongServerNameIsShownUsedAndWrittenBackWhole)
{
    const QString host = QStringLiteral("sqlserver01.accounting.head-office.example-trading.co.th,1433");
    const QString folder = QStringLiteral("./a-folder-whose-name-alone-passes-forty-characters/../data");
    QDir().mkdir(QStringLiteral("a-folder-whose-name-alone-passes-forty-characters"));
    for (const QString& line : { host, folder }) {
        site.writeFile(QStringLiteral("Server.Dat"), line.toUtf8() + "\n");
        dialog->hide();
        dialog->show();
        EXPECT_EQ(dialog->GetServer->text(), line);
    }
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->ServerName(), folder);
    QFile f(QStringLiteral("Server.Dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), folder.toUtf8() + "\n");

    // Were the box ever typed into, it would stop at 40 characters.
    dialog->GetServer->setReadOnly(false);
    dialog->GetServer->clear();
    QTest::keyClicks(dialog->GetServer, QString(45, QLatin1Char('x')));
    EXPECT_EQ(dialog->GetServer->text(), QString(40, QLatin1Char('x')));
}

TEST_F(Logon, UnreachableServerIsReportedAndNotCounted)
{
    site.writeFile(QStringLiteral("Server.Dat"), "./gone\n");
    dialog->hide();
    dialog->show();
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    ASSERT_EQ(prompts.errors().size(), 1);
    EXPECT_TRUE(prompts.errors().first().contains(QLatin1String("./gone")));
    EXPECT_EQ(dialog->failureCount(), 0);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(Logon, LanguageFlipChangesTheTextsUntilTheUsersOwnLanguageIsSet)
{
    QTest::mouseClick(dialog->Panel1, Qt::LeftButton);
    EXPECT_TRUE(dm.ThaiLanguage); // starts false: the first click shows Thai
    EXPECT_EQ(dialog->Label1->text(), QStringLiteral("ชื่อผู้ใช้"));
    QTest::mouseClick(dialog->LogoImage, Qt::LeftButton);
    EXPECT_FALSE(dm.ThaiLanguage);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ZAQ Security System"));
    EXPECT_EQ(dialog->Label3->text(), QStringLiteral("Date"));
    EXPECT_EQ(dialog->Label1->text(), QStringLiteral("User ID"));
    EXPECT_EQ(dialog->Label2->text(), QStringLiteral("Password"));
    EXPECT_EQ(dialog->Label4->text(), QStringLiteral("เซิร์ฟเวอร์"));
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    EXPECT_TRUE(dm.ThaiLanguage); // ANN's language is Thai
}

// Only the picture panel and the picture flip the language: a click on a label,
// or on a box whether it takes input or is disabled while a database is chosen,
// leaves it alone.
TEST_F(Logon, OnlyThePanelAndThePictureFlipTheLanguage)
{
    const auto clickEverythingElse = [this](const char* when) {
        const bool before = dm.ThaiLanguage;
        for (QWidget* w : std::initializer_list<QWidget*> { dialog->Label1, dialog->Label2, dialog->Label3, dialog->Label4,
                 dialog->WorkDateBox, dialog->GetServer, dialog->UserName, dialog->Password }) {
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, 3));
            EXPECT_EQ(dm.ThaiLanguage, before) << when << ": " << w->objectName().toStdString();
        }
    };
    clickEverythingElse("logging on");
    QTest::mouseClick(dialog->Panel1, Qt::LeftButton, {}, QPoint(3, 120)); // a bare spot of the panel
    EXPECT_TRUE(dm.ThaiLanguage);

    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    ASSERT_TRUE(dialog->choosingDatabase());
    ASSERT_FALSE(dialog->UserName->isEnabled());
    clickEverythingElse("choosing a database");
    QTest::mouseClick(dialog->LogoImage, Qt::LeftButton);
    EXPECT_FALSE(dm.ThaiLanguage);
}

// What the README says of SOMCHAI on the demo site: both companies, of the work
// date's year only; last year's two come up with a date of last year.
TEST_F(Logon, DemoSiteOffersSomchaiTheWorkDatesYear)
{
    Site::initDemo(site.file(QStringLiteral("demo")), 2026);
    site.writeFile(QStringLiteral("Server.Dat"), "./demo/data\n");
    const struct
    {
        QDate workDate;
        QStringList items;
    } cases[] = {
        { QDate(2026, 12, 10),
            { QStringLiteral("QLN QLN Trading - Accounting 2026"), QStringLiteral("SIAM FOODS Siam Foods - Accounting 2026 (ยังไม่กำหนดเลขที่เอกสาร)") } },
        { QDate(2025, 6, 1), { QStringLiteral("QLN QLN Trading - Accounting 2025"), QStringLiteral("SIAM FOODS Siam Foods - Accounting 2025") } },
    };
    for (const auto& c : cases) {
        dialog->hide();
        dialog->show();
        dialog->WorkDateBox->setDate(c.workDate);
        logOn(QStringLiteral("SOMCHAI"), QStringLiteral("1234"));
        ASSERT_TRUE(dialog->choosingDatabase()) << prompts.allTexts().join(QLatin1Char('|')).toStdString();
        QStringList items;
        for (int i = 0; i < dialog->DatabaseList->count(); ++i)
            items << dialog->DatabaseList->itemText(i);
        EXPECT_EQ(items, c.items) << c.workDate.year();
    }
    // The assignment screen offers every database as "year - description": no two alike.
    Query databases(dm.DmCfg, { QStringLiteral("Select YearNo, Description From DatabaseList") });
    QStringList choices;
    for (databases.open(); !databases.eof(); databases.next())
        choices << databases.field(QStringLiteral("YearNo")).asString() + QStringLiteral(" - ") + databases.field(QStringLiteral("Description")).asString();
    EXPECT_EQ(choices.size(), 6);
    EXPECT_EQ(QSet<QString>(choices.begin(), choices.end()).size(), choices.size()) << choices.join(QLatin1Char('|')).toStdString();
}

TEST_F(Logon, CancelStoresNothing)
{
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    QTest::keyClick(dialog->DatabaseList, Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(target.userId, 0);
    EXPECT_TRUE(dm.DatabaseNames.isEmpty());
}

// The program ends after three failures; a restart is a new data module and a
// new dialog, which must not forget what the database counted.
class LogonLockAcrossRestarts : public Logon
{
protected:
    // The server's clock keeps step with the workstation's, `serverBehind`
    // seconds behind it: the lock must go by the server's.
    LogonLockAcrossRestarts()
    {
        ServerClock::setSource([this] { return clock.now().addSecs(-serverBehind); });
    }
    qint64 serverBehind = 0;
    void restart()
    {
        dialog.reset();
        dm2 = std::make_unique<TDMConfig>();
        DmConfig = dm2.get();
        dialog = std::make_unique<TFrLogon>(&target);
        dialog->show();
    }
    // Wrong passwords for the code, restarting whenever the dialog has ended the program.
    void fail(const QString& code, int times)
    {
        for (int i = 0; i < times; ++i) {
            if (!dialog->isVisible())
                restart();
            logOn(code, QStringLiteral("guess%1").arg(i));
        }
    }
    int counted(const QString& code) const
    {
        return site.configScalar(QStringLiteral("select coalesce(max(Failures), 0) from LogonFailure where Code = '%1'").arg(code)).toInt();
    }
    ~LogonLockAcrossRestarts() override
    {
        dialog.reset();
        DmConfig = &dm;
        ServerClock::setSource({});
    }
    std::unique_ptr<TDMConfig> dm2;
};

TEST_F(LogonLockAcrossRestarts, AWorkstationWhoseClockRunsAheadStaysLockedOut)
{
    fail(QStringLiteral("BOB"), LogonLock::kFailures);
    // A workstation an hour ahead of the server, a minute after the lock began.
    clock.advance(60 * 60 + 60);
    serverBehind = 60 * 60;
    restart();
    prompts.clear();
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(prompts.informations().size(), 1);
    EXPECT_TRUE(prompts.informations().first().contains(QStringLiteral("14 นาที"))) << prompts.informations().first().toStdString();
    EXPECT_EQ(counted(QStringLiteral("BOB")), 10); // the lock is not cleared

    // Its wrong passwords count in the server's window too.
    clock.advance(16 * 60);
    restart();
    logOn(QStringLiteral("BOB"), QStringLiteral("nope"));
    EXPECT_EQ(counted(QStringLiteral("BOB")), 1);
}

TEST_F(LogonLockAcrossRestarts, OneCountPerCode)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("nope"));
    logOn(QStringLiteral("BOB"), QStringLiteral("nope"));
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from LogonFailure where Code = 'BOB'")).toInt(), 1);
    EXPECT_EQ(counted(QStringLiteral("BOB")), 2);
    // Workstations failing at the same moment cannot make a second row.
    EXPECT_ANY_THROW(site.config(QStringLiteral("Insert Into LogonFailure (Code, Failures, LastFailure) Values ('bob ', 1, GetDate())")));
}

TEST_F(LogonLockAcrossRestarts, TenFailuresLockTheCodeForTheWindowEvenWithTheRightPassword)
{
    fail(QStringLiteral("BOB"), LogonLock::kFailures);
    EXPECT_EQ(counted(QStringLiteral("BOB")), 10);
    restart();
    prompts.clear();
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(prompts.informations().size(), 1);
    EXPECT_TRUE(prompts.informations().first().startsWith(QStringLiteral("รหัสผู้ใช้นี้ถูกระงับชั่วคราว"))) << prompts.informations().first().toStdString();
    EXPECT_TRUE(prompts.informations().first().contains(QStringLiteral("15 นาที")));
    EXPECT_EQ(dialog->failureCount(), 1); // the three-failure ending still counts it
    EXPECT_EQ(counted(QStringLiteral("BOB")), 10); // a refusal during the lock does not extend it

    // Another code is not touched; the English dialog says it in English.
    dialog->Panel1Click();
    dialog->Panel1Click();
    ASSERT_EQ(dialog->Label1->text(), QStringLiteral("User ID"));
    prompts.clear();
    clock.advance(14 * 60);
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    ASSERT_EQ(prompts.informations().size(), 1);
    EXPECT_TRUE(prompts.informations().first().startsWith(QStringLiteral("This user code is locked after 10 wrong passwords."))) << prompts.informations().first().toStdString();
    EXPECT_TRUE(prompts.informations().first().contains(QStringLiteral("in 1 minute(s)")));

    // Fifteen minutes after the tenth failure the right password opens it and clears the count.
    clock.advance(60);
    restart();
    prompts.clear();
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted) << prompts.allTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from LogonFailure where Code = 'BOB'")).toInt(), 0);
}

TEST_F(LogonLockAcrossRestarts, OnlyConsecutiveFailuresWithinTheWindowCount)
{
    const struct
    {
        const char* what;
        int before;         // failures first
        int gapSeconds;     // then the clock moves on
        bool succeedBetween; // and the right password is given
        int after;          // then more failures
        bool locked;
    } cases[] = {
        { "nine are not enough", 9, 0, false, 0, false },
        { "ten are", 9, 60, false, 1, true },
        { "a success resets the count", 9, 0, true, 9, false },
        { "a failure after the window starts the count again", 9, 15 * 60 + 1, false, 1, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        site.config(QStringLiteral("Delete From LogonFailure"));
        restart();
        fail(QStringLiteral("ANN"), c.before);
        clock.advance(c.gapSeconds);
        if (c.succeedBetween) {
            restart();
            logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
            ASSERT_TRUE(dialog->choosingDatabase());
        }
        restart();
        fail(QStringLiteral("ANN"), c.after);
        restart();
        prompts.clear();
        logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
        EXPECT_EQ(!dialog->choosingDatabase(), c.locked) << prompts.allTexts().join(QLatin1Char('|')).toStdString();
    }
}

} // namespace
