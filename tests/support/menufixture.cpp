#include "menufixture.h"

namespace MenuFixture {

void build(const FixtureSite& site)
{
    struct Entry
    {
        qint64 id;
        qint64 parent;
        int order;
        const char* thai;
        const char* english;
        const char* command; // nullptr: a folder
        const char* option;
        const char* hint;
    };
    const Entry entries[] = {
        { 10000000, 0, 10, " ขาย ", " Sales ", nullptr, nullptr, "sales" },
        { 10200000, 10000000, 11, "ใบสั่งขาย", "Orders", nullptr, nullptr, "orders folder" },
        { 10201000, 10200000, 12, "บันทึกใบสั่งขาย", "Order entry", "ZAQSALES.EXE", " SO ", "enter orders" },
        { 10100000, 10000000, 13, "ใบเสนอราคา", "Quotation", "ZAQSALES.EXE", "", "quotes" },
        { 10202000, 10200000, 14, "รายงาน", "Daily report", "ZAQREPORT.EXE", "SALE DAILY", "daily" },
        { 10300000, 10000000, 15, "ซ่อน", "Hidden", nullptr, nullptr, "" },
        { 10301000, 10300000, 16, "เข้าไม่ถึง", "Unreachable", "ZAQSALES.EXE", "", "" },
        { 10400000, 10000000, 17, "ว่าง", "Empty folder", nullptr, nullptr, "" },
        { 10401000, 10400000, 18, "ไม่มีสิทธิ์", "No right", "ZAQSALES.EXE", "", "" },
        { 65000000, 0, 20, "ส่งออก", "Export", nullptr, nullptr, "" },
        { 65100000, 65000000, 21, "เอกสารส่งออก", "Export documents", "ZAQEXPORT.EXE", "", "" },
        { 12345678, 0, 30, "อื่น ๆ", "Other", nullptr, nullptr, "" },
        { 12345679, 12345678, 31, "รายการอื่น", "Other entry", "ZAQOTHER.EXE", "", "" },
        { 2070000000, 0, 40, "ผู้ดูแลระบบ", "Administration", nullptr, nullptr, "" },
        { 2070100000, 2070000000, 41, "ผู้ใช้งาน", "Users", "SELF 1", "", "" },
        { 2070110000, 2070000000, 42, "ผู้ใช้งาน 01", "Users 01", "SELF 01", "", "" },
        { 2070120000, 2070000000, 43, "ศูนย์", "Zero", "SELF 0", "", "" },
        { 2070130000, 2070000000, 44, "หก", "Six", "SELF 6", "", "" },
        { 2070140000, 2070000000, 45, "ตัวเล็ก", "Lower case", "self 1", "", "" },
        { 2070150000, 2070000000, 46, "ไม่ใช่ตัวเลข", "Not a number", "SELF x", "", "" },
        { 91400000, 2070000000, 47, "เลขที่เอกสาร", "Document numbering", "ZAQUTILITY.EXE", "W DOCNO", "" },
        { 91000000, 2070000000, 48, "สำรองข้อมูล", "Backup", "ZAQUTILITY.EXE", " W BACKUP ", "" },
        { 91100000, 2070000000, 49, "สำรอง ตัวเล็ก", "Backup, lower case", "zaqutility.exe", "W BACKUP", "" },
        { 91200000, 2070000000, 50, "อื่น", "Utility, other option", "ZAQUTILITY.EXE", "W CHECK", "" },
    };
    QStringList sql;
    for (const Entry& e : entries) {
        auto text = [](const char* s) { return s ? QStringLiteral("'%1'").arg(QString::fromUtf8(s)) : QStringLiteral("Null"); };
        sql << QStringLiteral("Insert Into Menu (Id, Parent, OrderNo, Description, DescEnglish, Command, MenuOption, MenuHint) Values (%1, %2, %3, %4, %5, %6, %7, %8)")
                   .arg(e.id)
                   .arg(e.parent)
                   .arg(e.order)
                   .arg(text(e.thai), text(e.english), text(e.command), text(e.option), text(e.hint))
            << QStringLiteral("/");
    }
    sql << QStringLiteral("Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)")
        << QStringLiteral("Select G.Id, M.Id, 'Y', 'Y', 'Y', 'Y' From UserName G, Menu M Where G.Code = 'ADMIN' And M.Id <> 30100000") << QStringLiteral("/")
        << QStringLiteral("Insert Into UserRight (UserName, Menu, AccessRight, AddRight, ModifyRight, DeleteRight)")
        << QStringLiteral("Select G.Id, M.Id, 'Y', 'N', 'N', 'N' From UserName G, Menu M Where G.Code = 'SALES'")
        << QStringLiteral("  And M.Id In (10000000, 10200000, 10201000, 10100000, 10202000, 10301000, 10400000, 65000000, 65100000)") << QStringLiteral("/");
    site.config(sql.join(QLatin1Char('\n')));
}

} // namespace MenuFixture
