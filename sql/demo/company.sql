-- One company database of the demo site. {YEAR} is its fiscal year, {POST} and {CLOSE}
-- its posting marks, {UPDATE} the date of its last update.
Insert Into config (Runyear, CompanyName) Values ({YEAR}, '{COMPANY}')
/
Insert Into zaqmfgconfig (lastupdate) Values ('{UPDATE}')
/
Insert Into CloseGLHistory (year, LastPost, LastCloseMonth) Values ({YEAR}, {POST}, {CLOSE})
/
Insert Into Customer (Code, Name, Blocked) Values ('C0001', 'ร้านสมใจพานิช', 'N')
/
Insert Into Customer (Code, Name, Blocked) Values ('C0002', 'Bangkok Office Supply', Null)
/
Insert Into Customer (Code, Name, Blocked) Values ('C0003', 'ห้างหุ้นส่วน ปิดบัญชีแล้ว', 'Y')
/
