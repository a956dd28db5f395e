#include "dialogs/searchmodel.h"

#include "db/field.h"
#include "db/query.h"

SearchModel::SearchModel(Query* query, QObject* parent)
    : QAbstractTableModel(parent)
    , m_query(query)
{
    connect(m_query, &Query::opened, this, &SearchModel::queryOpened);
    connect(m_query, &Query::closed, this, &SearchModel::queryClosed);
}

void SearchModel::setColumns(const QList<Column>& columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void SearchModel::setTitle(int column, const QString& title)
{
    if (column < 0 || column >= m_columns.size() || m_columns[column].title == title)
        return;
    m_columns[column].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int SearchModel::queryColumn(int gridColumn) const
{
    if (gridColumn < 0 || gridColumn >= m_columns.size())
        return -1;
    return m_query->columnIndex(m_columns.at(gridColumn).field);
}

int SearchModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int SearchModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant SearchModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows)
        return {};
    const int column = queryColumn(index.column());
    if (column < 0)
        return {};
    return Field(QString(), m_query->value(index.row(), column)).asString();
}

QVariant SearchModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return m_columns.at(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool SearchModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_query->isOpen() && (m_rows < m_query->fetchedCount() || m_query->canFetchMore());
}

void SearchModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || !m_query->isOpen())
        return;
    if (m_rows + kBatch > m_query->fetchedCount())
        m_query->fetchMore(m_rows + kBatch - m_query->fetchedCount());
    const int available = m_query->fetchedCount();
    if (available <= m_rows)
        return;
    // The query has already read the rows; the view learns of them only now,
    // so it never sees a count that the model cannot answer for.
    beginInsertRows(QModelIndex(), m_rows, available - 1);
    m_rows = available;
    endInsertRows();
}

// Rows come and go, the columns never change: no model reset, so the grid
// keeps its column widths from one search to the next.
void SearchModel::queryOpened()
{
    queryClosed();
    fetchMore(QModelIndex()); // the first batch at once, so the first row can take the focus
}

void SearchModel::queryClosed()
{
    if (m_rows == 0)
        return;
    beginRemoveRows(QModelIndex(), 0, m_rows - 1);
    m_rows = 0;
    endRemoveRows();
}
