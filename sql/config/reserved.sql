-- The built-in group and user every site has, and the one row of suite-wide settings.
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, CanSetOtherUserPass)
Values ('ZAQSYSTEM', 'ZAQ System Group', 'Y', 'Y', 1, 'Y')
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew)
Values ('ZAQ', 'ZAQ Administrator', 'N', 'Y', 1, Cast('zaq' As VarBinary(Max)))
/
Update UserName Set GroupId = (Select Top 1 Id From UserName Where Code = 'ZAQSYSTEM' And IsDepartment = 'Y')
Where Code = 'ZAQ' And IsDepartment = 'N'
/
Insert Into softwareconfig (LastVersion, HostApplication, CheckExe, UseTablet) Values ('1.0.0', '', 'N', 'N')
/
