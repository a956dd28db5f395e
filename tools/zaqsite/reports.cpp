#include "reports.h"

#include "privilegeflags.h"

#include "config/dmconfig.h"
#include "config/logonlock.h"
#include "config/securitytrail.h"
#include "config/servernames.h"
#include "config/sqlcatalogue.h"
#include "db/dberror.h"
#include "db/query.h"
#include "workstation/clock.h"
#include "workstation/workstation.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTextStream>
#include <functional>

namespace SiteReports {

namespace {

struct Options
{
    QHash<QString, QString> named; // "--site" -> value
    QStringList positional;
};

// Every "--name" takes the next argument as its value.
bool parse(const QStringList& args, const QStringList& allowed, Options& o)
{
    for (int i = 0; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1String("--"))) {
            if (!allowed.contains(args[i]) || i + 1 >= args.size() || o.named.contains(args[i]))
                return false;
            o.named.insert(args[i], args[i + 1]);
            ++i;
        } else {
            o.positional.append(args[i]);
        }
    }
    return !o.named.value(QStringLiteral("--site")).isEmpty();
}

int wrongArguments(QTextStream& err)
{
    err << "usage:\n" << usage();
    return 2;
}

// The site's configuration connection, opened as the program opens it: the
// working folder is the site, whose Server.Dat names the server.
class SiteConnection
{
public:
    explicit SiteConnection(const QString& site)
        : m_previous(QDir::currentPath())
    {
        siteServer(site);
        if (!QDir::setCurrent(site))
            throw DbError(QStringLiteral("No site folder %1.").arg(site));
        try {
            m_dm.DmCfg->open();
        } catch (...) {
            QDir::setCurrent(m_previous);
            throw;
        }
    }
    ~SiteConnection()
    {
        m_dm.DmCfg->close();
        QDir::setCurrent(m_previous);
    }
    SiteConnection(const SiteConnection&) = delete;
    SiteConnection& operator=(const SiteConnection&) = delete;
    Connection& connection() { return *m_dm.DmCfg; }

private:
    QString m_previous;
    TDMConfig m_dm;
};

// A name can hold any character: control characters are written as escapes, so that none can
// break the columns, move the cursor or hide in the terminal.
QString cell(const QString& text)
{
    QString s;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\t')
            s += QLatin1String("\\t");
        else if (u == u'\n')
            s += QLatin1String("\\n");
        else if (u == u'\r')
            s += QLatin1String("\\r");
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            s += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            s += c;
    }
    return s;
}

QString flag(Query& q, const char* column) { return q.field(QLatin1String(column)).asString() == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N"); }

} // namespace

QString usage()
{
    return QStringLiteral(
        "  zaqsite audit --site DIR [--since dd/mm/yyyy] [--user CODE] [--target CODE]\n"
        "  zaqsite rights --site DIR --user CODE\n"
        "  zaqsite who-can --site DIR (--menu ID | --flag COLUMN)\n"
        "  zaqsite unlock --site DIR CODE\n");
}

QString siteServer(const QString& site)
{
    QFile f(QDir(site).filePath(QLatin1String(kServerFile)));
    QString server;
    if (f.open(QIODevice::ReadOnly | QIODevice::Text))
        server = QString::fromUtf8(f.readLine()).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    if (server.trimmed().isEmpty())
        throw DbError(QStringLiteral("%1/%2 names no server.").arg(site, QLatin1String(kServerFile)));
    return server;
}

int audit(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    if (!parse(args, { QStringLiteral("--site"), QStringLiteral("--since"), QStringLiteral("--user"), QStringLiteral("--target") }, o) || !o.positional.isEmpty())
        return wrongArguments(err);
    QDate since(1900, 1, 1);
    if (o.named.contains(QStringLiteral("--since"))) {
        since = QDate::fromString(o.named.value(QStringLiteral("--since")), QStringLiteral("dd/MM/yyyy"));
        if (!since.isValid()) {
            err << "The date " << o.named.value(QStringLiteral("--since")) << " is not a date dd/mm/yyyy.\n";
            return 2;
        }
    }
    SiteConnection site(o.named.value(QStringLiteral("--site")));
    Query q(&site.connection(), Sql::QSecurityLog);
    q.setParam(QStringLiteral("Since"), since);
    q.setParam(QStringLiteral("UserCode"), o.named.value(QStringLiteral("--user"), QStringLiteral("")));
    q.setParam(QStringLiteral("TargetCode"), o.named.value(QStringLiteral("--target"), QStringLiteral("")));
    q.open();
    out << q.columnNames().join(QLatin1Char('\t')) << "\n";
    for (; !q.eof(); q.next()) {
        QStringList row;
        for (int i = 0; i < q.columnCount(); ++i)
            row.append(cell(q.field(i).asString()));
        out << row.join(QLatin1Char('\t')) << "\n";
    }
    return 0;
}

int rights(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    if (!parse(args, { QStringLiteral("--site"), QStringLiteral("--user") }, o) || !o.positional.isEmpty() || o.named.value(QStringLiteral("--user")).isEmpty())
        return wrongArguments(err);
    SiteConnection site(o.named.value(QStringLiteral("--site")));
    const QString code = o.named.value(QStringLiteral("--user"));

    Query user(&site.connection(), Sql::QSiteUser);
    user.setParam(QStringLiteral("Code"), code);
    user.open();
    if (user.eof()) {
        err << "No user " << code << ".\n";
        return 1;
    }
    const int userId = user.field(QStringLiteral("Id")).asInteger();
    const int groupId = user.field(QStringLiteral("GroupId")).asInteger();
    const bool thai = user.field(QStringLiteral("LanguageNo")).asInteger() == 1;
    out << "User\t" << cell(user.field(QStringLiteral("Code")).asString().trimmed()) << '\t' << cell(user.field(QStringLiteral("FullName")).asString().trimmed());
    if (user.field(QStringLiteral("Active")).asString() != QLatin1String("Y"))
        out << "\t(inactive: cannot log on)";
    out << "\n";

    Query group(&site.connection(), Sql::QSiteGroup);
    group.setParam(QStringLiteral("GroupId"), groupId);
    group.open();
    if (group.eof())
        out << "Group\t(none: no menu entries, no privileges)\n";
    else
        out << "Group\t" << cell(group.field(QStringLiteral("Code")).asString().trimmed()) << '\t' << cell(group.field(QStringLiteral("FullName")).asString().trimmed()) << "\n";

    // The tree the main window builds for the user, in the user's language, from
    // its own query; the access right is the group's stored one.
    QHash<int, QString> access;
    Query rightsRows(&site.connection(), Sql::QGroupRights);
    rightsRows.setParam(QStringLiteral("GroupId"), groupId);
    for (rightsRows.open(); !rightsRows.eof(); rightsRows.next())
        access.insert(rightsRows.field(QStringLiteral("Menu")).asInteger(), flag(rightsRows, "AccessRight"));

    Query tree(&site.connection(), thai ? Sql::QTreeMenuThai : Sql::QTreeMenuEnglish);
    tree.setParam(QStringLiteral("LOGONID"), userId);
    tree.open();
    struct Entry
    {
        int id;
        QString caption;
        QString rights;
    };
    QHash<qint64, QList<Entry>> children;
    for (; !tree.eof(); tree.next()) {
        const int id = tree.field(QStringLiteral("ID")).asInteger();
        const QString rights = access.value(id, QStringLiteral("N")) + QLatin1Char('\t') + flag(tree, "ADDRIGHT") + QLatin1Char('\t') + flag(tree, "MODIFYRIGHT")
            + QLatin1Char('\t') + flag(tree, "DELETERIGHT");
        children[tree.field(QStringLiteral("PARENT")).asLargeInt()].append({ id, tree.field(QStringLiteral("DESCRIPTION")).asString().trimmed(), rights });
    }
    out << "\nMenu\tId\tAccess\tAdd\tModify\tDelete\n";
    // Departments are the entries under 0; an entry whose parent the user does not see is not shown, as in the tree.
    std::function<void(qint64, int)> print = [&](qint64 parent, int depth) {
        for (const Entry& e : children.value(parent)) {
            out << QString(2 * depth, QLatin1Char(' ')) << cell(e.caption) << '\t' << e.id << '\t' << e.rights << "\n";
            if (e.id != parent)
                print(e.id, depth + 1);
        }
    };
    print(0, 0);

    out << "\nPrivilege\tColumn\n";
    if (!group.eof()) {
        for (const PrivilegeFlags::Flag& f : PrivilegeFlags::all()) {
            if (group.field(QLatin1String(f.column)).asString() == QLatin1String("Y"))
                out << QString::fromUtf8(f.caption) << '\t' << f.column << "\n";
        }
    }
    return 0;
}

int whoCan(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    if (!parse(args, { QStringLiteral("--site"), QStringLiteral("--menu"), QStringLiteral("--flag") }, o) || !o.positional.isEmpty()
        || o.named.contains(QStringLiteral("--menu")) == o.named.contains(QStringLiteral("--flag")))
        return wrongArguments(err);

    if (o.named.contains(QStringLiteral("--flag"))) {
        const PrivilegeFlags::Flag* f = PrivilegeFlags::find(o.named.value(QStringLiteral("--flag")));
        if (!f) {
            err << o.named.value(QStringLiteral("--flag")) << " is not a privilege flag. The flags are:\n";
            for (const PrivilegeFlags::Flag& each : PrivilegeFlags::all())
                err << "  " << each.column << '\t' << QString::fromUtf8(each.caption) << "\n";
            return 2;
        }
        SiteConnection site(o.named.value(QStringLiteral("--site")));
        Query q(&site.connection(), Sql::QWhoCanFlag);
        q.open();
        out << "Code\tFullName\tGroup\n";
        for (; !q.eof(); q.next()) {
            if (q.field(QLatin1String(f->column)).asString() == QLatin1String("Y"))
                out << cell(q.field(QStringLiteral("UserCode")).asString().trimmed()) << '\t' << cell(q.field(QStringLiteral("UserFullName")).asString().trimmed()) << '\t'
                    << cell(q.field(QStringLiteral("Code")).asString().trimmed()) << "\n";
        }
        return 0;
    }

    bool isNumber = false;
    const int menuId = o.named.value(QStringLiteral("--menu")).toInt(&isNumber);
    if (!isNumber) {
        err << "The menu entry " << o.named.value(QStringLiteral("--menu")) << " is not a number.\n";
        return 2;
    }
    SiteConnection site(o.named.value(QStringLiteral("--site")));
    Query entry(&site.connection(), Sql::QMenuEntry);
    entry.setParam(QStringLiteral("MenuId"), menuId);
    entry.open();
    if (entry.eof()) {
        err << "No menu entry " << menuId << ".\n";
        return 1;
    }
    Query q(&site.connection(), Sql::QWhoCanMenu);
    q.setParam(QStringLiteral("MenuId"), menuId);
    q.open();
    out << "Code\tFullName\tGroup\tAccess\tAdd\tModify\tDelete\n";
    for (; !q.eof(); q.next()) {
        out << cell(q.field(QStringLiteral("Code")).asString().trimmed()) << '\t' << cell(q.field(QStringLiteral("FullName")).asString().trimmed()) << '\t'
            << cell(q.field(QStringLiteral("GroupCode")).asString().trimmed()) << '\t' << flag(q, "AccessRight") << '\t' << flag(q, "AddRight") << '\t'
            << flag(q, "ModifyRight") << '\t' << flag(q, "DeleteRight") << "\n";
    }
    return 0;
}

int unlock(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    if (!parse(args, { QStringLiteral("--site") }, o) || o.positional.size() != 1 || o.positional.first().trimmed().isEmpty())
        return wrongArguments(err);
    const QString code = o.positional.first().trimmed().toUpper();
    SiteConnection site(o.named.value(QStringLiteral("--site")));
    const LogonLock::State state = LogonLock::read(site.connection(), code);
    if (state.failures == 0) {
        out << code << " has no failed logons counted.\n";
        return 0;
    }
    // The lifting and its trail row are one change.
    Transaction t(site.connection());
    LogonLock::clear(site.connection(), code);
    const QString detail = QStringLiteral("failed logons: %1, the last at %2; lifted by %3 on %4 with the site tool")
                               .arg(state.failures)
                               .arg(state.lastFailure.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")), WindowsUserName(), ComputerName());
    Trail::write(site.connection(), Trail::Actor {}, QStringLiteral("zaqsite unlock"), Trail::Action::Unlock, code, detail);
    t.commit();
    out << (LogonLock::isLocked(state, state.serverNow) ? "Lock on " : "Failed-logon count of ") << code << " lifted.\n";
    return 0;
}

} // namespace SiteReports
