#include "mainmenu/menutree.h"

#include "db/query.h"
#include "toolkit/pictures.h"

#include <QHash>
#include <QIcon>
#include <QItemSelectionModel>
#include <QTreeView>

MenuTreeBinding::MenuTreeBinding(QTreeView* tree, Query* query, QObject* parent)
    : QAbstractItemModel(parent)
    , m_tree(tree)
    , m_query(query)
{
    m_tree->setModel(this);
    connect(m_query, &Query::opened, this, &MenuTreeBinding::rebuild);
    connect(m_query, &Query::closed, this, &MenuTreeBinding::clear);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) { currentChanged(current); });
}

void MenuTreeBinding::clear()
{
    beginResetModel();
    m_nodes.clear();
    endResetModel();
}

// The whole result is read once and the tree below the root value is cut from
// it: the rows are grouped by their parent, in query order, and each group is
// hung below the first entry whose id it names. A group is hung once only, so
// a circle in the parent links ends.
void MenuTreeBinding::rebuild()
{
    const int current = m_query->recNo();
    beginResetModel();
    m_nodes.clear();
    const int idColumn = m_query->columnIndex(QStringLiteral("ID"));
    m_textColumn = m_query->columnIndex(QStringLiteral("DESCRIPTION"));
    const int parentColumn = m_query->columnIndex(QStringLiteral("PARENT"));
    const int rows = m_query->rowCount();

    const auto rowTotal = static_cast<size_t>(rows);
    QHash<qint64, int> groupOfParent;
    std::vector<qint64> idOfRow(rowTotal);
    std::vector<int> groupOfRow(rowTotal);
    std::vector<int> groupStart; // sizes first, then where each group starts in rowsByGroup
    for (int r = 0; r < rows; ++r) {
        idOfRow[size_t(r)] = m_query->value(r, idColumn).toLongLong();
        const qint64 parentId = m_query->value(r, parentColumn).toLongLong();
        const auto found = groupOfParent.constFind(parentId);
        int group;
        if (found == groupOfParent.constEnd()) {
            group = int(groupStart.size());
            groupOfParent.insert(parentId, group);
            groupStart.push_back(0);
        } else {
            group = *found;
        }
        groupOfRow[size_t(r)] = group;
        ++groupStart[size_t(group)];
    }
    int start = 0;
    for (int& g : groupStart) {
        const int size = g;
        g = start;
        start += size;
    }
    groupStart.push_back(start);
    std::vector<int> rowsByGroup(rowTotal);
    {
        std::vector<int> next(groupStart.begin(), groupStart.end() - 1);
        for (int r = 0; r < rows; ++r)
            rowsByGroup[size_t(next[size_t(groupOfRow[size_t(r)])]++)] = r;
    }

    std::vector<bool> hung(groupStart.size(), false);
    m_nodes.push_back({ -1, -1, 0, 0, 0 });
    for (size_t n = 0; n < m_nodes.size(); ++n) {
        const qint64 key = n == 0 ? m_root.toLongLong() : idOfRow[size_t(m_nodes[n].row)];
        const int group = groupOfParent.value(key, -1);
        if (group < 0 || hung[size_t(group)])
            continue;
        hung[size_t(group)] = true;
        const int first = groupStart[size_t(group)];
        const int count = groupStart[size_t(group) + 1] - first;
        m_nodes[n].firstChild = int(m_nodes.size());
        m_nodes[n].childCount = count;
        for (int i = 0; i < count; ++i)
            m_nodes.push_back({ rowsByGroup[size_t(first + i)], int(n), i, 0, 0 });
    }
    endResetModel();
    m_query->setRecNo(current);
}

void MenuTreeBinding::expandAll() { m_tree->expandAll(); }

void MenuTreeBinding::collapseAll() { m_tree->collapseAll(); }

const MenuTreeBinding::Node* MenuTreeBinding::nodeOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this || index.internalId() == 0 || index.internalId() >= m_nodes.size())
        return nullptr;
    return &m_nodes[index.internalId()];
}

int MenuTreeBinding::rowOf(const QModelIndex& index) const
{
    const Node* node = nodeOf(index);
    return node ? node->row : -1;
}

QModelIndex MenuTreeBinding::index(int row, int column, const QModelIndex& parent) const
{
    if (m_nodes.empty() || row < 0 || column != 0)
        return {};
    const Node* under = parent.isValid() ? nodeOf(parent) : &m_nodes.front();
    if (!under || row >= under->childCount)
        return {};
    return createIndex(row, 0, quintptr(under->firstChild + row));
}

QModelIndex MenuTreeBinding::parent(const QModelIndex& child) const
{
    const Node* node = nodeOf(child);
    if (!node || node->parent <= 0)
        return {};
    return createIndex(m_nodes[size_t(node->parent)].position, 0, quintptr(node->parent));
}

int MenuTreeBinding::rowCount(const QModelIndex& parent) const
{
    if (m_nodes.empty() || parent.column() > 0)
        return 0;
    const Node* node = parent.isValid() ? nodeOf(parent) : &m_nodes.front();
    return node ? node->childCount : 0;
}

int MenuTreeBinding::columnCount(const QModelIndex&) const { return 1; }

bool MenuTreeBinding::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

// A leaf says it never has children: expanding everything then passes it by
// instead of remembering it as expanded.
Qt::ItemFlags MenuTreeBinding::flags(const QModelIndex& index) const
{
    const Node* node = nodeOf(index);
    if (!node)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | (node->childCount == 0 ? Qt::ItemNeverHasChildren : Qt::NoItemFlags);
}

QVariant MenuTreeBinding::data(const QModelIndex& index, int role) const
{
    const Node* node = nodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_query->value(node->row, m_textColumn).toString();
    case Qt::DecorationRole: {
        static const QIcon icon(Pictures::treeEntry());
        return icon;
    }
    default:
        return {};
    }
}

void MenuTreeBinding::currentChanged(const QModelIndex& current)
{
    const int row = rowOf(current);
    if (row >= 0 && m_query->isOpen())
        m_query->setRecNo(row);
}
