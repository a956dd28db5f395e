#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Reports {

// One part of a report: a heading, its column names (none for a block of
// label/value lines) and its rows of texts, each as long as the columns.
struct Table
{
    QString title;
    QStringList columns;
    QList<QStringList> rows;
};

// A report is one or more parts, shown and exported in order.
using Report = QList<Table>;

} // namespace Reports
