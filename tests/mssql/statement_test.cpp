#include "config/sqlcatalogue.h"
#include "db/dberror.h"
#include "db/params.h"
#include "db/mssql/statement.h"

#include <gtest/gtest.h>

namespace {

TEST(OdbcStatement, replacesParametersOnlyOutsideLiteralsNamesAndComments)
{
    struct Case
    {
        const char* tsql;
        const char* odbc;
        QStringList names;
    };
    const Case cases[] = {
        { "select * from t where a = :Id or b = :id", "select * from t where a = ? or b = ?", { "ID", "ID" } },
        { "where x = ':no' and y = N'it'':s :no' and z = :Yes", "where x = ':no' and y = N'it'':s :no' and z = ?", { "YES" } },
        { "select [a:b], \"c:d\" -- :comment\nfrom t /* :block */ where e=:E", "select [a:b], \"c:d\" -- :comment\nfrom t /* :block */ where e=?", { "E" } },
        { "update username set PasswordNew=@bin where code=:code ", "update username set PasswordNew=@bin where code=? ", { "CODE" } },
        { "select 'ภาษาไทย' Caption, :Uid", "select 'ภาษาไทย' Caption, ?", { "UID" } },
        { "select 1", "select 1", {} },
    };
    for (const Case& c : cases) {
        const OdbcStatement st = odbcStatement(QString::fromUtf8(c.tsql));
        EXPECT_EQ(st.text().toStdString(), c.odbc);
        EXPECT_EQ(st.names, c.names) << c.tsql;
    }
}

TEST(OdbcStatement, everyStatementOfTheProgramKeepsItsTextAroundTheMarkers)
{
    for (const Sql::Entry& e : Sql::catalogue()) {
        const QString tsql = e.lines->join(QLatin1Char('\n'));
        const OdbcStatement st = odbcStatement(tsql);
        QStringList distinct;
        for (const QString& n : st.names) {
            if (!distinct.contains(n))
                distinct.append(n);
        }
        EXPECT_EQ(distinct, parameterNames(tsql)) << e.name;
        // Putting the names back gives the program's text again, character for character.
        EXPECT_EQ(st.text([&](int i) -> QString { return QLatin1Char(':') + st.names.at(i); }).toUpper().toStdString(), tsql.toUpper().toStdString()) << e.name;
    }
}

TEST(OdbcStatement, refusesAnUnterminatedLiteral)
{
    EXPECT_THROW(odbcStatement(QStringLiteral("select * from t where a = :A and b = 'open")), DbError);
}

TEST(ReadOnlyStatement, letsQueriesAndProbesThroughAndStopsEveryWrite)
{
    struct Case
    {
        const char* tsql;
        bool readOnly;
    };
    const Case cases[] = {
        { "Select * From SysDatabases Where Name = 'ZAQ_Config_QLN'", true },
        { "select Code from UserName where Remark = 'delete me' and Id = :Id", true },
        { "If Exists(Select Id From SysObjects Where Name = 'Menu') Select 1 Else Select 0", true },
        { "declare @v int select @v = Count(*) From Menu select @v", true },
        { "SET DATEFORMAT dmy", true },
        { "(select 1) union (select 2)", true },
        { "If Not Exists(Select Id From SysColumns Where Name = 'UserSeeCost')\nAlter Table UserName Add UserSeeCost Char(1)", false },
        { "insert into UserRight (UserName) values (:u)", false },
        { "Update Menu Set Version = 3", false },
        { "delete from UserCompany where Id = :OLD_Id", false },
        { "select * into Backup1 from UserName", false },
        { "with c as (select Id from Menu) delete from Menu where Id in (select Id from c)", false },
        { "exec DeleteUser 5", false },
        { "DeleteUser 5", false },
        { "begin tran select 1", false },
        { "select 'unterminated", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(isReadOnlyStatement(QString::fromUtf8(c.tsql)), c.readOnly) << c.tsql;
}

} // namespace
