// Logging on to the demo site: from the click on Logon to the filled main
// window (department buttons and the first department's tree), offscreen.
//   JOHN    one company of the year: the dialog closes at once
//   SOMCHAI several: the first database of the list is chosen
// "FormShow" times the whole show sequence, the dialog's own appearance
// included; "FromClick" starts the clock at the click on Logon.
#include "benchapp.h"
#include "benchwindow.h"
#include "config/dmconfig.h"
#include "config/programexit.h"
#include "fixedclock.h"
#include "logon/frlogon.h"
#include "mainmenu/frmainmenu.h"
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "site.h"
#include "toolkit/guard.h"
#include "toolkit/imagebutton.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include "logondriver.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {

constexpr int kYear = 2026;

// One demo site, data module, main window and logon dialog for every run:
// making the site is not what is measured.
struct DemoSite : BenchWindow
{
    DemoSite()
    {
        benchApplication();
        if (!dir.isValid())
            throw std::runtime_error("no temporary folder");
        Site::initDemo(dir.path(), kYear);
        QDir::setCurrent(dir.path()); // the site folder is the working folder, as for the program
        makeWindow();
        // The first show frees the logo window and clears the first-show flag;
        // every later run is a logon anew, as from the pop-up menu.
        logOn(QStringLiteral("JOHN"), QStringLiteral("john"), -1);
    }

    void logOn(const QString& code, const QString& password, int choice)
    {
        // The click on Logon starts `fromClick`.
        BenchWindow::logOn({ code, password, choice, [this] { fromClick.start(); } });
    }

    // Empty when the window shows what a logon fills in.
    QString fault() const
    {
        if (!prompts.allTexts().isEmpty())
            return prompts.allTexts().join(QLatin1Char('|'));
        if (halted >= 0)
            return QStringLiteral("the program was stopped");
        if (!window->isVisible())
            return QStringLiteral("the main window closed");
        if (!window->FullName->text().startsWith(QLatin1String("User : ")))
            return QStringLiteral("no user in the header");
        if (window->departmentButtons().isEmpty())
            return QStringLiteral("no department buttons");
        if (window->MenuTree->model()->rowCount() == 0)
            return QStringLiteral("an empty menu tree");
        return {};
    }

    ScriptedPrompts prompts;
    RecordingShell shell;
    FixedClock clock { QDateTime(QDate(kYear, 12, 10), QTime(9, 0)) };
    QTemporaryDir dir;
    QElapsedTimer fromClick;
};

DemoSite& demoSite()
{
    static DemoSite* made = new DemoSite; // kept to the end of the program, like the program's own windows
    return *made;
}

void report(benchmark::State& state, DemoSite& s)
{
    state.counters["buttons"] = double(s.window->departmentButtons().size());
    state.counters["tree_top"] = s.window->MenuTree->model()->rowCount();
    state.SetLabel(s.dm->CurrentDatabaseName.toStdString());
    const QString fault = s.fault();
    if (!fault.isEmpty())
        state.SkipWithError(fault.toStdString().c_str());
}

void LogonFormShow(benchmark::State& state, const char* code, const char* password, int choice)
{
    DemoSite& s = demoSite();
    for (auto _ : state)
        s.logOn(QLatin1String(code), QLatin1String(password), choice);
    report(state, s);
}

void LogonFromClick(benchmark::State& state, const char* code, const char* password, int choice)
{
    DemoSite& s = demoSite();
    for (auto _ : state) {
        s.logOn(QLatin1String(code), QLatin1String(password), choice);
        state.SetIterationTime(double(s.fromClick.nsecsElapsed()) / 1e9);
    }
    report(state, s);
}

BENCHMARK_CAPTURE(LogonFormShow, JohnOneCompany, "JOHN", "john", -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LogonFromClick, JohnOneCompany, "JOHN", "john", -1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LogonFormShow, SomchaiChoosesDatabase, "SOMCHAI", "1234", 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LogonFromClick, SomchaiChoosesDatabase, "SOMCHAI", "1234", 0)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
