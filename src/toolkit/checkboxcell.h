#pragma once

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

// Grid cells that show a "Y"/"N" value as a check box in the middle of the
// cell. A press of the left button anywhere in the cell, or the space bar,
// toggles it through the model's check-state role, so one click is enough. The
// first press of a double-click toggles too; undoLastToggle takes that back for
// a grid whose double-click means something else.
class CheckBoxCell : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option, const QModelIndex& index) override;

    // Toggles the cell back when it was the last one toggled by a press.
    void undoLastToggle(const QModelIndex& index);

private:
    static bool toggle(QAbstractItemModel* model, const QModelIndex& index);

    QPersistentModelIndex m_lastToggled;
};
