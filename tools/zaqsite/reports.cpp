#include "reports.h"

#include "site.h"

#include "config/dmconfig.h"
#include "config/securitytrail.h"
#include "config/servernames.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/query.h"
#include "reports/privilegeflags.h"
#include "reports/reportexport.h"
#include "reports/securityreports.h"
#include "workstation/clock.h"
#include "workstation/workstation.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTextStream>

namespace SiteReports {

namespace {

const QStringList kOutputOptions { QStringLiteral("--format"), QStringLiteral("--output") };

struct Options
{
    QHash<QString, QString> named; // "--site" -> value
    QStringList switches;          // options without a value
    QStringList positional;
};

// Every "--name" takes the next argument as its value, but for the switches.
// A wrong argument is named in `error`.
bool parse(const QStringList& args, QStringList allowed, const QStringList& switches, Options& o, QString& error, bool report = true)
{
    if (report)
        allowed += kOutputOptions;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            o.positional.append(a);
        } else if (switches.contains(a)) {
            o.switches.append(a);
        } else if (!allowed.contains(a)) {
            error = QStringLiteral("Unknown option %1.").arg(a);
            return false;
        } else if (i + 1 >= args.size()) {
            error = QStringLiteral("The option %1 needs a value.").arg(a);
            return false;
        } else if (o.named.contains(a)) {
            error = QStringLiteral("The option %1 is given twice.").arg(a);
            return false;
        } else {
            o.named.insert(a, args[++i]);
        }
    }
    if (o.named.value(QStringLiteral("--site")).isEmpty()) {
        error = QStringLiteral("The option --site DIR is missing.");
        return false;
    }
    Reports::Format format = Reports::Format::Text;
    const QString formatName = o.named.value(QStringLiteral("--format"), QStringLiteral("text"));
    if (!Reports::formatFromName(formatName, &format) || format == Reports::Format::Pdf) {
        error = QStringLiteral("Unknown format %1: the formats are text, csv and xlsx.").arg(formatName);
        return false;
    }
    if (format == Reports::Format::Xlsx && o.named.value(QStringLiteral("--output")).isEmpty()) {
        error = QStringLiteral("--format xlsx needs --output FILE.");
        return false;
    }
    return true;
}

int wrongArguments(QTextStream& err, const QString& error)
{
    if (!error.isEmpty())
        err << error << "\n";
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
            throw DbError(QStringLiteral("The site folder %1 does not exist.").arg(site));
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

// Prints the report, or writes it to --output in --format.
int writeReport(const Reports::Report& report, const Options& o, QTextStream& out)
{
    Reports::Format format = Reports::Format::Text;
    Reports::formatFromName(o.named.value(QStringLiteral("--format"), QStringLiteral("text")), &format);
    const QString file = o.named.value(QStringLiteral("--output"));
    if (!file.isEmpty()) {
        Reports::writeAs(report, format, file);
        return 0;
    }
    if (format == Reports::Format::Csv)
        out << QString::fromUtf8(Reports::toCsv(report));
    else
        out << Reports::toText(report);
    return 0;
}

// Runs a report; a name the site does not know answers 1 with its message.
template<typename Make>
int answer(const Options& o, QTextStream& out, QTextStream& err, Make make)
{
    try {
        SiteConnection site(o.named.value(QStringLiteral("--site")));
        return writeReport(make(site.connection()), o, out);
    } catch (const Reports::NotFound& e) {
        err << e.message() << "\n";
        return 1;
    } catch (const Reports::ExportError& e) {
        err << e.message() << "\n";
        return 1;
    }
}

// A statement that only reads: one SELECT, without INTO and without a second statement.
bool onlyReads(const QString& statement)
{
    QString s = statement;
    s.remove(QRegularExpression(QStringLiteral("'([^']|'')*'"))); // literals say nothing about what it does
    s.remove(QRegularExpression(QStringLiteral("--[^\\n]*")));
    const QString head = s.trimmed().section(QRegularExpression(QStringLiteral("\\s+")), 0, 0).toUpper();
    return head == QLatin1String("SELECT") && !s.contains(QRegularExpression(QStringLiteral("\\binto\\b"), QRegularExpression::CaseInsensitiveOption))
        && !s.contains(QLatin1Char(';'));
}

} // namespace

QString usage()
{
    // Every report but unlock also writes csv or xlsx (xlsx needs --output).
    return QStringLiteral(
        "  zaqsite audit --site DIR [--since dd/mm/yyyy] [--user CODE] [--target CODE] [--screen NAME] [--format F] [--output FILE]\n"
        "  zaqsite rights --site DIR --user CODE [--format F] [--output FILE]\n"
        "  zaqsite who-can --site DIR (--menu ID|DESCRIPTION | --flag COLUMN) [--format F] [--output FILE]\n"
        "  zaqsite members --site DIR --group CODE [--format F] [--output FILE]\n"
        "  zaqsite dormant --site DIR [--days N] [--format F] [--output FILE]\n"
        "  zaqsite locks --site DIR [--format F] [--output FILE]\n"
        "  zaqsite unlock --site DIR CODE\n");
}

QString siteServer(const QString& site)
{
    if (!QFileInfo(site).isDir())
        throw DbError(QStringLiteral("The site folder %1 does not exist.").arg(site));
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
    QString error;
    if (!parse(args, { QStringLiteral("--site"), QStringLiteral("--since"), QStringLiteral("--user"), QStringLiteral("--target"), QStringLiteral("--screen") }, {}, o,
            error)
        || !o.positional.isEmpty())
        return wrongArguments(err, error.isEmpty() ? QStringLiteral("Unexpected argument %1.").arg(o.positional.value(0)) : error);
    Reports::TrailFilter filter;
    if (o.named.contains(QStringLiteral("--since"))) {
        filter.since = QDate::fromString(o.named.value(QStringLiteral("--since")), QStringLiteral("dd/MM/yyyy"));
        if (!filter.since.isValid()) {
            err << "The date " << o.named.value(QStringLiteral("--since")) << " is not a date dd/mm/yyyy.\n";
            return 2;
        }
    }
    filter.byWhom = o.named.value(QStringLiteral("--user"));
    filter.onWhom = o.named.value(QStringLiteral("--target"));
    filter.screen = o.named.value(QStringLiteral("--screen"));
    return answer(o, out, err, [&](Connection& c) { return Reports::Report { Reports::trail(c, filter, false) }; });
}

int rights(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    QString error;
    if (!parse(args, { QStringLiteral("--site"), QStringLiteral("--user") }, {}, o, error) || !o.positional.isEmpty() || o.named.value(QStringLiteral("--user")).isEmpty())
        return wrongArguments(err, error.isEmpty() ? QStringLiteral("rights needs --user CODE.") : error);
    return answer(o, out, err, [&](Connection& c) { return Reports::userRights(c, o.named.value(QStringLiteral("--user")), false); });
}

int whoCan(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    QString error;
    if (!parse(args, { QStringLiteral("--site"), QStringLiteral("--menu"), QStringLiteral("--flag") }, {}, o, error) || !o.positional.isEmpty()
        || o.named.contains(QStringLiteral("--menu")) == o.named.contains(QStringLiteral("--flag")))
        return wrongArguments(err, error.isEmpty() ? QStringLiteral("who-can needs one of --menu and --flag.") : error);

    if (o.named.contains(QStringLiteral("--flag"))) {
        const QString column = o.named.value(QStringLiteral("--flag"));
        if (!PrivilegeFlags::find(column)) {
            err << column << " is not a privilege flag. The flags are:\n";
            for (const PrivilegeFlags::Flag& each : PrivilegeFlags::all())
                err << "  " << each.column << '\t' << QString::fromUtf8(each.caption) << "\n";
            return 2;
        }
        return answer(o, out, err, [&](Connection& c) { return Reports::Report { Reports::whoCanFlag(c, column, false) }; });
    }
    return answer(o, out, err, [&](Connection& c) { return Reports::whoCanMenu(c, Reports::findMenuEntry(c, o.named.value(QStringLiteral("--menu"))), false); });
}

int members(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    QString error;
    if (!parse(args, { QStringLiteral("--site"), QStringLiteral("--group") }, {}, o, error) || !o.positional.isEmpty() || o.named.value(QStringLiteral("--group")).isEmpty())
        return wrongArguments(err, error.isEmpty() ? QStringLiteral("members needs --group CODE.") : error);
    return answer(o, out, err, [&](Connection& c) { return Reports::Report { Reports::members(c, o.named.value(QStringLiteral("--group")), false) }; });
}

int dormant(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    QString error;
    if (!parse(args, { QStringLiteral("--site"), QStringLiteral("--days") }, {}, o, error) || !o.positional.isEmpty())
        return wrongArguments(err, error.isEmpty() ? QStringLiteral("Unexpected argument %1.").arg(o.positional.value(0)) : error);
    bool isNumber = true;
    const int days = o.named.contains(QStringLiteral("--days")) ? o.named.value(QStringLiteral("--days")).toInt(&isNumber) : 90;
    if (!isNumber || days < 0) {
        err << "The number of days " << o.named.value(QStringLiteral("--days")) << " is not a whole number of 0 or more.\n";
        return 2;
    }
    return answer(o, out, err, [&](Connection& c) { return Reports::Report { Reports::dormant(c, days, currentClock().now(), false) }; });
}

int locks(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    QString error;
    if (!parse(args, { QStringLiteral("--site") }, {}, o, error) || !o.positional.isEmpty())
        return wrongArguments(err, error.isEmpty() ? QStringLiteral("Unexpected argument %1.").arg(o.positional.value(0)) : error);
    return answer(o, out, err, [&](Connection& c) { return Reports::Report { Reports::locks(c, currentClock().now(), false) }; });
}

int unlock(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    QString error;
    if (!parse(args, { QStringLiteral("--site") }, {}, o, error, false) || o.positional.size() != 1 || o.positional.first().trimmed().isEmpty())
        return wrongArguments(err, error.isEmpty() ? QStringLiteral("unlock needs one user code.") : error);
    const QString code = o.positional.first().trimmed().toUpper();
    SiteConnection site(o.named.value(QStringLiteral("--site")));
    const Reports::Unlocked done = Reports::unlock(site.connection(), code, 0, QString(), QStringLiteral("zaqsite unlock"),
        QStringLiteral("%1 on %2 with the site tool").arg(WindowsUserName(), ComputerName()));
    if (!done.done) {
        err << code << " has no failed logons counted: nothing to unlock.\n";
        return 1;
    }
    out << (done.wasLocked ? "Lock on " : "Failed-logon count of ") << code << " lifted.\n";
    return 0;
}

int query(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options o;
    QString error;
    if (!parse(args, { QStringLiteral("--site"), QStringLiteral("--database") }, { QStringLiteral("--write") }, o, error, false) || o.positional.size() != 1
        || o.named.value(QStringLiteral("--database")).isEmpty())
        return wrongArguments(err, error.isEmpty() ? QStringLiteral("query needs --database NAME and one statement.") : error);
    const QString site = o.named.value(QStringLiteral("--site"));
    const QString database = o.named.value(QStringLiteral("--database"));
    const QString statement = o.positional.first();
    const bool reads = onlyReads(statement);
    if (!reads && !o.switches.contains(QStringLiteral("--write"))) {
        err << "The statement may change the database; give --write to run it.\n";
        return 2;
    }
    // A write goes to the trail of the site's configuration database, in the
    // same transaction when that is the database written.
    SiteConnection config(site);
    const bool onConfig = config.connection().profile().databaseName().compare(database, Qt::CaseInsensitive) == 0;
    Connection own(QStringLiteral("query"));
    own.profile().add({ QStringLiteral("SERVER NAME=") + siteServer(QStringLiteral(".")), QStringLiteral("DATABASE NAME=") + database,
        QStringLiteral("USER NAME=") + QLatin1String(Site::kLogin), QStringLiteral("PASSWORD=") + QLatin1String(Site::kPassword),
        QStringLiteral("OPEN MODE=READ/WRITE") });
    Connection& c = onConfig ? config.connection() : own;
    Query q(&c, statement.split(QLatin1Char('\n')));
    if (reads) {
        q.open();
        out << q.columnNames().join(QLatin1Char('\t')) << "\n";
        for (; !q.eof(); q.next()) {
            QStringList row;
            for (int i = 0; i < q.columnCount(); ++i)
                row.append(q.field(i).asString().replace(QRegularExpression(QStringLiteral("[\\t\\r\\n]")), QStringLiteral(" ")));
            out << row.join(QLatin1Char('\t')) << "\n";
        }
        return 0;
    }
    const QString detail = QStringLiteral("on %1 by %2 on %3: %4").arg(database, WindowsUserName(), ComputerName(), excerpt(statement.simplified(), 1800));
    if (onConfig) {
        Transaction t(c);
        const int n = q.execSql();
        Trail::write(c, Trail::Actor {}, QStringLiteral("zaqsite query"), Trail::Action::Query, database, detail + QStringLiteral(" (%1 row(s))").arg(n));
        t.commit();
        out << n << " row(s) affected\n";
        return 0;
    }
    // The write is kept only once its trail row is.
    Transaction written(c);
    const int n = q.execSql();
    {
        Transaction t(config.connection());
        Trail::write(config.connection(), Trail::Actor {}, QStringLiteral("zaqsite query"), Trail::Action::Query, database, detail + QStringLiteral(" (%1 row(s))").arg(n));
        t.commit();
    }
    written.commit();
    out << n << " row(s) affected\n";
    return 0;
}

} // namespace SiteReports
