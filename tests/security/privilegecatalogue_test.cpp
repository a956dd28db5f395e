// The privilege catalogue against the record query's texts and the screen built from it.
#include "config/sqlcatalogue.h"
#include "db/params.h"
#include "security/frusername.h"
#include "security/privilegecatalogue.h"
#include "securityfixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRegularExpression>

using namespace Privileges;

namespace {

// The record's columns in the order the suite's programs read and write them.
const QStringList kRecordOrder = QStringLiteral("ID CODE PASSWORD FULLNAME EDITSALEPRICE POS_USER SHIFTNO SALEMAN "
                                                "ACTIVE LANGUAGENO APPROVE_QUO APPROVE_SO APPROVE_IV "
                                                "APPROVE_PO ApproveTranWH ApproveTranBranch isPM ApproveMinPrice "
                                                "ApproveWorkOrder CanSeeCost CanSeeSalePrice Approved_PoRQ "
                                                "CanModifyCusSale Approve_PreIs ApproveCustomerDropUse "
                                                "ApproveCustomerDropCredit Discount CanModifyCredit CanSetProductBlock "
                                                "CanSetProductMinus CanSaleCreditOnReturnCheque PasswordTablet "
                                                "CusCodeTablet Email Remark UserSeeImport UserSeeCost "
                                                "CanSetOtherUserPass CanCancelPosItem CanDropMoney CanClosePosShift "
                                                "Approve_Promotion Approve_CurrencyRate Approve_ChangePrice "
                                                "CanPosF3New CanReprintMarkdown Approve_PosEject Approve_PosCashAudit "
                                                "Approve_AdjustStock Approve_Posr PoApproveLimitMin "
                                                "PoApproveLimitMax Web_Warehouse Web_FiscalYear Web_Management "
                                                "Web_Sales Web_AccountFinance Web_IT Web_Audit Web_SupplyChain "
                                                "Web_SRD Web_Setup IsDepartment GroupId Web_KeyIn Web_BA Web_Marketing "
                                                "Web_Commercial AppReActivePosShift AddDate EditDate")
                                     .split(QLatin1Char(' '));

QStringList between(const QString& text, const QString& from, const QString& to)
{
    const int start = int(text.indexOf(from)) + int(from.size());
    const QString part = text.mid(start, text.indexOf(to, start) - start);
    QStringList out;
    for (const QString& item : part.split(QLatin1Char(',')))
        out.append(item.trimmed().split(QRegularExpression(QStringLiteral("\\s+"))).last());
    return out;
}

TEST(PrivilegeCatalogue, RecordQueryTextsFollowTheCatalogue)
{
    EXPECT_EQ(selectList(), kRecordOrder);
    EXPECT_EQ(writtenList(), kRecordOrder.mid(1));

    const QString select = Sql::QUserName.join(QLatin1Char('\n'));
    EXPECT_EQ(between(select, QStringLiteral("Select "), QStringLiteral("\nFrom")), selectList());

    const QString insert = Sql::QUserNameInsert.join(QLatin1Char('\n'));
    const QStringList inserted = between(insert, QStringLiteral("("), QStringLiteral(")"));
    EXPECT_EQ(inserted, writtenList());
    QStringList values;
    for (const QString& v : between(insert, QStringLiteral("values\n  ("), QStringLiteral(")")))
        values.append(v.mid(1));
    EXPECT_EQ(values, writtenList());

    const QString update = Sql::QUserNameUpdate.join(QLatin1Char('\n'));
    QStringList set;
    static const QRegularExpression assignment(QStringLiteral("(\\w+) = :(\\w+)"));
    for (auto it = assignment.globalMatch(update); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(2) == QLatin1String("OLD_ID"))
            continue;
        EXPECT_EQ(m.captured(1), m.captured(2));
        set.append(m.captured(1));
    }
    EXPECT_EQ(set, writtenList());
    EXPECT_TRUE(update.endsWith(QStringLiteral("where ID = :OLD_ID")));
}

TEST(PrivilegeCatalogue, BoxesColumnsTabOrderAndDefaults)
{
    const struct
    {
        Box box;
        int count;
        int boxColumns;
    } boxes[] = { { Box::GroupInfo, 36, 3 }, { Box::GroupWeb, 14, 5 } };
    for (const auto& b : boxes) {
        const QList<Column> in = inBox(b.box);
        ASSERT_EQ(in.size(), b.count);
        int lastColumn = 1;
        for (int i = 0; i < in.size(); ++i) {
            SCOPED_TRACE(in[i].name);
            EXPECT_EQ(in[i].tab, i + 1); // contiguous, and down each column left to right
            EXPECT_GE(in[i].boxColumn, lastColumn);
            EXPECT_LE(in[i].boxColumn, b.boxColumns);
            lastColumn = in[i].boxColumn;
            EXPECT_EQ(in[i].kind, Kind::Flag);
            EXPECT_EQ(fillValue(in[i], true).toString(), QStringLiteral("N"));
            EXPECT_EQ(fillValue(in[i], false).toString(), QStringLiteral("N"));
            EXPECT_EQ(in[i].shown, Shown::GroupMode);
        }
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(inBox(Box::GroupWeb).mid(i * 3, 3).last().boxColumn, i + 1);

    // Ticks stand right in the web box and from "Drop Money" down the third privilege column.
    for (const Column& c : inBox(Box::GroupInfo))
        EXPECT_EQ(c.tick == Tick::Right, c.tab >= 25) << c.name;
    for (const Column& c : inBox(Box::GroupWeb))
        EXPECT_EQ(c.tick, Tick::Right) << c.name;

    QStringList hidden, filled;
    for (const Column& c : columns()) {
        if (c.box != Box::None && !c.visible)
            hidden.append(QLatin1String(c.name));
        if (fillValue(c, true).isValid())
            filled.append(QLatin1String(c.name));
    }
    EXPECT_EQ(hidden, QStringList { QStringLiteral("AppReActivePosShift") });
    EXPECT_EQ(filled.size(), 53); // 50 flags, ACTIVE, LANGUAGENO, IsDepartment
    const auto find = [](const char* name) {
        for (const Column& c : columns())
            if (qstrcmp(c.name, name) == 0)
                return c;
        return Column {};
    };
    EXPECT_EQ(fillValue(find("ACTIVE"), false).toString(), QStringLiteral("Y"));
    EXPECT_EQ(fillValue(find("LANGUAGENO"), true).toInt(), 1);
    EXPECT_EQ(fillValue(find("IsDepartment"), true).toString(), QStringLiteral("Y"));
    EXPECT_EQ(fillValue(find("IsDepartment"), false).toString(), QStringLiteral("N"));
    for (const char* untouched :
        { "SHIFTNO", "SALEMAN", "CanModifyCredit", "CanSaleCreditOnReturnCheque", "GroupId", "Discount" })
        EXPECT_FALSE(fillValue(find(untouched), true).isValid()) << untouched;
}

class ScreenFromCatalogue : public SecuritySite
{
};

TEST_F(ScreenFromCatalogue, EveryFlagHasItsCheckBoxInItsBoxWithItsCaption)
{
    TFrUserName screen;
    for (const Column& c : columns()) {
        if (c.kind != Kind::Flag || c.box == Box::None)
            continue;
        SCOPED_TRACE(c.name);
        QCheckBox* box = screen.flagBox(QLatin1String(c.name));
        ASSERT_NE(box, nullptr);
        QGroupBox* expected = c.box == Box::GroupInfo ? screen.GbGroupInfo
            : c.box == Box::GroupWeb                  ? screen.GbGroupWeb
                                                      : screen.GbUserInfo;
        EXPECT_TRUE(expected->isAncestorOf(box));
        EXPECT_EQ(box->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(box->layoutDirection() == Qt::RightToLeft, c.tick == Tick::Right);
    }
}

} // namespace
