// zaq_screenshots: logs demo users on through the real logon dialog and main
// window, wired as the program wires them, opens the administration screens
// from the menu tree, and saves pictures of what a person sees. Run it in a
// demo site folder on a real (or virtual) X display:
//   zaq_screenshots --site DIR --out DIR
#include "app/rightsscreens.h"
#include "app/userscreens.h"
#include "config/dmconfig.h"
#include "dialogs/frsearchuser.h"
#include "logon/frlogon.h"
#include "mainmenu/frdisplayerror.h"
#include "mainmenu/frmainmenu.h"
#include "reports/frsecurityreports.h"
#include "security/frchangepassword.h"
#include "security/frcopyright.h"
#include "security/frusercompany.h"
#include "security/frusername.h"
#include "security/fruserrights.h"
#include "toolkit/applicationtitle.h"
#include "toolkit/fonts.h"
#include "toolkit/guard.h"
#include "toolkit/imagebutton.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>

namespace {

// An administration screen opened from the menu tree's entry whose text ends
// with `entry`, with `code` typed into its code box and left (none: the screen
// as it opens).
struct Visit
{
    QString entry;
    QString code;
    QString picture;
};

struct Session
{
    QString code;
    QString password;
    QString logonPicture; // empty: none taken
    QString menuPicture;
    int department; // the department button to click, counted from 0
    QString errorLogPicture = QString(); // empty: the error log is not opened
    QList<Visit> visits = {}; // opened in this order after the pictures above
};

// The department whose screens are visited.
const QString kAdministration = QStringLiteral("System Administration");

// The code box of an administration screen: the one the person types into first.
QLineEdit* codeBox(QDialog* screen)
{
    if (auto* s = qobject_cast<TFrUserName*>(screen))
        return s->UserName;
    if (auto* s = qobject_cast<TFrChangePassword*>(screen))
        return s->UserName;
    if (auto* s = qobject_cast<TFrUserRights*>(screen))
        return s->UserCode;
    if (auto* s = qobject_cast<TFrUserCompany*>(screen))
        return s->UserCode;
    if (auto* s = qobject_cast<TFrSecurityReports*>(screen)) {
        s->Pages->setCurrentIndex(TFrSecurityReports::WhoCan);
        return s->EntryEdit;
    }
    return nullptr;
}

// A caption bar above the picture, so the window's title shows as it does on a desktop.
QImage withCaption(QWidget& window)
{
    const QPixmap body = window.grab();
    constexpr int bar = 26;
    QImage out(body.width(), body.height() + bar, QImage::Format_RGB32);
    out.fill(QColor(0, 0, 128));
    QPainter p(&out);
    p.drawPixmap(0, bar, body);
    QFont f = window.font();
    f.setBold(true);
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(Qt::white);
    // A window without a title of its own is captioned with the application's.
    const QString title = window.windowTitle().isEmpty() ? applicationTitle() : window.windowTitle();
    p.drawText(QRect(8, 0, out.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, title);
    return out;
}

class Driver : public QObject
{
public:
    Driver(TFrMainMenu& menu, TFrLogon& logon, const QString& out, QList<Session> sessions)
        : m_menu(menu)
        , m_logon(logon)
        , m_out(out)
        , m_sessions(std::move(sessions))
    {
        connect(&m_tick, &QTimer::timeout, this, [this] { tick(); });
        m_tick.start(100);
        QTimer::singleShot(120000, this, [this] { fail(QStringLiteral("gave up waiting (step %1)").arg(m_step)); });
    }

    bool failed() const { return m_failed; }
    bool done() const { return m_step == Done; }

private:
    enum Step
    {
        TypeUser,
        ChooseDatabase,
        WaitForMenu,
        ChooseDepartment,
        TakeMenu,
        TakeErrorLog,
        OpenScreen,
        LoadCode,
        TakeScreen,
        CloseScreen,
        Done
    };

    const Session& session() const { return m_sessions.at(m_session); }

    void save(const QImage& picture, const QString& name)
    {
        const QString path = QDir(m_out).filePath(name);
        if (!picture.save(path))
            return fail(QStringLiteral("cannot write ") + path);
        QTextStream(stdout) << "wrote " << path << " (" << picture.width() << "x" << picture.height() << ")\n";
    }

    void fail(const QString& why)
    {
        if (m_step == Done)
            return;
        QTextStream(stderr) << "screenshots: " << why << "\n";
        m_failed = true;
        finish();
    }

    void finish()
    {
        m_step = Done;
        m_tick.stop();
        QCoreApplication::exit(m_failed ? 1 : 0); // leaves the nested loops of the dialogs too
    }

    void tick()
    {
        // Any message box here means the logon went wrong: say what it said.
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            const QString text = box->text();
            box->reject();
            return fail(QStringLiteral("unexpected message: ") + text);
        }
        switch (m_step) {
        case TypeUser:
            if (!m_logon.isVisible() || m_logon.choosingDatabase())
                return;
            m_logon.UserName->clear();
            m_logon.Password->clear();
            QTest::keyClicks(m_logon.UserName, session().code);
            QTest::keyClicks(m_logon.Password, session().password);
            if (!session().logonPicture.isEmpty())
                save(withCaption(m_logon), session().logonPicture);
            m_step = ChooseDatabase;
            m_logon.BtLogon->click();
            return;
        case ChooseDatabase:
            // A user with one database is through already; one with several picks the first.
            if (m_logon.isVisible() && m_logon.choosingDatabase()) {
                m_logon.DatabaseList->setCurrentIndex(0);
                m_logon.BtOk->click();
            }
            m_step = WaitForMenu;
            return;
        case WaitForMenu:
            if (m_logon.isVisible() || !m_menu.isVisible() || m_menu.departmentButtons().isEmpty())
                return;
            m_step = ChooseDepartment;
            return;
        case ChooseDepartment: {
            const QList<ImageButton*> buttons = m_menu.departmentButtons();
            buttons.value(session().department, buttons.first())->click();
            // A click on an entry shows its hint below the tree.
            if (const QModelIndex entry = m_menu.MenuTree->model()->index(0, 0); entry.isValid()) {
                const QRect r = m_menu.MenuTree->visualRect(entry);
                QTest::mouseClick(m_menu.MenuTree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
            }
            m_step = TakeMenu;
            m_shown.start();
            return;
        }
        case TakeMenu:
            // Let the window's once-a-second timer write the title and the memory lines.
            if (m_shown.elapsed() < 1500)
                return;
            save(withCaption(m_menu), session().menuPicture);
            if (!session().errorLogPicture.isEmpty()) {
                // The tree's pop-up item shows the viewer modally; the ticks go on meanwhile.
                m_step = TakeErrorLog;
                m_shown.invalidate();
                QTimer::singleShot(0, &m_menu,
                    [this] { m_menu.PopupMenu1->findChild<QAction*>(QStringLiteral("DisplayErrorLog"))->trigger(); });
                return;
            }
            return nextVisit();
        case TakeErrorLog:
            if (!FrDisplayError || !FrDisplayError->isVisible())
                return;
            // Give the display a moment to draw the window.
            if (!m_shown.isValid())
                m_shown.start();
            if (m_shown.elapsed() < 700)
                return;
            save(withCaption(*FrDisplayError), session().errorLogPicture);
            FrDisplayError->BtOk->click();
            m_step = CloseScreen; // waits for the viewer to be gone
            return;
        case OpenScreen: {
            auto* screen = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!screen || !screen->isVisible())
                return;
            m_screen = screen;
            // Typing needs the screen to hold the keyboard, as it does on a desktop.
            screen->activateWindow();
            m_step = LoadCode;
            return;
        }
        case LoadCode: {
            if (QApplication::activeWindow() != m_screen)
                return;
            const QString code = session().visits.at(m_visit).code;
            if (!code.isEmpty()) {
                QLineEdit* box = codeBox(m_screen);
                if (!box)
                    return fail(QStringLiteral("no code box on ") + m_screen->windowTitle());
                box->setFocus();
                QTest::keyClicks(box, code);
                QTest::keyClick(box, Qt::Key_Tab); // leaving the box loads the record
                if (auto* reports = qobject_cast<TFrSecurityReports*>(m_screen))
                    QTest::mouseClick(reports->BShow, Qt::LeftButton);
            }
            m_step = TakeScreen;
            m_shown.start();
            return;
        }
        case TakeScreen:
            if (m_shown.elapsed() < 700)
                return;
            save(withCaption(*m_screen), session().visits.at(m_visit).picture);
            // Closed without the exit question, which would only show in the picture.
            m_screen->done(QDialog::Rejected);
            ++m_visit;
            m_step = CloseScreen;
            return;
        case CloseScreen:
            // The screen's modal loop must end before the next entry is opened.
            if (QApplication::activeModalWidget())
                return;
            return nextVisit();
        case Done:
            return;
        }
    }

    // Opens the session's next administration screen from the menu tree, as a
    // double-click on the entry does; then the next session.
    void nextVisit()
    {
        const QList<Visit>& visits = session().visits;
        if (m_visit >= visits.size())
            return nextSession();
        ImageButton* department = nullptr;
        for (ImageButton* b : m_menu.departmentButtons()) {
            if (b->text().contains(kAdministration))
                department = b;
        }
        if (!department)
            return fail(session().code + QStringLiteral(" has no department ") + kAdministration);
        department->click();
        const QAbstractItemModel* tree = m_menu.MenuTree->model();
        const QModelIndexList entries
            = tree->match(tree->index(0, 0), Qt::DisplayRole, visits.at(m_visit).entry, 1, Qt::MatchEndsWith | Qt::MatchRecursive);
        if (entries.isEmpty())
            return fail(session().code + QStringLiteral(" has no menu entry ") + visits.at(m_visit).entry);
        m_menu.MenuTree->setCurrentIndex(entries.first());
        m_step = OpenScreen;
        // The screen is shown modally: the ticks go on inside its loop.
        QTimer::singleShot(0, &m_menu, [this] { m_menu.MenuTreeDblClick(); });
    }

    void nextSession()
    {
        m_visit = 0;
        if (++m_session == m_sessions.size())
            return finish();
        m_step = TypeUser;
        // Log on anew as the next user, as the tree's pop-up menu does.
        QTimer::singleShot(0, &m_menu, [this] { m_menu.NewLoginClick(); });
    }

    TFrMainMenu& m_menu;
    TFrLogon& m_logon;
    QString m_out;
    QList<Session> m_sessions;
    int m_session = 0;
    int m_visit = 0;
    QDialog* m_screen = nullptr;
    int m_step = TypeUser;
    bool m_failed = false;
    QTimer m_tick;
    QElapsedTimer m_shown;
};

QString option(const QStringList& args, const QString& name)
{
    const int i = int(args.indexOf(name));
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : QString();
}

} // namespace

int main(int argc, char** argv)
{
    GuardedApplication app(argc, argv);
    installFontSubstitutes();
    const QStringList args = app.arguments();
    const QString site = option(args, QStringLiteral("--site"));
    const QString out = QDir(option(args, QStringLiteral("--out"))).absolutePath();
    if (site.isEmpty() || option(args, QStringLiteral("--out")).isEmpty()) {
        QTextStream(stderr) << "usage: zaq_screenshots --site DIR --out DIR\n";
        return 2;
    }
    if (!QDir().mkpath(out) || !QDir::setCurrent(site)) {
        QTextStream(stderr) << "screenshots: no site folder " << site << " or cannot make " << out << "\n";
        return 2;
    }

    setApplicationTitle(QStringLiteral("ZAQ Account"));
    // Wired as the program wires them at start-up.
    TFrMainMenu mainMenu(false);
    TFrLogon logon(&mainMenu);
    mainMenu.setLogonDialog(&logon);
    DmConfig = new TDMConfig(&app);
    mainMenu.bindData();
    logon.bindData();
    FrCopyRight = new TFrCopyRight;
    FrSearchUser = new TFrSearchUser;
    FrDisplayError = new TFrDisplayError;
    registerRightsScreens(&mainMenu);
    UserScreens userScreens(
        &mainMenu, [&logon] { return logon.ServerName(); }, false);

    Driver driver(mainMenu, logon, out,
        {
            { QStringLiteral("SOMCHAI"), QStringLiteral("1234"), QStringLiteral("logon.png"),
                QStringLiteral("mainmenu.png"), 1, QStringLiteral("errorlog.png"),
                {
                    { QStringLiteral(" Users"), QStringLiteral("MALEE"), QStringLiteral("users.png") },
                    { QStringLiteral(" User Groups"), QStringLiteral("ADMIN"), QStringLiteral("groups.png") },
                    { QStringLiteral(" Group Menu Rights"), QStringLiteral("SALES"),
                        QStringLiteral("grouprights.png") },
                    { QStringLiteral(" User Databases"), QStringLiteral("JOHN"), QStringLiteral("userdatabases.png") },
                    { QStringLiteral(" Security Reports"), QStringLiteral("Daily Sales Report"), QStringLiteral("securityreports.png") },
                } },
            { QStringLiteral("JOHN"), QStringLiteral("john"), QString(), QStringLiteral("mainmenu-english.png"), 0,
                QString(), { { QStringLiteral("Change Password"), QString(), QStringLiteral("changepassword.png") } } },
        });
    mainMenu.show();
    app.exec();
    if (!driver.done())
        QTextStream(stderr) << "screenshots: the program ended before the pictures were taken\n";
    return driver.done() && !driver.failed() ? 0 : 1;
}
