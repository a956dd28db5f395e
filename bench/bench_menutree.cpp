// The main window over a large menu: 20,000 entries under the twelve
// departments, one department (60000000) with 8,000 of them, nested four
// levels below the department; a group holding rights on every entry and a
// Thai-language user in it. Measured offscreen over the embedded site:
//   LogonToFilledWindow       the show sequence with the logon answered
//   ChooseLargestDepartment   SelectDepartment: query, tree built, fully expanded
//   ChooseSmallDepartment     the same for a department of 1,090 entries
//   ExpandAllAfterCollapseAll N1Click after N2Click (only N1Click is timed)
//   TreeQueryReadWhole        the tree's query alone, opened and read to the end,
//                             to tell the query's share from the tree's
#include "benchapp.h"
#include "benchwindow.h"
#include "config/dmconfig.h"
#include "config/programexit.h"
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/query.h"
#include "fixedclock.h"
#include "largemenufixture.h"
#include "logon/frlogon.h"
#include "logondriver.h"
#include "logonfixture.h"
#include "mainmenu/frmainmenu.h"
#include "mainmenu/menutree.h"
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "toolkit/guard.h"
#include "toolkit/imagebutton.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {

constexpr int kEntries = 20000;
constexpr int kLargestEntries = 8000;
constexpr qint64 kLargest = LargeMenuFixture::kLargest;
constexpr qint64 kSmall = 20000000;

int itemsBelow(const QTreeView* view, const QModelIndex& parent, bool& allExpanded)
{
    const QAbstractItemModel* tree = view->model();
    int n = 0;
    for (int i = 0; i < tree->rowCount(parent); ++i) {
        const QModelIndex child = tree->index(i, 0, parent);
        if (tree->rowCount(child) > 0 && !view->isExpanded(child))
            allExpanded = false;
        n += 1 + itemsBelow(view, child, allExpanded);
    }
    return n;
}

// One large site, data module and logged-on main window for every run.
struct LargeMenu : BenchWindow
{
    LargeMenu()
    {
        benchApplication();
        site = new FixtureSite;
        QElapsedTimer built;
        built.start();
        LogonFixture::build(*site);
        LargeMenuFixture::build(*site, { kEntries, kLargestEntries });
        fixtureSeconds = double(built.elapsed()) / 1000;
        const int entries = site->configScalar(QStringLiteral("Select Count(*) From Menu Where Parent <> 0 And Id <> 30100000")).toInt();
        if (entries != kEntries)
            throw std::runtime_error("the large menu does not hold 20,000 entries");
        makeWindow();
        logOn();
    }

    void logOn() { BenchWindow::logOn({ QStringLiteral("BIG"), QStringLiteral("big"), -1, {} }); }

    void choose(qint64 departmentId)
    {
        ImageButton* b = department(departmentId);
        if (!b)
            throw std::runtime_error("no such department button");
        window->SelectDepartment(b);
        QCoreApplication::processEvents();
    }

    // Empty when the tree shows `entries` entries, fully expanded, with the
    // first entry chosen and its row current.
    QString fault(int entries) const
    {
        if (!prompts.allTexts().isEmpty())
            return prompts.allTexts().join(QLatin1Char('|'));
        if (halted >= 0)
            return QStringLiteral("the program was stopped");
        if (TFrMainMenu::testMachine())
            return QStringLiteral("the test-machine marker is present: the tree is not expanded");
        bool allExpanded = true;
        const int shown = itemsBelow(window->MenuTree, QModelIndex(), allExpanded);
        if (shown != entries)
            return QStringLiteral("the tree shows %1 entries, not %2").arg(shown).arg(entries);
        if (!allExpanded)
            return QStringLiteral("the tree is not fully expanded");
        const QModelIndex current = window->MenuTree->currentIndex();
        if (current != window->MenuTree->model()->index(0, 0) || window->QTreeMenu->recNo() != window->MenuTreeData->rowOf(current))
            return QStringLiteral("the first entry is not the current row");
        return {};
    }

    void report(benchmark::State& state, int entries) const
    {
        state.counters["entries"] = entries;
        state.counters["query_rows"] = window->QTreeMenu->fetchedCount();
        const QString f = fault(entries);
        if (!f.isEmpty())
            state.SkipWithError(f.toStdString().c_str());
    }

    ScriptedPrompts prompts;
    RecordingShell shell;
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(9, 0)) };
    FixtureSite* site;
    double fixtureSeconds = 0;
};

LargeMenu& largeMenu()
{
    static LargeMenu* made = new LargeMenu; // kept to the end of the program, like the program's own windows
    return *made;
}

constexpr int kSmallEntries = 1090;

void LogonToFilledWindow(benchmark::State& state)
{
    LargeMenu& m = largeMenu();
    for (auto _ : state)
        m.logOn();
    state.counters["fixture_s"] = m.fixtureSeconds;
    state.counters["buttons"] = double(m.window->departmentButtons().size());
    m.report(state, kSmallEntries); // the first department, 10000000
    if (m.window->departmentButtons().size() != 12)
        state.SkipWithError("not twelve department buttons");
}
BENCHMARK(LogonToFilledWindow)->Unit(benchmark::kMillisecond);

void ChooseLargestDepartment(benchmark::State& state)
{
    LargeMenu& m = largeMenu();
    for (auto _ : state)
        m.choose(kLargest);
    m.report(state, kLargestEntries);
}
BENCHMARK(ChooseLargestDepartment)->Unit(benchmark::kMillisecond);

void ChooseSmallDepartment(benchmark::State& state)
{
    LargeMenu& m = largeMenu();
    for (auto _ : state)
        m.choose(kSmall);
    m.report(state, kSmallEntries);
}
BENCHMARK(ChooseSmallDepartment)->Unit(benchmark::kMillisecond);

void ExpandAllAfterCollapseAll(benchmark::State& state)
{
    LargeMenu& m = largeMenu();
    m.choose(kLargest);
    for (auto _ : state) {
        m.window->N2Click();
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        m.window->N1Click();
        QCoreApplication::processEvents();
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
    m.report(state, kLargestEntries);
}
BENCHMARK(ExpandAllAfterCollapseAll)->UseManualTime()->Unit(benchmark::kMillisecond);

void TreeQueryReadWhole(benchmark::State& state)
{
    LargeMenu& m = largeMenu();
    Query q(m.dm->DmCfg, Sql::QTreeMenuThai);
    q.setParam(QStringLiteral("LogonId"), m.window->UserId);
    for (auto _ : state) {
        q.close();
        q.open();
        benchmark::DoNotOptimize(q.rowCount());
    }
    state.counters["query_rows"] = q.fetchedCount();
    if (q.fetchedCount() != kEntries + 12)
        state.SkipWithError("the query did not read every entry");
}
BENCHMARK(TreeQueryReadWhole)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
