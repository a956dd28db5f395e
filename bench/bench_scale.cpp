// The program at twenty times a typical site, side by side with its floor.
//
// The site: a menu of 20,000 entries (8,000 in the largest department), about
// 20,000 users in 500 groups, about a million rights rows and 1,000 company
// databases as real files in the server folder (sizes are options). Each
// interactive step of the program runs alternately with its raw floor in one
// process: the same statements written by hand as plain SQLite (`||`, the
// schema's collation as a plain C function, none of the engine's functions),
// read through libsqlite3 as UTF-8. One line per step, medians:
//   step: NAME program_ms=P raw_ms=R ratio=X
// Steps:
//   logon       the show sequence from the logon to the filled main window
//   department  choosing the largest department (query, tree built and expanded)
//   treequery   the tree's query alone, read whole
//   search      the empty user search: the click, the statement and the grid
//               model's first page (the grid's painting is printed apart)
//   userload    the user screen: New, a user's code typed and the box left
//   rightsload  the group rights screen: a group's code entered, its rights
//               over every entry the administrator's group holds, in the grid
//   rightscascade a double click on the largest department's row, which sets
//               every entry below it
// Options: --entries= --largest= --users= --groups= --rights= --databases=
// --repeats=, --benchmark_filter=REGEX (as scripts/bench passes) to run some
// steps only, and --keep to leave the site's folder behind (its path is
// printed) for trying the program itself at that size.
#include "benchapp.h"
#include "benchwindow.h"
#include "config/dmconfig.h"
#include "config/programexit.h"
#include "config/sqlcatalogue.h"
#include "db/embedded/server.h"
#include "db/query.h"
#include "dialogs/frsearchuser.h"
#include "dialogs/searchmodel.h"
#include "fixedclock.h"
#include "largemenufixture.h"
#include "logon/frlogon.h"
#include "logondriver.h"
#include "logonfixture.h"
#include "mainmenu/frmainmenu.h"
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "security/frcopyright.h"
#include "security/frusername.h"
#include "security/fruserrights.h"
#include "security/rightsmodel.h"
#include "toolkit/guard.h"
#include "toolkit/imagebutton.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace {

struct Sizes
{
    int entries = 20000;
    int largest = 8000;
    int users = 20000;
    int groups = 500;
    int rights = 1000000;
    int databases = 1000;
    int repeats = 15;
};

// ---------------------------------------------------------------- the site

void addUsersRightsAndDatabases(const FixtureSite& site, const Sizes& s)
{
    // Group g holds rights on the entries whose id plus g's id divides by
    // `every`, which spreads `rights` rows evenly over the groups.
    const int every = std::max(1, int(qint64(s.groups) * s.entries / std::max(1, s.rights)));
    const int companies = std::max(1, s.databases / 10);
    site.configWithNumbers(5, QStringLiteral(R"(
Insert Into UserName (Code, FullName, IsDepartment, Active, CanSetOtherUserPass)
Select 'GRP' + Cast(N As VarChar(10)), 'กลุ่มทดสอบ ' + Cast(N As VarChar(10)), 'Y', 'Y', 'N' From BenchNumber Where N < %1
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, POS_USER)
Select 'U' + Cast(100000 + N.N As VarChar(10)), 'ผู้ใช้ทดสอบ ' + Cast(N.N As VarChar(10)),
  'N', Case When N.N % 10 = 0 Then 'N' Else 'Y' End, 1, Cast('pw' As VarBinary(Max)), G.Id, 'N'
From BenchNumber N, UserName G
Where N.N < %2 And G.Code = 'GRP' + Cast(N.N % %1 As VarChar(10))
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'N', 'Y', 'N' From UserName G, Menu M
Where G.IsDepartment = 'Y' And G.Code Like 'GRP%' And M.Parent <> 0 And (M.Id + G.Id) % %3 = 0
/
Insert Into Company (Code, NameThai, ShortName, LocalServer)
Select 'K' + Cast(N As VarChar(10)), 'บริษัททดสอบ ' + Cast(N As VarChar(10)), 'K' + Cast(N As VarChar(10)), 'Y' From BenchNumber Where N < %4
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, SetDocYear)
Select 2017 + N.N % 10, C.Id, 1, 'Year ' + Cast(2017 + N.N % 10 As VarChar(10)), 'KDB' + Cast(N.N As VarChar(10)), 'Y'
From BenchNumber N, Company C
Where N.N < %5 And C.Code = 'K' + Cast(N.N / 10 % %4 As VarChar(10))
/
Insert Into Branch (BranchNo, ServerName) Select 10 + Id, DatabaseName From DatabaseList Where DatabaseName Like 'KDB%'
/
)")
                    .arg(s.groups)
                    .arg(s.users)
                    .arg(every)
                    .arg(companies)
                    .arg(s.databases));
    // The files: one made from the schema, the rest copies of it.
    if (s.databases <= 0)
        return;
    Site::createCompanyDatabase(site.serverFolder(), QStringLiteral("KDB0"));
    const QString first = EmbeddedServer::databaseFile(site.serverFolder(), QStringLiteral("KDB0"));
    for (int i = 1; i < s.databases; ++i) {
        if (!QFile::copy(first, QDir(site.serverFolder()).filePath(QStringLiteral("KDB%1%2").arg(i).arg(QLatin1String(EmbeddedServer::kExtension)))))
            throw std::runtime_error("cannot copy a company database");
    }
}

// ---------------------------------------------------------------- the program

struct Program : BenchWindow
{
    explicit Program(const Sizes& s)
        : sizes(s)
    {
        benchApplication();
        QElapsedTimer built;
        built.start();
        site = new FixtureSite;
        LogonFixture::build(*site);
        LargeMenuFixture::build(*site, { s.entries, s.largest });
        addUsersRightsAndDatabases(*site, s);
        fixtureSeconds = double(built.elapsed()) / 1000;
        makeWindow();
        logOn();
    }

    ~Program()
    {
        dm->DmCfg->close();
        delete site; // the temporary folder goes, company databases and all
    }

    void logOn() { BenchWindow::logOn({ QStringLiteral("BIG"), QStringLiteral("big"), -1, {} }); }

    void chooseLargest()
    {
        ImageButton* largest = department(LargeMenuFixture::kLargest);
        if (!largest)
            throw std::runtime_error("no button for the largest department");
        window->SelectDepartment(largest);
        QCoreApplication::processEvents();
    }

    int treeQuery()
    {
        Query q(dm->DmCfg, Sql::QTreeMenuThai);
        q.setParam(QStringLiteral("LogonId"), window->UserId);
        q.open();
        return q.rowCount();
    }

    int emptySearch()
    {
        if (!search) {
            search = new TFrSearchUser;
            search->ReturnField = QStringLiteral("Code");
            search->show();
        }
        search->Code->clear();
        search->BtSearch->click();
        return search->DSearch->rowCount();
    }

    // The grid's painting of what the search listed: the visible rows' texts
    // laid out and drawn, which the floor has no counterpart for.
    void paintSearchGrid()
    {
        QCoreApplication::processEvents();
        search->DgSearch->viewport()->repaint();
    }

    // The user screen over the company database the logon chose.
    void loadUser(int n)
    {
        if (!users) {
            dm->UserCode = QStringLiteral("BIG");
            dm->MenuCaption = QStringLiteral("ผู้ใช้งาน");
            users = new TFrUserName;
            users->GroupMode = false;
            users->show();
            if (!QTest::qWaitForWindowExposed(users))
                throw std::runtime_error("the user screen did not show");
        }
        users->AcNew->trigger();
        users->UserName->setText(userCode(n));
        if (!guarded([this] { users->UserNameExit(); }) || users->NewRecord)
            throw std::runtime_error("the user did not load");
    }
    static QString userCode(int n) { return QStringLiteral("U%1").arg(100000 + n); }

    // The rights screen as the administrator's group (every entry) sees it.
    TFrUserRights& rightsScreen()
    {
        if (!rights) {
            dm->UserCode = QStringLiteral("BIG");
            dm->GroupId = site->configScalar(QStringLiteral("Select Id From UserName Where Code = 'BIGGRP'")).toInt();
            rights = new TFrUserRights(nullptr, new TFrCopyRight);
            rights->show();
            if (!QTest::qWaitForWindowExposed(rights))
                throw std::runtime_error("the rights screen did not show");
        }
        return *rights;
    }

    int loadRights()
    {
        TFrUserRights& r = rightsScreen();
        r.activateWindow();
        if (!QTest::qWaitForWindowActive(&r))
            throw std::runtime_error("the rights screen did not become active");
        r.UserCode->setFocus();
        r.UserCode->setText(QStringLiteral("GRP1"));
        QTest::keyClick(r.UserCode, Qt::Key_Return); // leaving the box loads the group
        QCoreApplication::processEvents();
        return r.QRights->rowCount();
    }

    void cascadeLargest()
    {
        TFrUserRights& r = rightsScreen();
        r.DgRightsDblClick(r.QRights->rowOf(LargeMenuFixture::kLargest));
        QCoreApplication::processEvents();
    }

    // Empty when the last step showed no message and stopped nothing.
    QString fault() const
    {
        if (!prompts.allTexts().isEmpty())
            return prompts.allTexts().join(QLatin1Char('|'));
        if (halted >= 0)
            return QStringLiteral("the program was stopped");
        if (window->departmentButtons().size() != 12)
            return QStringLiteral("not twelve department buttons");
        return {};
    }

    int shownEntries() const
    {
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

    Sizes sizes;
    ScriptedPrompts prompts;
    RecordingShell shell;
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(9, 0)) };
    FixtureSite* site;
    TFrSearchUser* search = nullptr;
    TFrUserRights* rights = nullptr;
    TFrUserName* users = nullptr;
    double fixtureSeconds = 0;
};

// ---------------------------------------------------------------- the floor

// The schema names its text collation; the floor gives it a plain C body:
// ASCII letters without regard to case, trailing blanks ignored.
int plainCollation(void*, int la, const void* a, int lb, const void* b)
{
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    while (la > 0 && pa[la - 1] == ' ')
        --la;
    while (lb > 0 && pb[lb - 1] == ' ')
        --lb;
    const int c = sqlite3_strnicmp(reinterpret_cast<const char*>(pa), reinterpret_cast<const char*>(pb), std::min(la, lb));
    return c != 0 ? c : la - lb;
}

class RawDatabase
{
public:
    explicit RawDatabase(const QString& file)
    {
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("raw: cannot open " + file.toStdString());
        sqlite3_busy_timeout(m_db, 5000);
        sqlite3_create_collation(m_db, "ZAQ_CI", SQLITE_UTF8, nullptr, plainCollation);
    }
    ~RawDatabase() { sqlite3_close_v2(m_db); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    // Runs a statement with its values bound in order and reads up to `limit`
    // rows, every column as SQLite holds it (texts as UTF-8); answers the rows.
    int read(const char* sql, std::initializer_list<QVariant> values = {}, int limit = INT_MAX)
    {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string("raw: ") + sqlite3_errmsg(m_db) + " in " + sql);
        int i = 0;
        for (const QVariant& v : values) {
            ++i;
            if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
                sqlite3_bind_int64(st, i, v.toLongLong());
            else {
                const QByteArray text = v.toString().toUtf8();
                sqlite3_bind_text(st, i, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
        }
        int rows = 0;
        int rc = SQLITE_ROW;
        while (rows < limit && (rc = sqlite3_step(st)) == SQLITE_ROW) {
            ++rows;
            const int columns = sqlite3_column_count(st);
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_INTEGER:
                    m_sink += sqlite3_column_int64(st, c);
                    break;
                case SQLITE_FLOAT:
                    m_sink += qint64(sqlite3_column_double(st, c));
                    break;
                case SQLITE_NULL:
                    break;
                default:
                    m_sink += reinterpret_cast<const char*>(sqlite3_column_text(st, c))[0] + sqlite3_column_bytes(st, c);
                }
            }
        }
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw std::runtime_error(std::string("raw: ") + sqlite3_errmsg(m_db) + " in " + sql);
        sqlite3_finalize(st);
        return rows;
    }

    qint64 sink() const { return m_sink; }

private:
    sqlite3* m_db = nullptr;
    qint64 m_sink = 0;
};

const char* const kRawTree = "SELECT M.Id, trim(M.Description) || ' ' || trim(M.DescEnglish) AS DESCRIPTION, M.Parent, M.OrderNo,"
                             " M.DatabaseType, M.Command, M.MenuOption, M.MenuHint, M.Version, U.FullName,"
                             " R.AddRight, R.ModifyRight, R.DeleteRight"
                             " FROM UserRight R JOIN Menu M ON M.Id = R.Menu JOIN UserName U ON U.GroupId = R.UserName"
                             " WHERE U.Id = ?1 ORDER BY M.OrderNo";

const char* const kRawDepartments = "SELECT M.Id, trim(M.Description) || ' ' || trim(M.DescEnglish) AS DESCRIPTION, M.Parent, M.OrderNo,"
                                    " M.Command, M.MenuOption, M.MenuHint, U.FullName, R.AddRight, R.ModifyRight, R.DeleteRight"
                                    " FROM UserRight R JOIN Menu M ON M.Id = R.Menu JOIN UserName U ON U.GroupId = R.UserName"
                                    " WHERE U.Id = ?1 AND M.Parent = 0 ORDER BY M.OrderNo";

const char* const kRawSearch = "SELECT Code, FullName, Active FROM UserName"
                               " WHERE Code <> 'ZAQ' AND Code <> 'ZAQSYSTEM' AND (Code LIKE ?1 OR FullName LIKE ?1) AND IsDepartment = ?2"
                               " ORDER BY Code";

struct Raw
{
    explicit Raw(const Program& p)
        : folder(p.site->serverFolder())
        , configFile(EmbeddedServer::databaseFile(folder, QStringLiteral("ZAQ_CONFIG")))
        , companyFile(EmbeddedServer::databaseFile(folder, QStringLiteral("A2026")))
        , userId(p.window->UserId)
        , config(configFile)
    {
    }

    // What the configuration connection's opening does: the master's look for
    // the other configuration database, the upkeep, the software settings.
    std::unique_ptr<RawDatabase> openConfig()
    {
        sink += QFileInfo::exists(QDir(folder).filePath(QStringLiteral("ZAQ_Config_QLN.sqlite")));
        auto db = std::make_unique<RawDatabase>(configFile);
        db->read("SELECT name FROM pragma_table_info('Menu') WHERE upper(trim(name)) = 'VERSION'");
        db->read("UPDATE Menu SET Version = 3 WHERE Version IS NULL AND Command IS NOT NULL");
        db->read("SELECT cid FROM pragma_table_info('UserName') WHERE name = 'UserSeeImport' COLLATE NOCASE");
        db->read("SELECT cid FROM pragma_table_info('UserName') WHERE name = 'UserSeeCost' COLLATE NOCASE");
        db->read("SELECT * FROM softwareconfig");
        return db;
    }

    // The statements of a logon in the order the program sends them.
    int logon()
    {
        auto db = openConfig();
        db->read("SELECT Id, Code, Password, FullName, PasswordNew, POS_USER, EditSalePrice, Saleman, LanguageNo FROM UserName"
                 " WHERE Code = ?1 AND Active = 'Y' AND IsDepartment = 'N'",
            { QStringLiteral("BIG") });
        db->read("SELECT U.UserName, U.DatabaseType, N.POS_User, N.EditSalePrice, N.Code, N.FullName,"
                 " O.Id, O.YearNo, O.Company, O.Description, O.DatabaseName, O.ServerName,"
                 " C.Id, C.Code, C.Password, C.NameThai, C.NameEng, C.ShortName, C.RunYear"
                 " FROM UserCompany U JOIN UserName N ON U.UserName = N.Id AND U.UserName = ?1"
                 " JOIN DatabaseList O ON U.DatabaseList = O.Id AND O.YearNo = ?2"
                 " JOIN Company C ON C.Id = O.Company AND C.LocalServer = 'Y'"
                 " GROUP BY U.UserName, U.DatabaseType, N.POS_User, N.EditSalePrice, N.Code, N.FullName,"
                 " O.Id, O.YearNo, O.Company, O.Description, O.DatabaseName, O.ServerName,"
                 " C.Id, C.Code, C.Password, C.NameThai, C.NameEng, C.ShortName, C.RunYear"
                 " ORDER BY (SELECT BranchNo FROM Branch WHERE ServerName = O.DatabaseName), C.Code, O.YearNo, U.DatabaseType",
            { userId, 2026 });
        db->read("SELECT C.Company, C.PicturePath, C.Public_Price_IE, C.DefaultWh, C.POS1_Wh, C.POS1_TaxCode, C.POS1_Price_IE,"
                 " C.POS1_PriceType, C.POS1_SumDetail, C.DefaultPosComPort, C.DefaultTax, C.DefaultPosMenuId, M.Command, M.MenuOption,"
                 " O.Description, O.YearNo, P.Id, P.Code, P.Password, P.NameThai, P.NameEng, P.ShortName, P.Address1, P.Address2,"
                 " P.Address3, P.Address4, P.Province, P.Zip, P.Telephone, P.Fax, P.EMail, P.Logo, P.TaxNo, P.InstallDate, P.RunYear,"
                 " P.LocalServer, P.FundName, P.TaxBranchHead, P.TaxBranchCode, P.TaxBranchName"
                 " FROM CompanyConfig C JOIN DatabaseList O ON O.Company = C.Company JOIN Company P ON P.Id = O.Company"
                 " LEFT JOIN Menu M ON M.Id = C.DefaultPosMenuId WHERE O.DatabaseName = ?1",
            { QStringLiteral("A2026") });
        {
            RawDatabase status(companyFile); // opened for the status line and closed again
            status.read("SELECT c.*, (SELECT lastupdate FROM zaqmfgconfig) lastupdate FROM config c");
            status.read("SELECT * FROM CloseGLHistory WHERE year = ?1", { 2026 });
            sink += status.sink();
        }
        db->read(kRawDepartments, { userId });
        int rows = db->read(kRawTree, { userId });
        sink += db->sink();
        db = openConfig(); // the reopen after the logon, and the first department's tree again
        rows = db->read(kRawTree, { userId });
        db->read("SELECT name FROM pragma_table_info('DatabaseList') WHERE upper(trim(name)) = 'SETDOCYEAR'");
        sink += db->sink();
        return rows;
    }

    int treeQuery() { return config.read(kRawTree, { userId }); }

    int search() { return config.read(kRawSearch, { QStringLiteral("%%"), QStringLiteral("N") }, SearchModel::kBatch); }

    int rights(int masterGroup)
    {
        config.read("SELECT Id, Code, FullName, Active FROM UserName WHERE Code = ?1 AND IsDepartment = 'Y'", { QStringLiteral("GRP1") });
        return config.read("SELECT M.Id, printf('%*s', M.MenuLevel * 3, '') || M.Description AS Description, M.Parent, M.OrderNo,"
                           " R.Menu AS MenuRight, coalesce(R.AccessRight, 'N') AccessRight, coalesce(R.AddRight, 'N') AddRight,"
                           " coalesce(R.ModifyRight, 'N') ModifyRight, coalesce(R.DeleteRight, 'N') DeleteRight, M.MenuLevel"
                           " FROM Menu M LEFT JOIN UserRight R ON R.Menu = M.Id AND R.UserName = (SELECT Id FROM UserName WHERE Code = ?1)"
                           " WHERE M.Id IN (SELECT Menu FROM UserRight WHERE UserName = ?2) ORDER BY M.OrderNo",
            { QStringLiteral("GRP1"), masterGroup });
    }

    int menuParents() { return config.read("SELECT Id, Parent FROM Menu"); }

    // New (an empty code), the code, and the company's customers for the box.
    int user(const QString& code)
    {
        const char* select = "SELECT * FROM UserName WHERE Code = ?1 AND IsDepartment = 'N'";
        config.read(select, { QString() });
        const int found = config.read(select, { code });
        if (!customers)
            customers = std::make_unique<RawDatabase>(companyFile); // the screen's company connection stays open too
        customers->read("SELECT Code, Name FROM Customer WHERE coalesce(Blocked, 'N') = 'N' ORDER BY Code");
        return found;
    }

    QString folder;
    QString configFile;
    QString companyFile;
    int userId;
    RawDatabase config;
    std::unique_ptr<RawDatabase> customers;
    qint64 sink = 0;
};

// ---------------------------------------------------------------- timing

double msOf(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Runs the program's step and its floor alternately and prints the medians.
void measure(const char* name, int repeats, const std::function<void()>& program, const std::function<void()>& raw)
{
    program(); // warm: first use builds what later uses find made
    raw();
    std::vector<double> p, r;
    for (int i = 0; i < repeats; ++i) {
        p.push_back(msOf(program));
        r.push_back(msOf(raw));
    }
    const double pm = median(p);
    const double rm = median(r);
    std::printf("step: %s program_ms=%.2f raw_ms=%.2f ratio=%.2f\n", name, pm, rm, rm > 0 ? pm / rm : 0.0);
    std::fflush(stdout);
}

void expect(bool ok, const QString& what)
{
    if (!ok)
        throw std::runtime_error(what.toStdString());
}

qint64 residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return -1;
}

int option(const QStringList& args, const char* name, int fallback)
{
    const QString prefix = QStringLiteral("--%1=").arg(QLatin1String(name));
    for (const QString& a : args) {
        if (a.startsWith(prefix))
            return a.mid(prefix.size()).toInt();
    }
    return fallback;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    Sizes s;
    s.entries = option(args, "entries", s.entries);
    s.largest = option(args, "largest", s.largest);
    s.users = option(args, "users", s.users);
    s.groups = option(args, "groups", s.groups);
    s.rights = option(args, "rights", s.rights);
    s.databases = option(args, "databases", s.databases);
    s.repeats = std::max(1, option(args, "repeats", s.repeats));
    QString filter = QStringLiteral(".");
    for (const QString& a : args) {
        if (a.startsWith(QLatin1String("--benchmark_filter=")))
            filter = a.mid(19);
    }
    const QRegularExpression wanted(filter);
    const QStringList steps { QStringLiteral("logon"), QStringLiteral("department"), QStringLiteral("treequery"), QStringLiteral("search"),
        QStringLiteral("userload"), QStringLiteral("rightsload"), QStringLiteral("rightscascade") };
    if (std::none_of(steps.begin(), steps.end(), [&](const QString& step) { return wanted.match(step).hasMatch(); }))
        return 0;
    auto runs = [&](const char* step) { return wanted.match(QLatin1String(step)).hasMatch(); };

    try {
        Program program(s);
        const qint64 rss = residentMegabytes();
        expect(program.fault().isEmpty(), QStringLiteral("logon: ") + program.fault());
        const int treeRows = program.site->configScalar(QStringLiteral("Select Count(*) From UserRight R Inner Join UserName U On U.GroupId = R.UserName Where U.Code = 'BIG'")).toInt();
        const int rightsRows = program.site->configScalar(QStringLiteral("Select Count(*) From UserRight")).toInt();
        const int users = program.site->configScalar(QStringLiteral("Select Count(*) From UserName Where IsDepartment = 'N'")).toInt();
        const int groups = program.site->configScalar(QStringLiteral("Select Count(*) From UserName Where IsDepartment = 'Y'")).toInt();
        const int files = int(EmbeddedServer::databases(program.site->serverFolder()).size());
        std::printf("site: entries=%d largest=%d users=%d groups=%d rights=%d databases=%d built_s=%.1f\n", s.entries, s.largest, users, groups,
            rightsRows, files, program.fixtureSeconds);
        std::printf("memory: after_logon_rss_mb=%lld\n", static_cast<long long>(rss));
        if (args.contains(QLatin1String("--keep"))) {
            program.site->keep();
            std::printf("kept: %s\n", qPrintable(QDir::toNativeSeparators(program.site->dir())));
        }
        std::fflush(stdout);
        Raw raw(program);

        if (runs("logon")) {
            measure("logon", s.repeats, [&] { program.logOn(); }, [&] { raw.logon(); });
            expect(program.fault().isEmpty(), QStringLiteral("logon: ") + program.fault());
            expect(raw.logon() == treeRows, QStringLiteral("logon: the floor read another tree"));
        }
        if (runs("department")) {
            measure("department", s.repeats, [&] { program.chooseLargest(); }, [&] { raw.treeQuery(); });
            expect(program.fault().isEmpty(), QStringLiteral("department: ") + program.fault());
            expect(program.shownEntries() == s.largest, QStringLiteral("department: the tree shows %1 entries").arg(program.shownEntries()));
        }
        if (runs("treequery")) {
            measure("treequery", s.repeats, [&] { program.treeQuery(); }, [&] { raw.treeQuery(); });
            expect(program.treeQuery() == treeRows && raw.treeQuery() == treeRows, QStringLiteral("treequery: not every row was read"));
        }
        if (runs("search")) {
            measure("search", s.repeats, [&] { program.emptySearch(); }, [&] { raw.search(); });
            std::vector<double> paints;
            for (int i = 0; i < s.repeats; ++i) {
                program.emptySearch();
                paints.push_back(msOf([&] { program.paintSearchGrid(); }));
            }
            std::printf("note: search grid_paint_ms=%.2f\n", median(paints));
            expect(program.emptySearch() > 0 && raw.search() == SearchModel::kBatch, QStringLiteral("search: nothing listed"));
            expect(program.prompts.errors().isEmpty(), QStringLiteral("search: ") + program.prompts.errors().join(QLatin1Char('|')));
        }
        if (runs("userload")) {
            int n = 0;
            measure("userload", s.repeats, [&] { program.loadUser((n++ * 7919) % s.users); }, [&] { raw.user(Program::userCode((n * 7919) % s.users)); });
            expect(raw.user(Program::userCode(0)) == 1, QStringLiteral("userload: the floor found no user"));
            expect(program.prompts.allTexts().isEmpty(), QStringLiteral("userload: ") + program.prompts.allTexts().join(QLatin1Char('|')));
        }
        if (runs("rightsload") || runs("rightscascade")) {
            const int master = program.site->configScalar(QStringLiteral("Select Id From UserName Where Code = 'BIGGRP'")).toInt();
            const int rows = program.loadRights();
            expect(rows == treeRows && raw.rights(master) == rows, QStringLiteral("rightsload: %1 rows").arg(rows));
            if (runs("rightsload"))
                measure("rightsload", s.repeats, [&] { program.loadRights(); }, [&] { raw.rights(master); });
            if (runs("rightscascade")) {
                measure("rightscascade", s.repeats, [&] { program.cascadeLargest(); }, [&] { raw.menuParents(); });
                const RightsModel& model = *program.rights->QRights;
                const int department = model.rowOf(LargeMenuFixture::kLargest);
                int same = 0;
                for (const RightsRow& r : model.rows())
                    same += r.id > LargeMenuFixture::kLargest && r.id <= LargeMenuFixture::kLargest + s.largest && r.rights[0] == model.row(department).rights[0];
                expect(same == s.largest, QStringLiteral("rightscascade: %1 rows follow the department").arg(same));
            }
            expect(program.prompts.allTexts().isEmpty(), QStringLiteral("rights: ") + program.prompts.allTexts().join(QLatin1Char('|')));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_scale: %s\n", e.what());
        return 1;
    }
    return 0;
}
