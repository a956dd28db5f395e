// Every SQL text of the program runs on the embedded engine over the demo
// site and answers what SQL Server answers for the same data. A text added to
// the catalogue without an expectation here fails the test.
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/params.h"
#include "db/query.h"
#include "db/script.h"
#include "site.h"

#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kYear = 2026;

struct Expectation
{
    QList<QPair<QString, QVariant>> params;
    int rows; // rows returned, or rows affected
    QList<QPair<QString, QString>> firstRow;
    QString check; // for scripts: a query that must answer "1" afterwards
    QString prepare = {}; // a statement run first (for a script that alters the schema)
    bool nullOthers = false; // parameters not listed are given NULL (the long record writes)
};

QHash<QString, Expectation> expectations()
{
    const QString y = QString::number(kYear);
    return {
        { QStringLiteral("QChkConfig"), { {}, 0, {}, {} } },
        { QStringLiteral("QSoftware"), { {}, 1, { { QStringLiteral("LastVersion"), QStringLiteral("1.0.0") }, { QStringLiteral("CheckExe"), QStringLiteral("N") } }, {} } },
        { QStringLiteral("SQLUpdate"), { {}, 0, {}, QStringLiteral("select case when count(*) = 0 then 1 else 0 end from Menu where Version is null and Command is not null") } },
        { QStringLiteral("QCompanyConfig"),
            { { { QStringLiteral("GetName"), QStringLiteral("QLN%1").arg(y) } }, 1,
                { { QStringLiteral("NameThai"), QStringLiteral("บริษัท คิวแอลเอ็น เทรดดิ้ง จำกัด") }, { QStringLiteral("Command"), QStringLiteral("ZAQPOS.EXE") },
                    { QStringLiteral("MenuOption"), QStringLiteral("POS1") }, { QStringLiteral("DefaultPosMenuId"), QStringLiteral("30100000") },
                    { QStringLiteral("YearNo"), y } },
                {} } },
        { QStringLiteral("QUser"),
            { { { QStringLiteral("uid"), 6 } }, 1,
                { { QStringLiteral("Code"), QStringLiteral("SOMCHAI") }, { QStringLiteral("languageno"), QStringLiteral("1") }, { QStringLiteral("GroupId"), QStringLiteral("3") },
                    { QStringLiteral("Approve_PoLevel1"), QStringLiteral("N") } },
                {} } },
        { QStringLiteral("QError"), { {}, 2, {}, {} } },
        { QStringLiteral("WritePasswordNew"),
            { { { QStringLiteral("st"), QByteArray("new") }, { QStringLiteral("code"), QStringLiteral("john") } }, 1, {},
                QStringLiteral("select case when PasswordNew = Cast('new' As VarBinary(Max)) then 1 else 0 end from UserName where Code = 'JOHN'") } },
        { QStringLiteral("QLogon"), { { { QStringLiteral("LOGONUSER"), QStringLiteral("JOHN") } }, 1, { { QStringLiteral("LANGUAGENO"), QStringLiteral("2") }, { QStringLiteral("FULLNAME"), QStringLiteral("John Smith") } }, {} } },
        { QStringLiteral("QCompList"),
            { { { QStringLiteral("GetUser"), 6 }, { QStringLiteral("GetYear"), kYear } }, 3,
                // without its branch row the type-2 database's NULL sorts first
                { { QStringLiteral("DatabaseName"), QStringLiteral("QLNMFG%1").arg(y) }, { QStringLiteral("ShortName"), QStringLiteral("QLN") },
                    { QStringLiteral("UserFullName"), QStringLiteral("สมชาย ใจดี") }, { QStringLiteral("DatabaseType"), QStringLiteral("2") } },
                {}, QStringLiteral("Delete From Branch Where ServerName = 'QLNMFG%1'").arg(y) } },
        // every user but the reserved ZAQ, by code
        { QStringLiteral("QSearch"),
            { { { QStringLiteral("getname"), QStringLiteral("%%") }, { QStringLiteral("isDepartment"), QStringLiteral("N") } }, 5,
                { { QStringLiteral("code"), QStringLiteral("CASHIER") }, { QStringLiteral("active"), QStringLiteral("Y") } }, {} } },
        { QStringLiteral("QDepartmentRightThai"),
            { { { QStringLiteral("LOGONID"), 6 } }, 12, { { QStringLiteral("ID"), QStringLiteral("10000000") }, { QStringLiteral("DESCRIPTION"), QStringLiteral("ระบบขาย Sales") } }, {} } },
        { QStringLiteral("QDepartmentRightEnglish"),
            { { { QStringLiteral("LogonId"), 7 } }, 3, { { QStringLiteral("ID"), QStringLiteral("10000000") }, { QStringLiteral("DESCRIPTION"), QStringLiteral("Sales") } }, {} } },
        { QStringLiteral("QTreeMenuThai"),
            { { { QStringLiteral("LOGONID"), 6 } }, 42, { { QStringLiteral("DESCRIPTION"), QStringLiteral("ระบบขาย Sales") }, { QStringLiteral("PARENT"), QStringLiteral("0") } }, {} } },
        // sales see their department without the report folder, the reports, and the password change
        { QStringLiteral("QTreeMenuEnglish"),
            { { { QStringLiteral("LOGONID"), 7 } }, 11, { { QStringLiteral("DESCRIPTION"), QStringLiteral("Sales") }, { QStringLiteral("VERSION"), QString() } }, {} } },
        { QStringLiteral("QChkFieldSetDocYear"), { {}, 1, { { QStringLiteral("Name"), QStringLiteral("SetDocYear") } }, {} } },
        { QStringLiteral("QChkSetDocYear"),
            { { { QStringLiteral("GetYear"), kYear }, { QStringLiteral("GetDataName"), QStringLiteral("SIAM%1").arg(y) } }, 1, { { QStringLiteral("SetDocYear"), QStringLiteral("N") } }, {} } },
        { QStringLiteral("Query1"), { {}, 1, { { QStringLiteral("HostApplication"), QString() } }, {} } },
        { QStringLiteral("SQLAlter"),
            { {}, 0, {}, QStringLiteral("select case when count(*) = sum(case when SetDocYear = 'Y' then 1 else 0 end) then 1 else 0 end from DatabaseList"),
                QStringLiteral("Alter Table DatabaseList Drop Column SetDocYear") } },
        { QStringLiteral("QUserName"),
            { { { QStringLiteral("GetCode"), QStringLiteral("JOHN") }, { QStringLiteral("isDepartment"), QStringLiteral("N") } }, 1,
                { { QStringLiteral("CODE"), QStringLiteral("JOHN") }, { QStringLiteral("LANGUAGENO"), QStringLiteral("2") }, { QStringLiteral("FULLNAME"), QStringLiteral("John Smith") } }, {} } },
        { QStringLiteral("QUserNameInsert"),
            { { { QStringLiteral("CODE"), QStringLiteral("NEWUSER") }, { QStringLiteral("IsDepartment"), QStringLiteral("N") },
                  { QStringLiteral("ACTIVE"), QStringLiteral("Y") }, { QStringLiteral("PASSWORD"), QByteArray("\0\x81\xdb" "abcdefgh", 11) } },
                1, {}, QStringLiteral("select count(*) from UserName where Code = 'NEWUSER' and Active = 'Y'"), {}, true } },
        { QStringLiteral("QUserNameUpdate"),
            { { { QStringLiteral("CODE"), QStringLiteral("JOHN") }, { QStringLiteral("FULLNAME"), QStringLiteral("John S.") },
                  { QStringLiteral("IsDepartment"), QStringLiteral("N") }, { QStringLiteral("OLD_ID"), 7 } },
                1, {}, QStringLiteral("select count(*) from UserName where Code = 'JOHN' and FullName = 'John S.'"), {}, true } },
        { QStringLiteral("QUserGroup"), { {}, 4, { { QStringLiteral("Code"), QStringLiteral("ADMIN") }, { QStringLiteral("FullName"), QStringLiteral("ADMIN ผู้ดูแลระบบ") } }, {} } },
        { QStringLiteral("Qsoftwareconfig"), { {}, 1, { { QStringLiteral("UseTablet"), QStringLiteral("Y") } }, {} } },
        { QStringLiteral("QTemp"), { {}, 1, {}, {} } },
        { QStringLiteral("QCustomer"), { {}, 2, { { QStringLiteral("Code"), QStringLiteral("C0001") }, { QStringLiteral("Name"), QStringLiteral("ร้านสมใจพานิช") } }, {} } },
        { QStringLiteral("QChangePassword"),
            { { { QStringLiteral("GetUser"), QStringLiteral("SOMCHAI") }, { QStringLiteral("IsDepartment"), QStringLiteral("N") } }, 1,
                { { QStringLiteral("CODE"), QStringLiteral("SOMCHAI") }, { QStringLiteral("Active"), QStringLiteral("Y") }, { QStringLiteral("PASSWORDNEW"), QStringLiteral("1234") } }, {} } },
        { QStringLiteral("SecurityUpkeep"),
            { {}, 0, {}, QStringLiteral("select case when count(*) = 3 then 1 else 0 end from SysObjects where Name in ('SecurityLog', 'LogonFailure', 'LogonHistory')") } },
        { QStringLiteral("InsertSecurityLog"),
            { { { QStringLiteral("UserId"), 6 }, { QStringLiteral("UserCode"), QStringLiteral("SOMCHAI") }, { QStringLiteral("Workstation"), QStringLiteral("PC1") },
                  { QStringLiteral("Screen"), QStringLiteral("users") }, { QStringLiteral("Action"), QStringLiteral("update") },
                  { QStringLiteral("TargetCode"), QStringLiteral("JOHN") }, { QStringLiteral("Detail"), QStringLiteral("FULLNAME: 'John' -> 'John Smith'") } },
                1, {}, QStringLiteral("select case when count(*) = 1 and min(LogDate) is not null then 1 else 0 end from SecurityLog where TargetCode = 'JOHN'") } },
        // one row with the server's time, whether or not the code has a count
        { QStringLiteral("QLogonFailure"), { { { QStringLiteral("Code"), QStringLiteral("JOHN") } }, 1, { { QStringLiteral("Failures"), QString() } }, {} } },
        { QStringLiteral("QUniqueCodeIndex"), { {}, 1, {}, {} } },
        { QStringLiteral("QTwinCodes"), { {}, 0, {}, {} } },
        { QStringLiteral("QTrailRowExists"),
            { { { QStringLiteral("Screen"), QStringLiteral("upkeep") }, { QStringLiteral("Action"), QStringLiteral("warning") }, { QStringLiteral("Detail"), QStringLiteral("x") } }, 0, {}, {} } },
        { QStringLiteral("QUserNameById"), { { { QStringLiteral("OLD_ID"), 7 } }, 1, {}, {} } },
        { QStringLiteral("QUserNameCodeExists"), { { { QStringLiteral("Code"), QStringLiteral("john ") }, { QStringLiteral("isDepartment"), QStringLiteral("N") } }, 1, {}, {} } },
        { QStringLiteral("QGroupById"), { { { QStringLiteral("Id"), 3 } }, 1, { { QStringLiteral("FullName"), QStringLiteral("ADMIN ผู้ดูแลระบบ") } }, {} } },
        { QStringLiteral("LockGroupRow"), { { { QStringLiteral("Id"), 3 } }, 1, {}, {} } },
        { QStringLiteral("LockUserRow"), { { { QStringLiteral("Id"), 3 } }, 0, {}, {} } }, // 3 is a group
        // SALES's rows on the entries ADMIN holds: all of them
        { QStringLiteral("DeleteListedRights"),
            { { { QStringLiteral("GetId"), 4 }, { QStringLiteral("MasterId"), 3 } }, 11, {},
                QStringLiteral("select case when count(*) = 0 then 1 else 0 end from UserRight where UserName = 4") } },
        { QStringLiteral("CountLogonFailure"),
            { { { QStringLiteral("Code"), QStringLiteral("JOHN") }, { QStringLiteral("Since"), QDateTime(QDate(kYear, 12, 10), QTime(8, 45)) } },
                1, {}, QStringLiteral("select case when Failures = 1 then 1 else 0 end from LogonFailure where Code = 'JOHN'") } },
        { QStringLiteral("ClearLogonFailure"), { { { QStringLiteral("Code"), QStringLiteral("john") } }, 1, {}, {} } },
        { QStringLiteral("InsertLogonHistory"),
            { { { QStringLiteral("UserId"), 6 }, { QStringLiteral("UserCode"), QStringLiteral("SOMCHAI") }, { QStringLiteral("Workstation"), QStringLiteral("PC1") },
                  { QStringLiteral("DatabaseName"), QStringLiteral("QLN%1").arg(y) } },
                1, {}, QStringLiteral("select case when count(*) = 1 and min(LogonDate) is not null then 1 else 0 end from LogonHistory where UserCode = 'SOMCHAI'") } },
        { QStringLiteral("InsertErrorLog"),
            { { { QStringLiteral("Menu"), 0 }, { QStringLiteral("UserId"), 6 }, { QStringLiteral("Message"), QStringLiteral("บันทึกไม่ได้") } }, 1, {},
                QStringLiteral("select count(*) from errorlog where menu = 0 and username = 6 and errormsg = 'บันทึกไม่ได้'") } },
        { QStringLiteral("QMenuAll"), { {}, 42, { { QStringLiteral("Parent"), QStringLiteral("0") } }, {} } },
        // the sales department: the administrators, the built-in group and sales
        { QStringLiteral("QGroupsWithRight"), { { { QStringLiteral("MenuId"), 10000000 } }, 3, {}, {} } },
        { QStringLiteral("QGroupByCode"), { { { QStringLiteral("Code"), QStringLiteral("sales") } }, 1, { { QStringLiteral("Code"), QStringLiteral("SALES") } }, {} } },
        { QStringLiteral("QActiveGroups"), { {}, 4, { { QStringLiteral("Code"), QStringLiteral("ADMIN") } }, {} } },
        // the inactive come last
        { QStringLiteral("QGroupMembers"), { { { QStringLiteral("GroupId"), 4 } }, 3, { { QStringLiteral("Code"), QStringLiteral("JOHN") }, { QStringLiteral("LastLogon"), QString() } }, {} } },
        { QStringLiteral("QDormantUsers"),
            { { { QStringLiteral("Since"), QDateTime(QDate(2100, 1, 1), QTime(0, 0)) } }, 5, { { QStringLiteral("Code"), QStringLiteral("CASHIER") }, { QStringLiteral("GroupCode"), QStringLiteral("SHOP") } }, {} } },
        { QStringLiteral("QSecurityTrail"),
            { { { QStringLiteral("Since"), QDate(2000, 1, 1) }, { QStringLiteral("UserCode"), QString() }, { QStringLiteral("TargetCode"), QString() }, { QStringLiteral("Screen"), QStringLiteral("users") } }, 1,
                { { QStringLiteral("TargetCode"), QStringLiteral("JOHN") } }, {} } },
        { QStringLiteral("QLogonFailures"), { {}, 0, {}, {} } },
        { QStringLiteral("QSecurityLog"),
            { { { QStringLiteral("Since"), QDate(2000, 1, 1) }, { QStringLiteral("UserCode"), QString() }, { QStringLiteral("TargetCode"), QStringLiteral("JOHN") } }, 1,
                { { QStringLiteral("Action"), QStringLiteral("update") }, { QStringLiteral("Workstation"), QStringLiteral("PC1") } }, {} } },
        { QStringLiteral("QSiteUser"), { { { QStringLiteral("Code"), QStringLiteral("SOMCHAI") } }, 1, { { QStringLiteral("GroupId"), QStringLiteral("3") } }, {} } },
        { QStringLiteral("QSiteGroup"),
            { { { QStringLiteral("GroupId"), 3 } }, 1, { { QStringLiteral("Code"), QStringLiteral("ADMIN") }, { QStringLiteral("CanSetOtherUserPass"), QStringLiteral("Y") } }, {} } },
        { QStringLiteral("QGroupRights"), { { { QStringLiteral("GroupId"), 3 } }, 42, {}, {} } },
        { QStringLiteral("QUserDatabaseNames"), { { { QStringLiteral("UserId"), 6 } }, 6, { { QStringLiteral("DatabaseName"), QStringLiteral("QLN%1").arg(kYear - 1) } }, {} } },
        { QStringLiteral("QMenuEntry"), { { { QStringLiteral("MenuId"), 10000000 } }, 1, { { QStringLiteral("DescEnglish"), QStringLiteral("Sales") } }, {} } },
        // the cashier's group has no rights on the sales department; ZAQ's has
        { QStringLiteral("QWhoCanMenu"), { { { QStringLiteral("MenuId"), 10000000 } }, 4, { { QStringLiteral("Code"), QStringLiteral("JOHN") }, { QStringLiteral("GroupCode"), QStringLiteral("SALES") } }, {} } },
        { QStringLiteral("QWhoCanFlag"), { {}, 5, { { QStringLiteral("UserCode"), QStringLiteral("CASHIER") }, { QStringLiteral("Code"), QStringLiteral("SHOP") } }, {} } },
        { QStringLiteral("qconfig"), { {}, 1, { { QStringLiteral("LastUpdate"), QStringLiteral("%1-11-30").arg(y) }, { QStringLiteral("Runyear"), y } }, {} } },
        { QStringLiteral("QRightsGroup"),
            { { { QStringLiteral("GetUser"), QStringLiteral("SALES") }, { QStringLiteral("isDepartment"), QStringLiteral("Y") } }, 1,
                { { QStringLiteral("FULLNAME"), QStringLiteral("ฝ่ายขาย") }, { QStringLiteral("Active"), QStringLiteral("Y") } }, {} } },
        // SALES's rights on what ADMIN holds (every entry), indented by level
        { QStringLiteral("QRightsThai"),
            { { { QStringLiteral("GetId"), 4 }, { QStringLiteral("MasterId"), 3 } }, 42,
                { { QStringLiteral("Id"), QStringLiteral("10000000") }, { QStringLiteral("Description"), QStringLiteral("ระบบขาย") },
                    { QStringLiteral("AccessRight"), QStringLiteral("Y") }, { QStringLiteral("DeleteRight"), QStringLiteral("N") } },
                {} } },
        // SHOP's rights on what SALES holds: none of them
        { QStringLiteral("QRightsEnglish"),
            { { { QStringLiteral("GetId"), 5 }, { QStringLiteral("MasterId"), 4 } }, 11,
                { { QStringLiteral("Description"), QStringLiteral("Sales") }, { QStringLiteral("AccessRight"), QStringLiteral("N") } }, {} } },
        { QStringLiteral("QRightsAllThai"),
            { { { QStringLiteral("GetId"), 1 } }, 42, { { QStringLiteral("MenuLevel"), QStringLiteral("0") }, { QStringLiteral("ModifyRight"), QStringLiteral("Y") } }, {} } },
        { QStringLiteral("QRightsAllEnglish"),
            { { { QStringLiteral("GetId"), 9 } }, 42, { { QStringLiteral("Parent"), QStringLiteral("0") }, { QStringLiteral("AddRight"), QStringLiteral("N") } }, {} } },
        { QStringLiteral("QMenuParents"), { {}, 42, {}, {} } },
        // the active groups but SALES, by code
        { QStringLiteral("QCopyRightGroups"), { { { QStringLiteral("ToUser"), 4 } }, 3, { { QStringLiteral("Code"), QStringLiteral("ADMIN") } }, {} } },
        { QStringLiteral("QUserCompanyUser"), { { { QStringLiteral("GetUser"), QStringLiteral("JOHN") } }, 1, { { QStringLiteral("FULLNAME"), QStringLiteral("John Smith") } }, {} } },
        { QStringLiteral("QUserCompanyList"),
            { { { QStringLiteral("GetCode"), QStringLiteral("JOHN") } }, 3,
                { { QStringLiteral("DatabaseName"), QStringLiteral("QLN%1").arg(y) }, { QStringLiteral("YearNo"), y } }, {} } },
        // newest year first; the database's own description, not its type's
        { QStringLiteral("QAllDatabase"),
            { {}, 6, { { QStringLiteral("DatabaseName"), QStringLiteral("QLN%1").arg(y) }, { QStringLiteral("Description"), QStringLiteral("QLN Trading - Accounting %1").arg(y) } }, {} } },
        { QStringLiteral("InsertUserRight"),
            { { { QStringLiteral("UserName"), 5 }, { QStringLiteral("Menu"), 20000000 }, { QStringLiteral("AccessRight"), QStringLiteral("Y") },
                  { QStringLiteral("AddRight"), QStringLiteral("N") }, { QStringLiteral("ModifyRight"), QStringLiteral("Y") }, { QStringLiteral("DeleteRight"), QStringLiteral("N") } },
                1, {}, QStringLiteral("select count(*) from UserRight where UserName = 5 and Menu = 20000000 and ModifyRight = 'Y' and AddRight = 'N'") } },
        { QStringLiteral("InsertUserCompany"),
            { { { QStringLiteral("UserName"), 8 }, { QStringLiteral("Company"), 2 }, { QStringLiteral("DatabaseType"), 1 }, { QStringLiteral("DatabaseList"), 5 } }, 1, {},
                QStringLiteral("select count(*) from UserCompany where UserName = 8 and DatabaseList = 5") } },
        { QStringLiteral("DeleteUserCompany"),
            { { { QStringLiteral("OLD_Id"), 1 } }, 1, {}, QStringLiteral("select case when count(*) = 0 then 1 else 0 end from UserCompany where Id = 1") } },
        { QStringLiteral("QAccount"), { { { QStringLiteral("InputYear"), kYear } }, 1, { { QStringLiteral("LastPost"), QStringLiteral("118") }, { QStringLiteral("LastCloseMonth"), QStringLiteral("10") } }, {} } },
    };
}

TEST(SqlCatalogue, EveryTextRunsAndAnswersAsTheServerWould)
{
    QTemporaryDir dir;
    Site::initDemo(dir.path(), kYear);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto expected = expectations();
    for (const Sql::Entry& entry : Sql::catalogue()) {
        SCOPED_TRACE(entry.name);
        const auto it = expected.find(QLatin1String(entry.name));
        ASSERT_NE(it, expected.end()) << "no expectation for " << entry.name;
        const QString database = entry.target == Sql::Target::Master ? QStringLiteral("master")
            : entry.target == Sql::Target::Config                    ? QStringLiteral("ZAQ_CONFIG")
                                                                      : QStringLiteral("QLN") + QString::number(kYear);
        Connection c(QStringLiteral("catalogue"));
        c.profile().add({ QStringLiteral("SERVER NAME=./data"), QStringLiteral("DATABASE NAME=") + database, QStringLiteral("USER NAME=zaq"),
            QStringLiteral("PASSWORD=hollyoak") });
        if (!it->prepare.isEmpty())
            Query(&c, { it->prepare }).execSql();
        if (entry.kind == Sql::Kind::Script) {
            runScript(c, *entry.lines);
        } else {
            Query q(&c, *entry.lines);
            if (it->nullOthers) {
                for (const QString& name : parameterNames(q.text()))
                    q.setParam(name, QVariant());
            }
            for (const auto& p : it->params)
                q.setParam(p.first, p.second);
            if (entry.kind == Sql::Kind::Execute) {
                EXPECT_EQ(q.execSql(), it->rows);
            } else {
                q.open();
                EXPECT_EQ(q.rowCount(), it->rows);
                q.first();
                for (const auto& f : it->firstRow)
                    EXPECT_EQ(q.field(f.first).asString().toStdString(), f.second.toStdString()) << f.first.toStdString();
            }
        }
        if (!it->check.isEmpty()) {
            Query check(&c, { it->check });
            check.open();
            EXPECT_EQ(check.field(0).asInteger(), 1) << it->check.toStdString();
        }
    }
    QDir::setCurrent(previous);
}

} // namespace
