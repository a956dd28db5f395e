// The user and group screen driven as a person uses it, over a fixture site.
#include "db/connection.h"
#include "db/query.h"
#include "security/frchangepassword.h"
#include "security/frusername.h"
#include "security/passwords.h"
#include "security/privilegecatalogue.h"
#include "securityfixture.h"
#include "trailrows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

namespace {

const QString kNoCode = QStringLiteral("ยังไม่ได้ป้อนชื่อผู้ใช้");

class UserScreen : public SecuritySite
{
protected:
    UserScreen() { dm.MenuCaption = QStringLiteral("ผู้ใช้งาน"); }
    ~UserScreen() override { screen.reset(); }

    void open(bool groupMode)
    {
        screen = std::make_unique<TFrUserName>();
        screen->GroupMode = groupMode;
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    }

    // Types a code into the code box and leaves it with Tab.
    void enter(const QString& code)
    {
        screen->UserName->setFocus();
        QTest::keyClicks(screen->UserName, code);
        QTest::keyClick(screen->UserName, Qt::Key_Tab);
    }

    void type(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->setText(text); // QTest types ASCII only
        QTest::keyClick(box, Qt::Key_Tab);
    }

    void save(bool yes = true)
    {
        prompts.queueConfirm(yes);
        screen->AcSave->trigger();
    }

    QVariant column(const QString& code, const QString& name, const QString& isDepartment = QStringLiteral("N")) const
    {
        return scalar(QStringLiteral("select %1 from UserName where Code = '%2' and IsDepartment = '%3'")
                          .arg(name, code, isDepartment));
    }

    QByteArray storedPassword(const QString& code)
    {
        Query q(dm.DmCfg, { QStringLiteral("Select Cast(PASSWORD As VarBinary(11)) P From UserName Where Code = :c") });
        q.setParam(QStringLiteral("c"), code);
        q.open();
        return q.field(QStringLiteral("P")).asBytes();
    }

    std::unique_ptr<TFrUserName> screen;
};

TEST_F(UserScreen, ShowsTheBoxesOfItsModeAtItsHeight)
{
    open(false);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("ผู้ใช้งาน"));
    EXPECT_EQ(screen->statusText(0), QStringLiteral("บริษัท เอ จำกัด"));
    EXPECT_EQ(screen->height(), TFrUserName::kUserHeight);
    EXPECT_TRUE(screen->GbUserInfo->isVisible());
    EXPECT_TRUE(screen->GbUserGroup->isVisible());
    EXPECT_FALSE(screen->GbUserTablet->isVisible()); // the fixture's software setting says N
    EXPECT_FALSE(screen->GbGroupInfo->isVisible());
    EXPECT_EQ(screen->LbCode->text(), QStringLiteral("รหัสผู้ใช้"));
    EXPECT_FALSE(screen->AcSave->isEnabled());
    EXPECT_FALSE(screen->AcDel->isEnabled());
    EXPECT_EQ(screen->focusWidget(), screen->UserName);
    // Active groups only, code and name; the built-in group is ZAQ's to give.
    QStringList groups;
    for (int i = 0; i < screen->GroupId->count(); ++i)
        groups.append(screen->GroupId->itemText(i));
    EXPECT_EQ(groups, (QStringList { QString(), QStringLiteral("ADMIN ผู้ดูแล"), QStringLiteral("SALES ฝ่ายขาย") }));
    screen->hide();

    open(true);
    EXPECT_EQ(screen->height(), TFrUserName::kGroupHeight);
    EXPECT_TRUE(screen->GbGroupInfo->isVisible());
    EXPECT_TRUE(screen->GbGroupWeb->isVisible());
    EXPECT_FALSE(screen->GbUserInfo->isVisible());
    EXPECT_FALSE(screen->flagBox(QStringLiteral("AppReActivePosShift"))->isVisible());
    EXPECT_EQ(screen->LbCode->text(), QStringLiteral("กลุ่มผู้ใช้"));
}

// The n-th flag of every column of a box stands on one line, the columns
// pack from the top alike, and no two flags of a column overlap.
TEST_F(UserScreen, GroupFlagsLineUpAcrossTheColumnsOfTheirBox)
{
    open(true);
    QCoreApplication::processEvents();
    for (const Privileges::Box box : { Privileges::Box::GroupWeb, Privileges::Box::GroupInfo }) {
        QMap<int, QList<QCheckBox*>> columns;
        for (const Privileges::Column& c : Privileges::inBox(box)) {
            if (c.visible)
                columns[c.boxColumn].append(screen->flagBox(QLatin1String(c.name)));
        }
        const QList<QCheckBox*> first = columns.first();
        for (const QList<QCheckBox*>& column : std::as_const(columns)) {
            for (int row = 0; row < column.size(); ++row) {
                SCOPED_TRACE(column[row]->objectName().toStdString());
                if (row < first.size()) {
                    EXPECT_NEAR(column[row]->geometry().center().y(), first[row]->geometry().center().y(), 1);
                }
                if (row > 0) {
                    EXPECT_GT(column[row]->y(), column[row - 1]->geometry().bottom());
                }
            }
        }
    }
}

TEST_F(UserScreen, NewUserWithUntouchedBoxesLogsOnWithTheEmptyPassword)
{
    open(false);
    enter(QStringLiteral("newbie"));
    EXPECT_TRUE(screen->NewRecord);
    EXPECT_EQ(screen->UserName->text(), QStringLiteral("NEWBIE"));
    EXPECT_EQ(screen->FullName->text(), QStringLiteral("NEWBIE"));
    EXPECT_TRUE(screen->Password->isEnabled());
    EXPECT_TRUE(screen->AcSave->isEnabled());
    EXPECT_FALSE(screen->AcDel->isEnabled());
    EXPECT_FALSE(screen->UserName->isEnabled());
    save();
    EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::Confirm), QStringList { QStringLiteral("Save ผู้ใช้งาน ? ") });
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join(QLatin1Char('|')).toStdString();

    EXPECT_EQ(column(QStringLiteral("NEWBIE"), QStringLiteral("IsDepartment")).toString(), QStringLiteral("N"));
    EXPECT_EQ(column(QStringLiteral("NEWBIE"), QStringLiteral("ACTIVE")).toString(), QStringLiteral("Y"));
    EXPECT_EQ(column(QStringLiteral("NEWBIE"), QStringLiteral("LANGUAGENO")).toInt(), 1);
    EXPECT_EQ(column(QStringLiteral("NEWBIE"), QStringLiteral("FULLNAME")).toString(), QStringLiteral("NEWBIE"));
    EXPECT_EQ(column(QStringLiteral("NEWBIE"), QStringLiteral("AddDate")),
        column(QStringLiteral("NEWBIE"), QStringLiteral("EditDate")));
    EXPECT_FALSE(column(QStringLiteral("NEWBIE"), QStringLiteral("AddDate")).isNull());
    for (const Privileges::Column& c : Privileges::columns()) {
        if (c.box == Privileges::Box::GroupInfo || c.box == Privileges::Box::GroupWeb) {
            EXPECT_EQ(column(QStringLiteral("NEWBIE"), QLatin1String(c.name)).toString(), QStringLiteral("N"))
                << c.name;
        }
    }
    const QByteArray scrambled = storedPassword(QStringLiteral("NEWBIE"));
    EXPECT_EQ(scrambled.size(), 11);
    EXPECT_EQ(Passwords::UnscramblePassword(scrambled), QString());

    // Back to blank, and the new user logs on at once.
    EXPECT_TRUE(screen->UserName->isEnabled());
    EXPECT_TRUE(screen->UserName->text().isEmpty());
    EXPECT_TRUE(logsOn(QStringLiteral("NEWBIE"), QString()));
    EXPECT_FALSE(logsOn(QStringLiteral("NEWBIE"), QStringLiteral("x")));
}

TEST_F(UserScreen, NewUserLogsOnWithThePasswordTypedAndLetterCaseMatters)
{
    open(false);
    enter(QStringLiteral("PAT"));
    type(screen->FullName, QStringLiteral("แพท ทดสอบ"));
    type(screen->Password, QStringLiteral("Secret9"));
    type(screen->Confirm, QStringLiteral("Secret8"));
    save();
    EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("Password Error") });
    EXPECT_TRUE(prompts.texts(ScriptedPrompts::Kind::Confirm).isEmpty());
    prompts.clear();
    prompts.queueConfirm(true); // left unused by the refused save above
    prompts.clear();

    // A character code page 874 lacks would be stored as '?': refused before anything is written.
    type(screen->Password, QStringLiteral("Secr\u20ACt\u0101"));
    type(screen->Confirm, QStringLiteral("Secr\u20ACt\u0101"));
    save();
    EXPECT_EQ(prompts.informations(), QStringList { Passwords::NotStorableMessage(true) });
    EXPECT_FALSE(column(QStringLiteral("PAT"), QStringLiteral("ID")).isValid());
    prompts.clear();
    prompts.queueConfirm(true);
    prompts.clear();

    type(screen->Password, QStringLiteral("Secret9"));
    type(screen->Confirm, QStringLiteral("Secret9"));
    screen->GroupId->setCurrentIndex(screen->GroupId->findText(QStringLiteral("SALES ฝ่ายขาย")));
    screen->LanguageNo->setCurrentIndex(1);
    save();
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(column(QStringLiteral("PAT"), QStringLiteral("FULLNAME")).toString(), QStringLiteral("แพท ทดสอบ"));
    EXPECT_EQ(column(QStringLiteral("PAT"), QStringLiteral("GroupId")).toInt(),
        LogonFixture::userId(site, QStringLiteral("SALES")));
    EXPECT_EQ(column(QStringLiteral("PAT"), QStringLiteral("LANGUAGENO")).toInt(), 2);
    EXPECT_EQ(Passwords::UnscramblePassword(storedPassword(QStringLiteral("PAT"))), QStringLiteral("Secret9"));
    EXPECT_TRUE(logsOn(QStringLiteral("PAT"), QStringLiteral("Secret9")));
    EXPECT_FALSE(logsOn(QStringLiteral("PAT"), QStringLiteral("secret9")));
    EXPECT_FALSE(logsOn(QStringLiteral("PAT"), QStringLiteral("Secret9 ")));
}

TEST_F(UserScreen, NewGroupGetsEveryDefault)
{
    open(true);
    enter(QStringLiteral("GRP"));
    EXPECT_TRUE(screen->NewRecord);
    for (const Privileges::Column& c : Privileges::columns()) {
        if (c.box == Privileges::Box::GroupInfo || c.box == Privileges::Box::GroupWeb) {
            EXPECT_FALSE(screen->flagBox(QLatin1String(c.name))->isChecked()) << c.name;
        }
    }
    screen->flagBox(QStringLiteral("CanSetOtherUserPass"))->setChecked(true);
    screen->flagBox(QStringLiteral("Web_Commercial"))->setChecked(true);
    save();
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join(QLatin1Char('|')).toStdString();
    const QString g = QStringLiteral("GRP");
    const QString y = QStringLiteral("Y");
    EXPECT_EQ(column(g, QStringLiteral("ACTIVE"), y).toString(), y);
    EXPECT_EQ(column(g, QStringLiteral("LANGUAGENO"), y).toInt(), 1);
    EXPECT_TRUE(column(g, QStringLiteral("GroupId"), y).isNull());
    EXPECT_EQ(column(g, QStringLiteral("FULLNAME"), y).toString(), g);
    for (const Privileges::Column& c : Privileges::columns()) {
        if (c.box != Privileges::Box::GroupInfo && c.box != Privileges::Box::GroupWeb)
            continue;
        const bool ticked = QLatin1String(c.name) == QLatin1String("CanSetOtherUserPass")
            || QLatin1String(c.name) == QLatin1String("Web_Commercial");
        EXPECT_EQ(column(g, QLatin1String(c.name), y).toString(), ticked ? y : QStringLiteral("N")) << c.name;
    }
    EXPECT_TRUE(column(g, QStringLiteral("CanModifyCredit"), y).isNull());
    EXPECT_TRUE(column(g, QStringLiteral("CanSaleCreditOnReturnCheque"), y).isNull());
}

TEST_F(UserScreen, SavingAnExistingRowChangesOnlyWhatTheScreenOwns)
{
    // PASSWORD with a zero byte and bytes the Thai code page has no character for.
    QByteArray scrambled = Passwords::ScramblePassword(QStringLiteral("old1"), 0);
    scrambled[5] = char(0xDB);
    site.config(QStringLiteral("Insert Into UserName (Code, FullName, IsDepartment, Active, PasswordNew, GroupId, "
                               "SHIFTNO, SALEMAN, CanModifyCredit, "
                               "CanSaleCreditOnReturnCheque, POS_USER, CanSetProductBlock, AddDate, EditDate) "
                               "Values ('KEEP', 'Keep Me', 'N', 'Y', Cast('kp' As VarBinary(Max)), 1, 3, 7, 'Y', 'X', "
                               "'Y', Null, '2020-01-02 03:04:05', '2020-01-02 03:04:05')"));
    {
        Query q(dm.DmCfg, { QStringLiteral("Update UserName Set PASSWORD = :p Where Code = 'KEEP'") });
        q.setParam(QStringLiteral("p"), scrambled);
        q.execSql();
    }
    ASSERT_EQ(storedPassword(QStringLiteral("KEEP")), scrambled);
    const QVariant addDate = column(QStringLiteral("KEEP"), QStringLiteral("AddDate"));

    open(false);
    enter(QStringLiteral("KEEP"));
    EXPECT_FALSE(screen->NewRecord);
    EXPECT_FALSE(screen->Password->isEnabled());
    EXPECT_TRUE(screen->AcDel->isEnabled());
    type(screen->Email, QStringLiteral("keep@example.com"));
    save();
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join(QLatin1Char('|')).toStdString();

    EXPECT_EQ(column(QStringLiteral("KEEP"), QStringLiteral("Email")).toString(), QStringLiteral("keep@example.com"));
    EXPECT_EQ(storedPassword(QStringLiteral("KEEP")), scrambled);
    EXPECT_EQ(column(QStringLiteral("KEEP"), QStringLiteral("Cast(PasswordNew As VarChar(10))")).toString(),
        QStringLiteral("kp"));
    EXPECT_EQ(column(QStringLiteral("KEEP"), QStringLiteral("AddDate")), addDate);
    EXPECT_NE(column(QStringLiteral("KEEP"), QStringLiteral("EditDate")), addDate);
    const struct
    {
        const char* column;
        const char* value;
    } kept[]
        = { { "SHIFTNO", "3" }, { "SALEMAN", "7" }, { "CanModifyCredit", "Y" }, { "CanSaleCreditOnReturnCheque", "X" },
              { "POS_USER", "Y" }, { "CanSetProductBlock", "N" }, { "FULLNAME", "Keep Me" }, { "GroupId", "1" } };
    for (const auto& k : kept)
        EXPECT_EQ(column(QStringLiteral("KEEP"), QLatin1String(k.column)).toString(), QLatin1String(k.value))
            << k.column;
}

TEST_F(UserScreen, NullFlagOfAGroupShowsUntickedAndIsSavedAsNo)
{
    site.config(QStringLiteral("Insert Into UserName (Code, FullName, IsDepartment, Active, CanSetProductBlock, "
                               "CanModifyCredit) Values ('NG', Null, 'Y', 'Y', Null, 'Y')"));
    open(true);
    enter(QStringLiteral("NG"));
    EXPECT_FALSE(screen->NewRecord);
    EXPECT_EQ(screen->FullName->text(), QStringLiteral("NG")); // no name yet: the code
    EXPECT_FALSE(screen->flagBox(QStringLiteral("CanSetProductBlock"))->isChecked());
    save();
    EXPECT_EQ(column(QStringLiteral("NG"), QStringLiteral("CanSetProductBlock"), QStringLiteral("Y")).toString(),
        QStringLiteral("N"));
    EXPECT_EQ(
        column(QStringLiteral("NG"), QStringLiteral("FULLNAME"), QStringLiteral("Y")).toString(), QStringLiteral("NG"));
    EXPECT_EQ(column(QStringLiteral("NG"), QStringLiteral("CanModifyCredit"), QStringLiteral("Y")).toString(),
        QStringLiteral("Y"));
}

TEST_F(UserScreen, ACodeOfTheOtherModeStartsANewRecord)
{
    open(false);
    enter(QStringLiteral("ADMIN")); // a group
    EXPECT_TRUE(screen->NewRecord);
    EXPECT_TRUE(screen->Password->isEnabled());
    screen->hide();
    open(true);
    enter(QStringLiteral("ANN")); // a user
    EXPECT_TRUE(screen->NewRecord);
    EXPECT_EQ(screen->value(QStringLiteral("IsDepartment")).toString(), QStringLiteral("Y"));
}

TEST_F(UserScreen, ReservedCodes)
{
    const struct
    {
        const char* loggedOn;
        bool groupMode;
        const char* typed;
        QStringList messages;
        bool loads; // an existing row comes up
    } cases[] = {
        { "ANN", false, "zaq", { QStringLiteral("User Code Not Allow !!!"), kNoCode }, false },
        { "ANN", true, "ZAQSYSTEM", { QStringLiteral("Group Code Not Allow !!!"), kNoCode }, false },
        { "ANN", false, "ZAQSYSTEM", {}, false }, // a group's code in user mode: a new user
        { "ZAQ", false, "zaq", {}, true },
        { "ZAQ", true, "zaqsystem", {}, true },
        { "ANN", false, "", { kNoCode }, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.loggedOn) + " " + c.typed);
        logOnAs(QLatin1String(c.loggedOn), true);
        open(c.groupMode);
        prompts.clear();
        enter(QLatin1String(c.typed));
        EXPECT_EQ(prompts.informations(), c.messages);
        EXPECT_EQ(!screen->NewRecord, c.loads);
        EXPECT_EQ(screen->UserName->isEnabled(), c.messages.contains(kNoCode));
    }
}

TEST_F(UserScreen, ZaqMaySaveTheReservedRowsAndDeleteTheGroupButNotTheUser)
{
    logOnAs(QStringLiteral("ZAQ"), true);
    open(false);
    enter(QStringLiteral("ZAQ"));
    type(screen->Remark, QStringLiteral("built in"));
    save();
    EXPECT_EQ(column(QStringLiteral("ZAQ"), QStringLiteral("Remark")).toString(), QStringLiteral("built in"));
    enter(QStringLiteral("ZAQ"));
    prompts.clear();
    screen->AcDel->trigger();
    EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("User นี้ลบไม่ได้ครับ") });
    EXPECT_TRUE(prompts.texts(ScriptedPrompts::Kind::ConfirmBlue).isEmpty());
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserName where Code = 'ZAQ'")).toInt(), 1);

    screen->hide();
    open(true);
    enter(QStringLiteral("ZAQSYSTEM"));
    save();
    enter(QStringLiteral("ZAQSYSTEM"));
    prompts.clear();
    prompts.queueConfirm(true);
    screen->AcDel->trigger();
    EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::ConfirmBlue),
        QStringList { QStringLiteral("ลบ User ZAQ System Group ? ") });
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserName where Code = 'ZAQSYSTEM'")).toInt(), 0);
    EXPECT_TRUE(screen->UserName->isEnabled());
}

TEST_F(UserScreen, LanguageFlipKeepsTheRecordAndItsEdits)
{
    open(false);
    enter(QStringLiteral("BOB"));
    type(screen->FullName, QStringLiteral("Robert"));
    screen->Active->setChecked(false);
    QTest::mouseClick(screen->ToolBar1, Qt::LeftButton, {}, QPoint(screen->ToolBar1->width() - 4, 4));
    EXPECT_FALSE(dm.ThaiLanguage);
    EXPECT_EQ(screen->LbCode->text(), QStringLiteral("User Code"));
    EXPECT_EQ(screen->LbFullName->text(), QStringLiteral("Full Name"));
    EXPECT_EQ(screen->Active->text(), QStringLiteral("Allow Use This System"));
    EXPECT_EQ(screen->flagBox(QStringLiteral("CanModifyCusSale"))->text(),
        QStringLiteral("ยินยอมให้แก้ไขลูกค้าหลังจากบันทึกขายเชื่อแล้ว"));
    EXPECT_EQ(screen->UserName->text(), QStringLiteral("BOB"));
    EXPECT_EQ(screen->FullName->text(), QStringLiteral("Robert"));
    EXPECT_FALSE(screen->Active->isChecked());
    EXPECT_FALSE(screen->NewRecord);

    QTest::mouseClick(screen->ToolBar1, Qt::LeftButton, {}, QPoint(screen->ToolBar1->width() - 4, 4));
    EXPECT_TRUE(dm.ThaiLanguage);
    EXPECT_EQ(screen->LbFullName->text(), QStringLiteral("ชื่อ-สกุล"));
    save();
    EXPECT_EQ(column(QStringLiteral("BOB"), QStringLiteral("FULLNAME")).toString(), QStringLiteral("Robert"));
    EXPECT_EQ(column(QStringLiteral("BOB"), QStringLiteral("ACTIVE")).toString(), QStringLiteral("N"));
}

TEST_F(UserScreen, DatabaseErrorsRollBackShowTheTextAndKeepTheScreen)
{
    const struct
    {
        const char* trigger;
        const char* code;
        bool remove; // delete instead of save
    } cases[] = {
        { "BEFORE INSERT ON UserName", "FRESH", false },
        { "BEFORE UPDATE OF PasswordNew ON UserName", "FRESH", false }, // the password, written in the same transaction
        { "BEFORE UPDATE OF FULLNAME ON UserName", "BOB", false },
        { "BEFORE DELETE ON UserName", "BOB", true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trigger);
        const QString message = QStringLiteral("refused: %1").arg(QLatin1String(c.trigger));
        injectFailure(QLatin1String(c.trigger), message);
        const int before = scalar(QStringLiteral("select count(*) from UserName")).toInt();
        const QVariant editDate = column(QStringLiteral("BOB"), QStringLiteral("EditDate"));
        const int assignments = scalar(QStringLiteral("select count(*) from UserCompany")).toInt();
        open(false);
        enter(QLatin1String(c.code));
        type(screen->FullName, QStringLiteral("Edited Name"));
        if (screen->NewRecord) {
            type(screen->Password, QStringLiteral("pw"));
            type(screen->Confirm, QStringLiteral("pw"));
        }
        prompts.clear();
        if (c.remove) {
            prompts.queueConfirm(true);
            screen->AcDel->trigger();
        } else {
            save();
        }
        ASSERT_EQ(prompts.errors().size(), 1);
        EXPECT_TRUE(prompts.errors().first().contains(message)) << prompts.errors().first().toStdString();
        EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserName")).toInt(), before);
        EXPECT_EQ(
            column(QStringLiteral("BOB"), QStringLiteral("FULLNAME")).toString(), QStringLiteral("  Bob Brown  "));
        EXPECT_EQ(column(QStringLiteral("BOB"), QStringLiteral("EditDate")), editDate);
        EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserName where Code = 'FRESH'")).toInt(), 0);
        EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserCompany")).toInt(), assignments);
        // Everything typed is still there, and the same save can be tried again.
        EXPECT_EQ(screen->UserName->text(), QLatin1String(c.code));
        EXPECT_EQ(screen->FullName->text(), QStringLiteral("Edited Name"));
        EXPECT_TRUE(screen->AcSave->isEnabled());
        if (screen->NewRecord) {
            EXPECT_EQ(screen->Password->text(), QStringLiteral("pw"));
        }
        EXPECT_TRUE(screen->value(QStringLiteral("PASSWORD")).isNull() || !screen->NewRecord);
        removeFailures();
    }
}

TEST_F(UserScreen, RowDeletedElsewhereIsNotSavedSilently)
{
    open(false);
    enter(QStringLiteral("BOB"));
    type(screen->Email, QStringLiteral("bob@example.com"));
    site.config(QStringLiteral("Delete From UserName Where Code = 'BOB'")); // another workstation
    save();
    ASSERT_EQ(prompts.errors().size(), 1);
    EXPECT_TRUE(prompts.errors().first().contains(QStringLiteral("no longer exists")));
    EXPECT_EQ(screen->Email->text(), QStringLiteral("bob@example.com"));
}

TEST_F(UserScreen, UpperPurchaseLimitIsRaisedToTheLowerOne)
{
    open(false);
    enter(QStringLiteral("BUYER"));
    type(screen->PoApproveLimitMin, QStringLiteral("1000"));
    type(screen->PoApproveLimitMax, QStringLiteral("500"));
    EXPECT_EQ(screen->PoApproveLimitMax->text(), QStringLiteral("1000"));
    type(screen->PoApproveLimitMax, QStringLiteral("25000"));
    EXPECT_EQ(screen->PoApproveLimitMax->text(), QStringLiteral("25000"));
    type(screen->PoApproveLimitMin, QStringLiteral("30000"));
    EXPECT_EQ(screen->PoApproveLimitMax->text(), QStringLiteral("30000"));
    type(screen->Discount, QStringLiteral("12.5"));
    save();
    EXPECT_EQ(column(QStringLiteral("BUYER"), QStringLiteral("PoApproveLimitMin")).toLongLong(), 30000);
    EXPECT_EQ(column(QStringLiteral("BUYER"), QStringLiteral("PoApproveLimitMax")).toLongLong(), 30000);
    EXPECT_DOUBLE_EQ(column(QStringLiteral("BUYER"), QStringLiteral("Discount")).toDouble(), 12.5);
}

TEST_F(UserScreen, TabletBoxFollowsTheSettingAndShowsTheCustomerName)
{
    site.run(QStringLiteral("A2026"),
        QStringLiteral("Insert Into Customer (Code, Name, Blocked) Values ('C1', 'ลูกค้าหนึ่ง', 'N')\n/\n"
                       "Insert Into Customer (Code, Name, Blocked) Values ('C2', 'Two', Null)\n/\n"
                       "Insert Into Customer (Code, Name, Blocked) Values ('C3', 'Blocked', 'Y')\n/"));
    site.config(QStringLiteral("Update UserName Set CusCodeTablet = 'C2', PasswordTablet = 'tab' Where Code = 'BOB'"));

    open(false);
    enter(QStringLiteral("BOB"));
    EXPECT_FALSE(screen->GbUserTablet->isVisible());
    EXPECT_TRUE(screen->DMdata->isOpen()); // the list is opened all the same
    EXPECT_EQ(screen->LbCustomerName->text(), QStringLiteral("Two"));
    EXPECT_EQ(screen->CusCodeTablet->count(), 3); // none, C1, C2: blocked customers are not offered
    const ConnectionProfile& profile = screen->DMdata->profile();
    EXPECT_EQ(profile.lines().size(), 24);
    EXPECT_EQ(profile.lines().first(), QStringLiteral("DATABASE NAME=A2026"));
    EXPECT_EQ(profile.value(QStringLiteral("SERVER NAME")), QStringLiteral("./data"));
    EXPECT_EQ(profile.value(QStringLiteral("OPEN MODE")), QStringLiteral("READ/WRITE"));
    screen->ReadOnly = true; // the program started with "R"
    screen->DMdataBeforeConnect();
    EXPECT_EQ(screen->DMdata->profile().value(QStringLiteral("OPEN MODE")), QStringLiteral("READ"));
    screen->ReadOnly = false;
    screen->hide();

    site.config(QStringLiteral("Update softwareconfig Set UseTablet = 'Y'"));
    open(true);
    EXPECT_FALSE(screen->GbUserTablet->isVisible());
    screen->hide();
    open(false);
    EXPECT_TRUE(screen->GbUserTablet->isVisible());
    enter(QStringLiteral("BOB"));
    EXPECT_EQ(screen->PasswordTablet->text(), QStringLiteral("tab"));
    screen->CusCodeTablet->setCurrentIndex(screen->CusCodeTablet->findText(QStringLiteral("C1")));
    EXPECT_EQ(screen->LbCustomerName->text(), QStringLiteral("ลูกค้าหนึ่ง"));
    save();
    EXPECT_EQ(column(QStringLiteral("BOB"), QStringLiteral("CusCodeTablet")).toString(), QStringLiteral("C1"));
}

// Every save and delete leaves one trail row in its own transaction; a failed
// one leaves none, and a trail that cannot be written stops the change.
TEST_F(UserScreen, SavesAndDeletesLeaveTheirTrailAndFailuresNone)
{
    dm.UserId = LogonFixture::userId(site, QStringLiteral("ANN"));
    const QString ann = QString::number(dm.UserId) + QStringLiteral(" ANN|");

    open(false);
    enter(QStringLiteral("FRESH"));
    type(screen->FullName, QStringLiteral("Fresh One"));
    type(screen->Password, QStringLiteral("s3cretpw"));
    type(screen->Confirm, QStringLiteral("s3cretpw"));
    save();
    ASSERT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join(QLatin1Char('|')).toStdString();
    QStringList rows = trailRows(site);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0].startsWith(ann + QStringLiteral("users|insert|FRESH|CODE: (none) -> 'FRESH'; FULLNAME: (none) -> 'Fresh One'"))) << rows[0].toStdString();
    EXPECT_TRUE(rows[0].endsWith(QStringLiteral("; password set"))) << rows[0].toStdString();
    const QString scrambled = QString::fromLatin1(storedPassword(QStringLiteral("FRESH"))).trimmed();
    EXPECT_FALSE(rows[0].contains(QStringLiteral("s3cretpw")));
    EXPECT_FALSE(rows[0].contains(scrambled)) << scrambled.toStdString();

    open(false);
    enter(QStringLiteral("BOB"));
    type(screen->Email, QStringLiteral("bob@example.com"));
    save();
    open(true);
    enter(QStringLiteral("SALES"));
    screen->flagBox(QStringLiteral("CanSeeCost"))->setChecked(true);
    save();
    open(false);
    enter(QStringLiteral("FRESH"));
    prompts.queueConfirm(true);
    screen->AcDel->trigger();
    rows = trailRows(site);
    ASSERT_EQ(rows.size(), 4) << rows.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(rows[1], ann + QStringLiteral("users|update|BOB|Email: (none) -> 'bob@example.com'"));
    EXPECT_EQ(rows[2], ann + QStringLiteral("groups|update|SALES|CanSeeCost: 'N' -> 'Y'"));
    EXPECT_TRUE(rows[3].startsWith(ann + QStringLiteral("users|delete|FRESH|CODE: 'FRESH' -> (none); FULLNAME: 'Fresh One' -> (none)"))) << rows[3].toStdString();
    for (const QString& row : rows)
        EXPECT_FALSE(row.contains(QStringLiteral("s3cretpw")) || row.contains(scrambled) || row.contains(QStringLiteral("'bob'"))) << row.toStdString();

    // A save or delete the database refuses, and one whose trail the database refuses: neither is stored, nor traced.
    const struct
    {
        const char* trigger;
        bool remove;
    } failures[] = {
        { "BEFORE UPDATE OF FULLNAME ON UserName", false },
        { "BEFORE INSERT ON SecurityLog", false },
        { "BEFORE DELETE ON UserName", true },
        { "BEFORE INSERT ON SecurityLog", true },
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.trigger);
        injectFailure(QLatin1String(f.trigger), QStringLiteral("refused"));
        open(false);
        enter(QStringLiteral("BOB"));
        type(screen->FullName, QStringLiteral("Edited Name"));
        prompts.clear();
        if (f.remove) {
            prompts.queueConfirm(true);
            screen->AcDel->trigger();
        } else {
            save();
        }
        EXPECT_EQ(prompts.errors().size(), 1);
        EXPECT_EQ(column(QStringLiteral("BOB"), QStringLiteral("FULLNAME")).toString(), QStringLiteral("  Bob Brown  "));
        EXPECT_EQ(trailRows(site).size(), 4);
        removeFailures();
    }
}

TEST_F(UserScreen, TheTrailNamesGroupsByCodeAndANewRecordByWhatWasSet)
{
    dm.UserId = LogonFixture::userId(site, QStringLiteral("ANN"));
    const QString ann = QString::number(dm.UserId) + QStringLiteral(" ANN|");
    open(true);
    enter(QStringLiteral("NEWGRP"));
    screen->flagBox(QStringLiteral("CanSeeCost"))->setChecked(true);
    save();
    open(false);
    enter(QStringLiteral("BOB"));
    screen->GroupId->setCurrentIndex(screen->GroupId->findText(QStringLiteral("ADMIN"), Qt::MatchStartsWith));
    save();
    const QStringList rows = trailRows(site);
    ASSERT_EQ(rows.size(), 2) << rows.join(QLatin1Char('\n')).toStdString();
    // A group has no password; the defaults a new record starts with are not news.
    EXPECT_EQ(rows[0], ann + QStringLiteral("groups|insert|NEWGRP|CODE: (none) -> 'NEWGRP'; FULLNAME: (none) -> 'NEWGRP'; CanSeeCost: 'N' -> 'Y'"));
    EXPECT_EQ(rows[1], ann + QStringLiteral("users|update|BOB|GroupId: 'SALES' -> 'ADMIN'"));
}

TEST_F(UserScreen, AUserOfAnInactiveGroupShowsThatGroupByItsCodeAndKeepsIt)
{
    site.config(QStringLiteral("Update UserName Set Active = 'N' Where Code = 'SALES' And IsDepartment = 'Y'"));
    open(false);
    enter(QStringLiteral("BOB"));
    EXPECT_EQ(screen->GroupId->currentText(), QStringLiteral("SALES ฝ่ายขาย"));
    type(screen->Email, QStringLiteral("bob@example.com"));
    save();
    EXPECT_EQ(column(QStringLiteral("BOB"), QStringLiteral("GroupId")).toInt(), LogonFixture::userId(site, QStringLiteral("SALES")));
    // It is shown for the users it belongs to only, never offered to others.
    open(false);
    enter(QStringLiteral("ANN"));
    EXPECT_LT(screen->GroupId->findText(QStringLiteral("SALES ฝ่ายขาย")), 0);
}

} // namespace
