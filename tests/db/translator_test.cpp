// The T-SQL the program sends, and the SQLite the embedded engine runs for it.
#include "db/dberror.h"
#include "db/embedded/translator.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char* tsql;
    const char* sqlite;
};

QString only(const QString& tsql, QStringList* params = nullptr)
{
    const EmbeddedPlan plan = translateTsql(tsql);
    EXPECT_EQ(plan.size(), 1) << tsql.toStdString();
    if (plan.isEmpty())
        return {};
    if (params)
        *params = plan.first().params;
    return plan.first().sql;
}

TEST(Translator, RewritesTheProgramsTsql)
{
    const Case cases[] = {
        { "Select Top 1 Coalesce(SetDocYear, 'N') SetDocYear\nFrom Databaselist\nWhere (YearNo = :GetYear) And(Upper(LTrim(RTrim(DatabaseName))) = :GetDataName)",
            "Select Coalesce(SetDocYear, 'N') SetDocYear From Databaselist Where (YearNo = ?1) And (zaq_upper(LTrim(RTrim(DatabaseName))) = ?2) LIMIT 1" },
        { "Select Id,U.Code,u.Code+' '+U.FullName FullName From UserName U Order  By U.Code",
            "Select Id, U.Code, zaq_plus(u.Code, ' ', U.FullName) FullName From UserName U Order By U.Code" },
        { "SELECT M.Id, space(m.menulevel*3)+M.Description Description, M.Parent",
            "SELECT M.Id, zaq_plus(zaq_space(zaq_times(m.menulevel, 3)), M.Description) Description, M.Parent" },
        { "select a - b + c * d, -x + 1, a / b % c, - -1 from t",
            "select zaq_plus(zaq_minus(a, b), zaq_times(c, d)), zaq_plus(-x, 1), zaq_modulo(zaq_divide(a, b), c), - -1 from t" },
        { "select a & b + c | d from t", "select zaq_plus(a & b, c) | d from t" },
        { "select LTrim(RTrim(a)) + ' ' + Upper(b), 'x' + Lower(c) + d, 'y' + 'z' * 2, 'v' + 'w' - 'u' from t",
            "select (LTrim(RTrim(a)) || ' ' || zaq_upper(b)), zaq_plus('x', zaq_lower(c), d), zaq_plus('y', zaq_times('z', 2)), zaq_minus(zaq_plus('v', 'w'), 'u') from t" },
        { "Select GetDate() ServerDate", "Select zaq_getdate() ServerDate" },
        { "select [Order], N'ไทย' from [My Table] with (nolock)", "select \"Order\", 'ไทย' from \"My Table\"" },
        { "select * from t where x = (select top 1 y from u order by y desc)", "select * from t where x = (select y from u order by y desc LIMIT 1)" },
        { "select case when a = 1 then 'x' + b else 'y' end v from t", "select CASE when a = 1 then zaq_plus('x', b) else 'y' END v from t" },
        { "select cast(x as varchar(10)), convert(int, y), isnull(z, 0) from t",
            "select zaq_text(x, 10, 0), zaq_integer(y, 'INT'), ifnull(z, 0) from t" },
        { "select cast('50%2' as char(3)), cast(p as decimal(10,2)), cast(q as date) from t",
            "select zaq_text('50%2', 3, 1), zaq_decimal(p, 10, 2), zaq_datetime(q, 1) from t" },
        { "select 1 from t where a like 'x%' and b not like :p escape '!' and not c + 'd' like e",
            "select 1 from t where zaq_like(a, 'x%') and NOT zaq_like(b, ?1, '!') and not zaq_like(zaq_plus(c, 'd'), e)" },
        { "select (select y from u where u.k = t.k) v from t where x in (select y from u) and exists (select 1 from u)",
            "select (WITH zaq_s(zaq_v) AS (select y from u where u.k = t.k) SELECT zaq_scalar(min(zaq_v), count(*)) FROM (SELECT zaq_v FROM zaq_s LIMIT 2)) v "
            "from t where x in (select y from u) and exists (select 1 from u)" },
        { "select * from (select y from u) a, (select z from w) b", "select * from (select y from u) a, (select z from w) b" },
        { "Alter Table Menu Add Version Integer", "ALTER TABLE Menu ADD COLUMN Version INTEGER" },
        { "Alter Table Databaselist Add SetDocYear Char", "ALTER TABLE Databaselist ADD COLUMN SetDocYear CHAR COLLATE ZAQ_CI" },
        { "Create Table T (Id Int Identity(1,1) Primary Key, Code VarChar(20) Not Null, Flag Char(1) Default 'Y', Pw VarBinary(Max) Null, At DateTime)",
            "CREATE TABLE T (Id INTEGER PRIMARY KEY AUTOINCREMENT, Code VARCHAR(20) COLLATE ZAQ_CI NOT NULL, Flag CHAR(1) COLLATE ZAQ_CI DEFAULT ('Y'), Pw BLOB NULL, At DATETIME)" },
        { "select 'a:b', x from t where y = ':notaparam' -- :nor this", "select 'a:b', x from t where y = ':notaparam'" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(only(QString::fromUtf8(c.tsql)).toStdString(), c.sqlite) << c.tsql;
}

TEST(Translator, OneNameStandingTwiceTakesItsValueInBothPlaces)
{
    QStringList params;
    only(QStringLiteral("select code from username where (code like :getname or  fullname like :GetName) And (isDepartment = :isDepartment)"), &params);
    EXPECT_EQ(params, (QStringList { QStringLiteral("GETNAME"), QStringLiteral("GETNAME"), QStringLiteral("ISDEPARTMENT") }));
}

TEST(Translator, DeclareAndSelectAssignmentBecomeOneStatement)
{
    const EmbeddedPlan plan = translateTsql(QStringLiteral(
        "declare @str varchar(max) declare @bin varbinary(max) select @bin=CAST(:st AS VARBINARY(MAX)) update username set PasswordNew=@bin where code=:code "));
    ASSERT_EQ(plan.size(), 1);
    EXPECT_EQ(plan[0].sql.toStdString(), "update username set PasswordNew = (zaq_varbinary(?1)) where code = ?2");
    EXPECT_EQ(plan[0].params, (QStringList { QStringLiteral("ST"), QStringLiteral("CODE") }));
}

TEST(Translator, IfExistsGuardsItsBody)
{
    const EmbeddedPlan plan = translateTsql(QStringLiteral(
        "If (Not Exists(Select Name From SysColumns\nWhere Id = (Select Id From SysObjects Where Ltrim(Rtrim(Upper(Name))) = 'MENU') And\n"
        "Ltrim(Rtrim(Upper(Name)))='VERSION'))\nBegin\nAlter Table Menu Add Version Integer\nEnd"));
    ASSERT_EQ(plan.size(), 1);
    EXPECT_EQ(plan[0].kind, EmbeddedStep::IfExists);
    EXPECT_TRUE(plan[0].negate);
    EXPECT_TRUE(plan[0].sql.startsWith(QLatin1String("SELECT EXISTS (Select Name From SysColumns")));
    ASSERT_EQ(plan[0].body.size(), 1);
    EXPECT_EQ(plan[0].body[0].sql.toStdString(), "ALTER TABLE Menu ADD COLUMN Version INTEGER");

    const EmbeddedPlan single = translateTsql(QStringLiteral("If Not Exists(select Id From SysColumns Where Name = 'X')\nAlter Table UserName Add X Char(1)"));
    ASSERT_EQ(single.size(), 1);
    ASSERT_EQ(single[0].body.size(), 1);
}

TEST(Translator, RefusesWhatItCannotTranslateAndNamesIt)
{
    const char* const refused[][2] = {
        { "exec MENUCAPTION 1, 2", "EXEC" },
        { "declare @c varchar(20) select @c = Code from UserName update x set y = @c", "SELECT @variable" },
        { "if 1 = 1 select 1", "IF with a condition" },
        { "if exists (select 1) select 1 else select 2", "ELSE" },
        { "set nocount on", "SET NOCOUNT" },
        { "select dateadd(day, 1, AddDate) from UserName", "DATEADD" },
        { "select top 10 percent * from Menu", "PERCENT" },
        { "alter table Menu alter column Command varchar(300)", "ALTER TABLE" },
        { "select @@identity", "@@IDENTITY" },
    };
    for (const auto& r : refused) {
        try {
            translateTsql(QString::fromUtf8(r[0]));
            ADD_FAILURE() << "accepted: " << r[0];
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("Not supported by the embedded engine"))) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QLatin1String(r[1]), Qt::CaseInsensitive)) << e.message().toStdString();
        }
    }
}

TEST(Translator, ASumOfManyTermsIsOneFlatCallPerHundredTerms)
{
    const QString sql = only(QStringLiteral("select 1") + QStringLiteral(" + 1").repeated(250));
    EXPECT_EQ(sql.count(QLatin1String("zaq_plus(")), 3);
    EXPECT_EQ(sql.count(QLatin1Char('1')), 251);
}

TEST(Translator, ReportsBrokenTextAsASyntaxError)
{
    for (const char* bad : { "select 'unclosed from t", "select (a from t", "select a) from t" }) {
        try {
            translateTsql(QString::fromUtf8(bad));
            ADD_FAILURE() << "accepted: " << bad;
        } catch (const DbError& e) {
            EXPECT_FALSE(e.message().contains(QLatin1String("Not supported"))) << bad;
        }
    }
}

TEST(Translator, StatementsCutShortAreErrors)
{
    // Cut anywhere: an error, never a read past the last token.
    for (const char* bad : { "create table", "create table t", "create table t (", "create table dbo.", "create table t (a", "alter table",
             "alter table t", "alter table t add", "alter table t drop column", "truncate", "truncate table", "if", "if exists", "if exists (",
             "if exists (select 1) begin", "declare", "declare @x", "declare @x int =", "declare @x int select @x =", "begin", "begin select 1",
             "select cast(", "select cast(1 as", "select cast(1 as varchar(", "select convert(", "select convert(int", "select top", "select top (",
             "select case", "select case when 1 then", "select a.", "insert into t (a) values (", "select 1 from t where a like", "select x(", "select -" }) {
        EXPECT_THROW(translateTsql(QString::fromUtf8(bad)), DbError) << bad;
    }
}

} // namespace
