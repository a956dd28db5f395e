#include "rightssite.h"

#include "db/connection.h"
#include "db/query.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

namespace RightsSite {

void build(const FixtureSite& site)
{
    site.config(QStringLiteral(R"(
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('ADMIN', 'ผู้ดูแลระบบ', 'Y', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('SALES', 'ฝ่ายขาย', 'Y', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('ACCT', 'ฝ่ายบัญชี', 'Y', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('ZAQ', 'กลุ่มต้นแบบ', 'Y', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active) Values ('OLDGRP', 'กลุ่มเก่า', 'Y', 'N')
/
Insert Into UserName (Code, FullName, IsDepartment, Active, GroupId) Select 'SOMCHAI', 'สมชาย ใจดี', 'N', 'Y', Id From UserName Where Code = 'ADMIN'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, GroupId) Select 'JOHN', 'John Smith', 'N', 'Y', Id From UserName Where Code = 'SALES'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, GroupId) Select 'OLDUSER', 'ลาออกแล้ว', 'N', 'N', Id From UserName Where Code = 'SALES'
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish) Values (122, 120, 5, 2, 'รายเดือน', 'Monthly')
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish) Values (100, 0, 10, 0, 'ขาย', 'Sales')
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish) Values (110, 100, 20, 1, 'ใบเสนอราคา', 'Quotation')
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish) Values (120, 100, 30, 1, 'รายงาน', 'Reports')
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish) Values (121, 120, 40, 2, 'รายวัน', 'Daily')
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish) Values (200, 0, 50, 0, 'บัญชี', 'Accounting')
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish) Values (210, 200, 60, 1, 'สมุดรายวัน', 'Journal')
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish) Values (300, 301, 70, 0, 'วน ก', 'Loop A')
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish) Values (301, 300, 80, 1, 'วน ข', 'Loop B')
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish) Values (400, 0, 90, 0, 'ลับ', 'Secret')
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'Y', 'Y', 'Y' From UserName G, Menu M Where G.Code = 'ADMIN' And M.Id <> 400
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'Y', 'Y', 'Y' From UserName G, Menu M Where G.Code = 'ZAQSYSTEM'
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select Id, 110, 'Y', 'Y', 'N', 'N' From UserName Where Code = 'SALES'
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'N', 'N', 'N' From UserName G, Menu M Where G.Code = 'ACCT' And M.Id In (200, 210)
/
Insert Into Company (Code, NameThai, ShortName, LocalServer) Values ('AAA', 'บริษัท เอ จำกัด', 'A', 'Y')
/
Insert Into Company (Code, NameThai, ShortName, LocalServer) Values ('BBB', 'บริษัท บี จำกัด', 'B', 'Y')
/
Insert Into DatabaseType (Id, Description) Values (1, 'Main')
/
Insert Into DatabaseType (Id, Description) Values (2, 'Manufacturing')
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName) Select 2025, Id, 1, 'A ปี 2025', 'A2025' From Company Where Code = 'AAA'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName) Select 2026, Id, 2, 'A MFG 2026', 'AMFG2026' From Company Where Code = 'AAA'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName) Select 2026, Id, 1, 'B ปี 2026', 'B2026' From Company Where Code = 'BBB'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName) Select 2026, Id, 1, 'A ปี 2026', 'A2026' From Company Where Code = 'AAA'
/
Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)
Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L Where U.Code = 'JOHN' And L.DatabaseName = 'A2026'
/)"));
}

int id(const FixtureSite& site, const QString& code)
{
    return site.configScalar(QStringLiteral("select Id from UserName where Code = '%1'").arg(code)).toInt();
}

QStringList rightsOf(const FixtureSite& site, const QString& groupCode)
{
    Connection c(QStringLiteral("rights"));
    c.profile().add(site.configProfile());
    Query q(&c,
        { QStringLiteral("select R.Menu, R.AccessRight, R.AddRight, R.ModifyRight, R.DeleteRight from UserRight R"),
            QStringLiteral("inner join UserName G on G.Id = R.UserName where G.Code = :Code and G.IsDepartment = 'Y' order by R.Menu") });
    q.setParam(QStringLiteral("Code"), groupCode);
    QStringList rows;
    for (q.open(); !q.eof(); q.next()) {
        rows.append(q.field(0).asString() + QLatin1Char(':') + q.field(1).asString() + q.field(2).asString()
            + q.field(3).asString() + q.field(4).asString());
    }
    return rows;
}

void failInserts(const FixtureSite& site, const QString& table, const QString& condition)
{
    const QString name = QStringLiteral("inject");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(site.serverFolder() + QStringLiteral("/ZAQ_CONFIG.sqlite"));
        if (!db.open())
            throw std::runtime_error("cannot open the configuration file");
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("CREATE TRIGGER inject_failure BEFORE INSERT ON %1 WHEN %2 BEGIN SELECT RAISE(ABORT, 'the disk is full'); END")
                        .arg(table, condition)))
            throw std::runtime_error(q.lastError().text().toStdString());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace RightsSite
