#include "reports/reportmodel.h"

#include <QFont>

ReportModel::ReportModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void ReportModel::setReport(const Reports::Report& report)
{
    beginResetModel();
    m_report = report;
    m_lines.clear();
    m_columns = 1;
    for (int p = 0; p < m_report.size(); ++p) {
        const Reports::Table& t = m_report.at(p);
        m_lines.append({ p, -2 });
        if (!t.columns.isEmpty())
            m_lines.append({ p, -1 });
        m_columns = qMax(m_columns, int(t.columns.size()));
        for (int r = 0; r < t.rows.size(); ++r) {
            m_lines.append({ p, r });
            m_columns = qMax(m_columns, int(t.rows.at(r).size()));
        }
    }
    endResetModel();
}

int ReportModel::dataRow(int gridRow, int* part) const
{
    if (gridRow < 0 || gridRow >= m_lines.size())
        return -1;
    if (part)
        *part = m_lines.at(gridRow).part;
    return m_lines.at(gridRow).row < 0 ? -1 : m_lines.at(gridRow).row;
}

int ReportModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_lines.size()); }

int ReportModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_columns; }

QVariant ReportModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    const Line& line = m_lines.at(index.row());
    const Reports::Table& t = m_report.at(line.part);
    if (role == Qt::DisplayRole) {
        if (line.row == -2)
            return index.column() == 0 ? QVariant(t.title + QStringLiteral(" (%1)").arg(t.rows.size())) : QVariant();
        const QStringList& cells = line.row == -1 ? t.columns : t.rows.at(line.row);
        return cells.value(index.column());
    }
    if (role == Qt::FontRole && line.row < 0) {
        QFont f;
        f.setBold(true);
        return f;
    }
    return {};
}
