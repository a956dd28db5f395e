#include "privilegeflags.h"

namespace PrivilegeFlags {

// The group's privilege and web-menu flags in the order of the user and group
// screen's columns, with the captions the screen shows.
const QList<Flag>& all()
{
    static const QList<Flag> flags = {
        { "EDITSALEPRICE", "สามารถแก้ไขราคาขายได้" },
        { "POS_USER", "เป็นผู้บันทึกรายการขายสด" },
        { "APPROVE_QUO", "อนุมัติใบเสนอราคา" },
        { "APPROVE_SO", "อนุมัติใบสั่งขาย" },
        { "APPROVE_IV", "อนุมัติบิลขายเชื่อ" },
        { "APPROVE_PO", "อนุมัติใบสั่งซื้อ" },
        { "ApproveTranWH", "อนุมัติใบโอนระหว่างคลัง" },
        { "ApproveTranBranch", "อนุมัติใบโอนระหว่างสาขา" },
        { "isPM", "เป็น PM ?" },
        { "ApproveMinPrice", "อนุมัติขายราคาต่ำสุด" },
        { "ApproveWorkOrder", "อนุมัติใบสั่งผลิต" },
        { "CanSeeCost", "เห็นราคาซื้อหรือต้นทุน" },
        { "CanSeeSalePrice", "เห็นราคาขาย" },
        { "Approved_PoRQ", "อนุมัติใบขอซื้อ" },
        { "CanModifyCusSale", "ยินยอมให้แก้ไขลูกค้าหลังจากบันทึกขายเชื่อแล้ว" },
        { "Approve_PreIs", "อนุมัติใบขอเบ ิก" },
        { "ApproveCustomerDropUse", "สามารถระงับการใช้รหัสลูกค้า" },
        { "ApproveCustomerDropCredit", "สามารถระงับเครดิตลูกค้า" },
        { "CanSetProductBlock", "สามารถระงับสินค้า" },
        { "CanSetProductMinus", "สามารถกำหนดสินค้าติดลบ" },
        { "UserSeeImport", "มองเห็นเจ้าหนี้ต่างประเทศ" },
        { "UserSeeCost", "มองเห็นต้นทุนสินค้า" },
        { "CanSetOtherUserPass", "กำหนดรหัสผ่านของผู้ใช้งานคนอื่นได้" },
        { "CanCancelPosItem", "ยกเลิกรายการหน้า POS" },
        { "CanDropMoney", "Drop Money" },
        { "CanClosePosShift", "ปิดรอบแคชเชียร์" },
        { "Approve_Promotion", "อนุมัติ โปรโมชั่น" },
        { "Approve_CurrencyRate", "อนุมัติ อัตราแลกเปลี่ยน" },
        { "Approve_ChangePrice", "อนุมัติ ราคาล่วงหน้า" },
        { "CanPosF3New", "F3 New POS" },
        { "CanReprintMarkdown", "Reprint Sticker Markdown" },
        { "Approve_PosEject", "POS เปิดลิ้นชัก แลกเงิน" },
        { "Approve_PosCashAudit", "POS Cash Audit" },
        { "Approve_AdjustStock", "อนุมัติ ปรับปรุงสต็อค" },
        { "Approve_Posr", "อนุมัติ รับคืนขายสด" },
        { "Web_Warehouse", "คลังสินค้า" },
        { "Web_FiscalYear", "Fiscal Year" },
        { "Web_Management", "รายงานสำหรับการบริหาร" },
        { "Web_Sales", "แผนกขาย" },
        { "Web_AccountFinance", "แผนกบัญชีและการเงิน" },
        { "Web_IT", "แผนกไอที" },
        { "Web_Audit", "แผนกตรวจสอบ" },
        { "Web_SupplyChain", "แผนก Supply Chain" },
        { "Web_SRD", "แผนก SRD" },
        { "Web_Setup", "Setup ระบบ" },
        { "Web_KeyIn", "แผนก Key-In" },
        { "Web_BA", "แผนก BA" },
        { "Web_Marketing", "แผนกการตลาด" },
        { "Web_Commercial", "แผนก Commercial" },
        { "AppReActivePosShift", "อนุมัติ เข้าหน้าจอขายสดซ้ำ **ยังไม่เอามาใช้" },
    };
    return flags;
}

const Flag* find(const QString& column)
{
    for (const Flag& f : all()) {
        if (column.compare(QLatin1String(f.column), Qt::CaseInsensitive) == 0)
            return &f;
    }
    return nullptr;
}

} // namespace PrivilegeFlags
