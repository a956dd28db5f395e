// The working day in the main window: departments, the menu tree, starting
// entries, the version check and the timer, over a fixture site with the shell
// recording every start.
#include "db/connection.h"
#include "db/query.h"
#include "mainmenu/launcher.h"
#include "mainmenu/menutree.h"
#include "mainmenufixture.h"
#include "menufixture.h"
#include "toolkit/imagebutton.h"
#include "toolkit/pictures.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDialog>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

class WorkingDay : public MainMenuFixture
{
protected:
    WorkingDay()
    {
        MenuFixture::build(site);
        QDir().mkpath(QStringLiteral("bin"));
        workstation.program = QDir::current().absoluteFilePath(QStringLiteral("bin/zaqmain"));
        window->resize(1000, 700);
    }

    void logOn(const QString& code, const QString& password, int choice = 0) { MainMenuFixture::logOn(code, password, choice); }

    QStringList buttonCaptions() const
    {
        QStringList out;
        for (ImageButton* b : window->departmentButtons())
            out << b->text();
        return out;
    }
    QAbstractItemModel* tree() const { return window->MenuTree->model(); }
    QModelIndex top(int row) const { return tree()->index(row, 0); }
    QModelIndex entry(const QString& text) const
    {
        const QModelIndexList found = tree()->match(top(0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }
    void select(const QString& text)
    {
        const QModelIndex at = entry(text);
        ASSERT_TRUE(at.isValid()) << text.toStdString();
        window->MenuTree->setCurrentIndex(at);
    }
    ImageButton* department(int tag) const
    {
        for (ImageButton* b : window->departmentButtons()) {
            if (b->tag() == tag)
                return b;
        }
        return nullptr;
    }
    void launch(const QString& text)
    {
        select(text);
        guarded([this] { window->MenuTreeDblClick(); }); // as the double click runs it
    }
};

TEST_F(WorkingDay, DepartmentButtonsFollowTheGroupAndTheLanguage)
{
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    EXPECT_EQ(buttonCaptions(), (QStringList { QStringLiteral("ขาย Sales"), QStringLiteral("ส่งออก Export"), QStringLiteral("อื่น ๆ Other"), QStringLiteral("ผู้ดูแลระบบ Administration") }));
    const QList<ImageButton*> buttons = window->departmentButtons();
    for (int i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i]->y(), 16 + 30 * i);
        EXPECT_EQ(buttons[i]->x(), 4);
        EXPECT_EQ(buttons[i]->height(), 30);
        EXPECT_EQ(buttons[i]->width(), window->GbDepartment->width() - 8);
    }
    EXPECT_EQ(buttons[0]->toolTip(), QStringLiteral("กด Click เพื่อเลือก ขาย Sales"));
    EXPECT_EQ(buttons[0]->tag(), 10000000);
    EXPECT_TRUE(buttons[0]->isSelected()); // the first department is the chosen one: red
    EXPECT_EQ(buttons[0]->currentTextColour(), QColor(Qt::red));
    EXPECT_EQ(buttons[1]->currentTextColour(), QColor(Qt::blue));
    EXPECT_EQ(Pictures::departmentGlyphNumber(65000000), 15);
    EXPECT_EQ(Pictures::departmentGlyphNumber(12345678), 99);
    EXPECT_EQ(department(65000000)->glyph().toImage(), QPixmap(Pictures::departmentGlyph(65000000)).toImage());
    EXPECT_EQ(department(12345678)->glyph().toImage(), QPixmap(Pictures::departmentGlyph(99)).toImage());

    // Another user of another group, in English: every earlier button goes.
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    EXPECT_EQ(buttonCaptions(), (QStringList { QStringLiteral(" Sales "), QStringLiteral("Export") }));
    EXPECT_EQ(window->GbDepartment->findChildren<ImageButton*>().size(), 2);
}

TEST_F(WorkingDay, DepartmentButtonsWorkFromTheKeyboard)
{
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QList<ImageButton*> buttons = window->departmentButtons();
    ASSERT_EQ(buttons.size(), 4);

    // Tab from the tree goes round every focusable control; the buttons come in their order.
    window->MenuTree->setFocus();
    QList<ImageButton*> reached;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (auto* b = qobject_cast<ImageButton*>(QApplication::focusWidget()); b && !reached.contains(b))
            reached << b;
    }
    EXPECT_EQ(reached, buttons);

    const struct
    {
        int button;
        Qt::Key key;
    } presses[] = { { 2, Qt::Key_Return }, { 1, Qt::Key_Space }, { 3, Qt::Key_Enter } };
    for (const auto& p : presses) {
        SCOPED_TRACE(p.key);
        buttons[p.button]->setFocus();
        QTest::keyClick(buttons[p.button], p.key);
        EXPECT_TRUE(buttons[p.button]->isSelected());
        EXPECT_EQ(QApplication::focusWidget(), window->MenuTree); // as after a click
    }
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    EXPECT_TRUE(buttons[0]->isSelected());
    EXPECT_FALSE(buttons[3]->isSelected());
}

TEST_F(WorkingDay, ButtonsFollowTheSplitter)
{
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    window->VSplitter->setSizes({ 420, 500 });
    QCoreApplication::processEvents();
    for (ImageButton* b : window->departmentButtons())
        EXPECT_EQ(b->width(), window->GbDepartment->width() - 8);
    EXPECT_EQ(window->departmentButtons().value(2)->y(), 76);
}

TEST_F(WorkingDay, TreeShowsWhatTheGroupReachesInMenuOrder)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    // Checks the tree's answers for consistency now and at every rebuild below.
    const QAbstractItemModelTester consistent(tree(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QTreeView* view = window->MenuTree;
    ASSERT_EQ(tree()->rowCount(), 3);
    EXPECT_EQ(top(0).data().toString(), QStringLiteral("Orders"));
    EXPECT_EQ(top(1).data().toString(), QStringLiteral("Quotation")); // order 13 after the folder's 11
    EXPECT_EQ(top(2).data().toString(), QStringLiteral("Empty folder"));
    EXPECT_EQ(tree()->rowCount(top(0)), 2);
    EXPECT_TRUE(view->isExpanded(top(0))); // fully expanded on choosing
    EXPECT_TRUE(tree()->hasChildren(top(0)));
    EXPECT_FALSE(tree()->hasChildren(top(2))); // its child is not the group's
    EXPECT_FALSE(entry(QStringLiteral("Unreachable")).isValid()); // its parent is not the group's
    EXPECT_EQ(view->currentIndex(), top(0));

    // The current row follows the selection; only a click shows the hint.
    select(QStringLiteral("Order entry"));
    EXPECT_EQ(window->QTreeMenu->field(QStringLiteral("ID")).asInteger(), 10201000);
    EXPECT_TRUE(window->MenuInfo->toPlainText().isEmpty());
    const QRect at = view->visualRect(entry(QStringLiteral("Quotation")));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at.center());
    EXPECT_EQ(window->QTreeMenu->field(QStringLiteral("ID")).asInteger(), 10100000);
    EXPECT_EQ(window->MenuInfo->toPlainText(), QStringLiteral("quotes"));

    // Another department: the whole tree is rebuilt below it.
    window->SelectDepartment(department(65000000));
    ASSERT_EQ(tree()->rowCount(), 1);
    EXPECT_EQ(top(0).data().toString(), QStringLiteral("Export documents"));
    EXPECT_TRUE(department(65000000)->isSelected());
    EXPECT_FALSE(department(10000000)->isSelected());
}

TEST_F(WorkingDay, CollapseAndExpandAllNeedNoQuery)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    const quint64 before = dm.DmCfg->statementsRun();
    window->N2Click();
    EXPECT_FALSE(window->MenuTree->isExpanded(top(0)));
    EXPECT_EQ(tree()->rowCount(top(0)), 2); // kept
    window->N1Click();
    EXPECT_TRUE(window->MenuTree->isExpanded(top(0)));
    EXPECT_EQ(dm.DmCfg->statementsRun(), before);
}

TEST_F(WorkingDay, TestMachineMarkerLeavesTheTreeCollapsed)
{
    site.writeFile(QStringLiteral("ZAQTest.Dat"), "");
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    EXPECT_FALSE(window->MenuTree->isExpanded(top(0)));
    EXPECT_TRUE(tree()->hasChildren(top(0))); // it can still be opened by hand
    window->MenuTree->expand(top(0));
    EXPECT_EQ(tree()->rowCount(top(0)), 2);
}

TEST_F(WorkingDay, InformationMessageOnlyForShiftAltCtrlAndTheLeftButton)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    const QRect at = window->MenuTree->visualRect(entry(QStringLiteral("Order entry")));
    const struct
    {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        bool shows;
    } cases[] = {
        { Qt::LeftButton, Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier, true },
        { Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, false },
        { Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier, false },
        { Qt::LeftButton, Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier, false },
    };
    for (const auto& c : cases) {
        prompts.clear();
        QTest::mousePress(window->MenuTree->viewport(), c.button, c.modifiers, at.center());
        QTest::mouseRelease(window->MenuTree->viewport(), c.button, c.modifiers, at.center());
        if (c.shows) {
            EXPECT_EQ(prompts.informations(),
                QStringList { QStringLiteral("****** Menu Information ******\rMenu Id     = 10201000\rApplication = ZAQSALES.EXE\rOption      =  SO \rVersion     = 3") });
        } else {
            EXPECT_TRUE(prompts.informations().isEmpty());
        }
    }
}

TEST_F(WorkingDay, ModuleProgramsGetTheFiveFieldCommandLine)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    const QString bob = QString::number(LogonFixture::userId(site, QStringLiteral("BOB")));
    const QString here = QDir::currentPath() + QLatin1Char('/');
    launch(QStringLiteral("Quotation"));
    ASSERT_EQ(shell.starts.size(), 1);
    EXPECT_EQ(shell.last().program, here + QStringLiteral("ZAQSALES.EXE"));
    EXPECT_EQ(shell.last().parameters, QStringLiteral("10100000 %1 A2026  10/12/2026").arg(bob)); // empty option: two blanks
    EXPECT_TRUE(shell.last().workingFolder.isEmpty());
    EXPECT_EQ(shell.last().mode, Shell::ShowNormal);
    launch(QStringLiteral("Daily report"));
    EXPECT_EQ(shell.last().parameters, QStringLiteral("10202000 %1 A2026 SALE DAILY 10/12/2026").arg(bob));
    launch(QStringLiteral("Order entry"));
    EXPECT_EQ(shell.last().parameters, QStringLiteral("10201000 %1 A2026 SO 10/12/2026").arg(bob)); // option trimmed
    launch(QStringLiteral("Orders")); // a folder starts nothing
    EXPECT_EQ(shell.starts.size(), 3);

    // Enter starts the selected entry as a double click does.
    select(QStringLiteral("Quotation"));
    QTest::keyClick(window->MenuTree, Qt::Key_Return);
    EXPECT_EQ(shell.starts.size(), 4);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WorkingDay, LongCommandLinesArePassedWhole)
{
    // As long as Menu.MenuOption (varchar(100)) holds: the engine refuses more, as SQL Server does.
    const QString option = QStringLiteral("OPTION ") + QString(93, QLatin1Char('x'));
    const QString program = QString(90, QLatin1Char('P')) + QStringLiteral(".EXE");
    site.config(QStringLiteral("Update Menu Set MenuOption = '%1', Command = '%2' Where Id = 10100000").arg(option, program));
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    launch(QStringLiteral("Quotation"));
    ASSERT_EQ(shell.starts.size(), 1);
    EXPECT_TRUE(shell.last().program.endsWith(program));
    EXPECT_EQ(shell.last().parameters, QStringLiteral("10100000 %1 A2026 %2 10/12/2026").arg(LogonFixture::userId(site, QStringLiteral("BOB"))).arg(option));
}

TEST_F(WorkingDay, EnterWithoutAnOpenTreeDoesNothing)
{
    window->MenuTreeKeyDown(Qt::Key_Return);
    window->MenuTreeDblClick();
    EXPECT_TRUE(shell.starts.isEmpty());
    EXPECT_TRUE(prompts.allTexts().isEmpty());
}

TEST_F(WorkingDay, DocumentYearGate)
{
    const QString refused = QStringLiteral("ไม่สามารถ เปิดจอภาพนี้ได้ !!\rเนื่องจากยังไม่กำหนดเลขที่เอกสารของปี 2026");
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"), 2); // B2026: numbering not set up
    ASSERT_EQ(dm.CurrentDatabaseName, QStringLiteral("B2026"));
    launch(QStringLiteral("ใบเสนอราคา Quotation"));
    EXPECT_EQ(prompts.informations(), QStringList { refused });
    EXPECT_TRUE(shell.starts.isEmpty());
    prompts.clear();
    launch(QStringLiteral("ใบสั่งขาย Orders")); // a folder is refused too
    EXPECT_EQ(prompts.informations(), QStringList { refused });
    window->SelectDepartment(department(2070000000));
    launch(QStringLiteral("เลขที่เอกสาร Document numbering")); // 91400000 always opens
    ASSERT_EQ(shell.starts.size(), 1);
    EXPECT_TRUE(shell.last().parameters.startsWith(QLatin1String("91400000 ")));

    // A work date whose year has no row for the database blocks every entry.
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    logon->WorkDateBox->setDate(QDate(2027, 1, 5));
    prompts.clear();
    launch(QStringLiteral("Quotation"));
    EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("ไม่สามารถ เปิดจอภาพนี้ได้ !!\rเนื่องจากยังไม่กำหนดเลขที่เอกสารของปี 2027") });
    EXPECT_EQ(shell.starts.size(), 1);
}

// A database year added without SetDocYear is not set up (NULL counts as "N"),
// on a site made by the setup scripts as on one whose column the logon's own
// upkeep added: neither gives the column a default.
TEST_F(WorkingDay, YearAddedWithoutDocumentNumberingIsRefusedHoweverTheColumnCame)
{
    for (const bool byUpkeep : { false, true }) {
        if (byUpkeep)
            site.config(QStringLiteral("Delete From DatabaseList Where YearNo = 2027\n/\nAlter Table DatabaseList Drop Column SetDocYear"));
        logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
        site.config(QStringLiteral("Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName) "
                                   "Select 2027, Id, 1, 'Year 2027', 'A2026' From Company Where Code = 'AAA'"));
        logon->WorkDateBox->setDate(QDate(2027, 1, 5));
        prompts.clear();
        shell.starts.clear();
        launch(QStringLiteral("Quotation"));
        const char* how = byUpkeep ? "column added by the upkeep" : "column from the setup scripts";
        EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("ไม่สามารถ เปิดจอภาพนี้ได้ !!\rเนื่องจากยังไม่กำหนดเลขที่เอกสารของปี 2027") }) << how;
        EXPECT_TRUE(shell.starts.isEmpty()) << how;
    }
}

TEST_F(WorkingDay, BuiltInScreensOpenByTheirNumber)
{
    QList<QPair<int, QString>> opened;
    struct Unregister
    {
        ~Unregister()
        {
            for (int n = 1; n <= 5; ++n)
                Launcher::unregisterBuiltInScreen(n);
        }
    } unregister;
    for (int n = 1; n <= 5; ++n)
        Launcher::registerBuiltInScreen(n, [&opened, n](const QString& caption) { opened.append({ n, caption }); });
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    window->SelectDepartment(department(2070000000));
    setApplicationTitle(QStringLiteral("before"));
    launch(QStringLiteral("ผู้ใช้งาน Users"));
    launch(QStringLiteral("ผู้ใช้งาน 01 Users 01"));
    EXPECT_EQ(dm.MenuCaption, QStringLiteral("ผู้ใช้งาน 01 Users 01")); // the entry's text replaces the looked-up caption
    launch(QStringLiteral("ศูนย์ Zero"));
    launch(QStringLiteral("หก Six"));
    EXPECT_EQ(opened, (QList<QPair<int, QString>> { { 1, QStringLiteral("ผู้ใช้งาน Users") }, { 1, QStringLiteral("ผู้ใช้งาน 01 Users 01") } }));
    EXPECT_EQ(applicationTitle(), QStringLiteral("before")); // restored after each screen
    EXPECT_TRUE(shell.starts.isEmpty());

    launch(QStringLiteral("ตัวเล็ก Lower case")); // "self 1" is a program name, not a built-in screen
    ASSERT_EQ(shell.starts.size(), 1);
    EXPECT_TRUE(shell.last().program.endsWith(QLatin1String("/self 1")));

    launch(QStringLiteral("ไม่ใช่ตัวเลข Not a number")); // "SELF x": the number conversion fails and nothing opens
    ASSERT_EQ(prompts.errors().size(), 1);
    EXPECT_TRUE(prompts.errors().first().contains(QLatin1String("not a valid integer value")));
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(WorkingDay, ClosedScreenGivesTheKeysBackToTheTree)
{
    struct Unregister
    {
        ~Unregister() { Launcher::unregisterBuiltInScreen(1); }
    } unregister;
    // Where the focus goes when a modal screen closes is the window manager's choice:
    // this one gives it to some other window.
    QWidget elsewhere;
    Launcher::registerBuiltInScreen(1, [&](const QString&) {
        QDialog screen(window.get());
        QTimer::singleShot(0, &screen, &QDialog::accept);
        screen.exec();
        elsewhere.show();
        elsewhere.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    });
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    window->SelectDepartment(department(2070000000));
    launch(QStringLiteral("ผู้ใช้งาน Users"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), window->MenuTree);
}

TEST_F(WorkingDay, UtilityWithAnEndingOptionClosesTheMenu)
{
    logOn(QStringLiteral("ANN"), QStringLiteral("ann1"));
    window->SelectDepartment(department(2070000000));
    launch(QStringLiteral("สำรอง ตัวเล็ก Backup, lower case")); // lower-case program name: stays
    launch(QStringLiteral("อื่น Utility, other option"));        // another option: stays
    EXPECT_TRUE(window->isVisible());
    launch(QStringLiteral("สำรองข้อมูล Backup")); // " W BACKUP ", trimmed
    EXPECT_EQ(shell.starts.size(), 3);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(dm.DmCfg->isOpen());
}

TEST_F(WorkingDay, PointOfSaleUserIsHandedToThePointOfSaleProgram)
{
    logOn(QStringLiteral("CASH"), QStringLiteral("cash"));
    ASSERT_EQ(shell.starts.size(), 1);
    EXPECT_EQ(shell.last().program, QStringLiteral("ZAQPOS.EXE"));
    EXPECT_EQ(shell.last().parameters, QStringLiteral("30100000 %1 A2026 POS1").arg(LogonFixture::userId(site, QStringLiteral("CASH"))));
    EXPECT_TRUE(window->departmentButtons().isEmpty());
    EXPECT_FALSE(window->isVisible()); // the menu ends
}

TEST_F(WorkingDay, ProgramFileIsRefreshedFromTheCentralFolderWhenAsked)
{
    QDir().mkpath(QStringLiteral("central"));
    site.writeFile(QStringLiteral("central/ZAQSALES.EXE"), "new program");
    site.writeFile(QStringLiteral("central/ZAQREPORT.EXE"), "new report");
    {
        QFile central(QStringLiteral("central/ZAQREPORT.EXE"));
        ASSERT_TRUE(central.open(QIODevice::ReadWrite));
        central.setFileTime(QDateTime(QDate(2026, 12, 1), QTime(8, 0)), QFileDevice::FileModificationTime);
    }
    site.writeFile(QStringLiteral("ZAQREPORT.EXE"), "local report, newer");
    workstation.fileDates.insert(QDir::current().absoluteFilePath(QStringLiteral("ZAQREPORT.EXE")), QDateTime(QDate(2026, 12, 5), QTime(8, 0)));
    site.config(QStringLiteral("Update softwareconfig Set CheckExe = 'Y', HostApplication = '%1/central/'").arg(QDir::currentPath()));
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));

    QFile::setPermissions(QStringLiteral("central/ZAQSALES.EXE"), QFile::permissions(QStringLiteral("central/ZAQSALES.EXE")) | QFileDevice::ExeOwner);
    launch(QStringLiteral("Quotation")); // missing here: copied before the start
    QFile copied(QStringLiteral("ZAQSALES.EXE"));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("new program"));
    EXPECT_TRUE(copied.permissions() & QFileDevice::ExeOwner); // it stays a program
    launch(QStringLiteral("Daily report")); // the local one is newer: kept
    QFile kept(QStringLiteral("ZAQREPORT.EXE"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("local report, newer"));

    workstation.fileDates.insert(QDir::current().absoluteFilePath(QStringLiteral("ZAQREPORT.EXE")), QDateTime(QDate(2026, 11, 1), QTime(8, 0)));
    kept.close();
    launch(QStringLiteral("Daily report")); // older than the central copy: replaced
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("new report"));
    EXPECT_EQ(shell.starts.size(), 3);
}

// A refresh whose copy fails (here the disk takes only a little more) keeps the
// program that was there and leaves nothing beside it; the failure is reported
// and the start goes ahead with the old program.
TEST_F(WorkingDay, FailedRefreshKeepsTheOldProgramAndSaysSo)
{
    QDir().mkpath(QStringLiteral("central"));
    site.writeFile(QStringLiteral("central/ZAQSALES.EXE"), QByteArray(1024 * 1024, 'n'));
    site.writeFile(QStringLiteral("ZAQSALES.EXE"), "old program");
    workstation.fileDates.insert(QDir::current().absoluteFilePath(QStringLiteral("ZAQSALES.EXE")), QDateTime(QDate(2020, 1, 1), QTime(8, 0)));
    site.config(QStringLiteral("Update softwareconfig Set CheckExe = 'Y', HostApplication = '%1/central'").arg(QDir::currentPath()));
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));

    rlimit before {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the test
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    launch(QStringLiteral("Quotation"));
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);

    QFile kept(QStringLiteral("ZAQSALES.EXE"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old program"));
    EXPECT_EQ(QDir::current().entryList({ QStringLiteral("*ZAQSALES*") }, QDir::Files | QDir::Hidden), QStringList { QStringLiteral("ZAQSALES.EXE") });
    ASSERT_EQ(prompts.errors().size(), 1);
    EXPECT_TRUE(prompts.errors().first().contains(QLatin1String("ZAQSALES.EXE"))) << prompts.errors().first().toStdString();
    ASSERT_EQ(shell.starts.size(), 1);
    EXPECT_TRUE(shell.last().program.endsWith(QLatin1String("ZAQSALES.EXE")));
}

TEST_F(WorkingDay, VersionCheckAtLogon)
{
    const struct
    {
        const char* required;
        const char* installed; // nullptr: no version file
        const char* host;
        bool marker;
        bool upgrades;
        bool message;
    } cases[] = {
        { "2.10", "2.9", "//central", false, false, false }, // character by character, 2.10 sorts before 2.9
        { "2.9", "2.10", "//central", false, true, false },
        { "1.0A", "1.0a", "//central", false, false, false }, // both upper-cased
        { "1.0", nullptr, "", false, false, true },           // no file, no central folder: the message, the menu goes on
        { "1.0", nullptr, "//central", false, true, false },
        { "2.9", "2.10", "//central", true, false, false },   // a test machine is never checked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.required) + " / " + (c.installed ? c.installed : "(none)"));
        QFile::remove(QStringLiteral("ZaqVersion.Dat"));
        if (c.installed)
            site.writeFile(QStringLiteral("ZaqVersion.Dat"), QByteArray(c.installed) + " \r\n");
        QFile::remove(QStringLiteral("ZAQTest.Dat"));
        if (c.marker)
            site.writeFile(QStringLiteral("ZAQTest.Dat"), "");
        site.config(QStringLiteral("Update softwareconfig Set LastVersion = ' %1 ', HostApplication = '%2'").arg(QLatin1String(c.required), QLatin1String(c.host)));
        shell.starts.clear();
        prompts.clear();
        logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
        EXPECT_EQ(!shell.starts.isEmpty(), c.upgrades);
        if (c.upgrades) {
            EXPECT_EQ(shell.last().program, QStringLiteral("ZAQUPG.EXE"));
            EXPECT_EQ(shell.last().parameters, QString::fromLatin1(c.required).toUpper());
            EXPECT_FALSE(window->isVisible());
        } else {
            EXPECT_TRUE(window->isVisible());
        }
        EXPECT_EQ(prompts.informations(), c.message ? QStringList { QStringLiteral("โปรแกรมยังไม่ได้กำหนด HostApplication") } : QStringList());
    }
    // The button upgrades on a test machine too.
    shell.starts.clear();
    window->ChkUpdateClick();
    EXPECT_EQ(shell.starts.size(), 1);
}

TEST_F(WorkingDay, HeaderDoubleClickListsTheWorkstation)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    workstation.keyboardLayout = QStringLiteral("0000041E");
    QTest::mouseDClick(window->GbHeader, Qt::LeftButton);
    EXPECT_EQ(prompts.informations(),
        (QStringList { workstation.program, QStringLiteral("Computer name is: WS01"), QStringLiteral("User name is: TESTER"), QStringLiteral("Local IP : 192.168.1.10"),
            QStringLiteral("Thai"), QStringLiteral("Current Database is: A2026") }));
}

TEST_F(WorkingDay, TimerScrollsTheTitleAndShowsTheMemory)
{
    workstation.totalMemory = 8ULL * 1024 * 1024 * 1024;
    workstation.freeMemory = 1536;
    window->Timer1->stop();
    window->Timer1Timer();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ZAQ-MFG-QLN-20220413"));
    EXPECT_EQ(window->titleText(), QStringLiteral("AQ-MFG-QLN-20220413Z"));
    EXPECT_EQ(window->TMemory->text(), QStringLiteral("Total Memory 8388608 KB"));
    EXPECT_EQ(window->FMemory->text(), QStringLiteral("Free  Memory   2 KB"));
    window->setInternetCheck(true);
    window->Timer1Timer();
    EXPECT_EQ(window->titleText(), QStringLiteral("-MFG-QLN-20220413ZAQ")); // two places while the check is on
    EXPECT_EQ(window->publicAddressTicks(), 1);
    EXPECT_EQ(applicationTitle(), QStringLiteral("Q-MFG-QLN-20220413ZA"));
}

// A real display shows each window's own caption with nothing appended: not the
// application title, and on the logon dialog not the main window's scrolling title.
TEST_F(WorkingDay, CaptionsAreTheWindowsOwnTexts)
{
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    window->Timer1->stop();
    window->Timer1Timer();
    window->Timer1Timer();
    EXPECT_EQ(platformCaption(*window), QStringLiteral("AQ-MFG-QLN-20220413Z"));
    logon->show();
    EXPECT_EQ(platformCaption(*logon), QStringLiteral("ระบบรักษาความปลอดภัย ( tester )"));
    logon->Panel1Click(); // BOB is English: the flip shows Thai
    EXPECT_EQ(platformCaption(*logon), QStringLiteral("ระบบรักษาความปลอดภัย"));
    window->Timer1Timer();
    logon->Panel1Click();
    EXPECT_EQ(platformCaption(*logon), QStringLiteral("ZAQ Security System"));
    logon->hide();
}

TEST_F(WorkingDay, LogonAddsTheDocumentYearColumnToAnOlderDatabaseList)
{
    site.config(QStringLiteral("Alter Table DatabaseList Drop Column SetDocYear"));
    logOn(QStringLiteral("BOB"), QStringLiteral("bob"));
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from DatabaseList where SetDocYear = 'Y'")).toInt(),
        site.configScalar(QStringLiteral("select count(*) from DatabaseList")).toInt());
    EXPECT_GT(tree()->rowCount(), 0); // the tree was rebuilt after the configuration re-opened
    EXPECT_TRUE(window->QTreeMenu->isOpen());
}

} // namespace
