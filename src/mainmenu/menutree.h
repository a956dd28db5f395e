#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <vector>

class Query;
class QTreeView;

// The menu tree's model over its one open query: entries hang below the root
// value by their PARENT, in the query's order. The tree is cut from the rows
// in memory when the query opens; no query runs per level, and no object is
// made per entry, so a department of thousands of entries costs little more
// than reading its rows. An entry's text is read from the query only when the
// view shows it. Making an entry current makes its row the query's current row.
class MenuTreeBinding : public QAbstractItemModel
{
    Q_OBJECT
public:
    MenuTreeBinding(QTreeView* tree, Query* query, QObject* parent = nullptr);

    void setRootValue(const QString& root) { m_root = root; }

    void expandAll();
    void collapseAll();
    // The query row an entry stands for; -1 for none.
    int rowOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // One shown entry. Node 0 stands for the root value; the children of a
    // node are consecutive nodes.
    struct Node
    {
        int row;        // of the query; -1 for the root
        int parent;     // node
        int position;   // among its parent's children
        int firstChild; // node
        int childCount;
    };

    void rebuild();
    void clear();
    void currentChanged(const QModelIndex& current);
    const Node* nodeOf(const QModelIndex& index) const;

    QTreeView* m_tree;
    Query* m_query;
    QString m_root;
    int m_textColumn = -1;
    std::vector<Node> m_nodes;
};
