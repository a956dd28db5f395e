#include "mssqlscript.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString sourceFile(const char* path)
{
    QFile f(QLatin1String(ZAQ_SOURCE_DIR "/") + QLatin1String(path));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST(SetupScript, turnsEachSlashStatementIntoItsOwnBatch)
{
    EXPECT_EQ(mssqlBatches(QStringLiteral("Create Table A (\n  Id Int\n)\n/\n\n/\n  Insert Into A Values (1)  \n/\r\nSelect 1")),
        QStringLiteral("Create Table A (\nId Int\n)\nGO\n\nInsert Into A Values (1)\nGO\n\nSelect 1\nGO\n\n"));
}

TEST(SetupScript, createsLoginDatabaseAndUserBeforeTheScriptsAndGuardsASecondRun)
{
    const QString script = mssqlSetupScript({ QStringLiteral("Create Table UserName (Id Int)\n/\nInsert Into UserName Values (1)") },
        QStringLiteral("CREATE PROCEDURE P AS RETURN 0"), QStringLiteral("ZAQ_TEST"));
    const qsizetype login = script.indexOf(QLatin1String("CREATE LOGIN [zaq] WITH PASSWORD = N'hollyoak'"));
    const qsizetype database = script.indexOf(QLatin1String("CREATE DATABASE [ZAQ_TEST] COLLATE Thai_CI_AS"));
    const qsizetype use = script.indexOf(QLatin1String("USE [ZAQ_TEST]\nGO"));
    const qsizetype user = script.indexOf(QLatin1String("CREATE USER [zaq] FOR LOGIN [zaq]"));
    const qsizetype guard = script.indexOf(QLatin1String("SET NOEXEC ON"));
    const qsizetype table = script.indexOf(QLatin1String("Create Table UserName (Id Int)\nGO"));
    const qsizetype procedure = script.indexOf(QLatin1String("CREATE PROCEDURE P AS RETURN 0\nGO"));
    for (qsizetype at : { login, database, use, user, guard, table, procedure })
        EXPECT_GE(at, 0) << script.toStdString();
    EXPECT_TRUE(login < database && database < use && use < user && user < guard && guard < table && table < procedure);
    EXPECT_TRUE(script.endsWith(QLatin1String("SET NOEXEC OFF\nGO\n")));
}

TEST(SetupScript, proceduresFileHasTheFourProceduresEachInItsOwnBatch)
{
    const QString batches = mssqlBatches(sourceFile("sql/mssql/procedures.sql"));
    for (const char* name : { "MENUCAPTION", "DeleteUser", "DELETEOLDRIGHT", "CopyUserRights" }) {
        // CREATE PROCEDURE must open its batch: only comments may come before it.
        const qsizetype create = batches.indexOf(QLatin1String("CREATE PROCEDURE ") + QLatin1String(name) + QLatin1Char('\n'));
        ASSERT_GE(create, 0) << name;
        const qsizetype batchStart = batches.lastIndexOf(QLatin1String("GO\n"), create);
        for (const QString& line : batches.mid(batchStart + 3, create - batchStart - 3).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            EXPECT_TRUE(line.startsWith(QLatin1String("--"))) << name << ": " << line.toStdString();
    }
}

} // namespace
