// Trips to the server per step of the program, on the SQL Server engine's
// ODBC path. At a site every statement the program sends is one trip over the
// network (0.3 ms in an office, 25 ms to a branch office's server), so the
// count of executions is what a step costs there beyond its work.
//
// The site is built straight into the embedded server's SQLite files; the
// program then runs over those files through the ODBC engine with the SQLite
// ODBC driver standing in for SQL Server's, so every execution counted is the
// program's own. Per step:
//   trips: NAME executions=N rows=R
//   time: NAME local_ms=L modelled_ms_lan=A modelled_ms_branch=B
// (A and B: the local time plus executions x 0.3 ms and x 25 ms), then the
// whole run's "total:" line. R is the rows the step writes or reads.
// Steps: logon (to the filled main window), department (choosing the largest),
// search (the empty user search's first page), userload, usersave,
// passwordchange, rightsload (a new group over every entry), rightssave
// (Select All and Save), copyrights (the administrators' rights onto the new
// group), assignmentsave (50 databases added and saved).
// Options: --entries N (menu entries of the site, default 20,000),
// --benchmark_filter=REGEX (as scripts/bench passes: no match, no run).
#include "benchapp.h"
#include "benchwindow.h"
#include "config/dmconfig.h"
#include "db/query.h"
#include "db/connection.h"
#include "db/mssql/odbcsession.h"
#include "dialogs/frsearchuser.h"
#include "dialogs/searchmodel.h"
#include "fixedclock.h"
#include "largemenufixture.h"
#include "logonfixture.h"
#include "mainmenu/frmainmenu.h"
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "security/assignmentmodel.h"
#include "security/frchangepassword.h"
#include "security/frcopyright.h"
#include "security/frusercompany.h"
#include "security/frusername.h"
#include "security/fruserrights.h"
#include "security/rightsmodel.h"
#include "sqliteodbcsession.h"
#include "toolkit/guard.h"
#include "toolkit/imagebutton.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QToolButton>
#include <QTest>
#include <QTreeView>
#include <cstdio>
#include <functional>
#include <stdexcept>

namespace {

constexpr double kLanMsPerTrip = 0.3;
constexpr double kBranchMsPerTrip = 25;
constexpr int kAssignedDatabases = 50;

void expect(bool ok, const QString& what)
{
    if (!ok)
        throw std::runtime_error(what.toStdString());
}

struct Program : BenchWindow
{
    explicit Program(int entries)
    {
        benchApplication();
        prompts.defaultConfirm = true;
        site = new FixtureSite;
        LogonFixture::build(*site);
        LargeMenuFixture::build(*site, { entries, entries * 2 / 5 });
        site->configWithNumbers(2, QStringLiteral(R"(
Insert Into UserName (Code, FullName, IsDepartment, Active, CanSetOtherUserPass) Values ('NEWGRP', 'กลุ่มใหม่', 'Y', 'Y', 'N')
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, POS_USER) Values ('NEWUSER', 'ผู้ใช้ใหม่', 'N', 'Y', 1, Cast('pw' As VarBinary(Max)), 'N')
/
Insert Into DatabaseType (Id, Description) Select 1, 'บัญชี' Where Not Exists (Select Id From DatabaseType Where Id = 1)
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, SetDocYear)
Select 1950 + N.N, C.Id, 1, 'Year ' + Cast(1950 + N.N As VarChar(10)), 'XDB' + Cast(N.N As VarChar(10)), 'Y'
From BenchNumber N, Company C Where N.N < 60 And C.Code = 'AAA'
/
)"));
        bigGroup = site->configScalar(QStringLiteral("Select Id From UserName Where Code = 'BIGGRP'")).toInt();
        newGroup = site->configScalar(QStringLiteral("Select Id From UserName Where Code = 'NEWGRP'")).toInt();
        // From here on every connection goes through the ODBC engine.
        openEverySessionOverSqliteOdbc();
        makeWindow();
    }

    ~Program()
    {
        dm->DmCfg->close();
        setEngineSessionMaker({});
        delete site;
    }

    int logOn()
    {
        BenchWindow::logOn({ QStringLiteral("BIG"), QStringLiteral("big"), -1, {} });
        return int(window->departmentButtons().size());
    }

    int chooseLargest()
    {
        ImageButton* largest = department(LargeMenuFixture::kLargest);
        expect(largest, QStringLiteral("department: no button for the largest department"));
        window->SelectDepartment(largest);
        QCoreApplication::processEvents();
        const QAbstractItemModel* tree = window->MenuTree->model();
        int n = 0;
        std::function<void(const QModelIndex&)> count = [&](const QModelIndex& parent) {
            for (int i = 0; i < tree->rowCount(parent); ++i) {
                ++n;
                count(tree->index(i, 0, parent));
            }
        };
        count(QModelIndex());
        return n;
    }

    int emptySearch()
    {
        search = new TFrSearchUser;
        search->ReturnField = QStringLiteral("Code");
        search->show();
        search->Code->clear();
        search->BtSearch->click();
        return search->DSearch->rowCount();
    }

    void asAdministrator()
    {
        dm->UserCode = QStringLiteral("BIG");
        dm->GroupId = bigGroup;
        dm->CanSetOtherUserPass = true;
        dm->MenuCaption = QStringLiteral("ผู้ใช้งาน");
    }

    template<typename Screen>
    static void showScreen(Screen* screen)
    {
        screen->show();
        if (!QTest::qWaitForWindowExposed(screen))
            throw std::runtime_error("a screen did not show");
        screen->activateWindow();
        if (!QTest::qWaitForWindowActive(screen))
            throw std::runtime_error("a screen did not become active");
    }

    static void leave(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }

    int loadUser()
    {
        asAdministrator();
        users = new TFrUserName;
        users->GroupMode = false;
        showScreen(users);
        users->AcNew->trigger();
        users->UserName->setText(QStringLiteral("BOB"));
        expect(guarded([this] { users->UserNameExit(); }) && !users->NewRecord, QStringLiteral("userload: the user did not load"));
        return 1;
    }

    int saveUser()
    {
        users->FullName->setText(QStringLiteral("บ็อบ ทดสอบ"));
        users->AcSave->trigger();
        QCoreApplication::processEvents();
        expect(look(QStringLiteral("Select FullName From UserName Where Code = 'BOB'")).toString().trimmed() == QStringLiteral("บ็อบ ทดสอบ"),
            QStringLiteral("usersave: the name was not stored"));
        return 1;
    }

    int changePassword()
    {
        asAdministrator();
        auto* screen = new TFrChangePassword;
        showScreen(screen);
        leave(screen->UserName, QStringLiteral("BOB"));
        screen->OldPassword->setText(QStringLiteral("bob"));
        screen->NewPassword->setText(QStringLiteral("bob2"));
        screen->ConfirmPassword->setText(QStringLiteral("bob2"));
        const QString before = look(QStringLiteral("Select Cast(PasswordNew As VarChar(40)) From UserName Where Code = 'BOB'")).toString();
        screen->AcSave->trigger();
        QCoreApplication::processEvents();
        expect(look(QStringLiteral("Select Cast(PasswordNew As VarChar(40)) From UserName Where Code = 'BOB'")).toString() != before,
            QStringLiteral("passwordchange: the password was not stored"));
        return 1;
    }

    TFrUserRights& rightsScreen()
    {
        if (!rights) {
            asAdministrator();
            copy = new TFrCopyRight(nullptr, dm->DmCfg);
            rights = new TFrUserRights(nullptr, copy);
            showScreen(rights);
        }
        return *rights;
    }

    int loadRights()
    {
        TFrUserRights& r = rightsScreen();
        r.UserCode->setFocus();
        r.UserCode->setText(QStringLiteral("NEWGRP"));
        QTest::keyClick(r.UserCode, Qt::Key_Return);
        QCoreApplication::processEvents();
        return r.QRights->rowCount();
    }

    int saveAllRights()
    {
        TFrUserRights& r = rightsScreen();
        r.SelectAll1Click();
        int granted = 0;
        for (const RightsRow& row : r.QRights->rows())
            granted += row.rights[0] == QLatin1String("Y") ? 1 : 0;
        r.AcSave->trigger();
        return granted;
    }

    int copyRights()
    {
        copy->TargetGroupId = newGroup;
        copy->TargetGroupCode = QStringLiteral("NEWGRP");
        copy->show();
        QCoreApplication::processEvents();
        QAbstractItemModel* model = copy->UserGrid->model();
        int row = -1;
        for (int i = 0; i < model->rowCount(); ++i) {
            if (model->index(i, 0).data().toString().trimmed() == QLatin1String("BIGGRP"))
                row = i;
        }
        expect(row >= 0, QStringLiteral("copyrights: BIGGRP is not offered"));
        copy->UserGrid->setCurrentIndex(model->index(row, 0));
        copy->BCopy->click();
        return rightsOf(newGroup);
    }

    int assignDatabases()
    {
        asAdministrator();
        auto* screen = new TFrUserCompany;
        showScreen(screen);
        leave(screen->UserCode, QStringLiteral("NEWUSER"));
        expect(screen->AvaiDb->count() >= kAssignedDatabases, QStringLiteral("assignmentsave: %1 databases offered").arg(screen->AvaiDb->count()));
        for (int i = 0; i < kAssignedDatabases; ++i) {
            screen->AvaiDb->setCurrentIndex(0);
            screen->BtAdd->click();
        }
        const int added = screen->DList->rowCount();
        screen->AcSave->trigger();
        QCoreApplication::processEvents();
        expect(look(QStringLiteral("Select Count(*) From UserCompany U Inner Join UserName N On N.Id = U.UserName Where N.Code = 'NEWUSER'")).toInt() == added,
            QStringLiteral("assignmentsave: not every database was stored"));
        return added;
    }

    // Read outside the counting: a benchmark's own look, not the program's.
    QVariant look(const QString& select)
    {
        const quint64 before = OdbcSession::totalExecutions();
        Query q(dm->DmCfg, { select });
        q.open();
        const QVariant v = q.value(0, 0);
        q.close();
        ownReads += OdbcSession::totalExecutions() - before;
        return v;
    }
    int rightsOf(int group) { return look(QStringLiteral("Select Count(*) From UserRight Where UserName = %1").arg(group)).toInt(); }

    QString fault() const
    {
        if (!prompts.errors().isEmpty())
            return prompts.errors().join(QLatin1Char('|'));
        if (halted >= 0)
            return QStringLiteral("the program was stopped");
        return {};
    }

    ScriptedPrompts prompts;
    RecordingShell shell;
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(9, 0)) };
    FixtureSite* site = nullptr;
    int bigGroup = 0;
    int newGroup = 0;
    TFrSearchUser* search = nullptr;
    TFrUserName* users = nullptr;
    TFrUserRights* rights = nullptr;
    TFrCopyRight* copy = nullptr;
    quint64 ownReads = 0;
};

int option(const QStringList& args, const char* name, int fallback)
{
    const QString flag = QStringLiteral("--%1").arg(QLatin1String(name));
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i).startsWith(flag + QLatin1Char('=')))
            return args.at(i).mid(flag.size() + 1).toInt();
        if (args.at(i) == flag && i + 1 < args.size())
            return args.at(i + 1).toInt();
    }
    return fallback;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const int entries = option(args, "entries", 20000);
    QString filter = QStringLiteral(".");
    for (const QString& a : args) {
        if (a.startsWith(QLatin1String("--benchmark_filter=")))
            filter = a.mid(19);
    }
    const QRegularExpression wanted(filter);
    const QStringList steps { QStringLiteral("logon"), QStringLiteral("department"), QStringLiteral("search"), QStringLiteral("userload"),
        QStringLiteral("usersave"), QStringLiteral("passwordchange"), QStringLiteral("rightsload"), QStringLiteral("rightssave"),
        QStringLiteral("copyrights"), QStringLiteral("assignmentsave") };
    if (std::none_of(steps.begin(), steps.end(), [&](const QString& step) { return wanted.match(step).hasMatch(); }))
        return 0;

    try {
        Program program(entries);
        std::printf("site: entries=%d\n", entries);
        quint64 totalExecutions = 0;
        double totalMs = 0;
        // Every step runs (each leaves what the next needs); the filter only chooses the lines printed.
        auto step = [&](const char* name, const std::function<int()>& run) {
            const quint64 before = OdbcSession::totalExecutions();
            const quint64 ownBefore = program.ownReads;
            QElapsedTimer t;
            t.start();
            const int rows = run();
            const double ms = double(t.nsecsElapsed()) / 1e6;
            const quint64 n = OdbcSession::totalExecutions() - before - (program.ownReads - ownBefore);
            expect(program.fault().isEmpty(), QStringLiteral("%1: %2").arg(QLatin1String(name), program.fault()));
            program.prompts.clear();
            totalExecutions += n;
            totalMs += ms;
            if (!wanted.match(QLatin1String(name)).hasMatch())
                return;
            std::printf("trips: %s executions=%llu rows=%d\n", name, static_cast<unsigned long long>(n), rows);
            std::printf("time: %s local_ms=%.1f modelled_ms_lan=%.1f modelled_ms_branch=%.1f\n", name, ms, ms + double(n) * kLanMsPerTrip,
                ms + double(n) * kBranchMsPerTrip);
            std::fflush(stdout);
        };
        step("logon", [&] { return program.logOn(); });
        step("department", [&] { return program.chooseLargest(); });
        step("search", [&] { return program.emptySearch(); });
        step("userload", [&] { return program.loadUser(); });
        step("usersave", [&] { return program.saveUser(); });
        step("passwordchange", [&] { return program.changePassword(); });
        step("rightsload", [&] { return program.loadRights(); });
        step("rightssave", [&] { return program.saveAllRights(); });
        step("copyrights", [&] { return program.copyRights(); });
        step("assignmentsave", [&] { return program.assignDatabases(); });
        std::printf("total: executions=%llu local_ms=%.1f modelled_ms_lan=%.1f modelled_ms_branch=%.1f\n", static_cast<unsigned long long>(totalExecutions),
            totalMs, totalMs + double(totalExecutions) * kLanMsPerTrip, totalMs + double(totalExecutions) * kBranchMsPerTrip);
        expect(program.rightsOf(program.newGroup) == program.rightsOf(program.bigGroup), QStringLiteral("copyrights: the new group holds other rights"));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_roundtrips: %s\n", e.what());
        return 1;
    }
    return 0;
}
