-- Demo site: groups, users, companies, databases of {YEAR} and {PREV}, the menu and the rights.
-- {YEAR} and {PREV} are replaced by the site tool with this year and the year before.
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, CanSetOtherUserPass, EditSalePrice, CanSeeCost)
Values ('ADMIN', 'ผู้ดูแลระบบ', 'Y', 'Y', 1, 'Y', 'Y', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, CanSetOtherUserPass, EditSalePrice)
Values ('SALES', 'ฝ่ายขาย', 'Y', 'Y', 1, 'N', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, CanSetOtherUserPass, POS_USER)
Values ('SHOP', 'พนักงานหน้าร้าน', 'Y', 'Y', 1, 'N', 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, AddDate, EditDate)
Select 'SOMCHAI', 'สมชาย ใจดี', 'N', 'Y', 1, Cast('1234' As VarBinary(Max)), Id, GetDate(), GetDate() From UserName Where Code = 'ADMIN'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, AddDate, EditDate)
Select 'JOHN', 'John Smith', 'N', 'Y', 2, Cast('john' As VarBinary(Max)), Id, GetDate(), GetDate() From UserName Where Code = 'SALES'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, AddDate, EditDate)
Select 'MALEE', 'มาลี รักงาน', 'N', 'Y', 1, Cast('malee' As VarBinary(Max)), Id, GetDate(), GetDate() From UserName Where Code = 'SALES'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, AddDate, EditDate)
Select 'OLDUSER', 'พนักงานที่ลาออก', 'N', 'N', 1, Cast('old' As VarBinary(Max)), Id, GetDate(), GetDate() From UserName Where Code = 'SALES'
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, POS_USER, AddDate, EditDate)
Select 'CASHIER', 'แคชเชียร์ หน้าร้าน', 'N', 'Y', 1, Cast('pos' As VarBinary(Max)), Id, 'Y', GetDate(), GetDate() From UserName Where Code = 'SHOP'
/
Insert Into Company (Code, NameThai, NameEng, ShortName, Address1, Address2, Province, Zip, TaxNo, RunYear, LocalServer, TaxBranchHead, TaxBranchCode)
Values ('QLN', 'บริษัท คิวแอลเอ็น เทรดดิ้ง จำกัด', 'QLN Trading Co., Ltd.', 'QLN', '99 ถนนพระราม 4', 'แขวงคลองเตย เขตคลองเตย', 'กรุงเทพมหานคร', '10110', '0105550000001', {YEAR}, 'Y', 'Y', '00000')
/
Insert Into Company (Code, NameThai, NameEng, ShortName, Address1, Province, Zip, TaxNo, RunYear, LocalServer)
Values ('SIAM', 'บริษัท สยาม ฟู้ดส์ จำกัด', 'Siam Foods Co., Ltd.', 'SIAM FOODS', '12 ถนนนิมมานเหมินท์', 'เชียงใหม่', '50200', '0505550000002', {YEAR}, 'Y')
/
Insert Into Company (Code, NameThai, NameEng, ShortName, Province, RunYear, LocalServer)
Values ('REMOTE', 'บริษัท สาขาต่างจังหวัด จำกัด', 'Upcountry Branch Co., Ltd.', 'REMOTE', 'ขอนแก่น', {YEAR}, 'N')
/
Insert Into CompanyConfig (Company, PicturePath, DefaultWh, POS1_Wh, POS1_TaxCode, POS1_PriceType, POS1_SumDetail, DefaultTax, DefaultPosMenuId)
Select Id, '', 1, 1, 'V7', 1, 'N', 7, 30100000 From Company
/
Insert Into DatabaseType (Id, Description) Values (1, 'บัญชีและการขาย (Main)')
/
Insert Into DatabaseType (Id, Description) Values (2, 'การผลิต (Manufacturing)')
/
-- Each database is described by its company and its type, as a real site's are, so that the
-- assignment screen's choice (year - description) tells them apart.
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, ServerName, SetDocYear)
Select {YEAR}, Id, 1, 'QLN Trading - Accounting {YEAR}', 'QLN{YEAR}', '', 'Y' From Company Where Code = 'QLN'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, ServerName, SetDocYear)
Select {YEAR}, Id, 2, 'QLN Trading - Manufacturing {YEAR}', 'QLNMFG{YEAR}', '', 'Y' From Company Where Code = 'QLN'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, ServerName, SetDocYear)
Select {PREV}, Id, 1, 'QLN Trading - Accounting {PREV}', 'QLN{PREV}', '', 'Y' From Company Where Code = 'QLN'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, ServerName, SetDocYear)
Select {YEAR}, Id, 1, 'Siam Foods - Accounting {YEAR} (ยังไม่กำหนดเลขที่เอกสาร)', 'SIAM{YEAR}', '', 'N' From Company Where Code = 'SIAM'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, ServerName, SetDocYear)
Select {PREV}, Id, 1, 'Siam Foods - Accounting {PREV}', 'SIAM{PREV}', '', 'Y' From Company Where Code = 'SIAM'
/
Insert Into DatabaseList (YearNo, Company, DatabaseType, Description, DatabaseName, ServerName, SetDocYear)
Select {YEAR}, Id, 1, 'Upcountry Branch - Accounting {YEAR}', 'REMOTE{YEAR}', '', 'Y' From Company Where Code = 'REMOTE'
/
Insert Into Branch (BranchNo, ServerName) Values (1, 'QLN{YEAR}')
/
Insert Into Branch (BranchNo, ServerName) Values (2, 'SIAM{YEAR}')
/
Insert Into Branch (BranchNo, ServerName) Values (3, 'QLN{PREV}')
/
Insert Into Branch (BranchNo, ServerName) Values (4, 'SIAM{PREV}')
/
-- The logon offers a company's year under the description of its first database: the main one.
Insert Into Branch (BranchNo, ServerName) Values (5, 'QLNMFG{YEAR}')
/
-- SOMCHAI works in both companies and both years; JOHN and MALEE in QLN this year;
-- the cashier in SIAM; every user is also assigned the REMOTE company, which is never offered.
Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)
Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L
Where U.Code In ('SOMCHAI', 'ZAQ')
/
Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)
Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L
Where U.Code In ('JOHN', 'MALEE', 'OLDUSER') And L.DatabaseName In ('QLN{YEAR}', 'QLNMFG{YEAR}', 'REMOTE{YEAR}')
/
Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)
Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L
Where U.Code = 'CASHIER' And L.DatabaseName = 'SIAM{YEAR}'
/
Update softwareconfig Set LastVersion = '1.0.0', HostApplication = '', CheckExe = 'N', UseTablet = 'Y'
/
