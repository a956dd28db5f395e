// zaqsite: builds embedded sites, prints the SQL Server setup script and runs
// single statements through the program's own data-access layer.
#include "mssqlscript.h"
#include "reports.h"
#include "site.h"

#include "db/dberror.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QTextStream>

namespace {

QString usageText()
{
    return QStringLiteral("usage:\n"
                          "  zaqsite init-demo DIR\n"
                          "  zaqsite schema mssql\n"
                          "  zaqsite query --site DIR --database NAME [--write] \"T-SQL\"\n"
                          "      (a statement that may change the database runs only with --write,\n"
                          "       and leaves a row in the security trail)\n")
        + SiteReports::usage() + QStringLiteral("  zaqsite --help\n");
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
    if (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") || args[0] == QLatin1String("help")) {
        QTextStream(stdout) << usageText();
        return 0;
    }
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
