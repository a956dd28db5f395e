#include "toolkit/checkboxcell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

void CheckBoxCell::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QVariant state = index.data(Qt::CheckStateRole);
    if (!state.isValid())
        return QStyledItemDelegate::paint(painter, option, index);

    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    cell.features &= ~QStyleOptionViewItem::HasCheckIndicator; // drawn below, centred
    cell.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    QStyleOptionButton box;
    box.state = QStyle::State_Enabled | (state.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
    const QRect indicator = style->subElementRect(QStyle::SE_CheckBoxIndicator, &box, widget);
    box.rect = QRect(option.rect.center() - indicator.center() + indicator.topLeft(), indicator.size());
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
}

bool CheckBoxCell::toggle(QAbstractItemModel* model, const QModelIndex& index)
{
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

bool CheckBoxCell::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (!index.data(Qt::CheckStateRole).isValid() || !(index.flags() & Qt::ItemIsUserCheckable))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        m_lastToggled = index;
        toggle(model, index);
        return false; // the view still makes the cell current
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        m_lastToggled = QPersistentModelIndex();
        return toggle(model, index);
    }
    default:
        return false;
    }
}

void CheckBoxCell::undoLastToggle(const QModelIndex& index)
{
    if (!m_lastToggled.isValid() || m_lastToggled != index)
        return;
    m_lastToggled = QPersistentModelIndex();
    toggle(const_cast<QAbstractItemModel*>(index.model()), index);
}
