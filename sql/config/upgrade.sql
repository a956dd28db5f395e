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
