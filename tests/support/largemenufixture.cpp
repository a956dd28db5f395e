#include "largemenufixture.h"

#include <stdexcept>

namespace LargeMenuFixture {

namespace {

struct Department
{
    qint64 id;
    const char* thai;
    const char* english;
};

// The ids of the glyph table, in their order on the screen.
const Department kDepartments[] = {
    { 10000000, "ระบบขาย", "Sales" },
    { 20000000, "ระบบบัญชี", "Accounting" },
    { 30000000, "ระบบขายหน้าร้าน", "Point of Sale" },
    { 50000000, "ระบบบุคคล", "Personnel" },
    { 60000000, "ระบบต่างประเทศ", "Overseas" },
    { 65000000, "ระบบส่งออก", "Export" },
    { 70000000, "ระบบการเงิน", "Finance" },
    { 75000000, "ระบบเงินทุน", "Treasury" },
    { 80000000, "ระบบรายงาน", "Reports" },
    { 90000000, "ระบบซ่อมบำรุง", "Maintenance" },
    { 2060000000, "ระบบนำเสนอ", "Presentation" },
    { 2070000000, "ระบบคอมพิวเตอร์", "Computer" },
};
constexpr int kDepartmentCount = int(sizeof kDepartments / sizeof kDepartments[0]);

// Entry k of a department has id department + 1 + k; entries 0 to 7 hang
// below the department, every later entry k below entry (k - 8) / 10, so the
// levels hold 8, 80, 800 and the rest of the entries.
const char* const kEntries = R"(
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Select Id, 0, OrderNo, 0, Description, DescEnglish, Null, Null, 'เมนูของ' + Description, 1 From BenchDepartment
/
Insert Into Menu (Id, Parent, OrderNo, MenuLevel, Description, DescEnglish, Command, MenuOption, MenuHint, DatabaseType)
Select D.Id + 1 + N.N,
  Case When N.N < 8 Then D.Id Else D.Id + 1 + (N.N - 8) / 10 End,
  D.OrderNo * 100000 + (N.N * 7919) % 10007,
  Case When N.N < 8 Then 1 When N.N < 88 Then 2 When N.N < 888 Then 3 Else 4 End,
  'รายการที่ ' + Cast(N.N As VarChar(10)), 'Entry ' + Cast(N.N As VarChar(10)),
  'ZAQMODULE.EXE', 'OPT ' + Cast(N.N As VarChar(10)), 'คำอธิบายรายการที่ ' + Cast(N.N As VarChar(10)), 1
From BenchDepartment D, BenchNumber N
Where N.N < D.Entries
/
Insert Into UserName (Code, FullName, IsDepartment, Active, CanSetOtherUserPass) Values ('BIGGRP', 'ทุกเมนู', 'Y', 'Y', 'N')
/
Insert Into UserName (Code, FullName, IsDepartment, Active, LanguageNo, PasswordNew, GroupId, POS_USER)
Select 'BIG', 'ผู้ใช้ทุกเมนู', 'N', 'Y', 1, Cast('big' As VarBinary(Max)), Id, 'N' From UserName Where Code = 'BIGGRP'
/
Insert Into UserCompany (UserName, Company, DatabaseType, DatabaseList)
Select U.Id, L.Company, L.DatabaseType, L.Id From UserName U, DatabaseList L Where U.Code = 'BIG' And L.DatabaseName In ('A2026', 'AMFG2026')
/
Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)
Select G.Id, M.Id, 'Y', 'Y', 'Y', 'Y' From UserName G, Menu M
Where G.Code = 'BIGGRP' And M.Id <> 30100000
/
Drop Table BenchDepartment
/
)";

} // namespace

int entriesIn(const Shape& shape, qint64 department)
{
    if (department == kLargest)
        return shape.largest;
    // The others share the rest; the last takes what does not divide evenly.
    const int others = kDepartmentCount - 1;
    const int each = (shape.entries - shape.largest) / others;
    return department == kDepartments[kDepartmentCount - 1].id ? shape.entries - shape.largest - each * (others - 1) : each;
}

void build(const FixtureSite& site, const Shape& shape)
{
    if (shape.largest > shape.entries || shape.entries - shape.largest < kDepartmentCount - 1 || shape.largest >= 100000
        || entriesIn(shape, kDepartments[kDepartmentCount - 1].id) >= 100000)
        throw std::invalid_argument("a large menu needs an entry in every department and fewer than 100,000 in one");
    QString departments = QStringLiteral(
        "Create Table BenchDepartment (Id Int Not Null, OrderNo Int Not Null, Entries Int Not Null, Description VarChar(50) Null, "
        "DescEnglish VarChar(50) Null)\n/\nInsert Into BenchDepartment (Id, OrderNo, Entries, Description, DescEnglish)\n");
    for (int i = 0; i < kDepartmentCount; ++i) {
        const Department& d = kDepartments[i];
        departments += QStringLiteral("%1Select %2, %3, %4, '%5', '%6'\n")
                           .arg(i == 0 ? QString() : QStringLiteral("Union All "))
                           .arg(d.id)
                           .arg(10 * (i + 1))
                           .arg(entriesIn(shape, d.id))
                           .arg(QString::fromUtf8(d.thai), QLatin1String(d.english));
    }
    departments += QStringLiteral("/\n");
    site.configWithNumbers(5, departments + QString::fromUtf8(kEntries));
}

} // namespace LargeMenuFixture
