#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QVector>

class Query;

// One row of the rights grid: a menu entry and the group's four rights on it.
struct RightsRow
{
    qint64 id = 0;
    qint64 parent = 0;
    QString description; // indented three blanks per menu level
    QString rights[4]; // Access, Add, Modify, Delete: "Y" or "N"

    // A top-level entry: its description does not begin with a blank.
    bool topLevel() const { return !description.startsWith(QLatin1Char(' ')); }
};

// The rows of the rights query, held in the screen until they are saved. The
// description column is read-only; the four rights show as check boxes. Rows
// are found by menu id through an index, never by a scan.
class RightsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Description, Access, Add, Modify, Delete, ColumnCount };

    explicit RightsModel(QObject* parent = nullptr);

    // Reads every row of the open rights query.
    void load(Query& rights);
    void clear();

    const QVector<RightsRow>& rows() const { return m_rows; }
    const RightsRow& row(int r) const { return m_rows.at(r); }
    const QHash<qint64, int>& rowIndex() const { return m_rowOf; }
    int rowOf(qint64 id) const { return m_rowOf.value(id, -1); }
    const QHash<qint64, QVector<int>>& repeatedRows() const { return m_repeated; }

    // Change values without telling the views; refresh tells them afterwards.
    void setRight(int r, Column column, const QString& value) { m_rows[r].rights[column - Access] = value; }
    void setRights(int r, const QString& value);
    void refresh(int firstRow, int lastRow);
    void refreshAll() { refresh(0, int(m_rows.size()) - 1); }

    void setTitle(int column, const QString& title);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<RightsRow> m_rows;
    QHash<qint64, int> m_rowOf; // the first row of each entry
    QHash<qint64, QVector<int>> m_repeated; // every row of an entry listed more than once
    QString m_titles[ColumnCount];
};
