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
#include <QTextStream>

namespace {

int usage()
{
    QTextStream(stderr) << "usage:\n"
                           "  zaqsite init-demo DIR\n"
                           "  zaqsite schema mssql\n"
                           "  zaqsite query --site DIR --database NAME \"T-SQL\"\n"
                        << SiteReports::usage();
    return 2;
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
