// The company load and the rights lookup that complete the logon context.
#include "config/dmconfig.h"
#include "config/programexit.h"
#include "logonfixture.h"
#include "scriptedprompts.h"

#include <gtest/gtest.h>

namespace {

class CompanyAndRights : public ::testing::Test
{
protected:
    CompanyAndRights()
    {
        LogonFixture::build(site);
        site.config(QStringLiteral("Insert Into Menu (Id, Parent, OrderNo, Description, DescEnglish, Command) Values (2070100000, 0, 1, ' ผู้ใช้งาน ', 'Users', 'SELF 1')"));
        setHaltHandler([this](int code) { halted = code; });
        dm.DmCfg->open();
    }
    ~CompanyAndRights() override { setHaltHandler({}); }

    FixtureSite site;
    ScriptedPrompts prompts;
    TDMConfig dm;
    int halted = -1;
};

TEST_F(CompanyAndRights, CompanyLoadKeepsTheNameInUpperCase)
{
    EXPECT_TRUE(dm.GetCompanyConfig(QStringLiteral("a2026")));
    EXPECT_EQ(dm.CurrentDatabaseName, QStringLiteral("A2026"));
    EXPECT_EQ(dm.CompanyNameThai, QStringLiteral("บริษัท เอ จำกัด"));
    EXPECT_TRUE(dm.QCompanyConfig->isOpen()); // the main window reads the point-of-sale entry from it
    EXPECT_EQ(dm.QCompanyConfig->field(QStringLiteral("DefaultPosMenuId")).asInteger(), 30100000);
    EXPECT_TRUE(dm.QSoftware->isOpen());
    EXPECT_EQ(halted, -1);
}

TEST_F(CompanyAndRights, DatabaseWithoutConfigurationEndsTheProgramQuietlyWithCodeZero)
{
    for (const char* name : { "d2026", "NOSUCH" }) {
        prompts.clear();
        halted = -1;
        EXPECT_FALSE(dm.GetCompanyConfig(QLatin1String(name)));
        EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("Not Found Database : ") + QString::fromLatin1(name).toUpper() });
        EXPECT_EQ(halted, 0);
        EXPECT_TRUE(dm.CurrentDatabaseName.isEmpty());
    }
}

TEST_F(CompanyAndRights, RightsLookupTakesThePrivilegeFromTheGroupRow)
{
    dm.ThaiLanguage = false; // as if flipped on a screen
    dm.CheckRight(2070100000, LogonFixture::userId(site, QStringLiteral("ANN")));
    EXPECT_TRUE(dm.CanSetOtherUserPass); // ANN's own row says N, her group Y
    EXPECT_EQ(dm.GroupId, LogonFixture::userId(site, QStringLiteral("ADMIN")));
    EXPECT_EQ(dm.UserCode, QStringLiteral("ANN"));
    EXPECT_EQ(dm.UserId, LogonFixture::userId(site, QStringLiteral("ANN"))); // whom the security trail names
    EXPECT_EQ(dm.MenuCaption, QStringLiteral("ผู้ใช้งาน"));
    EXPECT_TRUE(dm.ThaiLanguage); // set back from the user's language
    EXPECT_EQ(dm.SaveQuestion, QStringLiteral("จัดเก็บข้อมูล ?"));
    EXPECT_FALSE(dm.QUser->isOpen());
    EXPECT_FALSE(dm.QUserGroupId->isOpen());

    dm.CheckRight(2070100000, LogonFixture::userId(site, QStringLiteral("NOGRP")));
    EXPECT_EQ(dm.GroupId, 0);
    EXPECT_FALSE(dm.CanSetOtherUserPass); // its own row says Y, but it has no group
    EXPECT_FALSE(dm.ThaiLanguage);
    EXPECT_EQ(dm.SaveQuestion, QStringLiteral("Save Data ?"));
    EXPECT_EQ(dm.UserCode, QStringLiteral("NOGRP"));
}

TEST_F(CompanyAndRights, PasswordWriteStoresCodePageBytesAndNeverThrows)
{
    EXPECT_TRUE(dm.WritePasswordNew(QStringLiteral("รหัส1"), QStringLiteral("BOB")));
    EXPECT_EQ(site.configScalar(QStringLiteral("select PasswordNew from UserName where Code = 'BOB'")).toByteArray(), QByteArray("\xC3\xCB\xD1\xCA" "1"));
    site.config(QStringLiteral("Alter Table UserName Drop Column PasswordNew"));
    EXPECT_FALSE(dm.WritePasswordNew(QStringLiteral("x"), QStringLiteral("BOB")));
}

TEST_F(CompanyAndRights, AskConfirmationIsTheBlueYesNoBox)
{
    prompts.queueConfirm(true);
    EXPECT_TRUE(dm.AskConfirmation(QStringLiteral("จัดเก็บข้อมูล ?")));
    EXPECT_FALSE(dm.AskConfirmation(QStringLiteral("again ?")));
    EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::ConfirmBlue), (QStringList { QStringLiteral("จัดเก็บข้อมูล ?"), QStringLiteral("again ?") }));
}

} // namespace
