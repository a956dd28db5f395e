// The site tool's security reports over a fixture site whose answers are known:
// the logon fixture's users and groups with the menu fixture's rights.
#include "reports/privilegeflags.h"
#include "reports.h"
#include "reports/reportexport.h"

#include "fakeworkstation.h"
#include "fixedclock.h"
#include "db/embedded/serverclock.h"
#include "logonfixture.h"
#include "menufixture.h"
#include "testapp.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
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
    // What a Python reader makes of a file.
    static QString readBack(const QString& program, const QString& file)
    {
        QProcess p;
        // Debian's own interpreter, which carries the Debian packages (openpyxl).
        const QString python = QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3");
        p.start(python, { QStringLiteral("-c"), program, file });
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            return QStringLiteral("python3 failed: ") + QString::fromUtf8(p.readAllStandardError());
        return QString::fromUtf8(p.readAllStandardOutput());
    }

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
    EXPECT_EQ(out.section(QStringLiteral("\nDatabase\n"), 0, 0),
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
    EXPECT_TRUE(lines().contains(QStringLiteral("กำหนดรหัสผ่านของผู้ใช้งานคนอื่นได้\tCanSetOtherUserPass")));

    // Without a group: nothing to see, no privileges, whatever the user's own row says.
    ASSERT_EQ(run(SiteReports::rights, { QStringLiteral("--user"), QStringLiteral("NOGRP") }), 0);
    EXPECT_EQ(lines(), (QStringList { QStringLiteral("User\tNOGRP\tNo Group"), QStringLiteral("Group\t(none: no menu entries, no privileges)"),
                           QStringLiteral("Menu\tId\tAccess\tAdd\tModify\tDelete"), QStringLiteral("Privilege\tColumn"), QStringLiteral("Database"),
                           QStringLiteral("D2026") })); // the databases are the user's own

    ASSERT_EQ(run(SiteReports::rights, { QStringLiteral("--user"), QStringLiteral("OLD") }), 0);
    EXPECT_EQ(lines().first(), QStringLiteral("User\tOLD\tOld\t(inactive: cannot log on)"));

    EXPECT_EQ(run(SiteReports::rights, { QStringLiteral("--user"), QStringLiteral("SALES") }), 1); // a group is not a user
    EXPECT_EQ(err, QStringLiteral("No user SALES.\n"));
}

TEST_F(SiteReportsTest, WhoCanListsTheActiveUsersOfTheGroupsWithTheEntryOrTheFlag)
{
    const QString unreachableHeader = QStringLiteral("\nCode\tFullName\tGroup\tMissingParent\n");
    ASSERT_EQ(run(SiteReports::whoCan, { QStringLiteral("--menu"), QStringLiteral("10300000") }), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("Code\tFullName\tGroup\tAccess\tAdd\tModify\tDelete\nANN\tแอน ทดสอบ\tADMIN\tY\tY\tY\tY\n") + unreachableHeader);

    ASSERT_EQ(run(SiteReports::whoCan, { QStringLiteral("--menu"), QStringLiteral("65100000") }), 0);
    QStringList codes;
    for (const QString& line : out.section(QStringLiteral("\n\n"), 0, 0).split(QLatin1Char('\n')).mid(1))
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
        { SiteReports::whoCan, { QStringLiteral("--menu") } },
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
                               "'FULLNAME: '''' -> ''a\nb\r\x1b[2J\x7f ไทย''')"));
    ASSERT_EQ(run(SiteReports::audit, {}), 0) << err.toStdString();
    ASSERT_EQ(lines().size(), 2);
    EXPECT_EQ(lines().at(1),
        QStringLiteral("02/12/2026 08:15:00\tANN\tWS01\tusers\tinsert\tEV\\tIL\\x01\tFULLNAME: '' -> 'a\\nb\\r\\x1b[2J\\x7f ไทย'"));
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

    // Nothing to lift: nothing changes, no row is written, and the exit code says so.
    ASSERT_EQ(run(SiteReports::unlock, { QStringLiteral("BOB") }), 1);
    EXPECT_EQ(err, QStringLiteral("BOB has no failed logons counted: nothing to unlock.\n"));
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from SecurityLog")).toInt(), 1);
}

// The tree shows an entry only under a granted parent, so a group holding an
// entry without its parent cannot reach it: who-can lists such users apart,
// and the entry is found by its id or by either description.
TEST_F(SiteReportsTest, WhoCanCountsAnEntryOnlyWhenEveryParentIsGranted)
{
    for (const char* named : { "10301000", "unreachable", "เข้าไม่ถึง" }) {
        SCOPED_TRACE(named);
        ASSERT_EQ(run(SiteReports::whoCan, { QStringLiteral("--menu"), QString::fromUtf8(named) }), 0) << err.toStdString();
        const QStringList parts = out.split(QStringLiteral("\n\n"));
        ASSERT_EQ(parts.size(), 2);
        EXPECT_EQ(parts.at(0), QStringLiteral("Code\tFullName\tGroup\tAccess\tAdd\tModify\tDelete\nANN\tแอน ทดสอบ\tADMIN\tY\tY\tY\tY"));
        const QStringList apart = parts.at(1).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_EQ(apart.value(0), QStringLiteral("Code\tFullName\tGroup\tMissingParent"));
        EXPECT_TRUE(apart.contains(QStringLiteral("BOB\tBob Brown\tSALES\t10300000"))) << out.toStdString();
        for (const QString& line : apart.mid(1))
            EXPECT_EQ(line.section(QLatin1Char('\t'), 2, 2), QStringLiteral("SALES"));
    }
    // The user's own rights agree: BOB's tree has no such entry.
    ASSERT_EQ(run(SiteReports::rights, { QStringLiteral("--user"), QStringLiteral("BOB") }), 0);
    EXPECT_FALSE(out.contains(QStringLiteral("10301000")));

    // A text that names several entries, or none, is refused with what it matched.
    EXPECT_EQ(run(SiteReports::whoCan, { QStringLiteral("--menu"), QStringLiteral("order") }), 1);
    EXPECT_TRUE(err.startsWith(QStringLiteral("2 entries are described as order; name one by its id: "))) << err.toStdString();
    EXPECT_EQ(run(SiteReports::whoCan, { QStringLiteral("--menu"), QStringLiteral("Payroll") }), 1);
    EXPECT_EQ(err, QStringLiteral("No menu entry is described as Payroll.\n"));
}

TEST_F(SiteReportsTest, MembersListAGroupsActiveAndInactiveUsersWithTheirLastLogon)
{
    site.config(QStringLiteral("Insert Into LogonHistory (UserId, UserCode, LogonDate, Workstation, DatabaseName) Select Id, Code, '2026-12-01 08:00:00', 'WS01', 'A2026' From UserName Where Code = 'BOB'\n/\n"
                               "Insert Into LogonHistory (UserId, UserCode, LogonDate, Workstation, DatabaseName) Select Id, Code, '2026-12-09 17:30:00', 'WS02', 'A2026' From UserName Where Code = 'BOB'"));
    ASSERT_EQ(run(SiteReports::members, { QStringLiteral("--group"), QStringLiteral("sales") }), 0) << err.toStdString();
    const QStringList rows = lines();
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.first(), QStringLiteral("Code\tFullName\tActive\tCreated\tLastLogon"));
    QStringList bob = rows.filter(QRegularExpression(QStringLiteral("^BOB\t")));
    ASSERT_EQ(bob.size(), 1);
    EXPECT_TRUE(bob.first().startsWith(QStringLiteral("BOB\tBob Brown\tY\t")));
    EXPECT_TRUE(bob.first().endsWith(QStringLiteral("\t09/12/2026 17:30:00")));
    // The inactive come after the active ones.
    int firstInactive = -1;
    for (int i = 1; i < rows.size(); ++i) {
        const bool active = rows.at(i).section(QLatin1Char('\t'), 2, 2) == QLatin1String("Y");
        if (!active && firstInactive < 0)
            firstInactive = i;
        EXPECT_FALSE(active && firstInactive >= 0) << rows.at(i).toStdString();
    }

    EXPECT_EQ(run(SiteReports::members, { QStringLiteral("--group"), QStringLiteral("BOB") }), 1); // a user is not a group
    EXPECT_EQ(err, QStringLiteral("No group BOB.\n"));
}

TEST_F(SiteReportsTest, DormantListsActiveUsersWithoutALogonInTheDaysAndTheNeverSeen)
{
    site.config(QStringLiteral("Insert Into LogonHistory (UserId, UserCode, LogonDate, Workstation, DatabaseName) Select Id, Code, '2026-12-01 08:00:00', 'WS01', 'A2026' From UserName Where Code = 'BOB'\n/\n"
                               "Insert Into LogonHistory (UserId, UserCode, LogonDate, Workstation, DatabaseName) Select Id, Code, '2026-08-01 08:00:00', 'WS01', 'A2026' From UserName Where Code = 'ANN'"));
    auto row = [this](const QString& code) { return lines().filter(QRegularExpression(QLatin1Char('^') + code + QLatin1Char('\t'))).value(0); };
    ASSERT_EQ(run(SiteReports::dormant, {}), 0) << err.toStdString();
    EXPECT_EQ(lines().first(), QStringLiteral("Code\tFullName\tGroup\tCreated\tLastLogon"));
    EXPECT_TRUE(row(QStringLiteral("BOB")).isEmpty());                               // nine days ago
    EXPECT_TRUE(row(QStringLiteral("ANN")).endsWith(QStringLiteral("\t01/08/2026 08:00:00"))); // 131 days ago
    EXPECT_TRUE(row(QStringLiteral("CASH")).endsWith(QStringLiteral("\tnever")));
    EXPECT_TRUE(row(QStringLiteral("OLD")).isEmpty()); // inactive: cannot log on anyway

    ASSERT_EQ(run(SiteReports::dormant, { QStringLiteral("--days"), QStringLiteral("5") }), 0);
    EXPECT_FALSE(row(QStringLiteral("BOB")).isEmpty());
    ASSERT_EQ(run(SiteReports::dormant, { QStringLiteral("--days"), QStringLiteral("200") }), 0);
    EXPECT_TRUE(row(QStringLiteral("ANN")).isEmpty());
    EXPECT_EQ(run(SiteReports::dormant, { QStringLiteral("--days"), QStringLiteral("ninety") }), 2);
}

TEST_F(SiteReportsTest, LocksListOnlyTheCodesLockedNow)
{
    site.config(QStringLiteral("Insert Into LogonFailure (Code, Failures, LastFailure) Values ('BOB', 10, '2026-12-10 08:55:00')\n/\n"
                               "Insert Into LogonFailure (Code, Failures, LastFailure) Values ('ANN', 3, '2026-12-10 08:58:00')\n/\n"
                               "Insert Into LogonFailure (Code, Failures, LastFailure) Values ('CASH', 12, '2026-12-10 08:00:00')"));
    ASSERT_EQ(run(SiteReports::locks, {}), 0) << err.toStdString();
    EXPECT_EQ(lines(), (QStringList { QStringLiteral("Code\tFailures\tLastFailure\tMinutesLeft"), QStringLiteral("BOB\t10\t10/12/2026 08:55:00\t10") }));
    ASSERT_EQ(run(SiteReports::unlock, { QStringLiteral("BOB") }), 0);
    ASSERT_EQ(run(SiteReports::locks, {}), 0);
    EXPECT_EQ(lines().size(), 1);
}

// Every report writes CSV and XLSX a spreadsheet reads, Thai intact.
TEST_F(SiteReportsTest, ReportsExportToCsvAndXlsxThatRealReadersRead)
{
    const QString csvFile = site.file(QStringLiteral("members.csv"));
    ASSERT_EQ(run(SiteReports::members, { QStringLiteral("--group"), QStringLiteral("ADMIN"), QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--output"), csvFile }), 0)
        << err.toStdString();
    QFile csv(csvFile);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csv.readAll().startsWith("\xEF\xBB\xBF"));
    const QString csvRead = readBack(QStringLiteral("import csv,sys\nfor r in csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline='')): print('|'.join(r))"), csvFile);
    EXPECT_TRUE(csvRead.startsWith(QStringLiteral("Code|FullName|Active|Created|LastLogon\n"))) << csvRead.toStdString();
    EXPECT_TRUE(csvRead.contains(QStringLiteral("\nANN|แอน ทดสอบ|Y|"))) << csvRead.toStdString();

    const QString xlsxFile = site.file(QStringLiteral("rights.xlsx"));
    ASSERT_EQ(run(SiteReports::rights, { QStringLiteral("--user"), QStringLiteral("ANN"), QStringLiteral("--format"), QStringLiteral("xlsx"), QStringLiteral("--output"), xlsxFile }), 0)
        << err.toStdString();
    const QString xlsxRead = readBack(QStringLiteral("import openpyxl,sys\nb=openpyxl.load_workbook(sys.argv[1])\n"
                                                     "for s in b.worksheets:\n print('#'+s.title)\n for r in s.iter_rows(values_only=True): print('|'.join('' if v is None else str(v) for v in r))"),
        xlsxFile);
    EXPECT_TRUE(xlsxRead.startsWith(QStringLiteral("#User\nUser|ANN|แอน ทดสอบ\nGroup|ADMIN|"))) << xlsxRead.toStdString();
    EXPECT_TRUE(xlsxRead.contains(QStringLiteral("\nMenu|Id|Access|Add|Modify|Delete\n"))) << xlsxRead.toStdString();
    EXPECT_TRUE(xlsxRead.contains(QStringLiteral("    เข้าไม่ถึง Unreachable|10301000|Y|Y|Y|Y\n"))) << xlsxRead.toStdString();
    EXPECT_TRUE(xlsxRead.contains(QStringLiteral("\n#Databases the user may log on t\nDatabase\n"))) << xlsxRead.toStdString();

    // xlsx goes to a file only; a folder that cannot take the file says so.
    EXPECT_EQ(run(SiteReports::members, { QStringLiteral("--group"), QStringLiteral("ADMIN"), QStringLiteral("--format"), QStringLiteral("xlsx") }), 2);
    EXPECT_EQ(run(SiteReports::members, { QStringLiteral("--group"), QStringLiteral("ADMIN"), QStringLiteral("--format"), QStringLiteral("ods") }), 2);
    EXPECT_TRUE(err.startsWith(QStringLiteral("Unknown format ods"))) << err.toStdString();
    EXPECT_EQ(run(SiteReports::members, { QStringLiteral("--group"), QStringLiteral("ADMIN"), QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--output"), site.file(QStringLiteral("no/such/folder/x.csv")) }), 1);
    EXPECT_TRUE(err.startsWith(QStringLiteral("Cannot write "))) << err.toStdString();
}

TEST(ReportExport, PdfCarriesTheThaiTextAPdfReaderExtracts)
{
    testApp();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("trail.pdf"));
    const Reports::Report report { { QStringLiteral("ประวัติการเปลี่ยนแปลง"), { QStringLiteral("Code"), QStringLiteral("FullName") },
        { { QStringLiteral("ANN"), QStringLiteral("แอน ทดสอบ") }, { QStringLiteral("BOB"), QStringLiteral("Bob <Brown> & Co") } } } };
    Reports::writePdf(report, file);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), { QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-") });
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const char* expected : { "ประวัติการเปลี่ยนแปลง", "แอน ทดสอบ", "Bob <Brown> & Co", "FullName" })
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_THROW(Reports::writePdf(report, dir.filePath(QStringLiteral("none/x.pdf"))), Reports::ExportError);
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
