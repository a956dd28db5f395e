-- The demo menu: twelve departments, module programs, folders and the built-in screens.
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (10000000, 0, 10, 0, 'ระบบขาย', 'Sales', Null, Null, 'งานขาย ใบเสนอราคา ใบสั่งขาย และลูกค้า', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (10100000, 10000000, 20, 1, 'ใบเสนอราคา', 'Quotation', 'ZAQSALES.EXE', 'QUO', 'บันทึกใบเสนอราคาให้ลูกค้า', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (10200000, 10000000, 30, 1, 'ใบสั่งขาย', 'Sales Order', 'ZAQSALES.EXE', 'SO', 'บันทึกใบสั่งขายและติดตามการส่งของ', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (10300000, 10000000, 40, 1, 'รายงานขาย', 'Sales Reports', Null, Null, 'รายงานของฝ่ายขาย', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (10301000, 10300000, 50, 2, 'รายงานยอดขายรายวัน', 'Daily Sales Report', 'ZAQREPORT.EXE', 'SALE DAILY', 'ยอดขายแยกตามวัน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (10302000, 10300000, 60, 2, 'รายงานยอดขายตามลูกค้า', 'Sales by Customer', 'ZAQREPORT.EXE', 'SALE CUSTOMER', 'ยอดขายแยกตามลูกค้า', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (10400000, 10000000, 70, 1, 'ทะเบียนลูกค้า', 'Customers', 'ZAQSALES.EXE', 'CUSTOMER', 'เพิ่ม แก้ไข ระงับ รหัสลูกค้า', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (20000000, 0, 80, 0, 'ระบบบัญชี', 'Accounting', Null, Null, 'บัญชีแยกประเภทและการปิดงวด', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (20100000, 20000000, 90, 1, 'บันทึกบัญชีรายวัน', 'Journal Entry', 'ZAQACC.EXE', 'JV', 'บันทึกรายการบัญชีรายวัน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (20200000, 20000000, 100, 1, 'ผังบัญชี', 'Chart of Accounts', 'ZAQACC.EXE', 'CHART', 'กำหนดผังบัญชี', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (20300000, 20000000, 110, 1, 'ปิดงวดบัญชี', 'Period Close', 'ZAQACC.EXE', 'CLOSE', 'ปิดงวดบัญชีประจำเดือน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (30000000, 0, 120, 0, 'ขายหน้าร้าน', 'Point of Sale', Null, Null, 'งานขายหน้าร้าน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (30100000, 30000000, 130, 1, 'ขายหน้าร้าน POS', 'POS Terminal', 'ZAQPOS.EXE', 'POS1', 'หน้าจอขายสด', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (30200000, 30000000, 140, 1, 'ปิดรอบแคชเชียร์', 'Close Cashier Shift', 'ZAQPOS.EXE', 'SHIFT', 'ปิดรอบและส่งเงิน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (50000000, 0, 150, 0, 'งานบุคคล', 'Human Resources', Null, Null, 'ทะเบียนพนักงาน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (50100000, 50000000, 160, 1, 'ทะเบียนพนักงาน', 'Employee Register', 'ZAQHR.EXE', '', 'ข้อมูลพนักงาน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (60000000, 0, 170, 0, 'นำเข้า', 'Import', Null, Null, 'การซื้อจากต่างประเทศ', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (60100000, 60000000, 180, 1, 'ใบสั่งซื้อต่างประเทศ', 'Import Purchase Order', 'ZAQPURCH.EXE', 'IMPORT PO', 'สั่งซื้อสินค้าจากต่างประเทศ', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (65000000, 0, 190, 0, 'ส่งออก', 'Export', Null, Null, 'การขายต่างประเทศ', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (65100000, 65000000, 200, 1, 'ใบขนสินค้าขาออก', 'Export Declaration', 'ZAQEXPORT.EXE', '', 'เอกสารส่งออก', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (70000000, 0, 210, 0, 'การเงิน', 'Finance', Null, Null, 'รับและจ่ายชำระหนี้', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (70100000, 70000000, 220, 1, 'รับชำระหนี้', 'Receipts', 'ZAQFIN.EXE', 'RECEIPT', 'รับชำระหนี้จากลูกค้า', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (70200000, 70000000, 230, 1, 'จ่ายชำระหนี้', 'Payments', 'ZAQFIN.EXE', 'PAYMENT', 'จ่ายชำระหนี้ให้ผู้ขาย', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (75000000, 0, 240, 0, 'งบประมาณ', 'Budget', Null, Null, 'การตั้งและติดตามงบประมาณ', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (75100000, 75000000, 250, 1, 'ตั้งงบประมาณ', 'Budget Setup', 'ZAQFIN.EXE', 'BUDGET', 'ตั้งงบประมาณประจำปี', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (80000000, 0, 260, 0, 'รายงานผู้บริหาร', 'Management Reports', Null, Null, 'รายงานสำหรับผู้บริหาร', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (80100000, 80000000, 270, 1, 'งบกำไรขาดทุน', 'Profit and Loss', 'ZAQREPORT.EXE', 'PL', 'งบกำไรขาดทุนประจำงวด', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (80200000, 80000000, 280, 1, 'งบดุล', 'Balance Sheet', 'ZAQREPORT.EXE', 'BS', 'งบแสดงฐานะการเงิน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (90000000, 0, 290, 0, 'เครื่องมือ', 'Utilities', Null, Null, 'เครื่องมือดูแลระบบ', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (91000000, 90000000, 300, 1, 'สำรองข้อมูล', 'Backup', 'ZAQUTILITY.EXE', 'W BACKUP', 'สำรองฐานข้อมูล แล้วปิดเมนูหลัก', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (91200000, 90000000, 310, 1, 'ปรับปรุงโปรแกรมจากเครื่องแม่', 'Manual Upgrade', 'ZAQUTILITY.EXE', 'W UP-MANUAL', 'ปรับปรุงโปรแกรม แล้วปิดเมนูหลัก', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (91300000, 90000000, 320, 1, 'ตรวจสอบฐานข้อมูล', 'Check Database', 'ZAQUTILITY.EXE', 'W CHECK', 'ตรวจสอบความถูกต้องของฐานข้อมูล', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (91400000, 90000000, 330, 1, 'กำหนดเลขที่เอกสาร', 'Document Numbering', 'ZAQUTILITY.EXE', 'W DOCNO', 'กำหนดเลขที่เอกสารของปี (เปิดได้แม้ยังไม่กำหนด)', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (2060000000, 0, 340, 0, 'การตลาด', 'Marketing', Null, Null, 'งานการตลาด', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (2060100000, 2060000000, 350, 1, 'โปรโมชั่น', 'Promotions', 'ZAQSALES.EXE', 'PROMOTION', 'กำหนดโปรโมชั่น', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (2070000000, 0, 360, 0, 'ผู้ดูแลระบบ', 'System Administration', Null, Null, 'ผู้ใช้ กลุ่ม สิทธิ์ และรหัสผ่าน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (2070100000, 2070000000, 370, 1, 'ผู้ใช้งาน', 'Users', 'SELF 1', '', 'เพิ่ม แก้ไข ลบ ผู้ใช้งาน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (2070200000, 2070000000, 380, 1, 'เปลี่ยนรหัสผ่าน', 'Change Password', 'SELF 2', '', 'เปลี่ยนรหัสผ่าน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (2070300000, 2070000000, 390, 1, 'สิทธิ์กลุ่มผู้ใช้', 'Group Menu Rights', 'SELF 3', '', 'กำหนดสิทธิ์การใช้เมนูของกลุ่ม', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (2070400000, 2070000000, 400, 1, 'ฐานข้อมูลของผู้ใช้', 'User Databases', 'SELF 4', '', 'กำหนดฐานข้อมูลที่ผู้ใช้เข้าได้', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (2070500000, 2070000000, 410, 1, 'กลุ่มผู้ใช้งาน', 'User Groups', 'SELF 5', '', 'เพิ่ม แก้ไข ลบ กลุ่มผู้ใช้งาน', 1)
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Values (2070600000, 2070000000, 420, 1, 'รายงานความปลอดภัย', 'Security Reports', 'SELF 6', '', 'สมาชิกกลุ่ม สิทธิ์ที่ใช้ได้ ผู้ที่ไม่ได้ใช้งาน และประวัติการเปลี่ยนแปลง', 1)
/
-- Administrators and the built-in group see everything; sales see their department
-- (but not the report folder, so its reports stay out of reach), the management
-- reports and the password change; the shop sees the point of sale.
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'Y', 'Y', 'Y' From UserName G, Menu M Where G.Code In ('ADMIN', 'ZAQSYSTEM') And G.IsDepartment = 'Y'
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'Y', 'N', 'N' From UserName G, Menu M
Where G.Code = 'SALES' And ((M.Id Between 10000000 And 10999999 And M.Id <> 10300000) Or M.Id Between 80000000 And 80999999 Or M.Id In (2070000000, 2070200000))
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'Y', 'Y', 'N' From UserName G, Menu M Where G.Code = 'SHOP' And M.Id Between 30000000 And 30999999
/
Insert Into errorlog (menu, username, errordate, errormsg)
Select 10200000, Id, GetDate(), 'Cannot post sales order SO{YEAR}-0012: customer credit limit exceeded' From UserName Where Code = 'JOHN'
/
Insert Into errorlog (menu, username, errordate, errormsg)
Select 20300000, Id, GetDate(), 'ปิดงวดไม่ได้: มีเอกสารที่ยังไม่ผ่านรายการ' From UserName Where Code = 'SOMCHAI'
/
