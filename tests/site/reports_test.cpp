// The site tool's security reports over a fixture site whose answers are known:
// the logon fixture's users and groups with the menu fixture's rights.
#include "privilegeflags.h"
#include "reports.h"

#include "fakeworkstation.h"
#include "fixedclock.h"
#include "db/embedded/serverclock.h"
#include "logonfixture.h"
#include "menufixture.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace {

class SiteReportsTest : public ::testing::Test
{
protected:
    SiteReportsTest()
    {
        LogonFixture::build(site);
        MenuFixture::build(site);
    }

    using Command = int (*)(const QStringList&, QTextStream&, QTextStream&);
    // Runs a command with --site and answers its exit code; its output lands in `out` and `err`.
    int run(Command command, QStringList args)
    {
        out.clear();
        err.clear();
        args.prepend(site.dir());
        args.prepend(QStringLiteral("--site"));
        QTextStream o(&out);
        QTextStream e(&err);
        const int code = command(args, o, e);
        o.flush();
        e.flush();
        return code;
    }
    QStringList lines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

    FixtureSite site;
    FakeWorkstation workstation;
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(9, 0)) };
    // The site's server keeps the same time: the lock goes by the server's clock.
    struct ServerTime
    {
        explicit ServerTime(const FixedClock& c) { ServerClock::setSource([&c] { return c.now(); }); }
        ~ServerTime() { ServerClock::setSource({}); }
    } serverTime { clock };
    QString out;
    QString err;
};

TEST_F(SiteReportsTest, RightsShowTheTreeTheUserSeesTheGroupAndItsFlags)
{
    // The stored access right shows as stored: a row with "N" still shows its entry, as the tree does.
    site.config(QStringLiteral("Update UserRight Set AccessRight = 'N', AddRight = 'Y', DeleteRight = 'Y' Where Menu = 10202000 And UserName = (Select Id From UserName Where Code = 'SALES')\n/\n"
                               "Update UserName Set Web_Sales = 'Y', CanSeeCost = 'Y', Web_IT = 'N' Where Code = 'SALES'"));
    ASSERT_EQ(run(SiteReports::rights, { QStringLiteral("--user"), QStringLiteral("bob") }), 0) << err.toStdString();
    EXPECT_EQ(out,
        QStringLiteral("User\tBOB\tBob Brown\n"
                       "Group\tSALES\tฝ่ายขาย\n"
                       "\n"
                       "Menu\tId\tAccess\tAdd\tModify\tDelete\n"
                       "Sales\t10000000\tY\tN\tN\tN\n"
                       "  Orders\t10200000\tY\tN\tN\tN\n"
                       "    Order entry\t10201000\tY\tN\tN\tN\n"
                       "    Daily report\t10202000\tN\tY\tN\tY\n"
                       "  Quotation\t10100000\tY\tN\tN\tN\n"
                       "  Empty folder\t10400000\tY\tN\tN\tN\n"
                       "Export\t65000000\tY\tN\tN\tN\n"
                       "  Export documents\t65100000\tY\tN\tN\tN\n"
                       "\n"
                       "Privilege\tColumn\n"
                       "เห็นราคาซื้อหรือต้นทุน\tCanSeeCost\n"
                       "แผนกขาย\tWeb_Sales\n"));

    // A Thai user sees the Thai captions; the group's flags by caption.
    ASSERT_EQ(run(SiteReports::rights, { QStringLiteral("--user"), QStringLiteral("ANN") }), 0);
    EXPECT_TRUE(lines().contains(QStringLiteral("    เข้าไม่ถึง Unreachable\t10301000\tY\tY\tY\tY")));
    EXPECT_EQ(lines().last(), QStringLiteral("กำหนดรหัสผ่านของผู้ใช้งานคนอื่นได้\tCanSetOtherUserPass"));

    // Without a group: nothing to see, no privileges, whatever the user's own row says.
    ASSERT_EQ(run(SiteReports::rights, { QStringLiteral("--user"), QStringLiteral("NOGRP") }), 0);
    EXPECT_EQ(lines(), (QStringList { QStringLiteral("User\tNOGRP\tNo Group"), QStringLiteral("Group\t(none: no menu entries, no privileges)"),
                           QStringLiteral("Menu\tId\tAccess\tAdd\tModify\tDelete"), QStringLiteral("Privilege\tColumn") }));

    ASSERT_EQ(run(SiteReports::rights, { QStringLiteral("--user"), QStringLiteral("OLD") }), 0);
    EXPECT_EQ(lines().first(), QStringLiteral("User\tOLD\tOld\t(inactive: cannot log on)"));

    EXPECT_EQ(run(SiteReports::rights, { QStringLiteral("--user"), QStringLiteral("SALES") }), 1); // a group is not a user
    EXPECT_EQ(err, QStringLiteral("No user SALES.\n"));
}

TEST_F(SiteReportsTest, WhoCanListsTheActiveUsersOfTheGroupsWithTheEntryOrTheFlag)
{
    ASSERT_EQ(run(SiteReports::whoCan, { QStringLiteral("--menu"), QStringLiteral("10300000") }), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("Code\tFullName\tGroup\tAccess\tAdd\tModify\tDelete\nANN\tแอน ทดสอบ\tADMIN\tY\tY\tY\tY\n"));

    ASSERT_EQ(run(SiteReports::whoCan, { QStringLiteral("--menu"), QStringLiteral("65100000") }), 0);
    QStringList codes;
    for (const QString& line : lines().mid(1))
        codes.append(line.section(QLatin1Char('\t'), 0, 0));
    EXPECT_EQ(codes, (QStringList { QStringLiteral("ANN"), QStringLiteral("BLANK"), QStringLiteral("BOB"), QStringLiteral("CASH"), QStringLiteral("NULLPW"),
                         QStringLiteral("PREV") })); // not OLD (inactive), not NOGRP

    // The flag of the group counts, not the user's own: NOGRP's own "Y" gives nothing.
    ASSERT_EQ(run(SiteReports::whoCan, { QStringLiteral("--flag"), QStringLiteral("cansetotheruserpass") }), 0);
    EXPECT_EQ(out, QStringLiteral("Code\tFullName\tGroup\nANN\tแอน ทดสอบ\tADMIN\nZAQ\tZAQ Administrator\tZAQSYSTEM\n"));

    EXPECT_EQ(run(SiteReports::whoCan, { QStringLiteral("--menu"), QStringLiteral("99999999") }), 1);
    EXPECT_EQ(err, QStringLiteral("No menu entry 99999999.\n"));
    EXPECT_EQ(run(SiteReports::whoCan, { QStringLiteral("--flag"), QStringLiteral("Password") }), 2);
    EXPECT_TRUE(err.startsWith(QStringLiteral("Password is not a privilege flag.")));
}

TEST_F(SiteReportsTest, WrongArgumentsAreRefusedBeforeTheSiteIsOpened)
{
    const struct
    {
        Command command;
        QStringList args;
    } cases[] = {
        { SiteReports::whoCan, {} },
        { SiteReports::whoCan, { QStringLiteral("--menu"), QStringLiteral("1"), QStringLiteral("--flag"), QStringLiteral("CanSeeCost") } },
        { SiteReports::whoCan, { QStringLiteral("--menu"), QStringLiteral("ten") } },
        { SiteReports::rights, {} },
        { SiteReports::audit, { QStringLiteral("--since"), QStringLiteral("2026-12-01") } },
        { SiteReports::audit, { QStringLiteral("--since"), QStringLiteral("31/02/2026") } },
        { SiteReports::audit, { QStringLiteral("--who"), QStringLiteral("ANN") } },
        { SiteReports::unlock, {} },
        { SiteReports::unlock, { QStringLiteral("BOB"), QStringLiteral("ANN") } },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.command, c.args), 2) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(err.isEmpty());
    }
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from SecurityLog")).toInt(), 0);
}

TEST_F(SiteReportsTest, AuditPrintsTheTrailNewestFirstFilteredByDateUserAndTarget)
{
    site.config(QStringLiteral(
        "Insert Into SecurityLog (LogDate, UserId, UserCode, Workstation, Screen, Action, TargetCode, Detail) Values ('2026-11-30 17:00:00', 4, 'ANN', 'WS01', 'users', 'update', 'BOB', 'ACTIVE: ''Y'' -> ''N''')\n/\n"
        "Insert Into SecurityLog (LogDate, UserId, UserCode, Workstation, Screen, Action, TargetCode, Detail) Values ('2026-12-02 08:15:00', 4, 'ANN', 'WS01', 'rights', 'rights', 'SALES', '10000000 Sales: YNNN -> YYNN')\n/\n"
        "Insert Into SecurityLog (LogDate, UserId, UserCode, Workstation, Screen, Action, TargetCode, Detail) Values ('2026-12-01 10:00:00', 9, 'ZAQ', 'SERVER', 'password', 'password', 'BOB', 'password changed')"));
    const QString header = QStringLiteral("LogDate\tUserCode\tWorkstation\tScreen\tAction\tTargetCode\tDetail");
    const QString rights = QStringLiteral("02/12/2026 08:15:00\tANN\tWS01\trights\trights\tSALES\t10000000 Sales: YNNN -> YYNN");
    const QString password = QStringLiteral("01/12/2026 10:00:00\tZAQ\tSERVER\tpassword\tpassword\tBOB\tpassword changed");
    const QString active = QStringLiteral("30/11/2026 17:00:00\tANN\tWS01\tusers\tupdate\tBOB\tACTIVE: 'Y' -> 'N'");
    const struct
    {
        QStringList args;
        QStringList rows;
    } cases[] = {
        { {}, { header, rights, password, active } },
        { { QStringLiteral("--since"), QStringLiteral("01/12/2026") }, { header, rights, password } },
        { { QStringLiteral("--user"), QStringLiteral("ann") }, { header, rights, active } },
        { { QStringLiteral("--target"), QStringLiteral("BOB") }, { header, password, active } },
        { { QStringLiteral("--target"), QStringLiteral("BOB"), QStringLiteral("--user"), QStringLiteral("ANN"), QStringLiteral("--since"), QStringLiteral("01/12/2026") }, { header } },
    };
    for (const auto& c : cases) {
        ASSERT_EQ(run(SiteReports::audit, c.args), 0) << err.toStdString();
        EXPECT_EQ(lines(), c.rows) << c.args.join(QLatin1Char(' ')).toStdString();
    }
}

TEST_F(SiteReportsTest, AuditWritesControlCharactersInNamesAsEscapes)
{
    site.config(QStringLiteral("Insert Into SecurityLog (LogDate, UserId, UserCode, Workstation, Screen, Action, TargetCode, Detail) Values "
                               "('2026-12-02 08:15:00', 4, 'ANN', 'WS01', 'users', 'insert', 'EV\tIL\x01', "
                               "'FULLNAME: '''' -> ''a\nb\r\x1b[2J\x7f\u0085 ไทย''')"));
    ASSERT_EQ(run(SiteReports::audit, {}), 0) << err.toStdString();
    ASSERT_EQ(lines().size(), 2);
    EXPECT_EQ(lines().at(1),
        QStringLiteral("02/12/2026 08:15:00\tANN\tWS01\tusers\tinsert\tEV\\tIL\\x01\tFULLNAME: '' -> 'a\\nb\\r\\x1b[2J\\x7f\\x85 ไทย'"));
}

TEST_F(SiteReportsTest, UnlockLiftsTheLockAndLeavesATrailRow)
{
    site.config(QStringLiteral("Insert Into LogonFailure (Code, Failures, LastFailure) Values ('BOB', 10, '2026-12-10 08:55:00')"));
    workstation.userName = QStringLiteral("siteadmin");
    ASSERT_EQ(run(SiteReports::unlock, { QStringLiteral("bob") }), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("Lock on BOB lifted.\n"));
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from LogonFailure")).toInt(), 0);

    ASSERT_EQ(run(SiteReports::audit, { QStringLiteral("--target"), QStringLiteral("BOB") }), 0);
    ASSERT_EQ(lines().size(), 2);
    EXPECT_TRUE(lines().at(1).endsWith(QStringLiteral("\tWS01\tzaqsite unlock\tunlock\tBOB\tfailed logons: 10, the last at 10/12/2026 08:55:00; lifted by siteadmin on WS01 with the site tool")))
        << lines().at(1).toStdString();

    // Nothing to lift: nothing changes and no row is written.
    ASSERT_EQ(run(SiteReports::unlock, { QStringLiteral("BOB") }), 0);
    EXPECT_EQ(out, QStringLiteral("BOB has no failed logons counted.\n"));
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from SecurityLog")).toInt(), 1);
}

TEST(PrivilegeFlags, AreTheFiftyGroupFlagsOfTheScreensCatalogue)
{
    EXPECT_EQ(PrivilegeFlags::all().size(), 50);
    ASSERT_NE(PrivilegeFlags::find(QStringLiteral("web_it")), nullptr);
    EXPECT_EQ(QString::fromUtf8(PrivilegeFlags::find(QStringLiteral("web_it"))->caption), QStringLiteral("แผนกไอที"));
    for (const char* notAFlag : { "ACTIVE", "IsDepartment", "Password", "Code" })
        EXPECT_EQ(PrivilegeFlags::find(QLatin1String(notAFlag)), nullptr) << notAFlag;
}

} // namespace
