#include "security/rightscascade.h"

#include "config/sqlcatalogue.h"
#include "db/query.h"

#include <QSet>

#include <algorithm>

MenuChildren readMenuChildren(Connection* connection)
{
    Query links(connection, Sql::QMenuParents);
    links.open();
    MenuChildren children;
    const int rows = links.rowCount();
    children.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        const qint64 id = links.value(row, 0).toLongLong();
        const qint64 parent = links.value(row, 1).toLongLong();
        children[parent].append(id);
    }
    links.close();
    return children;
}

QVector<int> cascadeRows(const MenuChildren& children, qint64 root, int rootRow, const QHash<qint64, int>& rowOf,
    const QHash<qint64, QVector<int>>& repeated)
{
    QVector<int> rows;
    QSet<qint64> seen { root };
    QVector<qint64> pending { root };
    while (!pending.isEmpty()) {
        const qint64 entry = pending.takeLast();
        const auto found = children.constFind(entry);
        if (found == children.constEnd())
            continue;
        for (const qint64 child : *found) {
            if (seen.contains(child))
                continue; // a circle in the parent links: this entry was reached already
            seen.insert(child);
            pending.append(child);
            int row = rowOf.value(child, -1);
            const auto rowsOfChild = repeated.constFind(child);
            if (rowsOfChild != repeated.constEnd()) {
                const auto after = std::upper_bound(rowsOfChild->cbegin(), rowsOfChild->cend(), rootRow);
                row = after == rowsOfChild->cend() ? -1 : *after;
            }
            if (row > rootRow)
                rows.append(row);
        }
    }
    return rows;
}
