#include "security/assignmentmodel.h"

#include "db/query.h"

AssignmentModel::AssignmentModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void AssignmentModel::load(Query& list)
{
    beginResetModel();
    m_rows.clear();
    m_removed.clear();
    for (list.first(); !list.eof(); list.next()) {
        Assignment row;
        row.id = list.field(QStringLiteral("Id")).asInteger();
        row.userName = list.field(QStringLiteral("UserName")).asInteger();
        row.company = list.field(QStringLiteral("Company")).asInteger();
        row.databaseType = list.field(QStringLiteral("DatabaseType")).asInteger();
        row.databaseList = list.field(QStringLiteral("DatabaseList")).asInteger();
        row.description = list.field(QStringLiteral("Description")).asString();
        row.yearNo = list.field(QStringLiteral("YearNo")).asInteger();
        row.databaseName = list.field(QStringLiteral("DatabaseName")).asString();
        m_rows.append(row);
    }
    endResetModel();
}

void AssignmentModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_removed.clear();
    endResetModel();
}

bool AssignmentModel::holdsDatabase(int databaseList) const
{
    for (const Assignment& row : m_rows) {
        if (row.databaseList == databaseList)
            return true;
    }
    return false;
}

void AssignmentModel::append(const Assignment& row)
{
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at);
    m_rows.append(row);
    endInsertRows();
}

void AssignmentModel::remove(int row)
{
    beginRemoveRows({}, row, row);
    const Assignment gone = m_rows.takeAt(row);
    if (gone.id != 0)
        m_removed.append(gone.id);
    endRemoveRows();
}

int AssignmentModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int AssignmentModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant AssignmentModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const Assignment& row = m_rows.at(index.row());
    switch (index.column()) {
    case 0:
        return row.description;
    case 1:
        return row.yearNo;
    default:
        return row.databaseName;
    }
}

QVariant AssignmentModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QString titles[3] = { QStringLiteral("Description"), QStringLiteral("ปี"), QStringLiteral("Database Name") };
    return section >= 0 && section < 3 ? titles[section] : QVariant();
}
