#include "security/rightsmodel.h"

#include "db/query.h"

#include <QBrush>
#include <QFont>

namespace {

const QColor kTopLevelBackground(0, 128, 0);
const QString kYes = QStringLiteral("Y");
const QString kNo = QStringLiteral("N");

} // namespace

RightsModel::RightsModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void RightsModel::load(Query& rights)
{
    beginResetModel();
    m_rows.clear();
    m_rowOf.clear();
    m_repeated.clear();
    const int count = rights.rowCount();
    m_rows.reserve(count);
    m_rowOf.reserve(count);
    const int id = rights.columnIndex(QStringLiteral("Id"));
    const int parent = rights.columnIndex(QStringLiteral("Parent"));
    const int description = rights.columnIndex(QStringLiteral("Description"));
    const int columns[4] = { rights.columnIndex(QStringLiteral("AccessRight")), rights.columnIndex(QStringLiteral("AddRight")),
        rights.columnIndex(QStringLiteral("ModifyRight")), rights.columnIndex(QStringLiteral("DeleteRight")) };
    for (int r = 0; r < count; ++r) {
        RightsRow row;
        row.id = rights.value(r, id).toLongLong();
        row.parent = rights.value(r, parent).toLongLong();
        row.description = rights.value(r, description).toString();
        for (int c = 0; c < 4; ++c)
            row.rights[c] = rights.value(r, columns[c]).toString();
        // The first row of an entry is the one the screen names; a repeated
        // entry also keeps all its rows for the cascade.
        const auto first = m_rowOf.constFind(row.id);
        if (first == m_rowOf.constEnd()) {
            m_rowOf.insert(row.id, r);
        } else {
            QVector<int>& rows = m_repeated[row.id];
            if (rows.isEmpty())
                rows.append(*first);
            rows.append(r);
        }
        m_rows.append(std::move(row));
    }
    endResetModel();
}

void RightsModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_rowOf.clear();
    m_repeated.clear();
    endResetModel();
}

void RightsModel::setRights(int r, const QString& value)
{
    for (QString& right : m_rows[r].rights)
        right = value;
}

void RightsModel::refresh(int firstRow, int lastRow)
{
    if (firstRow <= lastRow)
        emit dataChanged(index(firstRow, 0), index(lastRow, ColumnCount - 1));
}

void RightsModel::setTitle(int column, const QString& title)
{
    m_titles[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int RightsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int RightsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant RightsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const RightsRow& row = m_rows.at(index.row());
    if (index.column() == Description) {
        switch (role) {
        case Qt::DisplayRole:
            return row.description;
        case Qt::BackgroundRole:
            return row.topLevel() ? QVariant(QBrush(kTopLevelBackground)) : QVariant();
        case Qt::ForegroundRole:
            return row.topLevel() ? QVariant(QBrush(Qt::white)) : QVariant();
        case Qt::FontRole:
            if (row.topLevel()) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
        }
    }
    if (role == Qt::CheckStateRole)
        return row.rights[index.column() - Access] == kYes ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool RightsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() == Description || role != Qt::CheckStateRole)
        return false;
    setRight(index.row(), Column(index.column()), value.toInt() == Qt::Checked ? kYes : kNo);
    emit dataChanged(index, index, { Qt::CheckStateRole });
    return true;
}

Qt::ItemFlags RightsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == Description ? base : base | Qt::ItemIsUserCheckable;
}

QVariant RightsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return m_titles[section];
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}
