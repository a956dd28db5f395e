// The rows a query keeps: every value reads back as it was stored, whatever
// the values beside it in the row.
#include "db/rowstore.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

TEST(RowStore, ValuesReadBackAsStoredBesideAnyOthers)
{
    const QString thai = QStringLiteral("รายการที่ 1");
    const QByteArray utf8 = thai.toUtf8();
    const QByteArray bytes("\x00\xff\x80", 3);
    const QDateTime when(QDate(2026, 12, 10), QTime(9, 0));
    RowStore rows;
    for (int r = 0; r < 3; ++r) {
        rows.beginRow();
        rows.addInteger(r == 1 ? -9007199254740993LL : r);
        rows.addText(utf8.constData(), int(utf8.size()));
        rows.addNull();
        rows.addText("", 0);
        rows.addDouble(2.5);
        rows.addBlob(bytes.constData(), int(bytes.size()));
        rows.addVariant(when);
        rows.addVariant(QVariant(7)); // another engine's int stays an int
        rows.endRow();
    }
    ASSERT_EQ(rows.size(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(rows.value(r, 0), QVariant(qlonglong(r == 1 ? -9007199254740993LL : r)));
        EXPECT_EQ(rows.value(r, 0).typeId(), QMetaType::LongLong);
        EXPECT_EQ(rows.value(r, 1).toString(), thai);
        EXPECT_TRUE(rows.value(r, 2).isNull());
        EXPECT_EQ(rows.value(r, 2).typeId(), QMetaType::QString); // NULL reads as SQLite's driver reads it
        EXPECT_FALSE(rows.value(r, 3).isNull());
        EXPECT_TRUE(rows.value(r, 3).toString().isEmpty());
        EXPECT_EQ(rows.value(r, 4), QVariant(2.5));
        EXPECT_EQ(rows.value(r, 5).toByteArray(), bytes);
        EXPECT_EQ(rows.value(r, 6).toDateTime(), when);
        EXPECT_EQ(rows.value(r, 7).typeId(), QMetaType::Int);
    }
    EXPECT_FALSE(rows.value(0, 8).isValid()); // past the last column
    EXPECT_FALSE(rows.value(3, 0).isValid()); // past the last row
    rows.clear();
    EXPECT_EQ(rows.size(), 0);
}

} // namespace
