// The security reports at the size of bench_scale's site: 20,000 menu entries,
// about 20,000 users in 500 groups, about a million rights rows, and 200,000
// rows of logon history. Each page of the reports screen is filled from its
// report as the screen fills it (the statements, the rules and the grid's
// model), and the XLSX export of the effective rights of a user who holds
// every entry (about 20,000 rows) is written. One line per step, medians:
//   step: NAME ms=M rows=R
// Options: --entries= --users= --groups= --rights= --history= --repeats=.
#include "benchapp.h"
#include "config/dmconfig.h"
#include "fixedclock.h"
#include "largemenufixture.h"
#include "logonfixture.h"
#include "reports/frsecurityreports.h"
#include "reports/reportexport.h"
#include "reports/securityreports.h"
#include "scriptedprompts.h"

#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

struct Sizes
{
    int entries = 20000;
    int users = 20000;
    int groups = 500;
    int rights = 1000000;
    int history = 200000;
    int repeats = 7;
};

void addUsersRightsAndHistory(const FixtureSite& site, const Sizes& s)
{
    const int every = std::max(1, int(qint64(s.groups) * s.entries / std::max(1, s.rights)));
    site.configWithNumbers(6, QStringLiteral(R"(
Insert Into UserName (Code, FullName, IsDepartment, Active, CanSetOtherUserPass)
Select 'GRP' + Cast(N As VarChar(10)), 'กลุ่มทดสอบ ' + Cast(N As VarChar(10)), 'Y', 'Y', 'N' From BenchNumber Where N < %1
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, POS_USER, AddDate)
Select 'U' + Cast(100000 + N.N As VarChar(10)), 'ผู้ใช้ทดสอบ ' + Cast(N.N As VarChar(10)),
  'N', Case When N.N % 10 = 0 Then 'N' Else 'Y' End, 1, Cast('pw' As VarBinary(Max)), G.Id, 'N', '2025-01-01'
From BenchNumber N, UserName G
Where N.N < %2 And G.Code = 'GRP' + Cast(N.N % %1 As VarChar(10))
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'N', 'Y', 'N' From UserName G, Menu M
Where G.IsDepartment = 'Y' And G.Code Like 'GRP%' And M.Parent <> 0 And (M.Id + G.Id) % %3 = 0
/
Insert Into LogonHistory (UserId, UserCode, LogonDate, Workstation, DatabaseName)
Select U.Id, U.Code, Case N.N % 4 When 0 Then '2026-12-09 08:00:00' When 1 Then '2026-10-01 08:00:00' When 2 Then '2026-06-01 08:00:00' Else '2025-12-01 08:00:00' End, 'WS' + Cast(N.N % 50 As VarChar(10)), 'AAA2026'
From BenchNumber N, UserName U
Where N.N < %4 And U.Code = 'U' + Cast(100000 + N.N % (%2 / 2) As VarChar(10))
/
Insert Into SecurityLog (LogDate, UserId, UserCode, Workstation, Screen, Action, TargetCode, Detail)
Select Case N.N % 3 When 0 Then '2026-12-09 10:00:00' When 1 Then '2026-12-02 10:00:00' Else '2026-11-01 10:00:00' End, 1, 'ANN', 'WS01', 'rights', 'rights', 'GRP' + Cast(N.N % %1 As VarChar(10)), 'a change'
From BenchNumber N Where N.N < 20000
/
Insert Into LogonFailure (Code, Failures, LastFailure)
Select 'U' + Cast(100000 + N As VarChar(10)), 10, '2026-12-10 08:55:00' From BenchNumber Where N < 200
/
)")
                    .arg(s.groups)
                    .arg(s.users)
                    .arg(every)
                    .arg(s.history));
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void measure(const char* name, int repeats, const std::function<qint64()>& step)
{
    std::vector<double> ms;
    qint64 rows = 0;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        rows = step();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("step: %s ms=%.1f rows=%lld\n", name, median(ms), static_cast<long long>(rows));
    std::fflush(stdout);
}

qint64 rowsOf(const Reports::Report& r)
{
    qint64 n = 0;
    for (const Reports::Table& t : r)
        n += t.rows.size();
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    Sizes s;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        auto number = [&a](const char* name, int& into) {
            if (a.startsWith(QLatin1String(name)))
                into = a.mid(int(std::strlen(name))).toInt();
        };
        number("--entries=", s.entries);
        number("--users=", s.users);
        number("--groups=", s.groups);
        number("--rights=", s.rights);
        number("--history=", s.history);
        number("--repeats=", s.repeats);
        // scripts/bench's filter picks programs by name: "reports" must match it.
        if (a.startsWith(QLatin1String("--benchmark_filter=")) && !QRegularExpression(a.mid(19)).match(QStringLiteral("reports")).hasMatch())
            return 0;
    }
    benchApplication();
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(9, 0)) };
    ScriptedPrompts prompts;
    QElapsedTimer built;
    built.start();
    FixtureSite site;
    LogonFixture::build(site);
    LargeMenuFixture::build(site, { s.entries, std::min(8000, s.entries / 2) });
    addUsersRightsAndHistory(site, s);
    std::printf("fixture: %.1f s\n", double(built.elapsed()) / 1000);

    TDMConfig dm;
    DmConfig = &dm;
    dm.DmCfg->open();
    dm.ThaiLanguage = false;
    TFrSecurityReports screen(nullptr, dm.DmCfg);
    screen.show();
    auto page = [&](TFrSecurityReports::Page p) {
        screen.Pages->setCurrentIndex(p);
        screen.fill();
        return rowsOf(screen.shown(p));
    };
    screen.GroupBox->setCurrentText(QStringLiteral("GRP7"));
    measure("members", s.repeats, [&] { return page(TFrSecurityReports::Members); });
    screen.UserCodeEdit->setText(QStringLiteral("BIG"));
    measure("userrights", s.repeats, [&] { return page(TFrSecurityReports::UserRights); });
    screen.EntryEdit->setText(QString::number(LargeMenuFixture::kLargest));
    measure("whocan_menu", s.repeats, [&] { return page(TFrSecurityReports::WhoCan); });
    screen.FlagBox->setCurrentIndex(1);
    measure("whocan_flag", s.repeats, [&] { return page(TFrSecurityReports::WhoCan); });
    screen.FlagBox->setCurrentIndex(0);
    measure("dormant", s.repeats, [&] { return page(TFrSecurityReports::Dormant); });
    screen.SinceEdit->setDate(QDate(2026, 12, 1));
    measure("trail", s.repeats, [&] { return page(TFrSecurityReports::Trail); });
    measure("locks", s.repeats, [&] { return page(TFrSecurityReports::Locks); });

    QTemporaryDir out;
    const Reports::Report rights = Reports::userRights(*dm.DmCfg, QStringLiteral("BIG"), false);
    measure("xlsx_userrights", std::max(1, s.repeats / 2), [&] {
        Reports::writeXlsx(rights, out.filePath(QStringLiteral("rights.xlsx")));
        return rowsOf(rights);
    });
    measure("csv_userrights", std::max(1, s.repeats / 2), [&] {
        Reports::writeFile(out.filePath(QStringLiteral("rights.csv")), Reports::toCsv(rights));
        return rowsOf(rights);
    });
    DmConfig = nullptr;
    dm.DmCfg->close();
    return 0;
}
