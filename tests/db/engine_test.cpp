// The embedded engine behaving as the SQL Server the program expects, driven
// through the data-access layer over a real fixture site.
#include "db/connection.h"
#include "db/cp874.h"
#include "db/dberror.h"
#include "db/embedded/server.h"
#include "db/query.h"
#include "db/script.h"
#include "db/storedproc.h"
#include "fixturesite.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QStringList profile(const QString& server, const QString& database, const QString& extra = QString())
{
    QStringList lines { QStringLiteral("SERVER NAME=") + server, QStringLiteral("DATABASE NAME=") + database,
        QStringLiteral("USER NAME=zaq"), QStringLiteral("PASSWORD=hollyoak") };
    if (!extra.isEmpty())
        lines += extra.split(QLatin1Char('|'));
    return lines;
}

class Engine : public ::testing::Test
{
protected:
    FixtureSite site;
    Connection db { QStringLiteral("test") };

    void SetUp() override
    {
        db.profile().add(profile(QStringLiteral("./data"), QStringLiteral("ZAQ_CONFIG")));
        site.config(QStringLiteral(
            "Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('SALES', 'ฝ่ายขาย', 'Y', 'Y')\n/\n"
            "Insert Into UserName (Code, FullName, IsDepartment, Active, GroupId, Saleman) Select 'JOHN', 'John', 'N', 'Y', Id, 42 From UserName Where Code = 'SALES'\n/\n"
            "Insert Into Menu (Id, Parent, OrderNo, Description, DescEnglish, Command) Values (10000000, 0, 1, 'ขาย', 'Sales', Null)\n/\n"
            "Insert Into Menu (Id, Parent, OrderNo, Description, DescEnglish, Command) Values (10100000, 10000000, 2, 'ใบสั่งขาย', 'Sales Order', 'SO.EXE')\n/\n"
            "Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight) Select Id, 10100000, 'Y', 'Y', 'N', 'Y' From UserName Where Code = 'SALES'\n/"));
    }

    QVariant scalar(const QString& select)
    {
        Query q(&db, { select });
        q.open();
        return q.eof() ? QVariant() : q.field(0).value();
    }
    int groupId() { return scalar(QStringLiteral("select Id from UserName where Code = 'SALES'")).toInt(); }
    int johnId() { return scalar(QStringLiteral("select Id from UserName where Code = 'JOHN'")).toInt(); }
};

TEST_F(Engine, ComparesTextAsTheServersDefaultCollation)
{
    Connection master(QStringLiteral("m"));
    master.profile().add(profile(QStringLiteral("./data"), QStringLiteral("master")));
    Query q(&master, { QStringLiteral("Select * From SysDatabases Where Name = 'zaq_Config'") });
    q.open();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.field(QStringLiteral("name")).asString(), QStringLiteral("ZAQ_CONFIG"));

    EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserName where Code = 'john  '")).toInt(), 1); // case and trailing blanks
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserName where Code = 'JOH'")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from SysColumns where Name = 'passwordnew' and Id = (select Id from SysObjects where Name = 'USERNAME')")).toInt(), 1);
}

TEST_F(Engine, PlusAddsNumbersAndJoinsTexts)
{
    const struct
    {
        const char* expr;
        QVariant expected;
    } cases[] = {
        { "1 + 2", 3 },
        { "'5' + 1", 6 },
        { "'ab' + ' ' + 'cd'", QStringLiteral("ab cd") },
        { "'ab' + Null", QVariant() },
        { "Code + ' ' + FullName", QStringLiteral("JOHN John") },
        { "Saleman + 1", 43 },
        // Texts known as texts join as SQLite's own "||": the same answers.
        { "LTrim(RTrim(Code)) + ' ' + Upper(FullName)", QStringLiteral("JOHN JOHN") },
        { "'ไทย' + LTrim(' ก ') + Lower('X')", QStringLiteral("ไทยก x") },
        { "LTrim(Null) + 'x'", QVariant() },
    };
    for (const auto& c : cases) {
        const QVariant v = scalar(QStringLiteral("select %1 from UserName where Code = 'JOHN'").arg(QString::fromUtf8(c.expr)));
        EXPECT_EQ(v.isNull(), c.expected.isNull()) << c.expr;
        if (!c.expected.isNull()) {
            EXPECT_EQ(v.toString(), c.expected.toString()) << c.expr;
        }
    }
}

TEST_F(Engine, NamedParametersBindOneValueEverywhereTheyStand)
{
    Query q(&db, { QStringLiteral("select Code from UserName where (Code like :Name or FullName like :NAME) and IsDepartment = :dept order by Code") });
    q.setParam(QStringLiteral("name"), QStringLiteral("%ฝ่าย%"));
    q.setParam(QStringLiteral(":DEPT"), QStringLiteral("Y"));
    q.open();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.field(QStringLiteral("CODE")).asString(), QStringLiteral("SALES"));
    q.next();
    EXPECT_TRUE(q.eof());

    Query missing(&db, { QStringLiteral("select 1 from UserName where Code = :nothing") });
    EXPECT_THROW(missing.open(), DbError);
}

TEST_F(Engine, NullReadsAsZeroOrEmptyAndBinaryKeepsEveryByte)
{
    Query q(&db, { QStringLiteral("select GroupId, Email, Discount from UserName where Code = 'SALES'") });
    q.open();
    EXPECT_TRUE(q.field(QStringLiteral("groupid")).isNull());
    EXPECT_EQ(q.field(QStringLiteral("groupid")).asInteger(), 0);
    EXPECT_EQ(q.field(QStringLiteral("EMAIL")).asString(), QString());
    EXPECT_EQ(q.field(QStringLiteral("Discount")).asFloat(), 0.0);

    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    Query w(&db, { QStringLiteral("update UserName set PasswordNew = :b, Remark = :t where Code = 'JOHN'") });
    w.setParam(QStringLiteral("b"), all);
    w.setParam(QStringLiteral("t"), QStringLiteral("หมายเหตุ ภาษาไทย"));
    EXPECT_EQ(w.execSql(), 1);
    Query r(&db, { QStringLiteral("select PasswordNew, Remark from UserName where Code = 'JOHN'") });
    r.open();
    EXPECT_EQ(r.field(QStringLiteral("PasswordNew")).asBytes(), all);
    EXPECT_EQ(r.field(QStringLiteral("Remark")).asString(), QStringLiteral("หมายเหตุ ภาษาไทย"));
}

TEST_F(Engine, DatesReadAsTheServersDatetimesDo)
{
    Query w(&db, { QStringLiteral("update UserName set AddDate = :d, EditDate = :m where Code = 'JOHN'") });
    w.setParam(QStringLiteral("d"), QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
    w.setParam(QStringLiteral("m"), QDate(2026, 1, 2));
    w.execSql();
    Query r(&db, { QStringLiteral("select AddDate, EditDate, Code from UserName where Code = 'JOHN'") });
    r.open();
    EXPECT_EQ(r.field(QStringLiteral("AddDate")).asString(), QStringLiteral("10/12/2026 14:05:09"));
    EXPECT_EQ(r.field(QStringLiteral("AddDate")).asDateTime(), QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
    EXPECT_EQ(r.field(QStringLiteral("EditDate")).asDateTime().date(), QDate(2026, 1, 2));
    EXPECT_EQ(r.field(QStringLiteral("Code")).asString(), QStringLiteral("JOHN"));
    Query now(&db, { QStringLiteral("Select GetDate() ServerDate") });
    now.open();
    EXPECT_LT(qAbs(now.field(QStringLiteral("ServerDate")).asDateTime().secsTo(QDateTime::currentDateTime())), 60);
}

TEST_F(Engine, CastToVarbinaryStoresThaiAsCodePageBytes)
{
    Query w(&db, { QStringLiteral("declare @bin varbinary(max) select @bin=CAST(:st AS VARBINARY(MAX)) update username set PasswordNew=@bin where code=:code ") });
    w.setParam(QStringLiteral("St"), QStringLiteral("กข1"));
    w.setParam(QStringLiteral("Code"), QStringLiteral("JOHN"));
    w.execSql();
    Query r(&db, { QStringLiteral("select PasswordNew from UserName where Code = 'JOHN'") });
    r.open();
    EXPECT_EQ(r.field(QStringLiteral("PasswordNew")).asBytes(), QByteArray("\xA1\xA2" "1"));
    EXPECT_EQ(r.field(QStringLiteral("PasswordNew")).asString(), QStringLiteral("กข1"));
}

TEST_F(Engine, RolledBackTransactionLeavesEveryRowAsItWas)
{
    db.startTransaction();
    Query(&db, { QStringLiteral("update UserName set FullName = 'changed'") }).execSql();
    Query(&db, { QStringLiteral("delete from UserRight") }).execSql();
    db.rollback();
    EXPECT_EQ(scalar(QStringLiteral("select FullName from UserName where Code = 'JOHN'")).toString(), QStringLiteral("John"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserRight")).toInt(), 1);

    {
        Transaction t(db);
        Query(&db, { QStringLiteral("update UserName set FullName = 'lost' where Code = 'JOHN'") }).execSql();
        // leaves scope without commit: rolled back
    }
    EXPECT_EQ(scalar(QStringLiteral("select FullName from UserName where Code = 'JOHN'")).toString(), QStringLiteral("John"));
    {
        Transaction t(db);
        Query(&db, { QStringLiteral("update UserName set FullName = 'kept' where Code = 'JOHN'") }).execSql();
        t.commit();
    }
    EXPECT_EQ(site.configScalar(QStringLiteral("select FullName from UserName where Code = 'JOHN'")).toString(), QStringLiteral("kept"));
}

TEST_F(Engine, ReadOnlyConnectionRefusesWrites)
{
    Connection ro(QStringLiteral("ro"));
    ro.profile().add(profile(QStringLiteral("./data"), QStringLiteral("ZAQ_CONFIG"), QStringLiteral("OPEN MODE=READ")));
    Query read(&ro, { QStringLiteral("select count(*) from UserName") });
    read.open();
    EXPECT_GT(read.field(0).asInteger(), 0);
    Query write(&ro, { QStringLiteral("update UserName set FullName = 'x'") });
    try {
        write.execSql();
        FAIL() << "a read-only connection wrote";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("read-only"))) << e.message().toStdString();
    }
    EXPECT_EQ(site.configScalar(QStringLiteral("select count(*) from UserName where FullName = 'x'")).toInt(), 0);
}

TEST_F(Engine, QueryTimeLimitStopsALongStatement)
{
    Connection slow(QStringLiteral("slow"));
    slow.profile().add(profile(QStringLiteral("./data"), QStringLiteral("ZAQ_CONFIG"), QStringLiteral("MAX QUERY TIME=1")));
    Query q(&slow, { QStringLiteral("select count(*) from SysColumns a, SysColumns b, SysColumns c, SysColumns d") });
    try {
        q.open();
        FAIL() << "ran past the limit";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("MAX QUERY TIME=1"))) << e.message().toStdString();
    }
}

TEST_F(Engine, QueryTimeLimitDoesNotCountTheTimeAResultWaitsToBeRead)
{
    QStringList script;
    for (int i = 0; i < 300; ++i)
        script << QStringLiteral("Insert Into errorlog (menu, errormsg) Values (%1, 'e')").arg(i) << QStringLiteral("/");
    runScript(db, script);
    Connection c(QStringLiteral("lazy"));
    c.profile().add(profile(QStringLiteral("./data"), QStringLiteral("ZAQ_CONFIG"), QStringLiteral("MAX QUERY TIME=1")));
    Query q(&c, { QStringLiteral("select menu from errorlog order by menu") });
    q.open();
    QThread::msleep(1300); // a grid left open longer than the limit, then scrolled
    EXPECT_NO_THROW(q.fetchMore(200));
    EXPECT_EQ(q.rowCount(), 300);
}

TEST_F(Engine, UnreachableServersAndDatabasesSayWhatToCheck)
{
    site.writeFile(QStringLiteral("data/BROKEN.sqlite"), "this is not a database file at all, just text; ...........................................");
    const struct
    {
        QStringList lines;
        const char* mentions;
    } cases[] = {
        { profile(QStringLiteral("./nowhere"), QStringLiteral("ZAQ_CONFIG")), "./nowhere" },
        { profile(QStringLiteral("./data"), QStringLiteral("NO_SUCH_DB")), "NO_SUCH_DB" },
        { profile(QStringLiteral("./data"), QStringLiteral("BROKEN")), "BROKEN" },
        { QStringList { QStringLiteral("SERVER NAME=./data"), QStringLiteral("DATABASE NAME=ZAQ_CONFIG"), QStringLiteral("USER NAME=zaq"),
              QStringLiteral("PASSWORD=wrong") },
            "Login failed" },
    };
    for (const auto& c : cases) {
        Connection bad(QStringLiteral("bad"));
        bad.profile().add(c.lines);
        try {
            bad.open();
            ADD_FAILURE() << "opened: " << c.mentions;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String(c.mentions))) << e.message().toStdString();
        }
        EXPECT_FALSE(bad.isOpen());
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("data/NO_SUCH_DB.sqlite"))); // nothing created on the way
}

TEST_F(Engine, ARefusingFileSystemIsNamedAsTheCause)
{
    // Only where permissions bind (not for root); the messages themselves are
    // checked case by case in StorageFailures.
    const QString folder = site.serverFolder();
    const QString file = folder + QStringLiteral("/ZAQ_CONFIG.sqlite");
    const QFile::Permissions was = QFile::permissions(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    const bool binds = !QFileInfo(folder).isWritable();
    QString folderMessage;
    if (binds) {
        Connection c(QStringLiteral("ro-folder"));
        c.profile().add(profile(QStringLiteral("./data"), QStringLiteral("ZAQ_CONFIG")));
        try {
            Query(&c, { QStringLiteral("select count(*) from UserName") }).open();
        } catch (const DbError& e) {
            folderMessage = e.message();
        }
    }
    QFile::setPermissions(folder, was);
    if (!binds)
        GTEST_SKIP() << "file permissions do not bind this user";
    EXPECT_TRUE(folderMessage.contains(QLatin1String("is read-only for this user"))) << folderMessage.toStdString();

    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup);
    QString fileMessage;
    try {
        Query(&db, { QStringLiteral("update UserName set FullName = 'x'") }).execSql();
    } catch (const DbError& e) {
        fileMessage = e.message();
    }
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_TRUE(fileMessage.contains(QLatin1String("read-only for this user"))) << fileMessage.toStdString();
    EXPECT_FALSE(fileMessage.contains(QLatin1String("OPEN MODE"))) << fileMessage.toStdString();
}

TEST_F(Engine, ClosingTheConnectionClosesItsQueries)
{
    Query a(&db, { QStringLiteral("select * from UserName") });
    Query b(&db, { QStringLiteral("select * from Menu") });
    a.open();
    b.open();
    db.close();
    EXPECT_FALSE(a.isOpen());
    EXPECT_FALSE(b.isOpen());
    a.open(); // a query on the closed alias opens it again
    EXPECT_TRUE(db.isOpen());
}

TEST_F(Engine, RowsAreFetchedAsTheyAreRead)
{
    QStringList script;
    for (int i = 0; i < 600; ++i)
        script << QStringLiteral("Insert Into errorlog (menu, username, errordate, errormsg) Values (1, 1, GetDate(), 'e%1')").arg(i) << QStringLiteral("/");
    runScript(db, script);
    Query q(&db, { QStringLiteral("select * from errorlog order by Id") });
    q.open();
    EXPECT_LT(q.fetchedCount(), 10);
    EXPECT_EQ(q.rowCount(), 600);
    EXPECT_TRUE(q.locate(QStringLiteral("ERRORMSG"), QStringLiteral("e599")));
    EXPECT_EQ(q.recNo(), 599);
}

TEST_F(Engine, ScriptStopsAtTheFailingStatementAndNamesItsLine)
{
    const QStringList script { QStringLiteral("  Update Menu Set MenuHint = 'one'  "), QStringLiteral("/"), QStringLiteral(""), QStringLiteral("/"),
        QStringLiteral("Update NoSuchTable"), QStringLiteral("Set x = 1"), QStringLiteral("/"), QStringLiteral("Update Menu Set MenuHint = 'three'"), QStringLiteral("/") };
    try {
        runScript(db, script);
        FAIL() << "the script ran through";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QLatin1String("Script line 5:"))) << e.message().toStdString();
    }
    EXPECT_EQ(scalar(QStringLiteral("select max(MenuHint) from Menu")).toString(), QStringLiteral("one"));
    EXPECT_TRUE(db.isOpen());
}

TEST_F(Engine, StoredProceduresAnswerAsTheProgramRelies)
{
    StoredProc sp(&db, QStringLiteral("MENUCAPTION"));
    sp.addParam(QStringLiteral("Result"), ProcParam::Return, QMetaType::Int);
    sp.addParam(QStringLiteral("@MENUID"), ProcParam::In, QMetaType::Int);
    sp.addParam(QStringLiteral("@USERID"), ProcParam::In, QMetaType::Int);
    for (const char* out : { "@CAPTION", "@ACCESS_R", "@ADD_R", "@MODIFY_R", "@DELETE_R", "@USERCODE" })
        sp.addParam(QLatin1String(out), ProcParam::Out, QMetaType::QString);
    sp.addParam(QStringLiteral("@SALESID"), ProcParam::Out, QMetaType::Int);
    sp.setParam(QStringLiteral("menuid"), 10100000);
    sp.setParam(QStringLiteral("@USERID"), johnId());
    sp.execProc();
    EXPECT_EQ(sp.paramAsString(QStringLiteral("@CAPTION")), QStringLiteral("ใบสั่งขาย"));
    EXPECT_EQ(sp.paramAsString(QStringLiteral("@ACCESS_R")) + sp.paramAsString(QStringLiteral("@ADD_R")) + sp.paramAsString(QStringLiteral("@MODIFY_R"))
            + sp.paramAsString(QStringLiteral("@DELETE_R")),
        QStringLiteral("YYNY"));
    EXPECT_EQ(sp.paramAsString(QStringLiteral("@USERCODE")), QStringLiteral("JOHN"));
    EXPECT_EQ(sp.paramAsInteger(QStringLiteral("@SALESID")), 42);

    sp.setParam(QStringLiteral("@MENUID"), 10000000); // no rights row: four N
    sp.execProc();
    EXPECT_EQ(sp.paramAsString(QStringLiteral("@ACCESS_R")), QStringLiteral("N"));

    // CopyUserRights replaces the target's rows with the source's.
    site.config(QStringLiteral("Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('OTHER', 'Other', 'Y', 'Y')\n/\n"
                               "Insert Into UserRight (UserName, Menu, AccessRight) Select Id, 10000000, 'Y' From UserName Where Code = 'OTHER'\n/"));
    const int other = scalar(QStringLiteral("select Id from UserName where Code = 'OTHER'")).toInt();
    StoredProc copy(&db, QStringLiteral("CopyUserRights"));
    copy.addParam(QStringLiteral("Result"), ProcParam::Return, QMetaType::Int);
    copy.addParam(QStringLiteral("@FromUser"), ProcParam::In, QMetaType::Int);
    copy.addParam(QStringLiteral("@ToUser"), ProcParam::In, QMetaType::Int);
    copy.setParam(QStringLiteral("@FromUser"), groupId());
    copy.setParam(QStringLiteral("@ToUser"), other);
    copy.execProc();
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserRight where UserName = %1").arg(other)).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("select Menu from UserRight where UserName = %1").arg(other)).toInt(), 10100000);

    StoredProc del(&db, QStringLiteral("DeleteUser"));
    del.addParam(QStringLiteral("Result"), ProcParam::Return, QMetaType::Int);
    del.addParam(QStringLiteral("@UserId"), ProcParam::In, QMetaType::Int);
    del.setParam(QStringLiteral("@UserId"), other);
    del.execProc();
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserName where Id = %1").arg(other)).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserRight where UserName = %1").arg(other)).toInt(), 0);

    StoredProc old(&db, QStringLiteral("DELETEOLDRIGHT"));
    old.addParam(QStringLiteral("Result"), ProcParam::Return, QMetaType::Int);
    old.addParam(QStringLiteral("@OLDID"), ProcParam::In, QMetaType::Int);
    old.setParam(QStringLiteral("@OLDID"), groupId());
    old.execProc();
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from UserRight")).toInt(), 0);

    StoredProc none(&db, QStringLiteral("NOSUCHPROC"));
    EXPECT_THROW(none.execProc(), DbError);
}

TEST_F(Engine, AResultLeftHalfReadDoesNotHideOtherWorkstationsChanges)
{
    QStringList script;
    for (int i = 0; i < 300; ++i)
        script << QStringLiteral("Insert Into errorlog (menu, errormsg) Values (%1, 'e')").arg(i) << QStringLiteral("/");
    runScript(db, script);
    Query grid(&db, { QStringLiteral("select menu from errorlog order by menu") });
    grid.open(); // one row read, the rest waiting (a grid that shows the first page)

    Connection other(QStringLiteral("other"));
    other.profile().add(profile(QStringLiteral("./data"), QStringLiteral("ZAQ_CONFIG")));
    Query(&other, { QStringLiteral("update UserName set FullName = 'changed elsewhere' where Code = 'JOHN'") }).execSql();

    EXPECT_EQ(scalar(QStringLiteral("select FullName from UserName where Code = 'JOHN'")).toString(), QStringLiteral("changed elsewhere"));
    EXPECT_EQ(grid.rowCount(), 300); // the grid keeps its rows
}

TEST_F(Engine, ASaveStartsWhileAResultIsHalfReadAfterAnotherWorkstationWrote)
{
    QStringList script;
    for (int i = 0; i < 300; ++i)
        script << QStringLiteral("Insert Into errorlog (menu, errormsg) Values (%1, 'e')").arg(i) << QStringLiteral("/");
    runScript(db, script);
    Query grid(&db, { QStringLiteral("select menu from errorlog order by menu") });
    grid.open();
    Connection other(QStringLiteral("other"));
    other.profile().add(profile(QStringLiteral("./data"), QStringLiteral("ZAQ_CONFIG")));
    Query(&other, { QStringLiteral("update UserName set FullName = 'elsewhere' where Code = 'JOHN'") }).execSql();

    Transaction t(db); // its write lock must not meet the half-read result's old view of the data
    StoredProc del(&db, QStringLiteral("DELETEOLDRIGHT"));
    del.addParam(QStringLiteral("Result"), ProcParam::Return, QMetaType::Int);
    del.addParam(QStringLiteral("@OLDID"), ProcParam::In, QMetaType::Int);
    del.setParam(QStringLiteral("@OLDID"), groupId());
    del.execProc();
    t.commit();
    EXPECT_EQ(grid.rowCount(), 300);
}

TEST_F(Engine, TwoWorkstationsShareOneSite)
{
    Connection other(QStringLiteral("other"));
    other.profile().add(profile(QStringLiteral("./data"), QStringLiteral("ZAQ_CONFIG")));
    db.startTransaction();
    Query(&db, { QStringLiteral("update UserName set FullName = 'pending' where Code = 'JOHN'") }).execSql();
    Query read(&other, { QStringLiteral("select FullName from UserName where Code = 'JOHN'") });
    read.open(); // readers are not blocked by a writer, and see only what is committed
    EXPECT_EQ(read.field(0).asString(), QStringLiteral("John"));
    read.close();
    db.commit();
    read.open();
    EXPECT_EQ(read.field(0).asString(), QStringLiteral("pending"));
}

} // namespace
