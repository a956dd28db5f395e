#include "mainmenu/menutree.h"

#include "db/query.h"
#include "toolkit/pictures.h"

#include <QIcon>
#include <QSet>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace {

// An entry of the tree. Its id, its query row and the entry picture are
// answered from the item itself rather than stored as item data: a large
// department makes thousands of items at once, and each stored value costs.
class MenuEntryItem : public QTreeWidgetItem
{
public:
    MenuEntryItem(qint64 id, int row, const QString& text)
        : QTreeWidgetItem(UserType)
        , m_id(id)
        , m_row(row)
    {
        setText(0, text);
    }

    QVariant data(int column, int role) const override
    {
        if (column == 0) {
            if (role == MenuTreeBinding::kKeyRole)
                return m_id;
            if (role == MenuTreeBinding::kRowRole)
                return m_row;
            if (role == Qt::DecorationRole) {
                static const QIcon icon(Pictures::treeEntry());
                return icon;
            }
        }
        return QTreeWidgetItem::data(column, role);
    }

private:
    qint64 m_id;
    int m_row;
};

} // namespace

MenuTreeBinding::MenuTreeBinding(QTreeWidget* tree, Query* query, QObject* parent)
    : QObject(parent)
    , m_tree(tree)
    , m_query(query)
{
    connect(m_query, &Query::opened, this, &MenuTreeBinding::rebuild);
    connect(m_query, &Query::closed, this, &MenuTreeBinding::clear);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &MenuTreeBinding::itemExpanded);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) { currentChanged(current); });
}

void MenuTreeBinding::clear()
{
    m_children.clear();
    m_tree->clear();
}

// The whole result is read once; the levels are then cut from it in memory.
void MenuTreeBinding::rebuild()
{
    if (m_building)
        return;
    m_building = true;
    m_children.clear();
    m_idColumn = m_query->columnIndex(QStringLiteral("ID"));
    m_textColumn = m_query->columnIndex(QStringLiteral("DESCRIPTION"));
    const int parentColumn = m_query->columnIndex(QStringLiteral("PARENT"));
    const int rows = m_query->rowCount();
    for (int r = 0; r < rows; ++r)
        m_children[m_query->value(r, parentColumn).toLongLong()].append(r);
    {
        const QSignalBlocker blocker(m_tree);
        m_tree->clear();
    }
    buildLevel(nullptr, m_root.toLongLong(), false);
    m_building = false;
}

// The entries below `key`, in query order. With `deep`, each one carries its
// whole subtree, made while nothing of it is in the tree yet: the view then
// hears of one insertion per level built, not one per entry. `seen` ends a
// circle in the parent links.
QList<QTreeWidgetItem*> MenuTreeBinding::makeItems(qint64 key, bool deep, QSet<qint64>& seen) const
{
    QList<QTreeWidgetItem*> items;
    const auto found = m_children.constFind(key);
    if (found == m_children.constEnd())
        return items;
    items.reserve(found->size());
    for (const int r : *found) {
        const qint64 id = m_query->value(r, m_idColumn).toLongLong();
        auto* item = new MenuEntryItem(id, r, m_query->value(r, m_textColumn).toString());
        const bool hasChildren = m_children.contains(id);
        item->setChildIndicatorPolicy(hasChildren ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicator);
        if (deep && hasChildren && !seen.contains(id)) {
            seen.insert(id);
            item->addChildren(makeItems(id, true, seen));
        }
        items.append(item);
    }
    return items;
}

void MenuTreeBinding::buildLevel(QTreeWidgetItem* under, qint64 key, bool deep)
{
    const QSignalBlocker blocker(m_tree);
    const int current = m_query->recNo();
    if (under)
        qDeleteAll(under->takeChildren());
    QSet<qint64> seen { key };
    const QList<QTreeWidgetItem*> items = makeItems(key, deep, seen);
    if (under)
        under->addChildren(items);
    else
        m_tree->addTopLevelItems(items);
    m_query->setRecNo(current);
}

void MenuTreeBinding::itemExpanded(QTreeWidgetItem* item)
{
    if (item->childCount() == 0 && m_children.contains(item->data(0, kKeyRole).toLongLong()))
        buildLevel(item, item->data(0, kKeyRole).toLongLong(), false);
}

void MenuTreeBinding::buildAllBelow(QTreeWidgetItem* item)
{
    const qint64 key = item->data(0, kKeyRole).toLongLong();
    if (item->childCount() == 0) {
        if (m_children.contains(key))
            buildLevel(item, key, true);
        return;
    }
    for (int i = 0; i < item->childCount(); ++i)
        buildAllBelow(item->child(i));
}

void MenuTreeBinding::expandAll()
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        buildAllBelow(m_tree->topLevelItem(i));
    m_tree->expandAll();
}

void MenuTreeBinding::collapseAll() { m_tree->collapseAll(); }

int MenuTreeBinding::rowOf(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, kRowRole).toInt() : -1;
}

void MenuTreeBinding::currentChanged(QTreeWidgetItem* item)
{
    if (item && m_query->isOpen())
        m_query->setRecNo(rowOf(item));
}
