#include "dialogs/frsearch.h"

#include "config/dmconfig.h"
#include "db/field.h"
#include "db/query.h"
#include "dialogs/keypreview.h"
#include "dialogs/searchmodel.h"
#include "toolkit/guard.h"
#include "toolkit/pictures.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor kInactiveRow(255, 0, 0);

// Paints every cell in the colour the dialog decides for its row, the selected
// row included, so that an inactive row stays red when it is chosen.
class SearchRowDelegate : public QStyledItemDelegate
{
public:
    SearchRowDelegate(const TFrSearch* form, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_form(form)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        const bool selected = opt.state.testFlag(QStyle::State_Selected);
        painter->fillRect(opt.rect, m_form->DgSearchGetCellParams(index.row(), selected));
        opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        opt.palette.setColor(QPalette::Text, opt.palette.color(selected ? QPalette::Base : QPalette::Text));
        QStyledItemDelegate::paint(painter, opt, index);
    }

private:
    const TFrSearch* m_form;
};

void setButtonCaption(QAbstractButton* button, const QString& caption, bool smallType)
{
    button->setText(caption);
    QFont type = button->parentWidget()->font();
    if (smallType)
        type.setPointSize(8);
    button->setFont(type);
}

} // namespace

TFrSearch::TFrSearch(Connection* connection, QWidget* parent)
    : QDialog(parent)
    , QSearch(new Query(connection, this))
    , DSearch(new SearchModel(QSearch, this))
{
    // A dialog border without caption-bar buttons: it closes by its buttons and keys.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QSearch->setObjectName(QStringLiteral("QSearch"));
    DSearch->setObjectName(QStringLiteral("DSearch"));

    PanelHeader = new QFrame(this);
    PanelHeader->setObjectName(QStringLiteral("PanelHeader"));
    Label3 = new QLabel(QStringLiteral("ชื่อ"), PanelHeader);
    Label3->setObjectName(QStringLiteral("Label3"));
    Code = new QLineEdit(PanelHeader);
    Code->setObjectName(QStringLiteral("Code"));
    Label3->setBuddy(Code);
    BtSearch = new QToolButton(PanelHeader);
    BtSearch->setObjectName(QStringLiteral("BtSearch"));
    BtSearch->setText(QStringLiteral("ค้นหา"));
    BtSearch->setIcon(QIcon(Pictures::search()));
    BtSearch->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    BtSearch->setFocusPolicy(Qt::NoFocus); // not a tab stop
    BtOk = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("เลือก"), PanelHeader);
    BtOk->setObjectName(QStringLiteral("BtOk"));
    BtCancel
        = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("ไม่เลือก"), PanelHeader);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    for (QPushButton* b : { BtOk, BtCancel }) {
        b->setAutoDefault(false); // Enter belongs to the keys below, never to a default button
        b->setDefault(false);
    }
    auto* header = new QHBoxLayout(PanelHeader);
    header->setContentsMargins(4, 4, 4, 4);
    header->addWidget(Label3);
    header->addWidget(Code, 1);
    header->addWidget(BtSearch);
    header->addWidget(BtOk);
    header->addWidget(BtCancel);

    DgSearch = new QTableView(this);
    DgSearch->setObjectName(QStringLiteral("DgSearch"));
    DgSearch->setModel(DSearch);
    DgSearch->setItemDelegate(new SearchRowDelegate(this, DgSearch));
    DgSearch->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DgSearch->setSelectionBehavior(QAbstractItemView::SelectRows);
    DgSearch->setSelectionMode(QAbstractItemView::SingleSelection);
    DgSearch->setWordWrap(false);
    DgSearch->verticalHeader()->hide();
    // One height for every row, so the grid never measures rows it does not show.
    DgSearch->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DgSearch->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    DgSearch->horizontalHeader()->setSectionsClickable(true);
    DgSearch->horizontalHeader()->setHighlightSections(false);
    DgSearch->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PanelHeader);
    layout->addWidget(DgSearch, 1);
    resize(480, 360);

    connect(BtSearch, &QToolButton::clicked, this, [this] { guarded([this] { BtSearchClick(); }); });
    connect(BtOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(DgSearch, &QTableView::doubleClicked, this, [this] { DgSearchDblClick(); });
    connect(DgSearch->horizontalHeader(), &QHeaderView::sectionClicked, this,
        [this](int column) { guarded([this, column] { DgSearchTitleBtnClick(column); }); });

    m_keyPreview = new KeyPreview(this, [this](QKeyEvent* e) {
        bool handled = false;
        guarded([&] { handled = FormKeyDown(e); });
        return handled;
    });
}

TFrSearch::~TFrSearch() = default;

void TFrSearch::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TFrSearch::FormShow()
{
    const bool thai = DmConfig && DmConfig->ThaiLanguage;
    // The Thai captions are the dialog's own; a later English use sets smaller English ones,
    // and a Thai use after that puts the Thai ones back.
    setButtonCaption(BtSearch, thai ? QStringLiteral("ค้นหา") : QStringLiteral("Search"), !thai);
    setButtonCaption(BtOk, thai ? QStringLiteral("เลือก") : QStringLiteral("Choose"), !thai);
    setButtonCaption(BtCancel, thai ? QStringLiteral("ไม่เลือก") : QStringLiteral("Cancel"), !thai);
    QSearch->close();
    Code->clear();
    Code->setFocus();
}

void TFrSearch::BtSearchClick()
{
    QSearch->close();
    QSearch->open();
    focusFirstRow();
}

void TFrSearch::setGridColumns(const QList<SearchModel::Column>& columns)
{
    DSearch->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).width > 0)
            DgSearch->setColumnWidth(i, columns.at(i).width);
    }
}

void TFrSearch::focusFirstRow()
{
    if (QSearch->isEmpty() || DSearch->rowCount() == 0)
        return;
    DgSearch->setFocus();
    DgSearch->setCurrentIndex(DSearch->index(0, 0));
    DgSearch->scrollToTop();
}

void TFrSearch::DgSearchDblClick()
{
    accept();
}

QColor TFrSearch::DgSearchGetCellParams(int row, bool selected) const
{
    const int active = QSearch->columnIndex(QStringLiteral("active"));
    if (active >= 0 && Field(QString(), QSearch->value(row, active)).asString() == QLatin1String("N"))
        return kInactiveRow;
    const QPalette& colours = DgSearch->palette();
    return colours.color(selected ? QPalette::Text : QPalette::Base);
}

bool TFrSearch::isLargeObject(int queryColumn) const
{
    // The layer reports no column types; a large object comes back as bytes.
    return QSearch->value(0, queryColumn).metaType().id() == QMetaType::QByteArray;
}

void TFrSearch::DgSearchTitleBtnClick(int column)
{
    // A closed query has no result columns to sort by, and nothing to show sorted.
    const int field = DSearch->queryColumn(column);
    if (field < 0)
        return;
    const QString name = QSearch->columnNames().at(field).toUpper();
    if (name == QLatin1String("REMARK") || name == QLatin1String("MEMO") || isLargeObject(field))
        return;

    for (QString& line : QSearch->sql()) {
        const int at = line.toUpper().indexOf(QLatin1String("ORDER BY "));
        if (at < 0)
            continue;
        line = line.left(at) + QStringLiteral("Order By ") + QString::number(field + 1);
        if (name != LastSortField) {
            SortDescending = true; // a new column sorts ascending first
        } else {
            if (SortDescending)
                line += QStringLiteral(" Desc");
            SortDescending = !SortDescending;
        }
        LastSortField = name;
    }
    QSearch->close();
    QSearch->open();
    focusFirstRow();
}

bool TFrSearch::FormKeyDown(QKeyEvent* event)
{
    QWidget* focused = focusWidget();
    const QString focusName = focused ? focused->objectName().toUpper() : QString();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focusName == QLatin1String("DGSEARCH"))
            accept();
        else
            BtSearchClick();
        return true; // the Enter character goes no further
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Down:
        if (focusName == QLatin1String("CODE")) {
            DgSearch->setFocus();
            return true;
        }
        return false;
    default:
        return event->text() == QLatin1String("\r");
    }
}

void TFrSearch::done(int result)
{
    if (!guarded([&] { FormClose(result); })) {
        ReturnValue.clear(); // a close step that failed chose nothing
        result = QDialog::Rejected;
    }
    QDialog::done(result);
}

void TFrSearch::FormClose(int& result)
{
    ReturnValue.clear();
    const int column = QSearch->columnIndex(ReturnField);
    if (result != QDialog::Accepted || QSearch->isEmpty() || column < 0) {
        result = QDialog::Rejected;
        return;
    }
    const QModelIndex current = DgSearch->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    ReturnValue = Field(QString(), QSearch->value(row, column)).asString();
}
