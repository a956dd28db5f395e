// The configuration connection: Server.Dat, the probe for the site database,
// and the schema upkeep that runs after every connect.
#include "config/dmconfig.h"
#include "config/servernames.h"
#include "config/sqlcatalogue.h"
#include "db/script.h"
#include "db/dberror.h"
#include "db/embedded/server.h"
#include "fixturesite.h"
#include "scriptedprompts.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

class ConfigConnection : public ::testing::Test
{
protected:
    ScriptedPrompts prompts;
};

TEST_F(ConfigConnection, ServerFileFirstLineOnly)
{
    FixtureSite site;
    TDMConfig dm;
    const struct
    {
        const char* content; // nullptr: no file
        const char* expected;
    } cases[] = {
        { nullptr, "" },
        { "", "" },
        { "\nignored\n", "" },
        { "./data \r\nanything else\nmore\n", "./data " }, // untrimmed, the line ending is not part of it
        { "host\\instance", "host\\instance" },
    };
    for (const auto& c : cases) {
        QFile::remove(QStringLiteral("Server.Dat"));
        if (c.content)
            site.writeFile(QStringLiteral("Server.Dat"), c.content);
        EXPECT_EQ(dm.ReadServerFile().toStdString(), c.expected) << (c.content ? c.content : "(missing)");
    }

    dm.WriteServerFile(QStringLiteral("./data"));
    QFile f(QStringLiteral("Server.Dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("./data\n"));
    EXPECT_TRUE(prompts.allTexts().isEmpty());
}

TEST_F(ConfigConnection, ServerFileThatCannotBeCreatedIsReported)
{
    FixtureSite site;
    QFile::remove(QStringLiteral("Server.Dat"));
    QDir().mkdir(QStringLiteral("Server.Dat")); // a folder in its place: the file cannot be created
    TDMConfig dm;
    dm.WriteServerFile(QStringLiteral("./data"));
    EXPECT_EQ(prompts.informations(), QStringList { QStringLiteral("Create Server.Dat Error !!!!!\rPlease setup your disk in R/W mode\rOr Check Right on Disk") });
}

TEST_F(ConfigConnection, ProbePrefersTheSiteDatabaseAndStaysReadWrite)
{
    FixtureSite site;
    Site::createConfigDatabase(site.serverFolder(), QStringLiteral("ZAQ_Config_QLN"));
    site.run(QStringLiteral("ZAQ_Config_QLN"), QStringLiteral("Update softwareconfig Set LastVersion = 'QLN'"));
    TDMConfig dm;
    dm.DmCfg->profile().add({ QStringLiteral("SERVER NAME=./elsewhere"), QStringLiteral("OPEN MODE=READ") });
    dm.DmCfg->open();
    EXPECT_EQ(dm.DmCfg->profile().databaseName(), QStringLiteral("ZAQ_CONFIG_QLN"));
    EXPECT_EQ(dm.DmCfg->profile().serverName(), QStringLiteral("./data"));
    EXPECT_FALSE(dm.DmCfg->profile().readOnly());
    EXPECT_EQ(dm.QSoftware->field(QStringLiteral("LastVersion")).asString(), QStringLiteral("QLN"));
    Query write(dm.DmCfg, { QStringLiteral("update Menu set MenuHint = 'writable'") });
    EXPECT_NO_THROW(write.execSql());
    EXPECT_FALSE(dm.DBMaster->isOpen());
}

TEST_F(ConfigConnection, WithoutServerFileTheDefaultServerIsTried)
{
    FixtureSite site;
    QFile::remove(QStringLiteral("Server.Dat"));
    TDMConfig dm;
    try {
        dm.DmCfg->open();
        FAIL() << "connected without a server";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String(kDefaultServerName))) << e.message().toStdString();
    }
    EXPECT_FALSE(dm.DmCfg->isOpen());
    EXPECT_FALSE(dm.DBMaster->isOpen());
}

TEST_F(ConfigConnection, UpkeepBringsAnOlderDatabaseUpToDateOnce)
{
    FixtureSite site(Site::ConfigShape::BeforeUpkeep);
    site.config(QStringLiteral("Insert Into Menu (Id, Parent, OrderNo, Command) Values (10000000, 0, 1, Null)\n/\n"
                               "Insert Into Menu (Id, Parent, OrderNo, Command) Values (10100000, 10000000, 2, 'SO.EXE')\n/\n"
                               "Insert Into Menu (Id, Parent, OrderNo, Command) Values (10200000, 10000000, 3, '')"));
    const QString versionColumn = QStringLiteral("select count(*) from SysColumns where Name = 'Version' and Id = (select Id from SysObjects where Name = 'Menu')");
    ASSERT_EQ(site.configScalar(versionColumn).toInt(), 0);

    TDMConfig dm;
    dm.DmCfg->open();
    EXPECT_EQ(site.configScalar(versionColumn).toInt(), 1);
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from Menu where Version = 3")).toInt(), 2); // every entry with a command, '' included
    EXPECT_TRUE(site.configScalar(QStringLiteral("select Version from Menu where Id = 10000000")).isNull());
    for (const char* column : { "UserSeeImport", "UserSeeCost" })
        EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from SysColumns where Name = '%1' and Id = (select Id from SysObjects where Name = 'UserName')").arg(QLatin1String(column))).toInt(), 1) << column;

    for (const char* table : { "SecurityLog", "LogonFailure" })
        EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from SysObjects where Name = '%1'").arg(QLatin1String(table))).toInt(), 1) << table;

    site.config(QStringLiteral("Update Menu Set Version = 7 Where Id = 10100000"));
    const QString columns = QStringLiteral("select count(*) from SysColumns");
    const int before = site.configScalar(columns).toInt();
    dm.DmCfg->close();
    dm.DmCfg->open(); // the second run changes nothing
    EXPECT_EQ(site.configScalar(QStringLiteral("select Version from Menu where Id = 10100000")).toInt(), 7);
    EXPECT_EQ(site.configScalar(columns).toInt(), before);
}

// The logon looks a database up by its name and orders the list by branch:
// today's shape indexes both, and its script may run again over it.
TEST_F(ConfigConnection, TodaysShapeIndexesTheLogonLookups)
{
    const QString indexes = QStringLiteral("select count(*) from SysIndexes where Name In ('IX_DatabaseList_DatabaseName', 'ix_branch_servername')");
    FixtureSite older(Site::ConfigShape::BeforeUpkeep, QStringLiteral("OLDER"));
    EXPECT_EQ(older.configScalar(indexes).toInt(), 0);
    older.config(Site::script(QStringLiteral("config/upgrade.sql")).join(QLatin1Char('\n')));
    EXPECT_EQ(older.configScalar(indexes).toInt(), 2);
    older.config(Site::script(QStringLiteral("config/upgrade.sql")).join(QLatin1Char('\n')));
    EXPECT_EQ(older.configScalar(indexes).toInt(), 2);
    EXPECT_EQ(older.configScalar(QStringLiteral("select count(*) from SysIndexes where Id = (select Id from SysObjects where Name = 'Branch')")).toInt(), 1);
}

// Connecting again over a database nobody touched skips the upkeep; any
// change made since, here or by another connection, brings it back.
TEST_F(ConfigConnection, UpkeepRunsAgainOnlyAfterTheDatabaseChanged)
{
    FixtureSite site;
    const QString file = EmbeddedServer::databaseFile(site.serverFolder(), QStringLiteral("ZAQ_CONFIG"));
    auto ageFiles = [&] {
        // Times a few seconds old could be shared with the next change: each
        // file's time moves an hour back, and a file written since still
        // differs from what it was.
        for (const QString& path : { file, QString(file + QStringLiteral("-wal")) }) {
            QFile f(path);
            if (!f.exists())
                continue;
            const QDateTime modified = QFileInfo(path).lastModified();
            if (modified.secsTo(QDateTime::currentDateTime()) > 600)
                continue; // aged already
            ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(modified.addSecs(-3600), QFileDevice::FileModificationTime)) << path.toStdString();
        }
    };
    const QString missingVersion = QStringLiteral("Insert Into Menu (Id, Parent, OrderNo, Command) Values (%1, 0, 1, 'X.EXE')");
    const QString version = QStringLiteral("select Version from Menu where Id = %1");
    TDMConfig dm;
    ageFiles();
    dm.DmCfg->open();
    const quint64 full = dm.DmCfg->statementsRun(); // the upkeep and the software settings
    auto statementsOfAConnect = [&] {
        dm.DmCfg->close();
        ageFiles();
        const quint64 before = dm.DmCfg->statementsRun();
        dm.DmCfg->open();
        return dm.DmCfg->statementsRun() - before;
    };
    EXPECT_LT(statementsOfAConnect(), full); // nothing changed: no upkeep

    site.config(missingVersion.arg(10000000)); // another connection
    EXPECT_EQ(statementsOfAConnect(), full);
    EXPECT_EQ(site.configScalar(version.arg(10000000)).toInt(), 3);

    Query own(dm.DmCfg, { missingVersion.arg(20000000) }); // this one
    own.execSql();
    EXPECT_EQ(statementsOfAConnect(), full);
    EXPECT_EQ(site.configScalar(version.arg(20000000)).toInt(), 3);

    dm.SQLUpdate.append({ QStringLiteral("Update Menu Set Version = 4 Where Id = 10000000"), QStringLiteral("/") }); // another script
    EXPECT_GT(statementsOfAConnect(), full);
    EXPECT_EQ(site.configScalar(version.arg(10000000)).toInt(), 4);
}

TEST_F(ConfigConnection, FailingUpkeepReportsItsLineAndLeavesTheConnectionOpen)
{
    FixtureSite site;
    TDMConfig dm;
    dm.SQLUpdate = { QStringLiteral("Update Menu Set Version = 3 Where Version Is Null And Command Is Not Null"), QStringLiteral("/"),
        QStringLiteral("Update NoSuchTable Set x = 1"), QStringLiteral("/") };
    try {
        dm.DmCfg->open();
        FAIL() << "the broken script ran";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QLatin1String("Script line 3:"))) << e.message().toStdString();
    }
    EXPECT_TRUE(dm.DmCfg->isOpen());
    EXPECT_FALSE(dm.QSoftware->isOpen()); // not re-opened by this connect
}

} // namespace

namespace {
// New sites get the trail's tables from the setup script; older ones from the
// upkeep at connect. Both must make the same tables.
TEST(SchemaUpkeep, SetupScriptCreatesTheTrailTablesAsTheUpkeepDoes)
{
    QStringList setup;
    QStringList lines = Site::script(QStringLiteral("config/upgrade.sql"));
    lines.erase(std::remove_if(lines.begin(), lines.end(), [](const QString& l) { return l.trimmed().startsWith(QLatin1String("--")); }), lines.end());
    for (const ScriptStatement& st : splitScript(lines))
        setup.append(st.text);
    for (const ScriptStatement& st : splitScript(Sql::SecurityUpkeep))
        EXPECT_TRUE(setup.contains(st.text)) << st.text.toStdString();
}
} // namespace
