// The user and group screen on a large site: 20,000 users and 500 groups.
// Loading is what a code box left with a code costs; saving is the whole Save,
// from the question answered Yes to the blank screen after the commit.
#include "benchapp.h"
#include "config/dmconfig.h"
#include "db/connection.h"
#include "db/query.h"
#include "fixturesite.h"
#include "scriptedprompts.h"
#include "security/frusername.h"
#include "toolkit/guard.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

constexpr int kUsers = 20000;
constexpr int kGroups = 500;

struct LargeSite
{
    LargeSite()
    {
        benchApplication();
        site = new FixtureSite;
        fill();
        Site::createCompanyDatabase(site->serverFolder(), QStringLiteral("A2026"));
        dm = new TDMConfig;
        DmConfig = dm;
        dm->DmCfg->open();
        dm->UserCode = QStringLiteral("ZAQ");
        dm->CurrentDatabaseName = QStringLiteral("A2026");
        dm->MenuCaption = QStringLiteral("ผู้ใช้งาน");
        prompts.defaultConfirm = true;
        screen = new TFrUserName;
    }

    void fill()
    {
        Connection c(QStringLiteral("bench"));
        c.profile().add(site->configProfile());
        Transaction t(c);
        Query group(&c,
            { QStringLiteral("Insert Into UserName (Code, FullName, IsDepartment, Active, CanSeeCost) Values (:Code, "
                             ":FullName, 'Y', 'Y', 'Y')") });
        for (int i = 0; i < kGroups; ++i) {
            group.setParam(QStringLiteral("Code"), QStringLiteral("G%1").arg(i, 3, 10, QLatin1Char('0')));
            group.setParam(QStringLiteral("FullName"), QStringLiteral("กลุ่มทดสอบ %1").arg(i));
            group.execSql();
        }
        Query user(&c,
            { QStringLiteral(
                "Insert Into UserName (Code, FullName, IsDepartment, Active, GroupId, PasswordNew, AddDate, EditDate) "
                "Values (:Code, :FullName, 'N', 'Y', :GroupId, :Pw, GetDate(), GetDate())") });
        for (int i = 0; i < kUsers; ++i) {
            user.setParam(QStringLiteral("Code"), QStringLiteral("U%1").arg(i, 5, 10, QLatin1Char('0')));
            user.setParam(QStringLiteral("FullName"), QStringLiteral("ผู้ใช้ทดสอบ %1").arg(i));
            user.setParam(QStringLiteral("GroupId"), 3 + i % kGroups);
            user.setParam(QStringLiteral("Pw"), QByteArray("pw"));
            user.execSql();
        }
        t.commit();
    }

    void show(bool groupMode)
    {
        screen->hide();
        screen->GroupMode = groupMode;
        screen->show();
        if (!QTest::qWaitForWindowExposed(screen))
            throw std::runtime_error("the screen did not show");
    }

    // New, then the code typed and the box left.
    void load(const QString& code)
    {
        screen->AcNew->trigger();
        screen->UserName->setText(code);
        if (!guarded([this] { screen->UserNameExit(); }) || screen->NewRecord)
            throw std::runtime_error("the record did not load");
    }

    ScriptedPrompts prompts;
    FixtureSite* site;
    TDMConfig* dm;
    TFrUserName* screen;
};

LargeSite& largeSite()
{
    static LargeSite* made = new LargeSite; // kept to the end, like the program's own windows
    return *made;
}

void LoadUser(benchmark::State& state)
{
    LargeSite& s = largeSite();
    s.show(false);
    int i = 0;
    for (auto _ : state)
        s.load(QStringLiteral("U%1").arg((i++ * 7919) % kUsers, 5, 10, QLatin1Char('0')));
}
BENCHMARK(LoadUser)->Unit(benchmark::kMillisecond);

void SaveUser(benchmark::State& state)
{
    LargeSite& s = largeSite();
    s.show(false);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.load(QStringLiteral("U%1").arg((i++ * 7919) % kUsers, 5, 10, QLatin1Char('0')));
        s.screen->Email->setText(QStringLiteral("user%1@example.com").arg(i));
        state.ResumeTiming();
        s.screen->AcSave->trigger();
    }
    if (!s.prompts.errors().isEmpty())
        state.SkipWithError(s.prompts.errors().first().toStdString().c_str());
}
BENCHMARK(SaveUser)->Unit(benchmark::kMillisecond);

void LoadGroup(benchmark::State& state)
{
    LargeSite& s = largeSite();
    s.show(true);
    int i = 0;
    for (auto _ : state)
        s.load(QStringLiteral("G%1").arg((i++ * 37) % kGroups, 3, 10, QLatin1Char('0')));
}
BENCHMARK(LoadGroup)->Unit(benchmark::kMillisecond);

void SaveGroup(benchmark::State& state)
{
    LargeSite& s = largeSite();
    s.show(true);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.load(QStringLiteral("G%1").arg((i++ * 37) % kGroups, 3, 10, QLatin1Char('0')));
        state.ResumeTiming();
        s.screen->AcSave->trigger();
    }
    if (!s.prompts.errors().isEmpty())
        state.SkipWithError(s.prompts.errors().first().toStdString().c_str());
}
BENCHMARK(SaveGroup)->Unit(benchmark::kMillisecond);

// The screen coming up: the group drop-down of 500 groups and a blank record.
void ShowScreen(benchmark::State& state)
{
    LargeSite& s = largeSite();
    for (auto _ : state)
        s.show(false);
}
BENCHMARK(ShowScreen)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
