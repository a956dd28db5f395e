#pragma once

#include <QAbstractTableModel>
#include <QVector>

class Query;

// One company database assigned to a user, as the user's list shows it.
struct Assignment
{
    int id = 0; // the UserCompany row's Id; 0 for a row added on the screen
    int userName = 0;
    int company = 0;
    int databaseType = 0;
    int databaseList = 0;
    QString description;
    int yearNo = 0;
    QString databaseName;
};

// The user's assigned databases with the additions and removals held on the
// screen until saved. Removing a row that was added on the screen forgets it;
// removing a stored row keeps its Id for the delete.
class AssignmentModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit AssignmentModel(QObject* parent = nullptr);

    void load(Query& list);
    void clear();

    const QVector<Assignment>& rows() const { return m_rows; }
    const QVector<int>& removedIds() const { return m_removed; }
    bool holdsDatabase(int databaseList) const;

    void append(const Assignment& row);
    void remove(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<Assignment> m_rows;
    QVector<int> m_removed;
};
