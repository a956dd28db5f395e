#pragma once

#include <QHash>
#include <QVector>

class Connection;

// The menu's parent links turned round: the children of each entry, in the
// order the menu table gives them.
using MenuChildren = QHash<qint64, QVector<qint64>>;

// Reads every parent link of the menu in one statement.
MenuChildren readMenuChildren(Connection* connection);

// The grid rows that a double-click on the entry `root`, shown in row
// `rootRow`, changes besides its own: every entry below it in the menu tree
// (children, grandchildren and so on) that the grid lists after the clicked
// row. A descendant listed before it keeps its values. rowOf gives the grid row
// of a menu id, or -1 when the grid does not list it; an unlisted entry still
// leads on to its own listed descendants. Parent links that run in a circle are
// followed once round and no further. An entry the grid lists more than once
// (a group with two rights rows for it) is in `repeated` with all its rows in
// grid order: the first of them after the clicked row is the one changed.
QVector<int> cascadeRows(const MenuChildren& children, qint64 root, int rootRow, const QHash<qint64, int>& rowOf,
    const QHash<qint64, QVector<int>>& repeated = {});
