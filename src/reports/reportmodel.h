#pragma once

#include "reports/reporttable.h"

#include <QAbstractTableModel>

// A report in one grid: each part's title line, its column names (bold) and
// its rows. No item is made per cell, so a long report fills at once.
class ReportModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ReportModel(QObject* parent = nullptr);

    void setReport(const Reports::Report& report);
    const Reports::Report& report() const { return m_report; }
    // The data row of a part under the grid's row, or -1 on a title or header line.
    int dataRow(int gridRow, int* part = nullptr) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Line
    {
        int part;
        int row; // -2 title, -1 column names, else the data row
    };
    Reports::Report m_report;
    QList<Line> m_lines;
    int m_columns = 0;
};
