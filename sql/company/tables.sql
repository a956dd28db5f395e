-- The tables of a company database that the main menu reads.
Create Table config (
  Id Int Identity(1,1) Primary Key,
  Runyear Int Null,
  CompanyName VarChar(200) Null
)
/
Create Table zaqmfgconfig (
  Id Int Identity(1,1) Primary Key,
  lastupdate VarChar(30) Null
)
/
Create Table CloseGLHistory (
  Id Int Identity(1,1) Primary Key,
  year Int Not Null,
  LastPost Int Null,
  LastCloseMonth Int Null
)
/
Create Table Customer (
  Id Int Identity(1,1) Primary Key,
  Code VarChar(20) Not Null,
  Name VarChar(200) Null,
  Blocked Char(1) Null
)
/
