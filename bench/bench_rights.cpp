// The rights screens over a large site: 20,000 menu entries under four
// departments of 5,000 entries each, 500 groups, 1,000 company databases.
// Measured offscreen over the embedded site:
//   LoadRightsGrid         a group's code entered: lookup, rights query, grid filled and painted
//   DoubleClickDepartment  the cascade from a department with 5,000 entries below it
//   SelectAll              the pop-up menu's Select All over the 20,000 rows
//   SaveRights             Save with every row ticked: 20,000 inserts in one transaction
//   SaveRightsAllChanged   Save where each of the 20,000 entries changed since the last save
//                          (the security trail's worst case: every entry named in its detail)
//   RightsTrailAlone       the trail's share of that save on its own: the stored rights read,
//                          the comparison, the detail and its row (rolled back)
//   LoadUserDatabases      a user's code entered: his 200 databases and the other 800 in the choice box
#include "benchapp.h"
#include "config/dmconfig.h"
#include "config/securitytrail.h"
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/query.h"
#include "fixturesite.h"
#include "scriptedprompts.h"
#include "security/frcopyright.h"
#include "security/frusercompany.h"
#include "security/fruserrights.h"
#include "security/rightsmodel.h"
#include "toolkit/guard.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {

constexpr int kDepartments = 4;
constexpr int kPerDepartment = 5000;
constexpr int kGroups = 500;
constexpr int kDatabases = 1000;
constexpr int kUserDatabases = 200;
constexpr qint64 kDepartment = 10000000; // the first department

// Entry k of department D has id D + 1 + k: the first 50 hang below the
// department, every later one below one of those 50.
const char* const kMenuFixture = R"(
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish)
Select (N + 1) * 10000000, 0, N * 10000, 0, 'ระบบที่ ' + Cast(N As VarChar(10)), 'Department ' + Cast(N As VarChar(10))
From BenchNumber Where N < 4
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish)
Select (D.N + 1) * 10000000 + 1 + K.N,
  Case When K.N < 50 Then (D.N + 1) * 10000000 Else (D.N + 1) * 10000000 + 1 + (K.N - 50) / 99 End,
  D.N * 10000 + 1 + K.N,
  Case When K.N < 50 Then 1 Else 2 End,
  'รายการที่ ' + Cast(K.N As VarChar(10)), 'Entry ' + Cast(K.N As VarChar(10))
From BenchNumber D, BenchNumber K
Where D.N < 4 And K.N < 5000
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('ADMIN', 'ผู้ดูแลระบบ', 'Y', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active, GroupId)
Select 'SOMCHAI', 'สมชาย ใจดี', 'N', 'Y', Id From UserName Where Code = 'ADMIN'
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'Y', 'Y', 'Y' From UserName G, Menu M Where G.Code = 'ADMIN'
/
Insert Into UserName (Code, FullName, IsDepartment, Active)
Select 'G' + Cast(1000 + N As VarChar(10)), 'กลุ่มที่ ' + Cast(N As VarChar(10)), 'Y', 'Y' From BenchNumber Where N < 499
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'N', 'N', 'N' From UserName G, Menu M Where G.Code = 'G1000' And M.Id >= 20000000
/
Insert Into DatabaseType (Id, Description) Values (1, 'Main')
/
Insert Into DatabaseType (Id, Description) Values (2, 'Manufacturing')
/
Insert Into Company (Code, NameThai, ShortName, LocalServer)
Select 'C' + Cast(100 + N As VarChar(10)), 'บริษัทที่ ' + Cast(N As VarChar(10)), 'C', 'Y' From BenchNumber Where N < 50
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName)
Select 2017 + Y.N, C.Id, T.Id, 'ปี ' + Cast(2017 + Y.N As VarChar(10)), C.Code + '_' + Cast(2017 + Y.N As VarChar(10)) + '_' + Cast(T.Id As VarChar(10))
From Company C, BenchNumber Y, DatabaseType T
Where Y.N < 10
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('BENCH', 'ผู้ใช้ทดสอบ', 'N', 'Y')
/
Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)
Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L Where U.Code = 'BENCH' And L.Id <= 200
/
)";

// One site, data module and pair of screens for every run: building the site is not measured.
struct LargeSite
{
    LargeSite()
    {
        benchApplication();
        site = new FixtureSite;
        site->configWithNumbers(4, QString::fromUtf8(kMenuFixture));
        const auto count = [this](const char* select) { return site->configScalar(QString::fromUtf8(select)).toInt(); };
        if (count("Select Count(*) From Menu") != kDepartments * (kPerDepartment + 1)
            || count("Select Count(*) From UserName Where IsDepartment = 'Y'") != kGroups + 1 // with ZAQSYSTEM
            || count("Select Count(*) From DatabaseList") != kDatabases
            || count("Select Count(*) From UserCompany") != kUserDatabases)
            throw std::runtime_error("the large site is not as described");
        prompts.defaultConfirm = true;
        dm = new TDMConfig;
        DmConfig = dm;
        dm->UserCode = QStringLiteral("SOMCHAI");
        dm->GroupId = site->configScalar(QStringLiteral("Select Id From UserName Where Code = 'ADMIN'")).toInt();
        dm->ThaiLanguage = true;
        rights = new TFrUserRights(nullptr, new TFrCopyRight);
        company = new TFrUserCompany;
        for (QWidget* w : { static_cast<QWidget*>(rights), static_cast<QWidget*>(company) }) {
            w->show();
            if (!QTest::qWaitForWindowExposed(w))
                throw std::runtime_error("a screen did not show");
        }
    }

    // A code typed into the box, left with Enter.
    static void enter(QDialog* screen, QLineEdit* box, const QString& code)
    {
        screen->activateWindow();
        if (!QTest::qWaitForWindowActive(screen))
            throw std::runtime_error("a screen did not become active");
        box->setFocus();
        box->setText(code);
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    void loadGroup() { enter(rights, rights->UserCode, QStringLiteral("G1000")); }
    int rows() const { return rights->QRights->rowCount(); }

    QString fault() const
    {
        const QStringList shown = prompts.errors() + prompts.informations();
        if (!shown.isEmpty())
            return shown.join(QLatin1Char('|'));
        return {};
    }

    ScriptedPrompts prompts;
    FixtureSite* site;
    TDMConfig* dm;
    TFrUserRights* rights;
    TFrUserCompany* company;
};

LargeSite& largeSite()
{
    static LargeSite* made = new LargeSite;
    return *made;
}

void report(benchmark::State& state, const QString& fault)
{
    if (!fault.isEmpty())
        state.SkipWithError(fault.toStdString().c_str());
}

void LoadRightsGrid(benchmark::State& state)
{
    LargeSite& s = largeSite();
    for (auto _ : state) {
        s.loadGroup();
        s.rights->DgRights->viewport()->repaint();
    }
    state.counters["rows"] = s.rows();
    report(state, s.rows() != kDepartments * (kPerDepartment + 1) ? QStringLiteral("the grid lists %1 rows").arg(s.rows()) : s.fault());
}
BENCHMARK(LoadRightsGrid)->Unit(benchmark::kMillisecond);

// The rights query alone, opened and read to the end, to tell its share from the grid's.
void RightsQueryReadWhole(benchmark::State& state)
{
    LargeSite& s = largeSite();
    const int group = s.site->configScalar(QStringLiteral("Select Id From UserName Where Code = 'G1000'")).toInt();
    int rows = 0;
    for (auto _ : state) {
        Query q(s.dm->DmCfg, Sql::QRights(true, false));
        q.setParam(QStringLiteral("GetId"), group);
        q.setParam(QStringLiteral("MasterId"), s.dm->GroupId);
        q.open();
        rows = q.rowCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(RightsQueryReadWhole)->Unit(benchmark::kMillisecond);

void DoubleClickDepartment(benchmark::State& state)
{
    LargeSite& s = largeSite();
    s.loadGroup();
    const int row = s.rights->QRights->rowOf(kDepartment);
    for (auto _ : state) {
        s.rights->DgRightsDblClick(row);
        s.rights->DgRights->viewport()->repaint();
    }
    // Each run toggles the department: all of its 5,001 rows now agree with it.
    const QString value = s.rights->QRights->row(row).rights[0];
    int same = 0;
    for (const RightsRow& r : s.rights->QRights->rows())
        same += (r.id >= kDepartment && r.id <= kDepartment + kPerDepartment && r.rights[3] == value) ? 1 : 0;
    state.counters["rows_set"] = same;
    report(state, same != kPerDepartment + 1 ? QStringLiteral("%1 rows follow the department").arg(same) : s.fault());
}
BENCHMARK(DoubleClickDepartment)->Unit(benchmark::kMillisecond);

void SelectAll(benchmark::State& state)
{
    LargeSite& s = largeSite();
    s.loadGroup();
    for (auto _ : state) {
        s.rights->SelectAll1->trigger();
        QCoreApplication::processEvents();
    }
    report(state, s.rights->QRights->rows().constLast().rights[2] != QLatin1String("Y") ? QStringLiteral("not every row was set") : s.fault());
}
BENCHMARK(SelectAll)->Unit(benchmark::kMillisecond);

void SaveRights(benchmark::State& state)
{
    LargeSite& s = largeSite();
    for (auto _ : state) {
        state.PauseTiming();
        s.loadGroup();
        s.rights->SelectAll1->trigger();
        state.ResumeTiming();
        s.rights->AcSave->trigger();
    }
    const int stored = s.site->configScalar(QStringLiteral("Select Count(*) From UserRight R Inner Join UserName G On G.Id = R.UserName Where G.Code = 'G1000'")).toInt();
    state.counters["rows_stored"] = stored;
    report(state, stored != kDepartments * (kPerDepartment + 1) ? QStringLiteral("%1 rows stored").arg(stored) : s.fault());
}
BENCHMARK(SaveRights)->Unit(benchmark::kMillisecond);

// The grid alternates between every right ticked and every Add right cleared,
// so that each save changes all 20,000 entries.
void fillAlternating(LargeSite& s, bool everyRight)
{
    s.loadGroup();
    s.rights->SelectAll1->trigger();
    if (!everyRight) {
        for (int r = 0; r < s.rows(); ++r)
            s.rights->QRights->setRight(r, RightsModel::Add, QStringLiteral("N"));
    }
}

void SaveRightsAllChanged(benchmark::State& state)
{
    LargeSite& s = largeSite();
    bool everyRight = false;
    for (auto _ : state) {
        state.PauseTiming();
        fillAlternating(s, everyRight);
        everyRight = !everyRight;
        state.ResumeTiming();
        s.rights->AcSave->trigger();
    }
    const int trail = s.site->configScalar(QStringLiteral("Select Count(*) From SecurityLog Where TargetCode = 'G1000'")).toInt();
    state.counters["trail_rows"] = trail;
    report(state, trail == 0 ? QStringLiteral("no trail row") : s.fault());
}
BENCHMARK(SaveRightsAllChanged)->Unit(benchmark::kMillisecond);

void RightsTrailAlone(benchmark::State& state)
{
    LargeSite& s = largeSite();
    const int group = s.site->configScalar(QStringLiteral("Select Id From UserName Where Code = 'G1000'")).toInt();
    bool everyRight = false;
    int changed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillAlternating(s, everyRight);
        s.rights->AcSave->trigger(); // the stored rights now differ in every entry from the other state
        fillAlternating(s, !everyRight);
        Connection& c = *s.dm->DmCfg;
        state.ResumeTiming();
        {
            QMap<int, QString> after; // as the save's loop gathers it
            for (const RightsRow& row : s.rights->QRights->rows()) {
                if (row.rights[0] == QLatin1String("Y"))
                    after.insert(int(row.id), row.rights[0] + row.rights[1] + row.rights[2] + row.rights[3]);
            }
            Transaction t(c); // rolled back: only the trail's work is measured
            QList<Trail::RightsChange> changes = Trail::diffRights(Trail::storedRights(c, group), after);
            for (Trail::RightsChange& ch : changes) {
                const int r = s.rights->QRights->rowOf(ch.menuId);
                if (r >= 0)
                    ch.caption = s.rights->QRights->row(r).description.trimmed();
            }
            Trail::write(c, Trail::Actor {}, QStringLiteral("rights"), Trail::Action::Rights, QStringLiteral("G1000"), Trail::rightsChanges(changes));
            changed = int(changes.size());
        }
    }
    state.counters["entries_changed"] = changed;
    report(state, changed != kDepartments * (kPerDepartment + 1) ? QStringLiteral("%1 entries changed").arg(changed) : s.fault());
}
BENCHMARK(RightsTrailAlone)->Unit(benchmark::kMillisecond);

void LoadUserDatabases(benchmark::State& state)
{
    LargeSite& s = largeSite();
    for (auto _ : state) {
        LargeSite::enter(s.company, s.company->UserCode, QStringLiteral("BENCH"));
        s.company->DgList->viewport()->repaint();
    }
    state.counters["assigned"] = s.company->DgList->model()->rowCount();
    state.counters["choices"] = s.company->AvaiDb->count();
    report(state, s.company->AvaiDb->count() != kDatabases - kUserDatabases ? QStringLiteral("%1 choices").arg(s.company->AvaiDb->count()) : s.fault());
}
BENCHMARK(LoadUserDatabases)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
