// zaqsite: builds embedded sites, prints the SQL Server setup script and runs
// single statements through the program's own data-access layer.
#include "mssqlscript.h"
#include "reports.h"
#include "site.h"

#include "db/dberror.h"

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
                          "  zaqsite query --site DIR --database NAME [--write] \"T-SQL\"\n")
        + SiteReports::usage();
}

QString usageText() { return QStringLiteral("usage:\n") + commandLines() + QStringLiteral("  zaqsite --help\n"); }

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
        { QStringLiteral("members"), QStringLiteral("list a group's active and inactive users with their last logon") },
        { QStringLiteral("dormant"), QStringLiteral("list the active users with no logon in N days (90 unless told) and those who never logged on") },
        { QStringLiteral("locks"), QStringLiteral("list the user codes locked now by failed logons") },
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
           "  --screen NAME       only the changes made on that screen\n"
           "  --menu ID           the menu entry whose holders are listed\n"
           "  --flag COLUMN       the privilege flag (a column of the group's row)\n"
           "  --group CODE        the group whose members are listed\n"
           "  --days N            dormant: days without a logon (90 unless told)\n"
           "  --format text|csv|xlsx\n"
           "                      the form of the report (text unless told)\n"
           "  --output FILE       write the report to FILE instead of printing it\n"
           "                      (xlsx needs it)\n"
           "  --write             query: let the statement change the database; the\n"
           "                      change leaves a row in the security trail\n"
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

int usage(const QString& error = QString())
{
    QTextStream err(stderr);
    if (!error.isEmpty())
        err << error << "\n";
    err << usageText();
    return 2;
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
    using Command = int (*)(const QStringList&, QTextStream&, QTextStream&);
    const QList<QPair<QString, Command>> commands = {
        { QStringLiteral("audit"), SiteReports::audit },
        { QStringLiteral("rights"), SiteReports::rights },
        { QStringLiteral("who-can"), SiteReports::whoCan },
        { QStringLiteral("members"), SiteReports::members },
        { QStringLiteral("dormant"), SiteReports::dormant },
        { QStringLiteral("locks"), SiteReports::locks },
        { QStringLiteral("unlock"), SiteReports::unlock },
        { QStringLiteral("query"), SiteReports::query },
    };
    try {
        if (args[0] == QLatin1String("init-demo"))
            return args.size() == 2 ? initDemo(args[1]) : usage(QStringLiteral("init-demo needs one folder."));
        if (args[0] == QLatin1String("schema")) {
            if (args.size() != 2 || args[1] != QLatin1String("mssql"))
                return usage(args.size() == 2 ? QStringLiteral("Unknown schema %1: the one schema is mssql.").arg(args[1]) : QStringLiteral("schema needs mssql."));
            const QString procedures = Site::script(QStringLiteral("mssql/procedures.sql")).join(QLatin1Char('\n'));
            QStringList tables;
            for (const char* name : { "config/tables.sql", "config/upgrade.sql", "config/reserved.sql" })
                tables.append(Site::script(QLatin1String(name)).join(QLatin1Char('\n')));
            QTextStream(stdout) << mssqlSetupScript(tables, procedures);
            return 0;
        }
        for (const auto& command : commands) {
            if (command.first == args[0]) {
                QTextStream out(stdout);
                QTextStream err(stderr);
                return command.second(args.mid(1), out, err);
            }
        }
    } catch (const DbError& e) {
        QTextStream(stderr) << e.message() << "\n";
        return 1;
    }
    return usage(QStringLiteral("Unknown command %1.").arg(args[0]));
}
