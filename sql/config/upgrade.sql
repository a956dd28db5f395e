-- Columns a site of today has that older configuration databases lack.
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
Alter Table DatabaseList Add SetDocYear Char(1) Default 'Y'
/
