#include "config/sqlcatalogue.h"

namespace Sql {

const QStringList QChkConfig = {
    QStringLiteral("Select * From SysDatabases Where Name = 'ZAQ_Config_QLN'"),
};

const QStringList QSoftware = {
    QStringLiteral("select *"),
    QStringLiteral("from softwareconfig"),
};

const QStringList SQLUpdate = {
    QStringLiteral("If (Not Exists(Select Name From SysColumns"),
    QStringLiteral("Where Id = (Select Id From SysObjects Where Ltrim(Rtrim(Upper(Name))) = 'MENU') And"),
    QStringLiteral("Ltrim(Rtrim(Upper(Name)))='VERSION'))"),
    QStringLiteral("Begin"),
    QStringLiteral("Alter Table Menu Add Version Integer"),
    QStringLiteral("End"),
    QStringLiteral("/"),
    QStringLiteral("Update Menu Set Version = 3 Where Version Is Null And Command Is Not Null"),
    QStringLiteral("/"),
    QStringLiteral("If Not Exists(select Id From SysColumns Where Name = 'UserSeeImport' And Id = (Select Id From SysObjects Where Name = 'UserName'))"),
    QStringLiteral("Alter Table UserName Add UserSeeImport Char(1)"),
    QStringLiteral("/"),
    QStringLiteral("If Not Exists(select Id From SysColumns Where Name = 'UserSeeCost' And Id = (Select Id From SysObjects Where Name = 'UserName'))"),
    QStringLiteral("Alter Table UserName Add UserSeeCost Char(1)"),
    QStringLiteral("/"),
};

const QStringList QCompanyConfig = {
    QStringLiteral("SELECT C.Company, C.PicturePath, C.Public_Price_IE, C.DefaultWh,"),
    QStringLiteral("  C.POS1_Wh, C.POS1_TaxCode, C.POS1_Price_IE, C.POS1_PriceType,"),
    QStringLiteral("  C.POS1_SumDetail, C.DefaultPosComPort,C.DefaultTax,"),
    QStringLiteral("  C.DefaultPosMenuId,M.Command,M.MenuOption,"),
    QStringLiteral("  O.Description, O.YearNo,"),
    QStringLiteral("  P.Id, P.Code, P.Password, P.NameThai, P.NameEng, P.ShortName,"),
    QStringLiteral("  P.Address1, P.Address2, P.Address3, P.Address4, P.Province, P.Zip,"),
    QStringLiteral("  P.Telephone, P.Fax, P.EMail, P.Logo, P.TaxNo, P.InstallDate, P.RunYear,"),
    QStringLiteral("  P.LocalServer,P.FUNDNAME, P.TaxBranchHead, P.TaxBranchCode, P.TaxBranchName"),
    QStringLiteral("FROM CompanyConfig C"),
    QStringLiteral("Inner Join DatabaseList O On (O.Company = C.Company) "),
    QStringLiteral("Inner Join Company P On (P.Id = O.Company)"),
    QStringLiteral("Left Outer Join Menu M On (M.Id = C.DefaultPosMenuId)"),
    QStringLiteral("Where (O.DatabaseName = :GetName)"),
};

const QStringList QUser = {
    QStringLiteral("select Code, fullname,languageno,EditSalePrice,Approve_Quo,Approve_SO,Approve_IV,Approve_PO, Approved_PORQ,"),
    QStringLiteral("       ApproveTranWH,ApproveTranBranch,ApproveWorkOrder,CanSeeCost,CanSeeSalePrice,CanModifyCusSale,"),
    QStringLiteral("       Approve_PreIs, CanModifyCusSale, ApproveCustomerDropUse, ApproveCustomerDropCredit, Saleman,"),
    QStringLiteral("       CanModifyCredit, CanSetProductBlock, CanSetProductMinus, CanSaleCreditOnReturnCheque, UserSeeImport, UserSeeCost,CanSetOtherUserPass ,"),
    QStringLiteral("       coalesce(Approve_PoLevel1,'N')Approve_PoLevel1 ,"),
    QStringLiteral("       coalesce(Approve_PoLevel2,'N')Approve_PoLevel2 ,"),
    QStringLiteral("       coalesce(Approve_PoLevel3,'N')Approve_PoLevel3 ,"),
    QStringLiteral("       GroupId"),
    QStringLiteral("from  username"),
    QStringLiteral("where id=:uid"),
};

const QStringList QError = {
    QStringLiteral("select u.code,m.description,errordate,errormsg"),
    QStringLiteral("from errorlog e"),
    QStringLiteral("inner join menu m on m.id=e.menu"),
    QStringLiteral("inner join username u on u.id=e.username"),
    QStringLiteral("order by errordate desc"),
};

const QStringList WritePasswordNew = {
    QStringLiteral("declare @str varchar(max) declare @bin varbinary(max) select @bin=CAST(:st AS VARBINARY(MAX)) update username set PasswordNew=@bin where code=:code "),
};

const QStringList qconfig = {
    QStringLiteral("select c.*,  (select lastupdate from zaqmfgconfig) lastupdate"),
    QStringLiteral("from config c"),
};

const QStringList QAccount = {
    QStringLiteral("select * from CloseGLHistory where year=:inputyear"),
};

namespace {
const QString kDepartmentThai = QStringLiteral("SELECT M.ID, LTrim(RTrim(M.DESCRIPTION)) + ' ' + LTrim(RTrim(M.DescEnglish)) DESCRIPTION, M.PARENT, M.ORDERNO, M.COMMAND,");
const QString kDepartmentEnglish = QStringLiteral("SELECT M.ID, DescEnglish DESCRIPTION, M.PARENT, M.ORDERNO, M.COMMAND,");
const QStringList kDepartmentRest = {
    QStringLiteral("  M.MENUOPTION, M.MENUHINT,"),
    QStringLiteral("  U.FULLNAME,"),
    QStringLiteral("  R.ADDRIGHT, R.MODIFYRIGHT, R.DELETERIGHT"),
    QStringLiteral("FROM USERRIGHT R"),
    QStringLiteral("INNER JOIN MENU M ON (M.ID = R.MENU)"),
    QStringLiteral("INNER JOIN USERNAME U ON (U.GroupId = R.USERNAME)"),
    QStringLiteral("WHERE (U.ID = :LOGONID) AND (M.PARENT = 0)"),
    QStringLiteral("Order By M.OrderNo"),
};
const QString kTreeThai = QStringLiteral("SELECT M.ID, LTrim(RTrim(M.DESCRIPTION)) + ' ' + LTrim(RTrim(M.DescEnglish)) DESCRIPTION, M.PARENT, M.ORDERNO,");
const QString kTreeEnglish = QStringLiteral("SELECT M.ID, M.DescEnglish DESCRIPTION, M.PARENT, M.ORDERNO,");
const QStringList kTreeRest = {
    QStringLiteral("  M.DATABASETYPE, M.COMMAND, M.MENUOPTION,M.MENUHINT,M.VERSION,"),
    QStringLiteral("  U.FULLNAME,"),
    QStringLiteral("  R.ADDRIGHT, R.MODIFYRIGHT, R.DELETERIGHT"),
    QStringLiteral("FROM USERRIGHT R"),
    QStringLiteral("INNER JOIN MENU M ON (M.ID = R.MENU)"),
    QStringLiteral("INNER JOIN USERNAME U ON (U.GROUPID = R.USERNAME)"),
    QStringLiteral("WHERE  (U.ID = :LOGONID)"),
    QStringLiteral("ORDER BY M.ORDERNO"),
};
} // namespace

const QStringList QDepartmentRightThai = QStringList { kDepartmentThai } + kDepartmentRest;
const QStringList QDepartmentRightEnglish = QStringList { kDepartmentEnglish } + kDepartmentRest;
const QStringList QTreeMenuThai = QStringList { kTreeThai } + kTreeRest;
const QStringList QTreeMenuEnglish = QStringList { kTreeEnglish } + kTreeRest;

const QStringList QChkFieldSetDocYear = {
    QStringLiteral("Select Name From SysColumns"),
    QStringLiteral("Where Id = (Select Id From SysObjects"),
    QStringLiteral("            Where Ltrim(Rtrim(Upper(Name))) = 'DATABASELIST') And"),
    QStringLiteral("                  Ltrim(Rtrim(Upper(Name)))='SETDOCYEAR'"),
};

const QStringList SQLAlter = {
    QStringLiteral("Alter Table Databaselist Add SetDocYear Char"),
    QStringLiteral("/"),
    QStringLiteral("Update Databaselist Set SetDocYear = 'Y'"),
    QStringLiteral("/"),
};

const QStringList QChkSetDocYear = {
    QStringLiteral("Select Top 1 Coalesce(SetDocYear, 'N') SetDocYear"),
    QStringLiteral("From Databaselist"),
    QStringLiteral("Where (YearNo = :GetYear) And(Upper(LTrim(RTrim(DatabaseName))) = :GetDataName)"),
};

const QStringList Query1 = {
    QStringLiteral("select * from softwareconfig"),
};

const QStringList QLogon = {
    QStringLiteral("SELECT ID, CODE, PASSWORD, FULLNAME, PASSWORDNEW,"),
    QStringLiteral("  POS_USER, EDITSALEPRICE, SALEMAN,LANGUAGENO"),
    QStringLiteral("FROM USERNAME"),
    QStringLiteral("WHERE (CODE = :LOGONUSER) AND (ACTIVE = 'Y') And (IsDepartment = 'N')"),
};

const QStringList QCompList = {
    QStringLiteral("SELECT U.UserName UserId, U.DatabaseType,"),
    QStringLiteral("N.POS_User, N.EditSalePrice, N.Code UserCode, N.FullName UserFullName,"),
    QStringLiteral("O.Id DatabaseList, O.YearNo, O.Company, O.Description, O.DatabaseName,O.ServerName,"),
    QStringLiteral("C.Id CompanyId, C.Code, C.Password, C.NameThai, C.NameEng, C.ShortName, C.RunYear"),
    QStringLiteral("FROM UserCompany U"),
    QStringLiteral("Inner Join UserName N On (U.UserName = N.Id) And (U.UserName = :GetUser)"),
    QStringLiteral("Inner Join DatabaseList O On (U.DataBaseList = O.Id) And (O.YearNo = :GetYear)"),
    QStringLiteral("Inner Join Company C On (C.Id = O.Company) And (C.LocalServer = 'Y')"),
    QStringLiteral("Group By U.UserName, U.DatabaseType,"),
    QStringLiteral("         N.POS_User, N.EditSalePrice, N.Code, N.FullName,"),
    QStringLiteral("         O.Id, O.YearNo, O.Company, O.Description, O.DatabaseName,O.ServerName,"),
    QStringLiteral("         C.Id, C.Code, C.Password, C.NameThai, C.NameEng, C.ShortName, C.RunYear"),
    QStringLiteral("Order By (Select BranchNo From Branch Where  ServerName = O.DatabaseName), C.Code,O.YearNo,U.DatabaseType"),
};

const QStringList QSearch = {
    QStringLiteral("select code,fullname,active"),
    QStringLiteral("from username"),
    QStringLiteral("where (code <> 'ZAQ') And"),
    QStringLiteral("      (code <> 'ZAQSYSTEM') And"),
    QStringLiteral("      (code like :getname or  fullname like :getname) And"),
    QStringLiteral("      (isDepartment = :isDepartment)"),
    QStringLiteral("order by code"),
};

const QList<Entry>& catalogue()
{
    static const QList<Entry> entries = {
        { "QChkConfig", Target::Master, Kind::Select, &QChkConfig },
        { "QSoftware", Target::Config, Kind::Select, &QSoftware },
        { "SQLUpdate", Target::Config, Kind::Script, &SQLUpdate },
        { "QCompanyConfig", Target::Config, Kind::Select, &QCompanyConfig },
        { "QUser", Target::Config, Kind::Select, &QUser },
        { "QError", Target::Config, Kind::Select, &QError },
        { "WritePasswordNew", Target::Config, Kind::Execute, &WritePasswordNew },
        { "QLogon", Target::Config, Kind::Select, &QLogon },
        { "QCompList", Target::Config, Kind::Select, &QCompList },
        { "QSearch", Target::Config, Kind::Select, &QSearch },
        { "qconfig", Target::Company, Kind::Select, &qconfig },
        { "QDepartmentRightThai", Target::Config, Kind::Select, &QDepartmentRightThai },
        { "QDepartmentRightEnglish", Target::Config, Kind::Select, &QDepartmentRightEnglish },
        { "QTreeMenuThai", Target::Config, Kind::Select, &QTreeMenuThai },
        { "QTreeMenuEnglish", Target::Config, Kind::Select, &QTreeMenuEnglish },
        { "QChkFieldSetDocYear", Target::Config, Kind::Select, &QChkFieldSetDocYear },
        { "QChkSetDocYear", Target::Config, Kind::Select, &QChkSetDocYear },
        { "Query1", Target::Config, Kind::Select, &Query1 },
        { "QAccount", Target::Company, Kind::Select, &QAccount },
        { "SQLAlter", Target::Config, Kind::Script, &SQLAlter }, // last: it changes the database list
    };
    return entries;
}

} // namespace Sql
