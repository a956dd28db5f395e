// The site tool's own manners, run as a person runs it: help, the words it
// does not know, a missing site, and the guard on statements that write.
#include "fixturesite.h"
#include "logonfixture.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ToolRun
{
    int code = -1;
    QString out;
    QString err;
};

ToolRun zaqsite(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(ZAQSITE_PATH), args);
    ToolRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

TEST(SiteTool, HelpGoesToStandardOutputAndNamesEveryCommand)
{
    const ToolRun r = zaqsite({ QStringLiteral("--help") });
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.isEmpty());
    for (const char* word : { "init-demo", "schema mssql", "query", "--write", "audit", "--screen", "rights", "who-can", "members --site DIR --group CODE",
             "dormant --site DIR [--days N]", "locks", "unlock", "--format text|csv|xlsx", "--output FILE", "--help" })
        EXPECT_TRUE(r.out.contains(QLatin1String(word))) << word;
}

TEST(SiteTool, WrongWordsAndAMissingSiteAreNamed)
{
    FixtureSite site;
    const QString missing = site.file(QStringLiteral("no-such-site"));
    const struct
    {
        QStringList args;
        int code;
        QString message;
    } cases[] = {
        { {}, 2, QStringLiteral("usage:") },
        { { QStringLiteral("whoo-can") }, 2, QStringLiteral("Unknown command whoo-can.") },
        { { QStringLiteral("members"), QStringLiteral("--site"), site.dir(), QStringLiteral("--grup"), QStringLiteral("SALES") }, 2, QStringLiteral("Unknown option --grup.") },
        { { QStringLiteral("dormant"), QStringLiteral("--site"), site.dir(), QStringLiteral("--days") }, 2, QStringLiteral("The option --days needs a value.") },
        { { QStringLiteral("members"), QStringLiteral("--site"), missing, QStringLiteral("--group"), QStringLiteral("SALES") }, 1,
            QStringLiteral("The site folder %1 does not exist.").arg(missing) },
        { { QStringLiteral("query"), QStringLiteral("--site"), missing, QStringLiteral("--database"), QStringLiteral("ZAQ_CONFIG"), QStringLiteral("Select 1") }, 1,
            QStringLiteral("The site folder %1 does not exist.").arg(missing) },
        { { QStringLiteral("schema"), QStringLiteral("oracle") }, 2, QStringLiteral("Unknown schema oracle") },
    };
    for (const auto& c : cases) {
        const ToolRun r = zaqsite(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.startsWith(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
}

TEST(SiteTool, QueryWritesOnlyWithWriteAndLeavesATrailRowNamingTheStatement)
{
    FixtureSite site;
    LogonFixture::build(site);
    const QStringList base { QStringLiteral("query"), QStringLiteral("--site"), site.dir(), QStringLiteral("--database"), QStringLiteral("ZAQ_CONFIG") };
    const QString update = QStringLiteral("Update UserName Set FullName = 'Bob B.' Where Code = 'BOB'");
    for (const QString& writes : { update, QStringLiteral("select * into Copy from UserName"), QStringLiteral("Delete From LogonFailure"),
             QStringLiteral("Select 1; Delete From UserName") }) {
        const ToolRun r = zaqsite(base + QStringList { writes });
        EXPECT_EQ(r.code, 2) << writes.toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("The statement may change the database; give --write to run it."))) << r.err.toStdString();
    }
    EXPECT_EQ(site.configScalar(QStringLiteral("select FullName from UserName where Code = 'BOB'")).toString().trimmed(), QStringLiteral("Bob Brown"));

    // A select with a text that only looks like a write still reads.
    const ToolRun read = zaqsite(base + QStringList { QStringLiteral("Select Code From UserName Where FullName = 'delete into'") });
    EXPECT_EQ(read.code, 0) << read.err.toStdString();
    EXPECT_EQ(read.out.toLower(), QStringLiteral("code\n"));

    const ToolRun written = zaqsite(base + QStringList { QStringLiteral("--write"), update });
    ASSERT_EQ(written.code, 0) << written.err.toStdString();
    EXPECT_EQ(written.out, QStringLiteral("1 row(s) affected\n"));
    EXPECT_EQ(site.configScalar(QStringLiteral("select FullName from UserName where Code = 'BOB'")).toString(), QStringLiteral("Bob B."));
    EXPECT_EQ(site.configScalar(QStringLiteral("select Screen + '|' + Action + '|' + TargetCode from SecurityLog")).toString(), QStringLiteral("zaqsite query|query|ZAQ_CONFIG"));
    const QString detail = site.configScalar(QStringLiteral("select Detail from SecurityLog")).toString();
    EXPECT_TRUE(detail.contains(update)) << detail.toStdString();
    EXPECT_TRUE(detail.endsWith(QStringLiteral("(1 row(s))"))) << detail.toStdString();
}

TEST(SiteTool, UnlockOfACodeWithNothingToUnlockFails)
{
    FixtureSite site;
    LogonFixture::build(site);
    const ToolRun r = zaqsite({ QStringLiteral("unlock"), QStringLiteral("--site"), site.dir(), QStringLiteral("BOB") });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, QStringLiteral("BOB has no failed logons counted: nothing to unlock.\n"));
}

} // namespace
