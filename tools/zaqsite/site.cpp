#include "site.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/embedded/server.h"
#include "db/query.h"
#include "db/script.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

// The scripts live in a static library; make sure its resources are linked in.
static void initSqlResources() { Q_INIT_RESOURCE(sql); }

namespace Site {

QStringList script(const QString& name, const QMap<QString, QString>& substitutions)
{
    initSqlResources();
    QFile f(QStringLiteral(":/sql/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("The script %1 is missing from the program.").arg(name));
    QString text = QString::fromUtf8(f.readAll());
    for (auto it = substitutions.constBegin(); it != substitutions.constEnd(); ++it)
        text.replace(QLatin1Char('{') + it.key() + QLatin1Char('}'), it.value());
    return text.split(QLatin1Char('\n'));
}

void createEmbeddedServer(const QString& folder)
{
    EmbeddedServer::create(folder, QLatin1String(kLogin), QLatin1String(kPassword));
}

void runOn(const QString& serverFolder, const QString& database, const QStringList& lines)
{
    Connection c(QStringLiteral("site"));
    c.profile().add({
        QStringLiteral("SERVER NAME=") + QDir(serverFolder).absolutePath(),
        QStringLiteral("DATABASE NAME=") + database,
        QStringLiteral("USER NAME=") + QLatin1String(kLogin),
        QStringLiteral("PASSWORD=") + QLatin1String(kPassword),
        QStringLiteral("OPEN MODE=READ/WRITE"),
    });
    c.open();
    runScript(c, lines);
}

void createConfigDatabase(const QString& serverFolder, const QString& name, ConfigShape shape)
{
    EmbeddedServer::createDatabase(serverFolder, name);
    QStringList lines = script(QStringLiteral("config/tables.sql"));
    if (shape == ConfigShape::Current)
        lines += script(QStringLiteral("config/upgrade.sql"));
    lines += script(QStringLiteral("config/reserved.sql"));
    runOn(serverFolder, name, lines);
}

void createCompanyDatabase(const QString& serverFolder, const QString& name)
{
    EmbeddedServer::createDatabase(serverFolder, name);
    runOn(serverFolder, name, script(QStringLiteral("company/tables.sql")));
}

namespace {
void writeTextFile(const QString& path, const QString& line)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw DbError(QStringLiteral("Cannot write %1.").arg(path));
    QTextStream(&f) << line << '\n';
}

// The stand-in module program: an installed or unpacked package keeps it in
// ../libexec/zaq beside the site tool's folder (a program, so not under
// share/); the build tree and a Windows install keep it in the tool's own
// folder. Empty when neither holds it (the tests call initDemo directly).
QString standInModuleProgram()
{
    if (!QCoreApplication::instance())
        return QString();
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& folder : { here.filePath(QStringLiteral("../libexec/zaq")), here.path() }) {
        for (const char* name : { "zaqmodule", "zaqmodule.exe" }) {
            const QFileInfo program(QDir(folder).filePath(QLatin1String(name)));
            if (program.isFile())
                return program.absoluteFilePath();
        }
    }
    return QString();
}

// Every program the site's menu starts, and the upgrade program the main menu
// starts by name, becomes a copy of the stand-in in the site folder, so each
// entry opens a window that shows the command line it was given.
void installStandInModule(const QString& dir, const QString& serverFolder)
{
    const QString module = standInModuleProgram();
    if (module.isEmpty())
        return;

    QSet<QString> names { QStringLiteral("ZAQUPG.EXE") };
    Connection c(QStringLiteral("site-programs"));
    c.profile().add({
        QStringLiteral("SERVER NAME=") + QDir(serverFolder).absolutePath(),
        QStringLiteral("DATABASE NAME=ZAQ_CONFIG"),
        QStringLiteral("USER NAME=") + QLatin1String(kLogin),
        QStringLiteral("PASSWORD=") + QLatin1String(kPassword),
        QStringLiteral("OPEN MODE=READ"),
    });
    c.open();
    Query menu(&c, { QStringLiteral("Select Distinct Command From Menu") });
    for (menu.open(); !menu.eof(); menu.next()) {
        const QString command = menu.field(QStringLiteral("Command")).asString();
        const QString name = command.trimmed();
        // Built-in screens and folders start nothing; a name with a folder in it is not ours to place.
        if (name.isEmpty() || command.startsWith(QLatin1String("SELF ")) || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
            continue;
        names.insert(name);
    }

    const QFileDevice::Permissions executable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
        | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    for (const QString& name : std::as_const(names)) {
        const QString target = QDir(dir).filePath(name);
        QFile::remove(target);
        if (!QFile::copy(module, target) || !QFile::setPermissions(target, executable))
            throw DbError(QStringLiteral("Cannot install the program %1.").arg(QDir::toNativeSeparators(target)));
    }
}
} // namespace

QList<DemoUser> initDemo(const QString& dir, int year)
{
    const QString server = QDir(dir).filePath(QStringLiteral("data"));
    if (QFileInfo::exists(server))
        throw DbError(QStringLiteral("%1 already holds a site; remove it first.").arg(QDir(dir).absolutePath()));
    createEmbeddedServer(server);
    const QMap<QString, QString> years { { QStringLiteral("YEAR"), QString::number(year) }, { QStringLiteral("PREV"), QString::number(year - 1) } };
    createConfigDatabase(server, QStringLiteral("ZAQ_CONFIG"));
    runOn(server, QStringLiteral("ZAQ_CONFIG"), script(QStringLiteral("demo/config.sql"), years) + script(QStringLiteral("demo/menu.sql"), years));

    struct CompanyDb
    {
        QString name;
        QString company;
        int year;
        int post;
        int close;
    };
    const QList<CompanyDb> dbs = {
        { QStringLiteral("QLN%1").arg(year), QStringLiteral("QLN Trading"), year, 118, 10 },
        { QStringLiteral("QLNMFG%1").arg(year), QStringLiteral("QLN Trading"), year, 0, 0 },
        { QStringLiteral("QLN%1").arg(year - 1), QStringLiteral("QLN Trading"), year - 1, 1460, 12 },
        { QStringLiteral("SIAM%1").arg(year), QStringLiteral("Siam Foods"), year, 3, 0 },
        { QStringLiteral("SIAM%1").arg(year - 1), QStringLiteral("Siam Foods"), year - 1, 802, 12 },
        { QStringLiteral("REMOTE%1").arg(year), QStringLiteral("Upcountry Branch"), year, 0, 0 },
    };
    for (const CompanyDb& db : dbs) {
        createCompanyDatabase(server, db.name);
        runOn(server, db.name,
            script(QStringLiteral("demo/company.sql"),
                { { QStringLiteral("YEAR"), QString::number(db.year) }, { QStringLiteral("POST"), QString::number(db.post) },
                    { QStringLiteral("CLOSE"), QString::number(db.close) }, { QStringLiteral("COMPANY"), db.company },
                    { QStringLiteral("UPDATE"), QStringLiteral("%1-11-30").arg(year) } }));
    }
    writeTextFile(QDir(dir).filePath(QStringLiteral("Server.Dat")), QStringLiteral("./data"));
    writeTextFile(QDir(dir).filePath(QStringLiteral("ZaqVersion.Dat")), QStringLiteral("1.0.0"));
    installStandInModule(dir, server);

    return {
        { QStringLiteral("SOMCHAI"), QStringLiteral("1234"), QStringLiteral("Thai, administrators; two companies of the work date's year (a date in last year offers last year's)") },
        { QStringLiteral("JOHN"), QStringLiteral("john"), QStringLiteral("English, sales; one company of this year") },
        { QStringLiteral("MALEE"), QStringLiteral("malee"), QStringLiteral("Thai, sales") },
        { QStringLiteral("CASHIER"), QStringLiteral("pos"), QStringLiteral("Thai, point-of-sale user of Siam Foods") },
        { QStringLiteral("OLDUSER"), QStringLiteral("old"), QStringLiteral("inactive: cannot log on") },
        { QStringLiteral("ZAQ"), QStringLiteral("zaq"), QStringLiteral("the built-in administrator") },
    };
}

} // namespace Site
