-- Columns a site of today has that older configuration databases lack.
-- SetDocYear has no default, as when the program's own upkeep adds it: a database
-- year added later is set up for document numbering only once someone says so
-- (NULL counts as "N").
If Not Exists(Select Id From SysColumns Where Name = 'Version' And Id = (Select Id From SysObjects Where Name = 'Menu'))
Alter Table Menu Add Version Integer
/
If Not Exists(Select Id From SysColumns Where Name = 'UserSeeImport' And Id = (Select Id From SysObjects Where Name = 'UserName'))
Alter Table UserName Add UserSeeImport Char(1) Default 'N'
/
If Not Exists(Select Id From SysColumns Where Name = 'UserSeeCost' And Id = (Select Id From SysObjects Where Name = 'UserName'))
Alter Table UserName Add UserSeeCost Char(1) Default 'N'
/
If Not Exists(Select Id From SysColumns Where Name = 'SetDocYear' And Id = (Select Id From SysObjects Where Name = 'DatabaseList'))
Alter Table DatabaseList Add SetDocYear Char(1)
/
-- The trail of security changes, the failed-logon count and the logon history; the program creates
-- them too at every connect when they are missing.
If Not Exists(Select Id From SysObjects Where Name = 'SecurityLog')
Begin
Create Table SecurityLog (
  Id Int Identity(1,1) Primary Key,
  LogDate DateTime Not Null,
  UserId Int Null,
  UserCode VarChar(20) Null,
  Workstation VarChar(100) Null,
  Screen VarChar(60) Null,
  Action VarChar(20) Not Null,
  TargetCode VarChar(40) Null,
  Detail VarChar(Max) Null
)
End
/
If Not Exists(Select Id From SysObjects Where Name = 'LogonFailure')
Begin
Create Table LogonFailure (
  Id Int Identity(1,1) Primary Key,
  Code VarChar(20) Not Null,
  Failures Int Not Null,
  LastFailure DateTime Not Null
)
End
/
-- One failed-logon count per code, and each user or group code once per kind
-- (made only where the stored codes allow it; the program reports twins).
If Not Exists(Select Name From SysIndexes Where Name = 'UX_LogonFailure_Code')
Begin
Delete From LogonFailure Where Id Not In (Select Max(Id) From LogonFailure Group By Code)
Create Unique Index UX_LogonFailure_Code On LogonFailure (Code)
End
/
If Not Exists(Select Name From SysIndexes Where Name = 'UX_UserName_Code')
If Not Exists(Select Code From UserName Group By Code, IsDepartment Having Count(*) > 1)
Create Unique Index UX_UserName_Code On UserName (Code, IsDepartment)
/
If Not Exists(Select Id From SysObjects Where Name = 'LogonHistory')
Begin
Create Table LogonHistory (
  Id Int Identity(1,1) Primary Key,
  UserId Int Not Null,
  UserCode VarChar(20) Null,
  LogonDate DateTime Not Null,
  Workstation VarChar(100) Null,
  DatabaseName VarChar(60) Null
)
End
/
If Not Exists(Select Name From SysIndexes Where Name = 'IX_LogonHistory_UserId')
Create Index IX_LogonHistory_UserId On LogonHistory (UserId, LogonDate)
/
-- The company load looks a database up by its name, and the logon orders its
-- list by each database's branch, at every logon.
If Not Exists(Select Name From SysIndexes Where Name = 'IX_DatabaseList_DatabaseName')
Create Index IX_DatabaseList_DatabaseName On DatabaseList (DatabaseName)
/
If Not Exists(Select Name From SysIndexes Where Name = 'IX_Branch_ServerName')
Create Index IX_Branch_ServerName On Branch (ServerName)
/
