-- The configuration database as older sites have it. sql/config/upgrade.sql brings it
-- to today's shape; the program's own schema upkeep adds the same columns when missing.
Create Table UserName (
  ID Int Identity(1,1) Primary Key,
  CODE VarChar(20) Not Null,
  PASSWORD VarChar(11) Null,
  FULLNAME VarChar(100) Null,
  EDITSALEPRICE Char(1) Default 'N',
  POS_USER Char(1) Default 'N',
  SHIFTNO Int Null,
  SALEMAN Int Null,
  ACTIVE Char(1) Default 'Y',
  LANGUAGENO Int Default 1,
  APPROVE_QUO Char(1) Default 'N',
  APPROVE_SO Char(1) Default 'N',
  APPROVE_IV Char(1) Default 'N',
  APPROVE_PO Char(1) Default 'N',
  ApproveTranWH Char(1) Default 'N',
  ApproveTranBranch Char(1) Default 'N',
  isPM Char(1) Default 'N',
  ApproveMinPrice Char(1) Default 'N',
  ApproveWorkOrder Char(1) Default 'N',
  CanSeeCost Char(1) Default 'N',
  CanSeeSalePrice Char(1) Default 'N',
  Approved_PoRQ Char(1) Default 'N',
  CanModifyCusSale Char(1) Default 'N',
  Approve_PreIs Char(1) Default 'N',
  ApproveCustomerDropUse Char(1) Default 'N',
  ApproveCustomerDropCredit Char(1) Default 'N',
  Discount Numeric(18,2) Null,
  CanModifyCredit Char(1) Null,
  CanSetProductBlock Char(1) Default 'N',
  CanSetProductMinus Char(1) Default 'N',
  CanSaleCreditOnReturnCheque Char(1) Null,
  PasswordTablet VarChar(200) Null,
  CusCodeTablet VarChar(40) Null,
  Email VarChar(100) Null,
  Remark VarChar(600) Null,
  CanSetOtherUserPass Char(1) Default 'N',
  CanCancelPosItem Char(1) Default 'N',
  CanDropMoney Char(1) Default 'N',
  CanClosePosShift Char(1) Default 'N',
  Approve_Promotion Char(1) Default 'N',
  Approve_CurrencyRate Char(1) Default 'N',
  Approve_ChangePrice Char(1) Default 'N',
  CanPosF3New Char(1) Default 'N',
  CanReprintMarkdown Char(1) Default 'N',
  Approve_PosEject Char(1) Default 'N',
  Approve_PosCashAudit Char(1) Default 'N',
  Approve_AdjustStock Char(1) Default 'N',
  Approve_Posr Char(1) Default 'N',
  PoApproveLimitMin Numeric(18,0) Null,
  PoApproveLimitMax Numeric(18,0) Null,
  Web_Warehouse Char(1) Default 'N',
  Web_FiscalYear Char(1) Default 'N',
  Web_Management Char(1) Default 'N',
  Web_Sales Char(1) Default 'N',
  Web_AccountFinance Char(1) Default 'N',
  Web_IT Char(1) Default 'N',
  Web_Audit Char(1) Default 'N',
  Web_SupplyChain Char(1) Default 'N',
  Web_SRD Char(1) Default 'N',
  Web_Setup Char(1) Default 'N',
  IsDepartment Char(1) Default 'N',
  GroupId Int Null,
  Web_KeyIn Char(1) Default 'N',
  Web_BA Char(1) Default 'N',
  Web_Marketing Char(1) Default 'N',
  Web_Commercial Char(1) Default 'N',
  AppReActivePosShift Char(1) Default 'N',
  AddDate DateTime Null,
  EditDate DateTime Null,
  PasswordNew VarBinary(50) Null,
  Approve_PoLevel1 Char(1) Null,
  Approve_PoLevel2 Char(1) Null,
  Approve_PoLevel3 Char(1) Null
)
/
Create Index IX_UserName_Code On UserName (Code)
/
Create Table Menu (
  Id Int Not Null Primary Key,
  Parent Int Not Null Default 0,
  OrderNo Int Not Null Default 0,
  MenuLevel Int Not Null Default 0,
  Description VarChar(200) Null,
  DescEnglish VarChar(200) Null,
  Command VarChar(200) Null,
  MenuOption VarChar(100) Null,
  MenuHint VarChar(500) Null,
  DatabaseType Int Null
)
/
Create Table UserRight (
  Id Int Identity(1,1) Primary Key,
  UserName Int Not Null,
  Menu Int Not Null,
  AccessRight Char(1) Default 'N',
  AddRight Char(1) Default 'N',
  ModifyRight Char(1) Default 'N',
  DeleteRight Char(1) Default 'N'
)
/
Create Index IX_UserRight_UserName On UserRight (UserName, Menu)
/
Create Table UserCompany (
  Id Int Identity(1,1) Primary Key,
  UserName Int Not Null,
  Company Int Null,
  DatabaseType Int Null,
  DatabaseList Int Not Null
)
/
Create Index IX_UserCompany_UserName On UserCompany (UserName)
/
Create Table DatabaseType (
  Id Int Not Null Primary Key,
  Description VarChar(100) Null
)
/
Create Table DatabaseList (
  Id Int Identity(1,1) Primary Key,
  YearNo Int Not Null,
  Company Int Not Null,
  DatabaseType Int Not Null,
  Description VarChar(100) Null,
  DatabaseName VarChar(100) Not Null,
  ServerName VarChar(100) Null
)
/
Create Table Company (
  Id Int Identity(1,1) Primary Key,
  Code VarChar(10) Not Null,
  Password VarChar(20) Null,
  NameThai VarChar(200) Null,
  NameEng VarChar(200) Null,
  ShortName VarChar(50) Null,
  Address1 VarChar(200) Null,
  Address2 VarChar(200) Null,
  Address3 VarChar(200) Null,
  Address4 VarChar(200) Null,
  Province VarChar(100) Null,
  Zip VarChar(10) Null,
  Telephone VarChar(50) Null,
  Fax VarChar(50) Null,
  EMail VarChar(100) Null,
  Logo VarChar(200) Null,
  TaxNo VarChar(20) Null,
  RunYear Int Null,
  FundName VarChar(100) Null,
  InstallDate DateTime Null,
  TaxBranchHead Char(1) Null,
  TaxBranchCode VarChar(10) Null,
  TaxBranchName VarChar(100) Null,
  LocalServer Char(1) Default 'Y'
)
/
Create Table CompanyConfig (
  Id Int Identity(1,1) Primary Key,
  Company Int Not Null,
  PicturePath VarChar(200) Null,
  Public_Price_IE VarChar(1) Null,
  DefaultWh Int Null,
  POS1_Wh Int Null,
  POS1_TaxCode VarChar(10) Null,
  POS1_Price_IE VarChar(1) Null,
  POS1_PriceType Int Null,
  POS1_SumDetail Char(1) Null,
  DefaultPosComPort VarChar(10) Null,
  DefaultTax Int Null,
  DefaultPosMenuId Int Null
)
/
Create Table Branch (
  Id Int Identity(1,1) Primary Key,
  BranchNo Int Not Null,
  ServerName VarChar(100) Null
)
/
Create Table softwareconfig (
  Id Int Identity(1,1) Primary Key,
  LastVersion VarChar(20) Null,
  HostApplication VarChar(200) Null,
  CheckExe Char(1) Default 'N',
  UseTablet Char(1) Default 'N'
)
/
Create Table errorlog (
  Id Int Identity(1,1) Primary Key,
  menu Int Null,
  username Int Null,
  errordate DateTime Null,
  errormsg VarChar(2000) Null
)
/
