// The rows a double-click on the rights grid changes, from the menu's parent links.
#include "security/rightscascade.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A menu as parent links: (id, parent), in table order.
MenuChildren linksOf(const QList<QPair<qint64, qint64>>& entries)
{
    MenuChildren children;
    for (const auto& e : entries)
        children[e.second].append(e.first);
    return children;
}

TEST(RightsCascade, ChangesDescendantsListedAfterTheClickedRowOnly)
{
    // 1 -> 2 -> 3, 1 -> 4; 5 is a sibling of 1; 6 a child of 2 listed before 1; 7 unlisted, leading to 8.
    const MenuChildren menu = linksOf({ { 1, 0 }, { 2, 1 }, { 3, 2 }, { 4, 1 }, { 5, 0 }, { 6, 2 }, { 7, 1 }, { 8, 7 } });
    // Grid order: 6, 1, 2, 3, 4, 5, 8 (7 not listed).
    const QHash<qint64, int> rowOf { { 6, 0 }, { 1, 1 }, { 2, 2 }, { 3, 3 }, { 4, 4 }, { 5, 5 }, { 8, 6 } };
    const struct
    {
        qint64 clicked;
        QVector<int> rows;
    } cases[] = {
        { 1, { 2, 3, 4, 6 } }, // not 6's row 0 (listed before), not the sibling 5; 8 through the unlisted 7
        { 2, { 3 } }, // its child 6 is listed before it
        { 3, {} }, // a leaf: nothing besides itself
        { 5, {} },
    };
    for (const auto& c : cases) {
        QVector<int> rows = cascadeRows(menu, c.clicked, rowOf.value(c.clicked), rowOf);
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, c.rows) << "clicked " << c.clicked;
    }
}

TEST(RightsCascade, ParentLinksInACircleEnd)
{
    // 1 -> 2 -> 3 -> 1, and 3 -> 4; an entry that is its own parent too.
    const MenuChildren menu = linksOf({ { 1, 3 }, { 2, 1 }, { 3, 2 }, { 4, 3 }, { 9, 9 } });
    const QHash<qint64, int> rowOf { { 1, 0 }, { 2, 1 }, { 3, 2 }, { 4, 3 }, { 9, 4 } };
    QVector<int> rows = cascadeRows(menu, 2, 1, rowOf);
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (QVector<int> { 2, 3 })); // 3 and 4; 1 is listed before 2
    EXPECT_TRUE(cascadeRows(menu, 9, 4, rowOf).isEmpty());
}

TEST(RightsCascade, AnEntryListedTwiceChangesItsFirstRowAfterTheClickedOne)
{
    // A group with two rights rows for 2 lists it twice: before the clicked 1, and twice after it.
    const MenuChildren menu = linksOf({ { 1, 0 }, { 2, 1 } });
    const QHash<qint64, int> rowOf { { 2, 0 }, { 1, 1 } };
    const QHash<qint64, QVector<int>> repeated { { 2, { 0, 2, 3 } } };
    EXPECT_EQ(cascadeRows(menu, 1, 1, rowOf, repeated), QVector<int> { 2 });
    EXPECT_TRUE(cascadeRows(menu, 1, 3, rowOf, repeated).isEmpty());
}

} // namespace
