#include "logonfixture.h"

namespace LogonFixture {

void build(const FixtureSite& site)
{
    site.config(QStringLiteral(R"(
Insert Into UserName (Code, FullName, IsDepartment, Active, CanSetOtherUserPass) Values ('ADMIN', 'ผู้ดูแล', 'Y', 'Y', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active, CanSetOtherUserPass) Values ('SALES', 'ฝ่ายขาย', 'Y', 'Y', 'N')
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, CanSetOtherUserPass)
Select 'ANN', 'แอน ทดสอบ', 'N', 'Y', 1, Cast('ann1' As VarBinary(Max)), Id, 'N' From UserName Where Code = 'ADMIN'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, POS_USER)
Select 'BOB', '  Bob Brown  ', 'N', 'Y', 2, Cast('bob' As VarBinary(Max)), Id, 'N' From UserName Where Code = 'SALES'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, POS_USER)
Select 'CASH', 'Cashier', 'N', 'Y', 1, Cast('cash' As VarBinary(Max)), Id, 'Y' From UserName Where Code = 'SALES'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId)
Select 'OLD', 'Old', 'N', 'N', 1, Cast('old' As VarBinary(Max)), Id From UserName Where Code = 'SALES'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId)
Select 'NULLPW', 'No Password', 'N', 'Y', 1, Null, Id From UserName Where Code = 'SALES'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId)
Select 'BLANK', 'Blank', 'N', 'Y', 1, Cast('pw ' As VarBinary(Max)), Id From UserName Where Code = 'SALES'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId)
Select 'PREV', 'Previous', 'N', 'Y', 1, Cast('prev' As VarBinary(Max)), Id From UserName Where Code = 'SALES'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, CanSetOtherUserPass)
Values ('NOGRP', 'No Group', 'N', 'Y', 2, Cast('nogrp' As VarBinary(Max)), Null, 'Y')
/
Insert Into Company (Code, NameThai, ShortName, LocalServer) Values ('AAA', 'บริษัท เอ จำกัด', ' A Co ', 'Y')
/
Insert Into Company (Code, NameThai, ShortName, LocalServer) Values ('BBB', 'บริษัท บี จำกัด', 'B Co', 'Y')
/
Insert Into Company (Code, NameThai, ShortName, LocalServer) Values ('CCC', 'บริษัท ซี จำกัด', 'C Co', 'N')
/
Insert Into Company (Code, NameThai, ShortName, LocalServer) Values ('DDD', 'บริษัท ดี จำกัด', 'D Co', 'Y')
/
Insert Into CompanyConfig (Company, DefaultPosMenuId) Select Id, 30100000 From Company Where Code In ('AAA', 'BBB', 'CCC')
/
Insert Into Menu (Id, Parent, OrderNo, Description, DescEnglish, Command, MenuOption) Values (30100000, 30000000, 5, 'ขายหน้าร้าน', 'POS', 'ZAQPOS.EXE', ' POS1 ')
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, SetDocYear) Select 2026, Id, 1, ' Year 2026 ', 'A2026', 'Y' From Company Where Code = 'AAA'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, SetDocYear) Select 2026, Id, 2, 'Year 2026', 'AMFG2026', 'Y' From Company Where Code = 'AAA'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, SetDocYear) Select 2025, Id, 1, 'Year 2025', 'A2025', 'Y' From Company Where Code = 'AAA'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, SetDocYear) Select 2026, Id, 1, 'Year 2026', 'B2026', 'N' From Company Where Code = 'BBB'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, SetDocYear) Select 2026, Id, 1, 'Year 2026', 'C2026', 'Y' From Company Where Code = 'CCC'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, SetDocYear) Select 2026, Id, 1, 'Year 2026', 'D2026', 'Y' From Company Where Code = 'DDD'
/
Insert Into Branch (BranchNo, ServerName) Values (2, 'A2026')
/
Insert Into Branch (BranchNo, ServerName) Values (1, 'B2026')
/
Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)
Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L Where U.Code = 'ANN'
/
Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)
Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L
Where U.Code In ('BOB', 'CASH', 'NULLPW', 'BLANK') And L.DatabaseName In ('A2026', 'AMFG2026', 'C2026')
/
Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)
Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L Where U.Code = 'PREV' And L.DatabaseName = 'A2025'
/
Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)
Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L Where U.Code = 'NOGRP' And L.DatabaseName = 'D2026'
/)"));
    site.writeFile(QStringLiteral("ZaqVersion.Dat"), "1.0.0\n");
    const struct
    {
        const char* name;
        int year;
        int post;
        int close;
    } dbs[] = { { "A2026", 2026, 7, 3 }, { "AMFG2026", 2026, 0, 0 }, { "A2025", 2025, 900, 12 }, { "B2026", 2026, 1, 0 }, { "D2026", 2026, 0, 0 } };
    for (const auto& db : dbs) {
        Site::createCompanyDatabase(site.serverFolder(), QLatin1String(db.name));
        site.run(QLatin1String(db.name),
            QStringLiteral("Insert Into config (Runyear) Values (%1)\n/\nInsert Into zaqmfgconfig (lastupdate) Values (' 2026-11-30 ')\n/\n"
                           "Insert Into CloseGLHistory (year, LastPost, LastCloseMonth) Values (%1, %2, %3)\n/")
                .arg(db.year)
                .arg(db.post)
                .arg(db.close));
    }
}

int userId(const FixtureSite& site, const QString& code)
{
    return site.configScalar(QStringLiteral("select Id from UserName where Code = '%1'").arg(code)).toInt();
}

} // namespace LogonFixture
