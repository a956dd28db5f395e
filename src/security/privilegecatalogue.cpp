#include "security/privilegecatalogue.h"

#include <algorithm>

namespace Privileges {

namespace {

    using K = Kind;
    using D = Default;
    using B = Box;
    using S = Shown;
    constexpr Tick L = Tick::Left;
    constexpr Tick R = Tick::Right;

    // The group-privilege box has three columns, the web-menu box five; the
    // captions are those the boxes carry (some are relabelled by language on the
    // screen). In the third column of the privilege box from "Drop Money" down, and
    // in the whole web-menu box, the tick stands right of the caption.
    const QList<Column> kColumns = {
        { "ID", K::Key, D::None, "", B::None, 0, 0, S::Nowhere, false, L },
        { "CODE", K::Text, D::None, "ชื่อผู้ใช้", B::CodeName, 0, 1, S::Both, true, L },
        { "PASSWORD", K::Bytes, D::None, "", B::None, 0, 0, S::UserMode, false, L },
        { "FULLNAME", K::Text, D::None, "ชื่อ-นามสกุล", B::CodeName, 0, 2, S::Both, true, L },
        { "EDITSALEPRICE", K::Flag, D::No, "สามารถแก้ไขราคาขายได้", B::GroupInfo, 1, 1, S::GroupMode, true, L },
        { "POS_USER", K::Flag, D::No, "เป็นผู้บันทึกรายการขายสด", B::GroupInfo, 1, 2, S::GroupMode, true, L },
        { "SHIFTNO", K::Integer, D::None, "", B::None, 0, 0, S::Nowhere, false, L },
        { "SALEMAN", K::Integer, D::None, "", B::None, 0, 0, S::Nowhere, false, L },
        { "ACTIVE", K::Flag, D::Yes, "ยินยอมให้ใช้ระบบงาน", B::UserInfo, 0, 11, S::UserMode, true, L },
        { "LANGUAGENO", K::Integer, D::One, "ภาษาที่ใช้", B::UserInfo, 0, 3, S::UserMode, true, L },
        { "APPROVE_QUO", K::Flag, D::No, "อนุมัติใบเสนอราคา", B::GroupInfo, 2, 12, S::GroupMode, true, L },
        { "APPROVE_SO", K::Flag, D::No, "อนุมัติใบสั่งขาย", B::GroupInfo, 2, 13, S::GroupMode, true, L },
        { "APPROVE_IV", K::Flag, D::No, "อนุมัติบิลขายเชื่อ", B::GroupInfo, 2, 14, S::GroupMode, true, L },
        { "APPROVE_PO", K::Flag, D::No, "อนุมัติใบสั่งซื้อ", B::GroupInfo, 2, 11, S::GroupMode, true, L },
        { "ApproveTranWH", K::Flag, D::No, "อนุมัติใบโอนระหว่างคลัง", B::GroupInfo, 2, 16, S::GroupMode, true, L },
        { "ApproveTranBranch", K::Flag, D::No, "อนุมัติใบโอนระหว่างสาขา", B::GroupInfo, 2, 17, S::GroupMode, true, L },
        { "isPM", K::Flag, D::No, "เป็น PM ?", B::GroupInfo, 2, 19, S::GroupMode, true, L },
        { "ApproveMinPrice", K::Flag, D::No, "อนุมัติขายราคาต่ำสุด", B::GroupInfo, 2, 20, S::GroupMode, true, L },
        { "ApproveWorkOrder", K::Flag, D::No, "อนุมัติใบสั่งผลิต", B::GroupInfo, 2, 18, S::GroupMode, true, L },
        { "CanSeeCost", K::Flag, D::No, "เห็นราคาซื้อหรือต้นทุน", B::GroupInfo, 1, 4, S::GroupMode, true, L },
        { "CanSeeSalePrice", K::Flag, D::No, "เห็นราคาขาย", B::GroupInfo, 1, 5, S::GroupMode, true, L },
        { "Approved_PoRQ", K::Flag, D::No, "อนุมัติใบขอซื้อ", B::GroupInfo, 2, 10, S::GroupMode, true, L },
        { "CanModifyCusSale", K::Flag, D::No, "ยินยอมให้แก้ไขลูกค้าหลังจากบันทึกขายเชื่อแล้ว", B::GroupInfo, 1, 3, S::GroupMode,
            true, L },
        { "Approve_PreIs", K::Flag, D::No, "อนุมัติใบขอเบ ิก", B::GroupInfo, 2, 15, S::GroupMode, true, L },
        { "ApproveCustomerDropUse", K::Flag, D::No, "สามารถระงับการใช้รหัสลูกค้า", B::GroupInfo, 1, 6, S::GroupMode, true,
            L },
        { "ApproveCustomerDropCredit", K::Flag, D::No, "สามารถระงับเครดิตลูกค้า", B::GroupInfo, 1, 7, S::GroupMode, true,
            L },
        { "Discount", K::Number, D::None, "ส่วนลดสูงสุด(บาท)", B::UserInfo, 0, 4, S::UserMode, true, L },
        { "CanModifyCredit", K::Text, D::None, "", B::None, 0, 0, S::Nowhere, false, L },
        { "CanSetProductBlock", K::Flag, D::No, "สามารถระงับสินค้า", B::GroupInfo, 1, 8, S::GroupMode, true, L },
        { "CanSetProductMinus", K::Flag, D::No, "สามารถกำหนดสินค้าติดลบ", B::GroupInfo, 1, 9, S::GroupMode, true, L },
        { "CanSaleCreditOnReturnCheque", K::Text, D::None, "", B::None, 0, 0, S::Nowhere, false, L },
        { "PasswordTablet", K::Text, D::None, "รหัสผ่าน", B::UserTablet, 0, 1, S::UserMode, true, L },
        { "CusCodeTablet", K::Text, D::None, "รหัสลูกค้า", B::UserTablet, 0, 2, S::UserMode, true, L },
        { "Email", K::Text, D::None, "E-Mail", B::UserInfo, 0, 5, S::UserMode, true, L },
        { "Remark", K::Text, D::None, "หมายเหตุ", B::UserInfo, 0, 6, S::UserMode, true, L },
        { "UserSeeImport", K::Flag, D::No, "มองเห็นเจ้าหนี้ต่างประเทศ", B::GroupInfo, 2, 21, S::GroupMode, true, L },
        { "UserSeeCost", K::Flag, D::No, "มองเห็นต้นทุนสินค้า", B::GroupInfo, 2, 22, S::GroupMode, true, L },
        { "CanSetOtherUserPass", K::Flag, D::No, "กำหนดรหัสผ่านของผู้ใช้งานคนอื่นได้", B::GroupInfo, 2, 23, S::GroupMode, true,
            L },
        { "CanCancelPosItem", K::Flag, D::No, "ยกเลิกรายการหน้า POS", B::GroupInfo, 3, 24, S::GroupMode, true, L },
        { "CanDropMoney", K::Flag, D::No, "Drop Money", B::GroupInfo, 3, 25, S::GroupMode, true, R },
        { "CanClosePosShift", K::Flag, D::No, "ปิดรอบแคชเชียร์", B::GroupInfo, 3, 26, S::GroupMode, true, R },
        { "Approve_Promotion", K::Flag, D::No, "อนุมัติ โปรโมชั่น", B::GroupInfo, 3, 30, S::GroupMode, true, R },
        { "Approve_CurrencyRate", K::Flag, D::No, "อนุมัติ อัตราแลกเปลี่ยน", B::GroupInfo, 3, 31, S::GroupMode, true, R },
        { "Approve_ChangePrice", K::Flag, D::No, "อนุมัติ ราคาล่วงหน้า", B::GroupInfo, 3, 32, S::GroupMode, true, R },
        { "CanPosF3New", K::Flag, D::No, "F3 New POS", B::GroupInfo, 3, 27, S::GroupMode, true, R },
        { "CanReprintMarkdown", K::Flag, D::No, "Reprint Sticker Markdown", B::GroupInfo, 3, 33, S::GroupMode, true,
            R },
        { "Approve_PosEject", K::Flag, D::No, "POS เปิดลิ้นชัก แลกเงิน", B::GroupInfo, 3, 28, S::GroupMode, true, R },
        { "Approve_PosCashAudit", K::Flag, D::No, "POS Cash Audit", B::GroupInfo, 3, 29, S::GroupMode, true, R },
        { "Approve_AdjustStock", K::Flag, D::No, "อนุมัติ ปรับปรุงสต็อค", B::GroupInfo, 3, 34, S::GroupMode, true, R },
        { "Approve_Posr", K::Flag, D::No, "อนุมัติ รับคืนขายสด", B::GroupInfo, 3, 35, S::GroupMode, true, R },
        { "PoApproveLimitMin", K::Number, D::None, "วงเงินอนุมัติ PO  (กีบ)", B::UserInfo, 0, 9, S::UserMode, true, L },
        { "PoApproveLimitMax", K::Number, D::None, "-", B::UserInfo, 0, 10, S::UserMode, true, L },
        { "Web_Warehouse", K::Flag, D::No, "คลังสินค้า", B::GroupWeb, 1, 1, S::GroupMode, true, R },
        { "Web_FiscalYear", K::Flag, D::No, "Fiscal Year", B::GroupWeb, 1, 2, S::GroupMode, true, R },
        { "Web_Management", K::Flag, D::No, "รายงานสำหรับการบริหาร", B::GroupWeb, 1, 3, S::GroupMode, true, R },
        { "Web_Sales", K::Flag, D::No, "แผนกขาย", B::GroupWeb, 2, 4, S::GroupMode, true, R },
        { "Web_AccountFinance", K::Flag, D::No, "แผนกบัญชีและการเงิน", B::GroupWeb, 2, 5, S::GroupMode, true, R },
        { "Web_IT", K::Flag, D::No, "แผนกไอที", B::GroupWeb, 2, 6, S::GroupMode, true, R },
        { "Web_Audit", K::Flag, D::No, "แผนกตรวจสอบ", B::GroupWeb, 3, 7, S::GroupMode, true, R },
        { "Web_SupplyChain", K::Flag, D::No, "แผนก Supply Chain", B::GroupWeb, 3, 8, S::GroupMode, true, R },
        { "Web_SRD", K::Flag, D::No, "แผนก SRD", B::GroupWeb, 3, 9, S::GroupMode, true, R },
        { "Web_Setup", K::Flag, D::No, "Setup ระบบ", B::GroupWeb, 4, 10, S::GroupMode, true, R },
        { "IsDepartment", K::Flag, D::ByMode, "", B::None, 0, 0, S::Nowhere, false, L },
        { "GroupId", K::Integer, D::None, "User Group", B::UserGroup, 0, 1, S::UserMode, true, L },
        { "Web_KeyIn", K::Flag, D::No, "แผนก Key-In", B::GroupWeb, 4, 11, S::GroupMode, true, R },
        { "Web_BA", K::Flag, D::No, "แผนก BA", B::GroupWeb, 4, 12, S::GroupMode, true, R },
        { "Web_Marketing", K::Flag, D::No, "แผนกการตลาด", B::GroupWeb, 5, 13, S::GroupMode, true, R },
        { "Web_Commercial", K::Flag, D::No, "แผนก Commercial", B::GroupWeb, 5, 14, S::GroupMode, true, R },
        { "AppReActivePosShift", K::Flag, D::No, "อนุมัติ เข้าหน้าจอขายสดซ้ำ **ยังไม่เอามาใช้", B::GroupInfo, 3, 36,
            S::GroupMode, false, R },
        { "AddDate", K::Date, D::None, "วันที่สร้าง", B::UserInfo, 0, 7, S::UserMode, true, L },
        { "EditDate", K::Date, D::None, "วันที่แก้ไขล่าสุด", B::UserInfo, 0, 8, S::UserMode, true, L },
    };

} // namespace

const QList<Column>& columns()
{
    return kColumns;
}

QList<Column> inBox(Box box)
{
    QList<Column> out;
    for (const Column& c : kColumns) {
        if (c.box == box)
            out.append(c);
    }
    std::stable_sort(out.begin(), out.end(), [](const Column& a, const Column& b) { return a.tab < b.tab; });
    return out;
}

QStringList selectList()
{
    QStringList out;
    for (const Column& c : kColumns)
        out.append(QLatin1String(c.name));
    return out;
}

QStringList writtenList()
{
    QStringList out;
    for (const Column& c : kColumns) {
        if (c.kind != Kind::Key)
            out.append(QLatin1String(c.name));
    }
    return out;
}

QVariant fillValue(const Column& column, bool groupMode)
{
    switch (column.fill) {
    case Default::No:
        return QStringLiteral("N");
    case Default::Yes:
        return QStringLiteral("Y");
    case Default::One:
        return 1;
    case Default::ByMode:
        return groupMode ? QStringLiteral("Y") : QStringLiteral("N");
    case Default::None:
        break;
    }
    return {};
}

} // namespace Privileges
