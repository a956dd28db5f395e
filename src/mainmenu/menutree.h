#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QObject>
#include <QVector>

class Query;
class QTreeWidget;
class QTreeWidgetItem;

// Binds the menu tree to its one open query: entries hang below the root
// value by their PARENT, in the query's order, and are built in memory level
// by level as they are expanded; no query runs per level. Selecting an entry
// makes its row the query's current row.
class MenuTreeBinding : public QObject
{
    Q_OBJECT
public:
    MenuTreeBinding(QTreeWidget* tree, Query* query, QObject* parent = nullptr);

    void setRootValue(const QString& root) { m_root = root; }
    const QString& rootValue() const { return m_root; }

    void expandAll();
    void collapseAll();
    // The query row an entry stands for; -1 for none.
    int rowOf(const QTreeWidgetItem* item) const;

    static constexpr int kRowRole = Qt::UserRole + 1;
    static constexpr int kKeyRole = Qt::UserRole;

private:
    void rebuild();
    void clear();
    QList<QTreeWidgetItem*> makeItems(qint64 key, bool deep, QSet<qint64>& seen) const;
    void buildLevel(QTreeWidgetItem* under, qint64 key, bool deep);
    void buildAllBelow(QTreeWidgetItem* item);
    void itemExpanded(QTreeWidgetItem* item);
    void currentChanged(QTreeWidgetItem* item);

    QTreeWidget* m_tree;
    Query* m_query;
    QString m_root;
    int m_idColumn = -1;
    int m_textColumn = -1;
    QHash<qint64, QVector<int>> m_children; // parent id -> rows, in query order
    bool m_building = false;
};
