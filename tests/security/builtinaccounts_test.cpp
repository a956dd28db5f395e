// The built-in user ZAQ and group ZAQSYSTEM on every screen and path, and two
// workstations saving over one another: what one saved is never undone by the
// other without a word, and nothing is left behind for a record deleted meanwhile.
#include "securitytest.h"
#include "trailrows.h"

#include "site.h"
#include "db/connection.h"
#include "db/query.h"
#include "security/frchangepassword.h"
#include "security/frcopyright.h"
#include "security/frusercompany.h"
#include "security/frusername.h"
#include "security/fruserrights.h"
#include "security/rightsmodel.h"
#include "security/assignmentmodel.h"

#include "db/embedded/server.h"

#include <QAction>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

class BuiltInAccounts : public SecurityTest
{
protected:
    BuiltInAccounts()
    {
        // The user screen reads its customer list from the company database.
        Site::createCompanyDatabase(site.serverFolder(), QStringLiteral("A2026"));
        dm.CurrentDatabaseName = QStringLiteral("A2026");
    }
    QVariant scalar(const QString& select) const { return site.configScalar(select); }
    int rows(const QString& table, const QString& where) const
    {
        return scalar(QStringLiteral("select count(*) from %1 where %2").arg(table, where)).toInt();
    }
    // Leaves a code box the way a person does: the text, then Enter.
    static void leave(QDialog& screen, QLineEdit* box, const QString& text) { enterCode(screen, box, text); }
};

// Each spelling that the lookups match to a reserved code, on each screen that
// loads one: refused to an administrator, loaded for ZAQ himself.
TEST_F(BuiltInAccounts, NoSpellingOfAReservedCodeReachesItsRowButForZaq)
{
    const QStringList zaq = { QStringLiteral("zaq "), QStringLiteral(" zaq"), QStringLiteral("Zaq"), QStringLiteral("ZAQ\t") };
    const QStringList system = { QStringLiteral("zaqsystem "), QStringLiteral(" ZaqSystem"), QStringLiteral("ZAQSYSTEM\t") };
    for (const QString& who : { QStringLiteral("SOMCHAI"), QStringLiteral("ZAQ") }) {
        const bool allowed = who == QLatin1String("ZAQ");
        logOnAs(who, QStringLiteral("ADMIN"));
        dm.CanSetOtherUserPass = true;
        for (const QString& code : zaq) {
            SCOPED_TRACE(QString(who + QStringLiteral(" typing '") + code + QLatin1Char('\'')).toStdString());
            {
                TFrUserName users;
                users.GroupMode = false;
                prompts.clear();
                runModal(users, [&] {
                    leave(users, users.UserName, code);
                    EXPECT_EQ(!users.NewRecord, allowed);
                    EXPECT_EQ(users.AcDel->isEnabled(), allowed);
                    EXPECT_EQ(prompts.informations().contains(QStringLiteral("User Code Not Allow !!!")), !allowed);
                });
            }
            {
                TFrChangePassword password;
                prompts.clear();
                runModal(password, [&] {
                    leave(password, password.UserName, code);
                    EXPECT_EQ(password.FullName->text() == QLatin1String("ZAQ Administrator"), allowed);
                    EXPECT_EQ(prompts.informations().contains(QStringLiteral("User Code Not Allow !!!")), !allowed);
                });
            }
            {
                TFrUserCompany databases;
                prompts.clear();
                runModal(databases, [&] {
                    leave(databases, databases.UserCode, code);
                    EXPECT_EQ(databases.CurrentUserId != 0, allowed);
                    EXPECT_EQ(prompts.informations().contains(QStringLiteral("User Code Not Allow")), !allowed);
                });
            }
        }
        for (const QString& code : system) {
            SCOPED_TRACE(QString(who + QStringLiteral(" typing '") + code + QLatin1Char('\'')).toStdString());
            {
                TFrUserName groups;
                groups.GroupMode = true;
                prompts.clear();
                runModal(groups, [&] {
                    leave(groups, groups.UserName, code);
                    EXPECT_EQ(!groups.NewRecord, allowed);
                    EXPECT_EQ(prompts.informations().contains(QStringLiteral("Group Code Not Allow !!!")), !allowed);
                });
            }
            {
                TFrCopyRight copy(nullptr, dm.DmCfg);
                TFrUserRights rights(nullptr, &copy);
                prompts.clear();
                runModal(rights, [&] {
                    leave(rights, rights.UserCode, code);
                    EXPECT_EQ(rights.CurrentGroupId, allowed ? RightsSite::id(site, QStringLiteral("ZAQSYSTEM")) : 0);
                    EXPECT_EQ(prompts.informations().contains(QStringLiteral("Group Code Not Allow !!!")), !allowed);
                });
            }
        }
    }
}

TEST_F(BuiltInAccounts, OnlyZaqIsOfferedTheBuiltInGroupForAUser)
{
    site.config(QStringLiteral("Insert Into UserName (Code, FullName, IsDepartment, Active, GroupId) "
                               "Select 'ROOTY', 'In the built-in group', 'N', 'Y', Id From UserName Where Code = 'ZAQSYSTEM'"));
    const auto offered = [](const TFrUserName& s) {
        QStringList codes;
        for (int i = 0; i < s.GroupId->count(); ++i)
            codes.append(s.GroupId->itemText(i).section(QLatin1Char(' '), 0, 0));
        return codes;
    };
    TFrUserName users;
    users.GroupMode = false;
    runModal(users, [&] {
        EXPECT_FALSE(offered(users).contains(QStringLiteral("ZAQSYSTEM")));
        // A user already in it shows it, and keeps it when saved...
        leave(users, users.UserName, QStringLiteral("ROOTY"));
        EXPECT_TRUE(users.GroupId->currentText().startsWith(QStringLiteral("ZAQSYSTEM ")));
        users.Remark->setText(QStringLiteral("kept"));
        prompts.queueConfirm(true);
        users.AcSave->trigger();
        EXPECT_EQ(scalar(QStringLiteral("select GroupId from UserName where Code = 'ROOTY'")).toInt(),
            RightsSite::id(site, QStringLiteral("ZAQSYSTEM")));
        // ...but the next user cannot be given it.
        leave(users, users.UserName, QStringLiteral("JOHN"));
        EXPECT_FALSE(offered(users).contains(QStringLiteral("ZAQSYSTEM")));
    });
    logOnAs(QStringLiteral("ZAQ"), QStringLiteral("ZAQSYSTEM"));
    runModal(users, [&] { EXPECT_TRUE(offered(users).contains(QStringLiteral("ZAQSYSTEM"))); });
}

TEST_F(BuiltInAccounts, ACodeIsStoredTrimmedAndAUserCodeFitsTheLogonBox)
{
    TFrUserName users;
    users.GroupMode = false;
    runModal(users, [&] {
        leave(users, users.UserName, QStringLiteral(" john"));
        EXPECT_FALSE(users.NewRecord) << "a leading blank finds the existing user";
        users.AcNew->trigger();
        leave(users, users.UserName, QStringLiteral(" LEAD "));
        prompts.queueConfirm(true);
        users.AcSave->trigger();
        EXPECT_EQ(rows(QStringLiteral("UserName"), QStringLiteral("Cast(Code As VarBinary(20)) = Cast('LEAD' As VarBinary(20))")), 1);

        prompts.clear();
        leave(users, users.UserName, QStringLiteral("ELEVENCHARS"));
        users.AcSave->trigger();
        EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("รหัสผู้ใช้ยาวได้ไม่เกิน 10 ตัวอักษร") });
        EXPECT_EQ(rows(QStringLiteral("UserName"), QStringLiteral("Code = 'ELEVENCHARS'")), 0);
    });
}

// Workstation B (a second connection) saves between A's load and A's save.
TEST_F(BuiltInAccounts, ASaveNeverUndoesWhatAnotherWorkstationSavedMeanwhile)
{
    TFrUserName users;
    users.GroupMode = false;
    runModal(users, [&] {
        leave(users, users.UserName, QStringLiteral("JOHN"));
        site.config(QStringLiteral("Update UserName Set Active = 'N' Where Code = 'JOHN'"));
        users.Remark->setText(QStringLiteral("new remark"));
        prompts.clear();
        prompts.queueConfirm(true);
        users.AcSave->trigger();
        ASSERT_EQ(prompts.errors().size(), 1) << prompts.allTexts().join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(prompts.errors().first().contains(QStringLiteral("JOHN has been changed by another workstation")))
            << prompts.errors().first().toStdString();
        EXPECT_EQ(scalar(QStringLiteral("select Active from UserName where Code = 'JOHN'")).toString(), QStringLiteral("N"));
        EXPECT_TRUE(scalar(QStringLiteral("select Remark from UserName where Code = 'JOHN'")).isNull());
        EXPECT_EQ(users.Remark->text(), QStringLiteral("new remark")); // the edits stay on the screen
        EXPECT_EQ(rows(QStringLiteral("SecurityLog"), QStringLiteral("TargetCode = 'JOHN'")), 0);

        // A row changed only where this screen does not write (its password) saves.
        users.AcNew->trigger();
        leave(users, users.UserName, QStringLiteral("JOHN"));
        site.config(QStringLiteral("Update UserName Set PasswordNew = Cast('x' As VarBinary(Max)) Where Code = 'JOHN'"));
        users.Remark->setText(QStringLiteral("second try"));
        prompts.clear();
        prompts.queueConfirm(true);
        users.AcSave->trigger();
        EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(scalar(QStringLiteral("select Remark from UserName where Code = 'JOHN'")).toString(), QStringLiteral("second try"));
        EXPECT_EQ(scalar(QStringLiteral("select Active from UserName where Code = 'JOHN'")).toString(), QStringLiteral("N"));
    });
}

TEST_F(BuiltInAccounts, TheSameNewCodeIsCreatedOnce)
{
    TFrUserName users;
    users.GroupMode = false;
    runModal(users, [&] {
        leave(users, users.UserName, QStringLiteral("NEWU"));
        ASSERT_TRUE(users.NewRecord);
        site.config(QStringLiteral("Insert Into UserName (Code, FullName, IsDepartment, Active, PasswordNew) "
                                   "Values ('NEWU', 'First', 'N', 'Y', Cast('first' As VarBinary(Max)))"));
        prompts.queueConfirm(true);
        users.AcSave->trigger();
        ASSERT_EQ(prompts.errors().size(), 1);
        EXPECT_TRUE(prompts.errors().first().contains(QStringLiteral("NEWU already exists"))) << prompts.errors().first().toStdString();
        EXPECT_EQ(rows(QStringLiteral("UserName"), QStringLiteral("Code = 'NEWU'")), 1);
        EXPECT_EQ(scalar(QStringLiteral("select Cast(PasswordNew As VarChar(10)) from UserName where Code = 'NEWU'")).toString(),
            QStringLiteral("first"));
    });
    // The upkeep made the unique index, so no statement can make the twin either.
    EXPECT_EQ(rows(QStringLiteral("SysIndexes"), QStringLiteral("Name = 'UX_UserName_Code'")), 1);
    EXPECT_ANY_THROW(site.config(QStringLiteral("Insert Into UserName (Code, IsDepartment) Values ('NEWU', 'N')")));
    // A user and a group may still share a code.
    site.config(QStringLiteral("Insert Into UserName (Code, IsDepartment) Values ('NEWU', 'Y')"));
}

TEST_F(BuiltInAccounts, TwinCodesAlreadyStoredAreReportedAndTheUpkeepGoesOn)
{
    // A site from before the index (dropped with SQLite's own SQL beside the engine), holding a twin.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("beside"));
        db.setDatabaseName(QDir(site.serverFolder()).filePath(QStringLiteral("ZAQ_CONFIG") + QLatin1String(EmbeddedServer::kExtension)));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("DROP INDEX UX_UserName_Code")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("beside"));
    site.config(QStringLiteral("Insert Into UserName (Code, IsDepartment) Values ('JOHN', 'N')"));
    EXPECT_NO_THROW(dm.DmCfg->open());
    EXPECT_EQ(rows(QStringLiteral("SysIndexes"), QStringLiteral("Name = 'UX_UserName_Code'")), 0);
    const QString detail = scalar(QStringLiteral("select Detail from SecurityLog where Screen = 'upkeep'")).toString();
    EXPECT_TRUE(detail.contains(QStringLiteral("JOHN (user, 2 rows)"))) << detail.toStdString();
}

TEST_F(BuiltInAccounts, ARightsSaveKeepsWhatTheGridDoesNotListAndRefusesAVanishedGroup)
{
    // SALES holds 110, and 400, which SOMCHAI's own group ADMIN lacks.
    site.config(QStringLiteral("Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight) "
                               "Select Id, 400, 'Y', 'Y', 'N', 'N' From UserName Where Code = 'SALES' And IsDepartment = 'Y'"));
    const QStringList stored = RightsSite::rightsOf(site, QStringLiteral("SALES"));
    TFrCopyRight copy(nullptr, dm.DmCfg);
    TFrUserRights rights(nullptr, &copy);
    runModal(rights, [&] {
        leave(rights, rights.UserCode, QStringLiteral("SALES"));
        EXPECT_LT(rights.QRights->rowOf(400), 0);
        prompts.queueConfirm(true);
        rights.AcSave->trigger();
        EXPECT_EQ(RightsSite::rightsOf(site, QStringLiteral("SALES")), stored);
        EXPECT_EQ(scalar(QStringLiteral("select Detail from SecurityLog where Screen = 'rights'")).toString(), QStringLiteral("no change"));

        // Deleted by another workstation between the load and the save.
        leave(rights, rights.UserCode, QStringLiteral("ACCT"));
        const int acct = rights.CurrentGroupId;
        rights.QRights->setRights(rights.QRights->rowOf(100), QStringLiteral("Y"));
        site.config(QStringLiteral("Delete From UserRight Where UserName = %1").arg(acct));
        site.config(QStringLiteral("Delete From UserName Where Id = %1").arg(acct));
        prompts.clear();
        prompts.queueConfirm(true);
        rights.AcSave->trigger();
        ASSERT_EQ(prompts.errors().size(), 1);
        EXPECT_TRUE(prompts.errors().first().contains(QStringLiteral("The group ACCT no longer exists")));
        EXPECT_EQ(rows(QStringLiteral("UserRight"), QStringLiteral("UserName = %1").arg(acct)), 0);
        EXPECT_EQ(rows(QStringLiteral("SecurityLog"), QStringLiteral("TargetCode = 'ACCT'")), 0);
        EXPECT_EQ(rights.QRights->row(rights.QRights->rowOf(100)).rights[0], QStringLiteral("Y")); // the grid keeps its edits
    });
}

TEST_F(BuiltInAccounts, AnAssignmentSaveRefusesAUserDeletedMeanwhile)
{
    TFrUserCompany databases;
    runModal(databases, [&] {
        leave(databases, databases.UserCode, QStringLiteral("JOHN"));
        const int john = databases.CurrentUserId;
        databases.AvaiDb->setCurrentIndex(0);
        databases.BtAdd->click();
        site.config(QStringLiteral("Delete From UserCompany Where UserName = %1").arg(john));
        site.config(QStringLiteral("Delete From UserName Where Id = %1").arg(john));
        prompts.queueConfirm(true);
        databases.AcSave->trigger();
        ASSERT_EQ(prompts.errors().size(), 1);
        EXPECT_TRUE(prompts.errors().first().contains(QStringLiteral("The user JOHN no longer exists")));
        EXPECT_EQ(rows(QStringLiteral("UserCompany"), QStringLiteral("UserName = %1").arg(john)), 0);
        EXPECT_EQ(databases.DList->rowCount(), 2);
    });
}

} // namespace
