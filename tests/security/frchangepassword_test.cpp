// The change-password screen in both of its modes.
#include "db/query.h"
#include "security/frchangepassword.h"
#include "security/passwords.h"
#include "securityfixture.h"
#include "trailrows.h"

#include <QLabel>
#include <QToolButton>

namespace {

const QString kWrongOld = QStringLiteral("รหัสผ่านเดิมไม่ถูกต้อง");
const QString kMismatch = QStringLiteral("ยืนยันรหัสผ่าน ไม่ตรงกับรหัสผ่าน");
const QString kNotFound = QStringLiteral("ไม่พบชื่อผู้ใช้");
const QString kNotStorable = Passwords::NotStorableMessage(true);

class ChangePassword : public SecuritySite
{
protected:
    ChangePassword() { dm.MenuCaption = QStringLiteral("เปลี่ยนรหัสผ่าน"); }
    ~ChangePassword() override { screen.reset(); }

    void open(const QString& user, bool maySetOthers)
    {
        logOnAs(user, maySetOthers);
        screen = std::make_unique<TFrChangePassword>();
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
        prompts.clear();
    }

    void enter(const QString& code)
    {
        screen->UserName->setFocus();
        screen->UserName->clear();
        QTest::keyClicks(screen->UserName, code);
        QTest::keyClick(screen->UserName, Qt::Key_Tab);
    }

    void fill(QLineEdit* box, const QString& text) { box->setText(text); }

    // Old (when asked), new and confirmation, then Save answered Yes.
    void change(const QString& old, const QString& fresh, const QString& confirmation)
    {
        fill(screen->OldPassword, old);
        fill(screen->NewPassword, fresh);
        fill(screen->ConfirmPassword, confirmation);
        prompts.queueConfirm(true);
        screen->AcSave->trigger();
    }

    QString passwordNew(const QString& code) const
    {
        return scalar(
            QStringLiteral("select Cast(PasswordNew As VarChar(20)) from UserName where Code = '%1'").arg(code))
            .toString();
    }

    std::unique_ptr<TFrChangePassword> screen;
};

TEST_F(ChangePassword, OwnPasswordNeedsTheOldOneAndNeverShowsTheTypedOnes)
{
    open(QStringLiteral("BOB"), false);
    EXPECT_EQ(screen->UserName->text(), QStringLiteral("BOB"));
    EXPECT_TRUE(screen->UserName->isReadOnly());
    EXPECT_FALSE(screen->BtSearchUser->isVisible());
    EXPECT_TRUE(screen->OldPassword->isVisible());
    EXPECT_EQ(screen->FullName->text(), QStringLiteral("  Bob Brown  "));
    EXPECT_EQ(screen->focusWidget(), screen->OldPassword);
    EXPECT_EQ(screen->CurrentPassword, QStringLiteral("bob"));
    EXPECT_FALSE(screen->AcDel->isEnabled());

    const struct
    {
        const char* old;
        const char* fresh;
        const char* confirmation;
        QString message;
    } refused[] = {
        { "Bob", "new1", "new1", kWrongOld }, // letter case matters
        { "", "new1", "new1", kWrongOld },
        { "bob", "new1", "new2", kMismatch }, // the fixed text alone, without the passwords
        // A character code page 874 lacks would be stored as '?': nobody could log on with it.
        { "bob", "pass\u20ACw\u0101", "pass\u20ACw\u0101", kNotStorable },
    };
    for (const auto& r : refused) {
        prompts.clear();
        fill(screen->OldPassword, QLatin1String(r.old));
        fill(screen->NewPassword, QString::fromUtf8(r.fresh));
        fill(screen->ConfirmPassword, QString::fromUtf8(r.confirmation));
        screen->AcSave->trigger();
        EXPECT_EQ(prompts.allTexts(), QStringList { r.message }) << r.old << r.confirmation;
        EXPECT_EQ(passwordNew(QStringLiteral("BOB")), QStringLiteral("bob"));
    }
    prompts.clear();
    change(QStringLiteral(" bob "), QStringLiteral("Nu2"), QStringLiteral("Nu2 "));
    EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::ConfirmBlue), QStringList { QStringLiteral("ยืนยันเปลี่ยนรหัสผ่าน ?") });
    EXPECT_TRUE(prompts.errors().isEmpty());
    EXPECT_EQ(passwordNew(QStringLiteral("BOB")), QStringLiteral("Nu2"));
    // The screen opens again on the same row, which now holds the new password.
    EXPECT_EQ(screen->CurrentPassword, QStringLiteral("Nu2"));
    EXPECT_EQ(screen->NewPassword->text(), dm.BlankPassword);
    EXPECT_TRUE(logsOn(QStringLiteral("BOB"), QStringLiteral("Nu2")));
    EXPECT_FALSE(logsOn(QStringLiteral("BOB"), QStringLiteral("bob")));
}

TEST_F(ChangePassword, UntouchedNewBoxesStoreTheEmptyPassword)
{
    open(QStringLiteral("BOB"), false);
    prompts.queueConfirm(true);
    screen->OldPassword->setText(QStringLiteral("bob"));
    screen->AcSave->trigger();
    EXPECT_EQ(passwordNew(QStringLiteral("BOB")), QString());
    EXPECT_TRUE(logsOn(QStringLiteral("BOB"), QString()));
}

TEST_F(ChangePassword, BoxesClickedWithTheMouseTakeTheTypedPasswords)
{
    // The boxes start as blanks at their full length: typing after them would add nothing.
    open(QStringLiteral("BOB"), false);
    const struct
    {
        QLineEdit* box;
        const char* typed;
    } steps[] = { { screen->OldPassword, "bob" }, { screen->NewPassword, "Nu5" }, { screen->ConfirmPassword, "Nu5" } };
    for (const auto& s : steps) {
        QTest::mouseClick(s.box, Qt::LeftButton, {}, s.box->rect().center());
        QTest::keyClicks(s.box, QLatin1String(s.typed));
        EXPECT_EQ(s.box->text(), QLatin1String(s.typed));
    }
    prompts.queueConfirm(true);
    screen->AcSave->trigger();
    EXPECT_TRUE(prompts.informations().isEmpty());
    EXPECT_EQ(passwordNew(QStringLiteral("BOB")), QStringLiteral("Nu5"));
}

TEST_F(ChangePassword, OlderScrambledPasswordCountsHereButNotAtLogon)
{
    // NULLPW has no PasswordNew; its PASSWORD holds "legacy" scrambled, with a zero byte.
    Query q(dm.DmCfg, { QStringLiteral("Update UserName Set PASSWORD = :p Where Code = 'NULLPW'") });
    q.setParam(QStringLiteral("p"), Passwords::ScramblePassword(QStringLiteral("legacy"), 0));
    q.execSql();
    EXPECT_TRUE(logsOn(QStringLiteral("NULLPW"), QString()));
    EXPECT_FALSE(logsOn(QStringLiteral("NULLPW"), QStringLiteral("legacy")));

    open(QStringLiteral("NULLPW"), false);
    EXPECT_EQ(screen->CurrentPassword, QStringLiteral("legacy"));
    change(QStringLiteral("legacy"), QStringLiteral("now"), QStringLiteral("now"));
    EXPECT_TRUE(prompts.informations().isEmpty());
    EXPECT_TRUE(logsOn(QStringLiteral("NULLPW"), QStringLiteral("now")));
}

TEST_F(ChangePassword, UserCreatedWithoutPasswordPassesWithAnEmptyOldOne)
{
    site.config(QStringLiteral("Insert Into UserName (Code, FullName, IsDepartment, Active, PasswordNew) Values "
                               "('EMPTY', 'E', 'N', 'Y', Cast('          ' As VarBinary(Max)))"));
    open(QStringLiteral("EMPTY"), false);
    change(QString(), QStringLiteral("set"), QStringLiteral("set"));
    EXPECT_TRUE(prompts.informations().isEmpty());
    EXPECT_EQ(passwordNew(QStringLiteral("EMPTY")), QStringLiteral("set"));
}

TEST_F(ChangePassword, WhoMaySetOthersPicksAnyActiveUserButNotTheReservedOne)
{
    open(QStringLiteral("ANN"), true);
    EXPECT_TRUE(screen->UserName->text().isEmpty());
    EXPECT_FALSE(screen->UserName->isReadOnly());
    EXPECT_TRUE(screen->BtSearchUser->isVisible());
    EXPECT_FALSE(screen->OldPassword->isVisible());
    EXPECT_EQ(screen->focusWidget(), screen->UserName);

    const struct
    {
        const char* code;
        QStringList messages;
        bool loads;
    } cases[] = {
        { "zaq", { QStringLiteral("User Code Not Allow !!!"), kNotFound }, false },
        { "NOSUCH", { kNotFound }, false },
        { "ADMIN", { kNotFound }, false }, // a group
        { "OLD", { QStringLiteral("ผู้ใช้ถูกระงับการใช้งานชั่วคราว\rไม่สามารถกำหนดรหัสผ่านได้") }, false },
        { "bob", {}, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        prompts.clear();
        enter(QLatin1String(c.code));
        EXPECT_EQ(prompts.informations(), c.messages);
        EXPECT_EQ(!screen->UserName->isEnabled(), c.loads);
    }
    EXPECT_EQ(screen->FullName->text(), QStringLiteral("  Bob Brown  "));
    change(QString(), QStringLiteral("fromann"), QStringLiteral("fromann"));
    EXPECT_TRUE(prompts.informations().isEmpty());
    EXPECT_EQ(passwordNew(QStringLiteral("BOB")), QStringLiteral("fromann"));
    EXPECT_TRUE(screen->UserName->text().isEmpty()); // empty again

    prompts.clear();
    change(QString(), QStringLiteral("x"), QStringLiteral("x"));
    EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("ไม่ได้ระบุ ชื่อผู้ใช้") });

    logOnAs(QStringLiteral("ZAQ"), true);
    prompts.clear();
    enter(QStringLiteral("ZAQ"));
    EXPECT_TRUE(prompts.informations().isEmpty());
    EXPECT_FALSE(screen->UserName->isEnabled());
}

TEST_F(ChangePassword, PasswordThatCannotBeStoredIsNotShownAsChanged)
{
    open(QStringLiteral("BOB"), false);
    injectFailure(QStringLiteral("BEFORE UPDATE OF PasswordNew ON UserName"), QStringLiteral("disk full"));
    change(QStringLiteral("bob"), QStringLiteral("lost"), QStringLiteral("lost"));
    ASSERT_EQ(prompts.errors().size(), 1);
    EXPECT_TRUE(prompts.errors().first().contains(QStringLiteral("disk full")));
    EXPECT_EQ(passwordNew(QStringLiteral("BOB")), QStringLiteral("bob"));
    EXPECT_EQ(screen->NewPassword->text(), QStringLiteral("lost"));
    EXPECT_EQ(screen->OldPassword->text(), QStringLiteral("bob"));
    EXPECT_FALSE(dm.DmCfg->inTransaction());
}

TEST_F(ChangePassword, ClosingAsksOnTheBlueBoxInTheUsersLanguage)
{
    open(QStringLiteral("BOB"), false);
    dm.ThaiLanguage = false;
    prompts.queueConfirm(false);
    screen->close();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::ConfirmBlue), QStringList { QStringLiteral("Exit Program ?") });
    prompts.queueConfirm(true);
    screen->close();
    EXPECT_FALSE(screen->isVisible());
}

TEST_F(ChangePassword, AChangeLeavesATrailRowWithoutThePasswordAndAFailedOneNone)
{
    open(QStringLiteral("BOB"), false);
    dm.UserId = LogonFixture::userId(site, QStringLiteral("BOB"));
    change(QStringLiteral("bob"), QStringLiteral("Nu2"), QStringLiteral("Nu2"));
    ASSERT_TRUE(prompts.errors().isEmpty());
    EXPECT_EQ(trailRows(site), QStringList { QString::number(dm.UserId) + QStringLiteral(" BOB|password|password|BOB|password changed") });

    injectFailure(QStringLiteral("BEFORE INSERT ON SecurityLog"), QStringLiteral("refused"));
    change(QStringLiteral("Nu2"), QStringLiteral("Nu3"), QStringLiteral("Nu3"));
    EXPECT_EQ(prompts.errors().size(), 1);
    EXPECT_EQ(passwordNew(QStringLiteral("BOB")), QStringLiteral("Nu2")); // no change without its trail
    EXPECT_EQ(trailRows(site).size(), 1);
}

} // namespace
