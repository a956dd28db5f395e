#pragma once

#include <QAbstractTableModel>
#include <QList>

class Query;

// The rows of a query as a read-only grid model. Rows are read from the query
// in batches as the view scrolls to them (canFetchMore / fetchMore), so a
// search over thousands of users costs only the rows on the screen.
class SearchModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kBatch = 64;

    struct Column
    {
        QString field; // result column, found without regard to case
        QString title;
        int width; // 0: takes the rest of the grid
    };

    explicit SearchModel(Query* query, QObject* parent = nullptr);

    Query* query() const { return m_query; }
    void setColumns(const QList<Column>& columns);
    const QList<Column>& columns() const { return m_columns; }
    void setTitle(int column, const QString& title);
    // The result column a grid column shows, or -1.
    int queryColumn(int gridColumn) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    void queryOpened();
    void queryClosed();

    Query* m_query;
    QList<Column> m_columns;
    int m_rows = 0; // rows shown; the query may have read ahead of them
};
