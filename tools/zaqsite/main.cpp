// zaqsite: builds embedded sites, prints the SQL Server setup script and runs
// single statements through the program's own data-access layer.
#include "mssqlscript.h"
#include "reports.h"
#include "site.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/query.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QHash>
#include <QTextStream>

namespace {

// The line of every command, as wrong arguments and --help show them; the
// reports bring their own.
QString commandLines()
{
    return QStringLiteral("  zaqsite init-demo DIR\n"
                          "  zaqsite schema mssql\n"
                          "  zaqsite query --site DIR --database NAME \"T-SQL\"\n")
        + SiteReports::usage();
}

int usage()
{
    QTextStream(stderr) << "usage:\n" << commandLines() << "  zaqsite --help\n";
    return 2;
}

// What a command does, under its line in --help (and so in the manual page,
// which help2man makes from it).
QString commandDescription(const QString& command)
{
    static const QHash<QString, QString> descriptions {
        { QStringLiteral("init-demo"), QStringLiteral("make an embedded demo site in DIR (a folder not holding a site yet)") },
        { QStringLiteral("schema"), QStringLiteral("print the T-SQL that sets up the configuration database on a new SQL Server") },
        { QStringLiteral("query"), QStringLiteral("run one statement on a database of the site and print tab-separated rows") },
        { QStringLiteral("audit"), QStringLiteral("print the trail of security changes, newest first") },
        { QStringLiteral("rights"), QStringLiteral("print the menu tree the user sees with its four rights, the user's group and the group's privilege flags") },
        { QStringLiteral("who-can"), QStringLiteral("list the active users whose group has the menu entry or the privilege flag") },
        { QStringLiteral("unlock"), QStringLiteral("lift the lock that ten wrong passwords put on a user code") },
    };
    return descriptions.value(command);
}

int help()
{
    QTextStream out(stdout);
    out << "Usage: zaqsite COMMAND [ARGUMENT]...\n"
           "The site tool of the ZAQ main menu: makes embedded demo sites, prints the SQL\n"
           "Server setup script, runs single statements and prints the security reports\n"
           "of a site. It reads a site as the program does, through its Server.Dat, so it\n"
           "works on embedded and SQL Server sites alike.\n"
           "\n"
           "Commands:\n";
    for (const QString& line : commandLines().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        out << line << "\n";
        // Under the line, in the column of the options' texts, wrapped to 80 columns.
        QString indented;
        for (const QString& word : commandDescription(line.simplified().section(QLatin1Char(' '), 1, 1)).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!indented.isEmpty() && indented.size() + 1 + word.size() > 78) {
                out << indented << "\n";
                indented.clear();
            }
            indented += (indented.isEmpty() ? QString(22, QLatin1Char(' ')) : QStringLiteral(" ")) + word;
        }
        if (!indented.isEmpty())
            out << indented << "\n";
    }
    out << "\n"
           "Options:\n"
           "  --site DIR          the site folder; the first line of its Server.Dat names\n"
           "                      the server (a folder for an embedded one)\n"
           "  --database NAME     the database the statement runs on\n"
           "  --since dd/mm/yyyy  only the changes of that day and later\n"
           "  --user CODE         audit: the changes made by CODE; rights: the user shown\n"
           "  --target CODE       only the changes to the user or group CODE\n"
           "  --menu ID           the menu entry whose holders are listed\n"
           "  --flag COLUMN       the privilege flag (a column of the group's row)\n"
           "  --help              print this help and exit\n"
           "  --version           print the version and exit\n"
           "\n"
           "Exit status: 0 done, 1 an error or a user, group or entry not found,\n"
           "2 wrong arguments.\n";
    return 0;
}

int version()
{
    QTextStream(stdout) << "zaqsite (ZAQ main menu) " << ZAQ_VERSION << "\n";
    return 0;
}

QString cell(const Field& f)
{
    QString s = f.asString();
    s.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    return s;
}

int initDemo(const QString& dir)
{
    QTextStream out(stdout);
    const QList<Site::DemoUser> users = Site::initDemo(dir, QDate::currentDate().year());
    out << "Demo site created in " << QDir(dir).absolutePath() << "\n\nUser codes and passwords:\n";
    for (const Site::DemoUser& u : users)
        out << "  " << u.code.leftJustified(10) << u.password.leftJustified(8) << u.note << "\n";
    return 0;
}

int query(const QStringList& args)
{
    QString site;
    QString database;
    QString statement;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--site") && i + 1 < args.size())
            site = args[++i];
        else if (args[i] == QLatin1String("--database") && i + 1 < args.size())
            database = args[++i];
        else if (statement.isEmpty())
            statement = args[i];
        else
            return usage();
    }
    if (site.isEmpty() || database.isEmpty() || statement.isEmpty())
        return usage();
    const QString server = SiteReports::siteServer(site);
    if (!QDir::setCurrent(site))
        throw DbError(QStringLiteral("No site folder %1.").arg(site));

    Connection c(QStringLiteral("query"));
    c.profile().add({ QStringLiteral("SERVER NAME=") + server, QStringLiteral("DATABASE NAME=") + database,
        QStringLiteral("USER NAME=") + QLatin1String(Site::kLogin), QStringLiteral("PASSWORD=") + QLatin1String(Site::kPassword),
        QStringLiteral("OPEN MODE=READ/WRITE") });
    Query q(&c, statement.split(QLatin1Char('\n')));
    QTextStream out(stdout);
    const QString head = statement.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    if (head != QLatin1String("SELECT")) {
        const int n = q.execSql();
        out << n << " row(s) affected\n";
        return 0;
    }
    q.open();
    out << q.columnNames().join(QLatin1Char('\t')) << "\n";
    for (; !q.eof(); q.next()) {
        QStringList row;
        for (int i = 0; i < q.columnCount(); ++i)
            row.append(cell(q.field(i)));
        out << row.join(QLatin1Char('\t')) << "\n";
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")))
        return help();
    if (args.size() == 1 && args[0] == QLatin1String("--version"))
        return version();
    try {
        if (args[0] == QLatin1String("init-demo") && args.size() == 2)
            return initDemo(args[1]);
        if (args[0] == QLatin1String("schema") && args.size() == 2 && args[1] == QLatin1String("mssql")) {
            const QString procedures = Site::script(QStringLiteral("mssql/procedures.sql")).join(QLatin1Char('\n'));
            QStringList tables;
            for (const char* name : { "config/tables.sql", "config/upgrade.sql", "config/reserved.sql" })
                tables.append(Site::script(QLatin1String(name)).join(QLatin1Char('\n')));
            QTextStream(stdout) << mssqlSetupScript(tables, procedures);
            return 0;
        }
        if (args[0] == QLatin1String("query"))
            return query(args.mid(1));
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (args[0] == QLatin1String("audit"))
            return SiteReports::audit(args.mid(1), out, err);
        if (args[0] == QLatin1String("rights"))
            return SiteReports::rights(args.mid(1), out, err);
        if (args[0] == QLatin1String("who-can"))
            return SiteReports::whoCan(args.mid(1), out, err);
        if (args[0] == QLatin1String("unlock"))
            return SiteReports::unlock(args.mid(1), out, err);
    } catch (const DbError& e) {
        QTextStream(stderr) << e.message() << "\n";
        return 1;
    }
    return usage();
}
