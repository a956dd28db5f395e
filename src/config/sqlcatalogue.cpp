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

const QStringList QRightsGroup = {
    QStringLiteral("SELECT ID, CODE,FULLNAME,Active"),
    QStringLiteral("FROM USERNAME"),
    QStringLiteral("Where (Code = :GetUser) And (isDepartment = :isDepartment)"),
};

namespace {
const QString kRightsThai = QStringLiteral("SELECT M.Id, space(m.menulevel*3)+M.Description Description, M.Parent, M.OrderNo,");
const QString kRightsEnglish = QStringLiteral("SELECT M.Id, space(m.menulevel*3)+M.DescEnglish Description, M.Parent, M.OrderNo,");
const QStringList kRightsColumns = {
    QStringLiteral("R.Menu MenuRight, Coalesce(R.AccessRight,'N') AccessRight,Coalesce(R.AddRight,'N') AddRight,"),
    QStringLiteral("Coalesce(R.ModifyRight,'N') ModifyRight, Coalesce(R.DeleteRight,'N') DeleteRight,M.MenuLevel"),
    QStringLiteral("FROM Menu M"),
};
const QStringList kRightsOfAdministrator = {
    QStringLiteral("Left Join UserRight R On (R.Menu = M.Id) And (R.UserName = :GetId)"),
    QStringLiteral("Where M.Id in (select Menu from userright where username=:masterid)"),
    QStringLiteral("Order By M.OrderNo"),
};
const QStringList kRightsOfEveryEntry = {
    QStringLiteral("Left Outer Join UserRight R On (R.Menu = M.Id) And (R.UserName = :GetId)"),
    QStringLiteral("Order By M.OrderNo"),
};
} // namespace

const QStringList QRightsThai = QStringList { kRightsThai } + kRightsColumns + kRightsOfAdministrator;
const QStringList QRightsEnglish = QStringList { kRightsEnglish } + kRightsColumns + kRightsOfAdministrator;
const QStringList QRightsAllThai = QStringList { kRightsThai } + kRightsColumns + kRightsOfEveryEntry;
const QStringList QRightsAllEnglish = QStringList { kRightsEnglish } + kRightsColumns + kRightsOfEveryEntry;

const QStringList& QRights(bool thai, bool allEntries)
{
    if (allEntries)
        return thai ? QRightsAllThai : QRightsAllEnglish;
    return thai ? QRightsThai : QRightsEnglish;
}

// Every parent link of the menu in one read: the rights cascade walks them in
// memory instead of asking for the children of each entry.
const QStringList QMenuParents = {
    QStringLiteral("Select Id, Parent"),
    QStringLiteral("From Menu"),
};

// Holds a group's row (and proves it is still there) for the length of a save.
const QStringList LockGroupRow = {
    QStringLiteral("Update UserName Set Code = Code Where (Id = :Id) And (isDepartment = 'Y')"),
};

const QStringList LockUserRow = {
    QStringLiteral("Update UserName Set Code = Code Where (Id = :Id) And (isDepartment = 'N')"),
};

// The rows of a group for the entries its rights grid lists when the grid is
// cut to the administrator's own group's entries.
const QStringList DeleteListedRights = {
    QStringLiteral("Delete From UserRight Where (UserName = :GetId) And Menu In (Select Menu From UserRight Where UserName = :MasterId)"),
};

const QStringList InsertUserRight = {
    QStringLiteral("insert into UserRight"),
    QStringLiteral("  (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)"),
    QStringLiteral("values"),
    QStringLiteral("  (:UserName, :Menu, :AccessRight, :AddRight, :ModifyRight, :DeleteRight)"),
};

const RowsInto UserRightRows = {
    QStringLiteral("UserRight"),
    { QStringLiteral("UserName"), QStringLiteral("Menu"), QStringLiteral("AccessRight"), QStringLiteral("AddRight"), QStringLiteral("ModifyRight"), QStringLiteral("DeleteRight") },
};

const QStringList QCopyRightGroups = {
    QStringLiteral("Select Id,Code,FullName"),
    QStringLiteral("From UserName"),
    QStringLiteral("Where Active='Y' And  Id <> :ToUser And isDepartment='Y'"),
    QStringLiteral("Order By Code"),
};

const QStringList QUserCompanyUser = {
    QStringLiteral("SELECT ID, CODE,FULLNAME,Active"),
    QStringLiteral("FROM USERNAME"),
    QStringLiteral("Where (Code = :GetUser) And (IsDepartment = 'N')"),
};

const QStringList QUserCompanyList = {
    QStringLiteral("SELECT N.Code, N.FullName, L.Description, L.DatabaseName, L.YearNo,"),
    QStringLiteral("  U.DatabaseList, U.Id, U.UserName, U.Company, U.DatabaseType"),
    QStringLiteral("FROM UserCompany U"),
    QStringLiteral("Inner Join UserName N On (U.UserName = N.Id)"),
    QStringLiteral("Inner Join DatabaseList L On (U.DatabaseList = L.Id)"),
    QStringLiteral("Where (N.Code = :GetCode)"),
    QStringLiteral("Order By U.Company, U.DatabaseType"),
};

const QStringList QAllDatabase = {
    QStringLiteral("SELECT L.Id, L.YearNo, L.Description, L.DatabaseName,"),
    QStringLiteral("  L.Company, L.DatabaseType, T.Description"),
    QStringLiteral("FROM DatabaseList L"),
    QStringLiteral("Inner Join DatabaseType T On (L.DatabaseType = T.Id)"),
    QStringLiteral("Order By L.YearNo Desc,L.Company, L.DatabaseType"),
};

const QStringList InsertUserCompany = {
    QStringLiteral("insert into UserCompany"),
    QStringLiteral("  (UserName, Company, DatabaseType, DatabaseList)"),
    QStringLiteral("values"),
    QStringLiteral("  (:UserName, :Company, :DatabaseType, :DatabaseList)"),
};

const RowsInto UserCompanyRows = {
    QStringLiteral("UserCompany"),
    { QStringLiteral("UserName"), QStringLiteral("Company"), QStringLiteral("DatabaseType"), QStringLiteral("DatabaseList") },
};

const QStringList DeleteUserCompany = {
    QStringLiteral("delete from UserCompany"),
    QStringLiteral("where"),
    QStringLiteral("  Id = :OLD_Id"),
};

// User and group screen. The record query's columns follow the privilege
// catalogue (a test holds the two together). PASSWORD is read as bytes: its
// scrambled characters may have any value, and a text conversion would lose
// some of them.
const QStringList QUserName = {
    QStringLiteral("Select ID, CODE, Cast(PASSWORD As VarBinary(11)) PASSWORD, FULLNAME, EDITSALEPRICE, POS_USER, SHIFTNO, SALEMAN,"),
    QStringLiteral("  ACTIVE, LANGUAGENO, APPROVE_QUO, APPROVE_SO, APPROVE_IV, APPROVE_PO, ApproveTranWH, ApproveTranBranch,"),
    QStringLiteral("  isPM, ApproveMinPrice, ApproveWorkOrder, CanSeeCost, CanSeeSalePrice, Approved_PoRQ, CanModifyCusSale, Approve_PreIs,"),
    QStringLiteral("  ApproveCustomerDropUse, ApproveCustomerDropCredit, Discount, CanModifyCredit, CanSetProductBlock, CanSetProductMinus, CanSaleCreditOnReturnCheque, PasswordTablet,"),
    QStringLiteral("  CusCodeTablet, Email, Remark, UserSeeImport, UserSeeCost, CanSetOtherUserPass, CanCancelPosItem, CanDropMoney,"),
    QStringLiteral("  CanClosePosShift, Approve_Promotion, Approve_CurrencyRate, Approve_ChangePrice, CanPosF3New, CanReprintMarkdown, Approve_PosEject, Approve_PosCashAudit,"),
    QStringLiteral("  Approve_AdjustStock, Approve_Posr, PoApproveLimitMin, PoApproveLimitMax, Web_Warehouse, Web_FiscalYear, Web_Management, Web_Sales,"),
    QStringLiteral("  Web_AccountFinance, Web_IT, Web_Audit, Web_SupplyChain, Web_SRD, Web_Setup, IsDepartment, GroupId,"),
    QStringLiteral("  Web_KeyIn, Web_BA, Web_Marketing, Web_Commercial, AppReActivePosShift, AddDate, EditDate"),
    QStringLiteral("From USERNAME"),
    QStringLiteral("Where (Code = :GetCode) And (isDepartment = :isDepartment)"),
};

const QStringList QUserNameInsert = {
    QStringLiteral("insert into USERNAME"),
    QStringLiteral("  (CODE, PASSWORD, FULLNAME, EDITSALEPRICE, POS_USER, SHIFTNO, SALEMAN, ACTIVE,"),
    QStringLiteral("   LANGUAGENO, APPROVE_QUO, APPROVE_SO, APPROVE_IV, APPROVE_PO, ApproveTranWH, ApproveTranBranch, isPM,"),
    QStringLiteral("   ApproveMinPrice, ApproveWorkOrder, CanSeeCost, CanSeeSalePrice, Approved_PoRQ, CanModifyCusSale, Approve_PreIs, ApproveCustomerDropUse,"),
    QStringLiteral("   ApproveCustomerDropCredit, Discount, CanModifyCredit, CanSetProductBlock, CanSetProductMinus, CanSaleCreditOnReturnCheque, PasswordTablet, CusCodeTablet,"),
    QStringLiteral("   Email, Remark, UserSeeImport, UserSeeCost, CanSetOtherUserPass, CanCancelPosItem, CanDropMoney, CanClosePosShift,"),
    QStringLiteral("   Approve_Promotion, Approve_CurrencyRate, Approve_ChangePrice, CanPosF3New, CanReprintMarkdown, Approve_PosEject, Approve_PosCashAudit, Approve_AdjustStock,"),
    QStringLiteral("   Approve_Posr, PoApproveLimitMin, PoApproveLimitMax, Web_Warehouse, Web_FiscalYear, Web_Management, Web_Sales, Web_AccountFinance,"),
    QStringLiteral("   Web_IT, Web_Audit, Web_SupplyChain, Web_SRD, Web_Setup, IsDepartment, GroupId, Web_KeyIn,"),
    QStringLiteral("   Web_BA, Web_Marketing, Web_Commercial, AppReActivePosShift, AddDate, EditDate)"),
    QStringLiteral("values"),
    QStringLiteral("  (:CODE, :PASSWORD, :FULLNAME, :EDITSALEPRICE, :POS_USER, :SHIFTNO, :SALEMAN, :ACTIVE,"),
    QStringLiteral("   :LANGUAGENO, :APPROVE_QUO, :APPROVE_SO, :APPROVE_IV, :APPROVE_PO, :ApproveTranWH, :ApproveTranBranch, :isPM,"),
    QStringLiteral("   :ApproveMinPrice, :ApproveWorkOrder, :CanSeeCost, :CanSeeSalePrice, :Approved_PoRQ, :CanModifyCusSale, :Approve_PreIs, :ApproveCustomerDropUse,"),
    QStringLiteral("   :ApproveCustomerDropCredit, :Discount, :CanModifyCredit, :CanSetProductBlock, :CanSetProductMinus, :CanSaleCreditOnReturnCheque, :PasswordTablet, :CusCodeTablet,"),
    QStringLiteral("   :Email, :Remark, :UserSeeImport, :UserSeeCost, :CanSetOtherUserPass, :CanCancelPosItem, :CanDropMoney, :CanClosePosShift,"),
    QStringLiteral("   :Approve_Promotion, :Approve_CurrencyRate, :Approve_ChangePrice, :CanPosF3New, :CanReprintMarkdown, :Approve_PosEject, :Approve_PosCashAudit, :Approve_AdjustStock,"),
    QStringLiteral("   :Approve_Posr, :PoApproveLimitMin, :PoApproveLimitMax, :Web_Warehouse, :Web_FiscalYear, :Web_Management, :Web_Sales, :Web_AccountFinance,"),
    QStringLiteral("   :Web_IT, :Web_Audit, :Web_SupplyChain, :Web_SRD, :Web_Setup, :IsDepartment, :GroupId, :Web_KeyIn,"),
    QStringLiteral("   :Web_BA, :Web_Marketing, :Web_Commercial, :AppReActivePosShift, :AddDate, :EditDate)"),
};

const QStringList QUserNameUpdate = {
    QStringLiteral("update USERNAME set"),
    QStringLiteral("  CODE = :CODE, PASSWORD = :PASSWORD, FULLNAME = :FULLNAME, EDITSALEPRICE = :EDITSALEPRICE,"),
    QStringLiteral("  POS_USER = :POS_USER, SHIFTNO = :SHIFTNO, SALEMAN = :SALEMAN, ACTIVE = :ACTIVE,"),
    QStringLiteral("  LANGUAGENO = :LANGUAGENO, APPROVE_QUO = :APPROVE_QUO, APPROVE_SO = :APPROVE_SO, APPROVE_IV = :APPROVE_IV,"),
    QStringLiteral("  APPROVE_PO = :APPROVE_PO, ApproveTranWH = :ApproveTranWH, ApproveTranBranch = :ApproveTranBranch, isPM = :isPM,"),
    QStringLiteral("  ApproveMinPrice = :ApproveMinPrice, ApproveWorkOrder = :ApproveWorkOrder, CanSeeCost = :CanSeeCost, CanSeeSalePrice = :CanSeeSalePrice,"),
    QStringLiteral("  Approved_PoRQ = :Approved_PoRQ, CanModifyCusSale = :CanModifyCusSale, Approve_PreIs = :Approve_PreIs, ApproveCustomerDropUse = :ApproveCustomerDropUse,"),
    QStringLiteral("  ApproveCustomerDropCredit = :ApproveCustomerDropCredit, Discount = :Discount, CanModifyCredit = :CanModifyCredit, CanSetProductBlock = :CanSetProductBlock,"),
    QStringLiteral("  CanSetProductMinus = :CanSetProductMinus, CanSaleCreditOnReturnCheque = :CanSaleCreditOnReturnCheque, PasswordTablet = :PasswordTablet, CusCodeTablet = :CusCodeTablet,"),
    QStringLiteral("  Email = :Email, Remark = :Remark, UserSeeImport = :UserSeeImport, UserSeeCost = :UserSeeCost,"),
    QStringLiteral("  CanSetOtherUserPass = :CanSetOtherUserPass, CanCancelPosItem = :CanCancelPosItem, CanDropMoney = :CanDropMoney, CanClosePosShift = :CanClosePosShift,"),
    QStringLiteral("  Approve_Promotion = :Approve_Promotion, Approve_CurrencyRate = :Approve_CurrencyRate, Approve_ChangePrice = :Approve_ChangePrice, CanPosF3New = :CanPosF3New,"),
    QStringLiteral("  CanReprintMarkdown = :CanReprintMarkdown, Approve_PosEject = :Approve_PosEject, Approve_PosCashAudit = :Approve_PosCashAudit, Approve_AdjustStock = :Approve_AdjustStock,"),
    QStringLiteral("  Approve_Posr = :Approve_Posr, PoApproveLimitMin = :PoApproveLimitMin, PoApproveLimitMax = :PoApproveLimitMax, Web_Warehouse = :Web_Warehouse,"),
    QStringLiteral("  Web_FiscalYear = :Web_FiscalYear, Web_Management = :Web_Management, Web_Sales = :Web_Sales, Web_AccountFinance = :Web_AccountFinance,"),
    QStringLiteral("  Web_IT = :Web_IT, Web_Audit = :Web_Audit, Web_SupplyChain = :Web_SupplyChain, Web_SRD = :Web_SRD,"),
    QStringLiteral("  Web_Setup = :Web_Setup, IsDepartment = :IsDepartment, GroupId = :GroupId, Web_KeyIn = :Web_KeyIn,"),
    QStringLiteral("  Web_BA = :Web_BA, Web_Marketing = :Web_Marketing, Web_Commercial = :Web_Commercial, AppReActivePosShift = :AppReActivePosShift,"),
    QStringLiteral("  AddDate = :AddDate, EditDate = :EditDate"),
    QStringLiteral("where ID = :OLD_ID"),
};

QStringList QUserNameUpdateAsLoaded(const QStringList& guarded)
{
    QStringList lines = QUserNameUpdate;
    for (const QString& c : guarded)
        lines.append(QStringLiteral("  And (%1 = :W_%1 Or (%1 Is Null And :W_%1 Is Null))").arg(c));
    return lines;
}

const QStringList QUserNameById = {
    QStringLiteral("Select ID From USERNAME Where ID = :OLD_ID"),
};

const QStringList QUserNameCodeExists = {
    QStringLiteral("Select ID From USERNAME Where (Code = :Code) And (isDepartment = :isDepartment)"),
};

const QStringList QGroupById = {
    QStringLiteral("Select Id, Code+' '+FullName FullName From UserName Where (Id = :Id) And (isDepartment = 'Y')"),
};

const QStringList QUserGroup = {
    QStringLiteral("Select Id,U.Code,u.Code+' '+U.FullName FullName From UserName U Where (U.Active='Y') And (U.isDepartment = 'Y') Order  By U.Code"),
};

const QStringList Qsoftwareconfig = {
    QStringLiteral("Select Coalesce(UseTablet,'N')UseTablet From softwareconfig"),
};

const QStringList QTemp = {
    QStringLiteral("Select GetDate() ServerDate"),
};

const QStringList QCustomer = {
    QStringLiteral("Select Code, Name From Customer Where Coalesce(Blocked,'N') = 'N' Order by Code"),
};

// Change-password screen (PASSWORD as bytes, as above).
const QStringList QChangePassword = {
    QStringLiteral("SELECT ID, CODE, Cast(PASSWORD As VarBinary(11)) PASSWORD, PASSWORDNEW,FULLNAME,Active,CanSetOtherUserPass FROM USERNAME Where (Code = :GetUser) And (isDepartment = :IsDepartment)"),
};

const QStringList SecurityUpkeep = {
    QStringLiteral("If Not Exists(Select Id From SysObjects Where Name = 'SecurityLog')"),
    QStringLiteral("Begin"),
    QStringLiteral("Create Table SecurityLog ("),
    QStringLiteral("  Id Int Identity(1,1) Primary Key,"),
    QStringLiteral("  LogDate DateTime Not Null,"),
    QStringLiteral("  UserId Int Null,"),
    QStringLiteral("  UserCode VarChar(20) Null,"),
    QStringLiteral("  Workstation VarChar(100) Null,"),
    QStringLiteral("  Screen VarChar(60) Null,"),
    QStringLiteral("  Action VarChar(20) Not Null,"),
    QStringLiteral("  TargetCode VarChar(40) Null,"),
    QStringLiteral("  Detail VarChar(Max) Null"),
    QStringLiteral(")"),
    QStringLiteral("End"),
    QStringLiteral("/"),
    QStringLiteral("If Not Exists(Select Id From SysObjects Where Name = 'LogonFailure')"),
    QStringLiteral("Begin"),
    QStringLiteral("Create Table LogonFailure ("),
    QStringLiteral("  Id Int Identity(1,1) Primary Key,"),
    QStringLiteral("  Code VarChar(20) Not Null,"),
    QStringLiteral("  Failures Int Not Null,"),
    QStringLiteral("  LastFailure DateTime Not Null"),
    QStringLiteral(")"),
    QStringLiteral("End"),
    QStringLiteral("/"),
    // One count per code: twins left by workstations that failed at the same
    // moment are merged into the newest before the index forbids them.
    QStringLiteral("If Not Exists(Select Name From SysIndexes Where Name = 'UX_LogonFailure_Code')"),
    QStringLiteral("Begin"),
    QStringLiteral("Delete From LogonFailure Where Id Not In (Select Max(Id) From LogonFailure Group By Code)"),
    QStringLiteral("Create Unique Index UX_LogonFailure_Code On LogonFailure (Code)"),
    QStringLiteral("End"),
    QStringLiteral("/"),
    // A user or group code stands once per kind. The index is made only over
    // data that allows it; twins already stored are reported instead.
    QStringLiteral("If Not Exists(Select Name From SysIndexes Where Name = 'UX_UserName_Code')"),
    QStringLiteral("If Not Exists(Select Code From UserName Group By Code, IsDepartment Having Count(*) > 1)"),
    QStringLiteral("Create Unique Index UX_UserName_Code On UserName (Code, IsDepartment)"),
    QStringLiteral("/"),
    QStringLiteral("If Not Exists(Select Id From SysObjects Where Name = 'LogonHistory')"),
    QStringLiteral("Begin"),
    QStringLiteral("Create Table LogonHistory ("),
    QStringLiteral("  Id Int Identity(1,1) Primary Key,"),
    QStringLiteral("  UserId Int Not Null,"),
    QStringLiteral("  UserCode VarChar(20) Null,"),
    QStringLiteral("  LogonDate DateTime Not Null,"),
    QStringLiteral("  Workstation VarChar(100) Null,"),
    QStringLiteral("  DatabaseName VarChar(60) Null"),
    QStringLiteral(")"),
    QStringLiteral("End"),
    QStringLiteral("/"),
    QStringLiteral("If Not Exists(Select Name From SysIndexes Where Name = 'IX_LogonHistory_UserId')"),
    QStringLiteral("Create Index IX_LogonHistory_UserId On LogonHistory (UserId, LogonDate)"),
    QStringLiteral("/"),
};

const QStringList QUniqueCodeIndex = {
    QStringLiteral("Select Name From SysIndexes Where Name = 'UX_UserName_Code'"),
};

const QStringList QTwinCodes = {
    QStringLiteral("Select Code, IsDepartment, Count(*) Rows From UserName Group By Code, IsDepartment Having Count(*) > 1 Order By Code"),
};

const QStringList QTrailRowExists = {
    QStringLiteral("Select Id From SecurityLog Where (Screen = :Screen) And (Action = :Action) And (Detail = :Detail)"),
};

const QStringList InsertSecurityLog = {
    QStringLiteral("Insert Into SecurityLog (LogDate, UserId, UserCode, Workstation, Screen, Action, TargetCode, Detail)"),
    QStringLiteral("Values (GetDate(), :UserId, :UserCode, :Workstation, :Screen, :Action, :TargetCode, :Detail)"),
};

// One row whether or not the code has a count: the lock is judged by the
// server's clock, never by the workstation's.
const QStringList QLogonFailure = {
    QStringLiteral("Select GetDate() ServerNow, (Select Max(Failures) From LogonFailure Where Code = :Code) Failures,"),
    QStringLiteral("  (Select Max(LastFailure) From LogonFailure Where Code = :Code) LastFailure"),
};

// A failure within the window of the last one adds to the count; a later one
// starts it again. The row is made in the same statement that tests for it,
// and the unique index on Code refuses a twin made at the same moment.
const QStringList CountLogonFailure = {
    QStringLiteral("Insert Into LogonFailure (Code, Failures, LastFailure) Select :Code, 0, GetDate() Where Not Exists(Select Id From LogonFailure Where Code = :Code)"),
    QStringLiteral("Update LogonFailure Set Failures = Case When LastFailure > :Since Then Failures + 1 Else 1 End, LastFailure = GetDate() Where Code = :Code"),
};

const QStringList ClearLogonFailure = {
    QStringLiteral("Delete From LogonFailure Where Code = :Code"),
};

const QStringList QSecurityLog = {
    QStringLiteral("Select LogDate, UserCode, Workstation, Screen, Action, TargetCode, Detail"),
    QStringLiteral("From SecurityLog"),
    QStringLiteral("Where (LogDate >= :Since) And (Coalesce(:UserCode, '') = '' Or UserCode = :UserCode) And (Coalesce(:TargetCode, '') = '' Or TargetCode = :TargetCode)"),
    QStringLiteral("Order By LogDate Desc, Id Desc"),
};

const QStringList QSiteUser = {
    QStringLiteral("Select Id, Code, FullName, Active, LanguageNo, GroupId"),
    QStringLiteral("From UserName"),
    QStringLiteral("Where (Code = :Code) And (IsDepartment = 'N')"),
};

const QStringList QSiteGroup = {
    QStringLiteral("Select *"),
    QStringLiteral("From UserName"),
    QStringLiteral("Where (Id = :GroupId) And (IsDepartment = 'Y')"),
};

const QStringList QGroupRights = {
    QStringLiteral("Select Menu, AccessRight, AddRight, ModifyRight, DeleteRight"),
    QStringLiteral("From UserRight"),
    QStringLiteral("Where UserName = :GroupId"),
};

const QStringList QUserDatabaseNames = {
    QStringLiteral("Select O.DatabaseName"),
    QStringLiteral("From UserCompany U"),
    QStringLiteral("Inner Join DatabaseList O On (O.Id = U.DatabaseList)"),
    QStringLiteral("Where U.UserName = :UserId"),
    QStringLiteral("Order By O.DatabaseName"),
};

const QStringList QMenuEntry = {
    QStringLiteral("Select Id, Description, DescEnglish From Menu Where Id = :MenuId"),
};

// The users whose group holds a rights row for the entry; whether they reach
// it depends on the entry's parents too, which the report checks.
const QStringList QWhoCanMenu = {
    QStringLiteral("Select U.Code, U.FullName, G.Id GroupId, G.Code GroupCode,"),
    QStringLiteral("  R.AccessRight, R.AddRight, R.ModifyRight, R.DeleteRight"),
    QStringLiteral("From UserName U"),
    QStringLiteral("Inner Join UserName G On (G.Id = U.GroupId) And (G.IsDepartment = 'Y')"),
    QStringLiteral("Inner Join UserRight R On (R.UserName = G.Id) And (R.Menu = :MenuId)"),
    QStringLiteral("Where (U.IsDepartment = 'N') And (U.Active = 'Y')"),
    QStringLiteral("Order By U.Code"),
};

// Every active user with the whole row of its group; the flag is picked from it.
const QStringList QWhoCanFlag = {
    QStringLiteral("Select U.Code UserCode, U.FullName UserFullName, G.*"),
    QStringLiteral("From UserName U"),
    QStringLiteral("Inner Join UserName G On (G.Id = U.GroupId) And (G.IsDepartment = 'Y')"),
    QStringLiteral("Where (U.IsDepartment = 'N') And (U.Active = 'Y')"),
    QStringLiteral("Order By U.Code"),
};

const QStringList InsertLogonHistory = {
    QStringLiteral("Insert Into LogonHistory (UserId, UserCode, LogonDate, Workstation, DatabaseName)"),
    QStringLiteral("Values (:UserId, :UserCode, GetDate(), :Workstation, :DatabaseName)"),
};

// How a failure the person at the workstation need not see is kept for the administrator.
const QStringList InsertErrorLog = {
    QStringLiteral("Insert Into errorlog (menu, username, errordate, errormsg)"),
    QStringLiteral("Values (:Menu, :UserId, GetDate(), :Message)"),
};

const QStringList QMenuAll = {
    QStringLiteral("Select Id, Parent, Description, DescEnglish"),
    QStringLiteral("From Menu"),
    QStringLiteral("Order By OrderNo, Id"),
};

const QStringList QGroupsWithRight = {
    QStringLiteral("Select UserName From UserRight Where Menu = :MenuId"),
};

const QStringList QGroupByCode = {
    QStringLiteral("Select Id, Code, FullName"),
    QStringLiteral("From UserName"),
    QStringLiteral("Where (Code = :Code) And (IsDepartment = 'Y')"),
};

const QStringList QActiveGroups = {
    QStringLiteral("Select Id, Code, FullName"),
    QStringLiteral("From UserName"),
    QStringLiteral("Where (IsDepartment = 'Y')"),
    QStringLiteral("Order By Code"),
};

const QStringList QGroupMembers = {
    QStringLiteral("Select U.Code, U.FullName, U.Active, U.AddDate,"),
    QStringLiteral("  (Select Max(H.LogonDate) From LogonHistory H Where H.UserId = U.Id) LastLogon"),
    QStringLiteral("From UserName U"),
    QStringLiteral("Where (U.IsDepartment = 'N') And (U.GroupId = :GroupId)"),
    QStringLiteral("Order By U.Active Desc, U.Code"),
};

// Active users without a logon since the cut-off, the never seen among them.
const QStringList QDormantUsers = {
    QStringLiteral("Select U.Code, U.FullName, G.Code GroupCode, U.AddDate,"),
    QStringLiteral("  (Select Max(H.LogonDate) From LogonHistory H Where H.UserId = U.Id) LastLogon"),
    QStringLiteral("From UserName U"),
    QStringLiteral("Left Join UserName G On (G.Id = U.GroupId) And (G.IsDepartment = 'Y')"),
    QStringLiteral("Where (U.IsDepartment = 'N') And (U.Active = 'Y')"),
    QStringLiteral("  And Not Exists(Select H.Id From LogonHistory H Where (H.UserId = U.Id) And (H.LogonDate >= :Since))"),
    QStringLiteral("Order By U.Code"),
};

const QStringList QSecurityTrail = {
    QStringLiteral("Select LogDate, UserCode, Workstation, Screen, Action, TargetCode, Detail"),
    QStringLiteral("From SecurityLog"),
    QStringLiteral("Where (LogDate >= :Since) And (Coalesce(:UserCode, '') = '' Or UserCode = :UserCode) And (Coalesce(:TargetCode, '') = '' Or TargetCode = :TargetCode)"),
    QStringLiteral("  And (Coalesce(:Screen, '') = '' Or Screen = :Screen)"),
    QStringLiteral("Order By LogDate Desc, Id Desc"),
};

const QStringList QLogonFailures = {
    QStringLiteral("Select Code, Failures, LastFailure, GetDate() ServerNow From LogonFailure Order By Code"),
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
        { "SecurityUpkeep", Target::Config, Kind::Script, &SecurityUpkeep },
        { "InsertSecurityLog", Target::Config, Kind::Execute, &InsertSecurityLog },
        { "QLogonFailure", Target::Config, Kind::Select, &QLogonFailure },
        { "QUniqueCodeIndex", Target::Config, Kind::Select, &QUniqueCodeIndex },
        { "QTwinCodes", Target::Config, Kind::Select, &QTwinCodes },
        { "QTrailRowExists", Target::Config, Kind::Select, &QTrailRowExists },
        { "CountLogonFailure", Target::Config, Kind::Execute, &CountLogonFailure },
        { "ClearLogonFailure", Target::Config, Kind::Execute, &ClearLogonFailure },
        { "QSecurityLog", Target::Config, Kind::Select, &QSecurityLog },
        { "QSiteUser", Target::Config, Kind::Select, &QSiteUser },
        { "QSiteGroup", Target::Config, Kind::Select, &QSiteGroup },
        { "QGroupRights", Target::Config, Kind::Select, &QGroupRights },
        { "QUserDatabaseNames", Target::Config, Kind::Select, &QUserDatabaseNames },
        { "QMenuEntry", Target::Config, Kind::Select, &QMenuEntry },
        { "QWhoCanMenu", Target::Config, Kind::Select, &QWhoCanMenu },
        { "QWhoCanFlag", Target::Config, Kind::Select, &QWhoCanFlag },
        { "InsertLogonHistory", Target::Config, Kind::Execute, &InsertLogonHistory },
        { "InsertErrorLog", Target::Config, Kind::Execute, &InsertErrorLog },
        { "QMenuAll", Target::Config, Kind::Select, &QMenuAll },
        { "QGroupsWithRight", Target::Config, Kind::Select, &QGroupsWithRight },
        { "QGroupByCode", Target::Config, Kind::Select, &QGroupByCode },
        { "QActiveGroups", Target::Config, Kind::Select, &QActiveGroups },
        { "QGroupMembers", Target::Config, Kind::Select, &QGroupMembers },
        { "QDormantUsers", Target::Config, Kind::Select, &QDormantUsers },
        { "QSecurityTrail", Target::Config, Kind::Select, &QSecurityTrail },
        { "QLogonFailures", Target::Config, Kind::Select, &QLogonFailures },
        { "qconfig", Target::Company, Kind::Select, &qconfig },
        { "QDepartmentRightThai", Target::Config, Kind::Select, &QDepartmentRightThai },
        { "QDepartmentRightEnglish", Target::Config, Kind::Select, &QDepartmentRightEnglish },
        { "QTreeMenuThai", Target::Config, Kind::Select, &QTreeMenuThai },
        { "QTreeMenuEnglish", Target::Config, Kind::Select, &QTreeMenuEnglish },
        { "QChkFieldSetDocYear", Target::Config, Kind::Select, &QChkFieldSetDocYear },
        { "QChkSetDocYear", Target::Config, Kind::Select, &QChkSetDocYear },
        { "Query1", Target::Config, Kind::Select, &Query1 },
        { "QAccount", Target::Company, Kind::Select, &QAccount },
        { "QRightsGroup", Target::Config, Kind::Select, &QRightsGroup },
        { "QRightsThai", Target::Config, Kind::Select, &QRightsThai },
        { "QRightsEnglish", Target::Config, Kind::Select, &QRightsEnglish },
        { "QRightsAllThai", Target::Config, Kind::Select, &QRightsAllThai },
        { "QRightsAllEnglish", Target::Config, Kind::Select, &QRightsAllEnglish },
        { "QMenuParents", Target::Config, Kind::Select, &QMenuParents },
        { "QCopyRightGroups", Target::Config, Kind::Select, &QCopyRightGroups },
        { "QUserCompanyUser", Target::Config, Kind::Select, &QUserCompanyUser },
        { "QUserCompanyList", Target::Config, Kind::Select, &QUserCompanyList },
        { "QAllDatabase", Target::Config, Kind::Select, &QAllDatabase },
        { "LockGroupRow", Target::Config, Kind::Execute, &LockGroupRow },
        { "LockUserRow", Target::Config, Kind::Execute, &LockUserRow },
        { "DeleteListedRights", Target::Config, Kind::Execute, &DeleteListedRights },
        { "InsertUserRight", Target::Config, Kind::Execute, &InsertUserRight },
        { "InsertUserCompany", Target::Config, Kind::Execute, &InsertUserCompany },
        { "DeleteUserCompany", Target::Config, Kind::Execute, &DeleteUserCompany },
        { "QUserName", Target::Config, Kind::Select, &QUserName },
        { "QUserNameInsert", Target::Config, Kind::Execute, &QUserNameInsert },
        { "QUserNameUpdate", Target::Config, Kind::Execute, &QUserNameUpdate },
        { "QUserNameById", Target::Config, Kind::Select, &QUserNameById },
        { "QUserNameCodeExists", Target::Config, Kind::Select, &QUserNameCodeExists },
        { "QGroupById", Target::Config, Kind::Select, &QGroupById },
        { "QUserGroup", Target::Config, Kind::Select, &QUserGroup },
        { "Qsoftwareconfig", Target::Config, Kind::Select, &Qsoftwareconfig },
        { "QTemp", Target::Config, Kind::Select, &QTemp },
        { "QCustomer", Target::Company, Kind::Select, &QCustomer },
        { "QChangePassword", Target::Config, Kind::Select, &QChangePassword },
        { "SQLAlter", Target::Config, Kind::Script, &SQLAlter }, // last: it changes the database list
    };
    return entries;
}

} // namespace Sql
