// The user search over a large site: an empty search lists every user, and
// the grid must fill from the first rows without reading the whole result.
#include "benchapp.h"
#include "config/dmconfig.h"
#include "db/connection.h"
#include "db/query.h"
#include "dialogs/frsearchuser.h"
#include "dialogs/searchmodel.h"
#include "fixturesite.h"
#include "scriptedprompts.h"
#include "toolkit/guard.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

constexpr int kUsers = 20000;

// One site, data module and dialog for every run of the benchmark: building
// 20,000 users is not what is measured.
struct LargeSite
{
    LargeSite()
    {
        benchApplication();
        site = new FixtureSite;
        addUsers();
        dm = new TDMConfig;
        DmConfig = dm;
        search = new TFrSearchUser;
        search->ReturnField = QStringLiteral("Code");
        search->show();
        if (!QTest::qWaitForWindowExposed(search))
            throw std::runtime_error("the search dialog did not show");
    }

    void addUsers()
    {
        Connection c(QStringLiteral("bench"));
        c.profile().add(site->configProfile());
        Transaction t(c);
        Query insert(&c,
            { QStringLiteral("Insert Into UserName (Code, FullName, IsDepartment, Active) Values (:Code, :FullName, "
                             "'N', :Active)") });
        for (int i = 0; i < kUsers; ++i) {
            insert.setParam(QStringLiteral("Code"), QStringLiteral("U%1").arg(i, 5, 10, QLatin1Char('0')));
            insert.setParam(QStringLiteral("FullName"), QStringLiteral("ผู้ใช้ทดสอบ %1").arg(i));
            insert.setParam(QStringLiteral("Active"), i % 10 == 0 ? QStringLiteral("N") : QStringLiteral("Y"));
            insert.execSql();
        }
        t.commit();
    }

    ScriptedPrompts prompts;
    FixtureSite* site;
    TDMConfig* dm;
    TFrSearchUser* search;
};

LargeSite& largeSite()
{
    static LargeSite* made = new LargeSite; // kept to the end of the program, like the program's own windows
    return *made;
}

void EmptyUserSearchFillsTheGrid(benchmark::State& state)
{
    LargeSite& s = largeSite();
    for (auto _ : state) {
        s.search->Code->clear();
        s.search->BtSearch->click();
        QCoreApplication::processEvents(); // the grid's own fetching, if it wants more rows to fill itself
        s.search->DgSearch->viewport()->repaint();
    }
    const int fetched = s.search->QSearch->fetchedCount();
    state.counters["rows_fetched"] = fetched;
    state.counters["rows_in_grid"] = s.search->DSearch->rowCount();
    if (!s.prompts.errors().isEmpty())
        state.SkipWithError(s.prompts.errors().constFirst().toStdString().c_str());
    else if (s.search->DSearch->rowCount() == 0)
        state.SkipWithError("the search listed nothing");
    else if (fetched > 2 * SearchModel::kBatch)
        state.SkipWithError("the grid read far more rows than it shows");
}
BENCHMARK(EmptyUserSearchFillsTheGrid)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
