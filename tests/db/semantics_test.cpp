// The embedded engine against SQL Server's documented answers: the answer, or
// a refusal in words; never a third thing. The rows live in tsqlsemantics.h,
// shared with the live suite.
#include "db/dberror.h"
#include "db/embedded/storagefailure.h"
#include "db/engine.h"
#include "fixturesite.h"
#include "tsqlsemantics.h"

#include <gtest/gtest.h>

namespace {

ConnectionProfile profile(const QString& extra = QString())
{
    QStringList lines { QStringLiteral("SERVER NAME=./data"), QStringLiteral("DATABASE NAME=ZAQ_CONFIG"), QStringLiteral("USER NAME=zaq"),
        QStringLiteral("PASSWORD=hollyoak") };
    if (!extra.isEmpty())
        lines.append(extra);
    return ConnectionProfile(lines);
}

QString failure(EngineSession& s, const QString& tsql)
{
    try {
        s.run(tsql, ParamValues());
    } catch (const DbError& e) {
        return e.message();
    }
    return {};
}

class Semantics : public ::testing::Test
{
protected:
    FixtureSite site;
    std::unique_ptr<EngineSession> session = openEngineSession(profile());
};

TEST_F(Semantics, AnswersAsSqlServerOrRefusesInWords)
{
    for (const TsqlSemantics::Row& row : TsqlSemantics::kRows) {
        const QString wrong = TsqlSemantics::check(*session, row, true);
        EXPECT_TRUE(wrong.isEmpty()) << row.statement << " — " << wrong.toStdString();
    }
}

TEST_F(Semantics, ColumnTypesHoldOnEveryWrite)
{
    for (const TsqlSemantics::Row& row : TsqlSemantics::kWriteRows) {
        session->beginTransaction();
        const QString wrong = TsqlSemantics::check(*session, row, true);
        session->rollback();
        EXPECT_TRUE(wrong.isEmpty()) << row.statement << " — " << wrong.toStdString();
    }
}

TEST_F(Semantics, ErrorsSaySqlServersWords)
{
    const char* const cases[][2] = {
        { "select 1 / 0", "Divide by zero" },
        { "select cast(9223372036854775807 as bigint) + 1", "Arithmetic overflow" },
        { "select cast('abc' as int)", "Conversion failed when converting the varchar value 'abc' to data type int" },
        { "select (select Code from UserName)", "Subquery returned more than 1 value" },
        { "select case when 1 = 'a' then 1 else 0 end", "Conversion failed when converting the varchar value 'a' to data type int" },
        { "select 2147483647 + 1", "Arithmetic overflow error converting expression to data type int" },
        { "select sum(x) from (select 'a' x) t", "Operand data type varchar is invalid for sum operator" },
        { "select 1 /* open", "Missing end comment mark" },
        { "create table ZaqSemantics (c varchar(3)) insert into ZaqSemantics values ('abcd')", "String or binary data would be truncated" },
    };
    for (const auto& c : cases)
        EXPECT_TRUE(failure(*session, QString::fromUtf8(c[0])).contains(QLatin1String(c[1]))) << c[0];
}

TEST_F(Semantics, ScalarSubqueriesTheProgramRunsStillAnswer)
{
    // One row per company database, ordered by its branch; a column from a
    // sub-query of a one-row table.
    site.config(QStringLiteral("Insert Into Branch (BranchNo, ServerName) Values (2, 'A')\n/\nInsert Into Branch (BranchNo, ServerName) Values (1, 'B')\n/"));
    auto q = session->run(QStringLiteral("select Code, (select max(BranchNo) from Branch) b from UserName order by (select BranchNo from Branch where ServerName = 'B'), Code"),
        ParamValues());
    ASSERT_TRUE(q->next());
    EXPECT_EQ(q->value(1).toInt(), 2);
    EXPECT_TRUE(failure(*session, QStringLiteral("select Code from UserName order by (select BranchNo from Branch)")).contains(QLatin1String("more than 1 value")));
}

TEST_F(Semantics, DeepNestingIsRefusedNotACrash)
{
    auto nested = [](const char* open, const char* inner, const char* close) {
        QString sql = QStringLiteral("select ");
        if (qstrcmp(open, "(") != 0)
            sql.clear();
        for (int i = 0; i < 16000; ++i)
            sql += QLatin1String(open);
        sql += QLatin1String(inner);
        for (int i = 0; i < 16000; ++i)
            sql += QLatin1String(close);
        return sql;
    };
    for (const QString& deep : QStringList { nested("(", "1", ")"), nested("begin ", "select 1", " end"), QString(QStringLiteral("if ") + nested("not ", "exists (select 1) select 1", "")),
             nested("if exists (select 1) ", "select 1", "") })
        EXPECT_TRUE(failure(*session, deep).contains(QLatin1String("nested too deeply"))) << deep.left(40).toStdString();
    QString subqueries = QStringLiteral("1");
    for (int i = 0; i < 40; ++i)
        subqueries = QStringLiteral("(select ") + subqueries + QLatin1Char(')');
    EXPECT_TRUE(failure(*session, QStringLiteral("select ") + subqueries).contains(QLatin1String("nested too deeply")));
}

TEST_F(Semantics, LongSumsAddUpOrAreRefusedInWords)
{
    auto sum = [&](int terms) {
        QString sql = QStringLiteral("select 1");
        for (int i = 1; i < terms; ++i)
            sql += QLatin1String(" + 1");
        return sql;
    };
    auto q = session->run(sum(1000), ParamValues());
    ASSERT_TRUE(q->next());
    EXPECT_EQ(q->value(0).toInt(), 1000);
    const QString refused = failure(*session, sum(100000));
    EXPECT_TRUE(refused.contains(QLatin1String("nested too deeply"))) << refused.left(300).toStdString();
    EXPECT_LT(refused.size(), 3000); // the statement is echoed cut, not whole
}

TEST(StorageFailures, NameTheCauseNotSqlitesSymptom)
{
    StorageFacts writable;
    writable.folder = QStringLiteral("/site/data");
    writable.file = QStringLiteral("/site/data/ZAQ_CONFIG.sqlite");
    writable.bytesFree = 1LL << 30;
    StorageFacts readOnlyFolder = writable;
    readOnlyFolder.folderWritable = false;
    StorageFacts readOnlyFile = writable;
    readOnlyFile.fileWritable = false;
    StorageFacts readMode = writable;
    readMode.readOnlyConnection = true;
    StorageFacts fullDisk = writable;
    fullDisk.bytesFree = 0;
    const struct
    {
        int code;
        const char* text;
        StorageFacts facts;
        const char* says;
        const char* mustNotSay;
    } cases[] = {
        { 8, "attempt to write a readonly database", readOnlyFile, "/site/data/ZAQ_CONFIG.sqlite is read-only for this user", "OPEN MODE" },
        { 8, "attempt to write a readonly database", readOnlyFolder, "server folder /site/data is read-only", "OPEN MODE" },
        { 14, "unable to open database file", readOnlyFolder, "server folder /site/data is read-only", "cannot be read" },
        { 8, "attempt to write a readonly database", readMode, "OPEN MODE=READ", "permissions" },
        { 8, "attempt to write a readonly database", writable, "file system refused", "OPEN MODE" },
        { 10, "disk I/O error", fullDisk, "is full", "I/O" },
        { 13, "database or disk is full", writable, "is full", "I/O" },
        { 10, "disk I/O error", writable, "may be failing", "full" },
    };
    for (const auto& c : cases) {
        const QString m = describeStorageFailure(c.code, QLatin1String(c.text), c.facts, QStringLiteral("ZAQ_CONFIG"));
        EXPECT_TRUE(m.contains(QLatin1String(c.says))) << m.toStdString();
        EXPECT_FALSE(m.contains(QLatin1String(c.mustNotSay))) << m.toStdString();
        EXPECT_TRUE(m.contains(QLatin1String("ZAQ_CONFIG"))) << m.toStdString();
    }
    EXPECT_TRUE(describeStorageFailure(19, QStringLiteral("UNIQUE constraint failed"), writable, QStringLiteral("X")).isEmpty());
}

TEST(LongNames, AreEchoedCut)
{
    FixtureSite site;
    const QString server = QStringLiteral("./") + QString(10 * 1024 * 1024, QLatin1Char('x'));
    try {
        openEngineSession(ConnectionProfile({ QStringLiteral("SERVER NAME=") + server, QStringLiteral("DATABASE NAME=ZAQ_CONFIG"),
            QStringLiteral("USER NAME=zaq"), QStringLiteral("PASSWORD=hollyoak") }));
        FAIL() << "opened";
    } catch (const DbError& e) {
        EXPECT_LT(e.message().size(), 2000);
        EXPECT_TRUE(e.message().contains(QLatin1String("./xxxx"))) << e.message().left(300).toStdString();
    }
}

} // namespace
