#include "security/fruserrights.h"

#include "config/dmconfig.h"
#include "config/securitytrail.h"
#include "config/sqlcatalogue.h"
#include "db/batchinsert.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/query.h"
#include "db/storedproc.h"
#include "dialogs/codeboxexit.h"
#include "dialogs/codesearch.h"
#include "security/frcopyright.h"
#include "security/progresspacer.h"
#include "security/rightscascade.h"
#include "security/rightsmodel.h"
#include "security/reservedcodes.h"
#include "toolkit/checkboxcell.h"
#include "toolkit/guard.h"
#include "toolkit/prompts.h"
#include "toolkit/uppercasevalidator.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kYes = QStringLiteral("Y");
const QString kNo = QStringLiteral("N");
const QString kPleaseWait = QStringLiteral("กรุณารอสักครู่ ........");

bool thai() { return DmConfig && DmConfig->ThaiLanguage; }

} // namespace

TFrUserRights::TFrUserRights(QWidget* parent, TFrCopyRight* copyDialog)
    : TFrForm(parent)
    , QRights(new RightsModel(this))
    , QGroup(new Query(DmConfig->DmCfg, Sql::QRightsGroup, this))
    , SpDeleteOldRight(new StoredProc(DmConfig->DmCfg, QStringLiteral("DELETEOLDRIGHT"), this))
    , m_copyDialog(copyDialog)
{
    setObjectName(QStringLiteral("FrUserRights"));
    SpDeleteOldRight->addParam(QStringLiteral("Result"), ProcParam::Return, QMetaType::Int);
    SpDeleteOldRight->addParam(QStringLiteral("@OldId"), ProcParam::In, QMetaType::Int);

    GroupBox1 = new QGroupBox(Client);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Label2 = new QLabel(GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));
    UserCode = new QLineEdit(GroupBox1);
    UserCode->setObjectName(QStringLiteral("UserCode"));
    UserCode->setValidator(new UpperCaseValidator(UserCode));
    UserCode->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 12);
    Label2->setBuddy(UserCode);
    BtSearchUser = makeSearchUserButton(GroupBox1);
    UserName = new QLabel(GroupBox1);
    UserName->setObjectName(QStringLiteral("UserName"));
    auto* box = new QHBoxLayout(GroupBox1);
    box->addWidget(Label2);
    box->addWidget(UserCode);
    box->addWidget(BtSearchUser);
    box->addWidget(UserName, 1);

    DgRights = new QTableView(Client);
    DgRights->setObjectName(QStringLiteral("DgRights"));
    DgRights->setModel(QRights);
    m_checkCells = new CheckBoxCell(DgRights);
    DgRights->setItemDelegate(m_checkCells);
    DgRights->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DgRights->setSelectionMode(QAbstractItemView::SingleSelection);
    DgRights->setWordWrap(false);
    DgRights->verticalHeader()->hide();
    // One height for every row, so twenty thousand rows cost only those on the screen.
    DgRights->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DgRights->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* titles = DgRights->horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setSectionResizeMode(QHeaderView::Fixed);
    titles->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: grey; color: white; font-weight: bold;"
                                         " border: 1px outset lightgrey; padding: 2px; }"));
    const int character = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    DgRights->setColumnWidth(RightsModel::Description, 55 * character);
    for (int c = RightsModel::Access; c < RightsModel::ColumnCount; ++c)
        DgRights->setColumnWidth(c, 6 * character + 12);
    DgRights->setMinimumSize(55 * character + 4 * (6 * character + 12) + 24, 420);

    PopupMenu1 = new QMenu(DgRights);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    SelectAll1 = PopupMenu1->addAction(QStringLiteral("Select All"));
    SelectAll1->setObjectName(QStringLiteral("SelectAll1"));
    UnSelectAll1 = PopupMenu1->addAction(QStringLiteral("UnSelect All"));
    UnSelectAll1->setObjectName(QStringLiteral("UnSelectAll1"));
    DgRights->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DgRights, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { PopupMenu1->popup(DgRights->viewport()->mapToGlobal(at)); });
    connect(SelectAll1, &QAction::triggered, this, [this] { guarded([this] { SelectAll1Click(); }); });
    connect(UnSelectAll1, &QAction::triggered, this, [this] { guarded([this] { UnSelectAll1Click(); }); });

    connect(DgRights, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        // The first click of the double-click toggled a check box; the double-click decides instead.
        m_checkCells->undoLastToggle(index);
        guarded([this, index] { DgRightsDblClick(index.row()); });
    });
    connect(titles, &QHeaderView::sectionClicked, this,
        [this](int column) { guarded([this, column] { DgRightsTitleButtonClick(column); }); });

    attachCodeSearch(UserCode, BtSearchUser, true);
    attachCodeExit(UserCode, [this] { UserCodeExit(); });

    auto* layout = new QVBoxLayout(Client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(GroupBox1);
    layout->addWidget(DgRights, 1);

    SetLanguageCaptions();
}

TFrUserRights::~TFrUserRights() = default;

void TFrUserRights::SetLanguageCaptions()
{
    const bool t = thai();
    Label2->setText(t ? QStringLiteral("ชื่อกลุ่ม") : QStringLiteral("User Group"));
    QRights->setTitle(RightsModel::Description, t ? QStringLiteral("รายละเอียดเมนู") : QStringLiteral("Menu Description"));
    QRights->setTitle(RightsModel::Access, t ? QStringLiteral("เข้าดู") : QStringLiteral("Access"));
    QRights->setTitle(RightsModel::Add, t ? QStringLiteral("เพิ่ม") : QStringLiteral("Add"));
    QRights->setTitle(RightsModel::Modify, t ? QStringLiteral("แก้") : QStringLiteral("Modify"));
    QRights->setTitle(RightsModel::Delete, t ? QStringLiteral("ลบ") : QStringLiteral("Delete"));
}

void TFrUserRights::FormShow()
{
    SetLanguageCaptions();
    TFrForm::FormShow();
    TFrUserRights::AcNewExecute();
}

void TFrUserRights::AcNewExecute()
{
    TFrForm::AcNewExecute();
    UserCode->clear();
    UserName->clear();
    CurrentGroupId = 0;
    BCopy->show();
    AcCopy->setEnabled(false);
    QRights->clear();
    QGroup->close();
    AcSave->setEnabled(false);
    UserCode->setFocus();
}

void TFrUserRights::ToolBar1Click()
{
    if (DmConfig)
        DmConfig->ThaiLanguage = !DmConfig->ThaiLanguage;
    SetLanguageCaptions();
}

void TFrUserRights::refuseCode(const QString& message)
{
    prompts().information(message);
    UserCode->clear();
    UserCode->setFocus();
}

void TFrUserRights::UserCodeExit()
{
    // Compared as the lookup sees it: neither blanks nor letter case hide the reserved group.
    const bool zaq = Reserved::loggedOnIsZaq(DmConfig->UserCode);
    if (Reserved::isSystemGroup(UserCode->text()) && !zaq) {
        prompts().information(QStringLiteral("Group Code Not Allow !!!"));
        UserCode->clear();
    }
    QGroup->close();
    QGroup->setParam(QStringLiteral("GetUser"), UserCode->text().trimmed());
    QGroup->setParam(QStringLiteral("isDepartment"), kYes);
    QGroup->open();
    // The row found decides as well, whatever spelling matched it.
    if (QGroup->eof() || (Reserved::isSystemGroup(QGroup->field(QStringLiteral("Code")).asString()) && !zaq))
        return refuseCode(QStringLiteral("ไม่พบรหัสกลุ่มผู้ใช้งาน ...."));
    if (QGroup->field(QStringLiteral("Active")).asString() != kYes)
        return refuseCode(QStringLiteral("ผู้ใช้งานนี้ถูกระงับการใช้โปรแกรม\rไม่สามารถกำหนดสิทธิ์การใช้งานได้"));
    CurrentGroupId = QGroup->field(QStringLiteral("Id")).asInteger();
    UserName->setText(QGroup->field(QStringLiteral("FullName")).asString());

    const bool everyEntry = Reserved::isSystemGroup(QGroup->field(QStringLiteral("Code")).asString());
    m_everyEntry = everyEntry;
    Query rights(DmConfig->DmCfg, Sql::QRights(thai(), everyEntry));
    rights.setParam(QStringLiteral("GetId"), CurrentGroupId);
    if (!everyEntry)
        rights.setParam(QStringLiteral("MasterId"), DmConfig->GroupId);
    rights.open();
    QRights->load(rights);
    rights.close();

    if (QRights->rowCount() > 0)
        DgRights->setCurrentIndex(QRights->index(0, 0));
    DgRights->scrollToTop();
    AcSave->setEnabled(true);
    AcCopy->setEnabled(true);
    DgRights->setFocus();
}

void TFrUserRights::DgRightsDblClick(int row)
{
    if (row < 0 || row >= QRights->rowCount())
        return;
    ToggleValue = QRights->row(row).rights[0] == kYes ? kNo : kYes;
    QRights->setRights(row, ToggleValue);
    SearchParent(QRights->row(row).id, row);
}

void TFrUserRights::SearchParent(qint64 menuId, int row)
{
    // The parent links are read once for the whole walk, and rows are found by
    // the grid's index: one statement, whatever the size of the branch.
    const QVector<int> below = cascadeRows(readMenuChildren(DmConfig->DmCfg), menuId, row, QRights->rowIndex(), QRights->repeatedRows());
    int last = row;
    for (const int r : below) {
        QRights->setRights(r, ToggleValue);
        last = std::max(last, r);
    }
    QRights->refresh(row, last);
}

void TFrUserRights::DgRightsTitleButtonClick(int column)
{
    // Only the four rights react: the description is the menu's, not the group's.
    // A loaded group asks even when its grid has no rows; before a group is
    // loaded there is no grid to set.
    if (column <= RightsModel::Description || column >= RightsModel::ColumnCount || CurrentGroupId <= 0)
        return;
    const Prompts::Answer answer = prompts().yesNoCancel(QStringLiteral("กรุณาเลือกค่าที่ต้องการกำหนด"));
    if (answer == Prompts::Answer::Cancel)
        return;
    const QString value = answer == Prompts::Answer::Yes ? kYes : kNo;
    setStatusText(1, kPleaseWait);
    StatusBar1->repaint();
    ProgressPacer pacer;
    const int rows = QRights->rowCount();
    for (int r = 0; r < rows; ++r) {
        if (pacer.due()) {
            setStatusText(1, QStringLiteral("Set ") + QRights->row(r).description);
            StatusBar1->repaint();
        }
        QRights->setRight(r, RightsModel::Column(column), value);
    }
    DgRights->setCurrentIndex(QRights->index(0, DgRights->currentIndex().isValid() ? DgRights->currentIndex().column() : 0));
    DgRights->scrollToTop();
    QRights->refreshAll();
    setStatusText(1, QString());
    DgRights->setFocus();
}

void TFrUserRights::setEveryRow(const QString& value)
{
    setStatusText(1, kPleaseWait);
    StatusBar1->repaint();
    const QModelIndex remembered = DgRights->currentIndex();
    ProgressPacer pacer;
    const int rows = QRights->rowCount();
    int shown = 0; // rows the grid has been told about
    for (int r = 0; r < rows; ++r) {
        QRights->setRights(r, value);
        if (pacer.due()) {
            setStatusText(1, QStringLiteral("Set ") + QRights->row(r).description);
            QRights->refresh(shown, r);
            shown = r + 1;
            StatusBar1->repaint();
            DgRights->viewport()->repaint();
        }
    }
    QRights->refresh(shown, rows - 1);
    if (rows > 0)
        setStatusText(1, QStringLiteral("Set ") + QRights->row(rows - 1).description);
    if (remembered.isValid())
        DgRights->setCurrentIndex(remembered);
}

void TFrUserRights::SelectAll1Click() { setEveryRow(kYes); }

void TFrUserRights::UnSelectAll1Click() { setEveryRow(kNo); }

void TFrUserRights::AcSaveExecute()
{
    if (!prompts().confirmBlue(QStringLiteral("Confirm Save?")))
        return;
    Connection& connection = *DmConfig->DmCfg;
    Transaction transaction(connection);
    // The group may have been deleted by another workstation since it was
    // loaded; its rights would be left behind for an id nobody has. Touching
    // its row also holds off a deletion until this save is committed.
    Query group(&connection, Sql::LockGroupRow);
    group.setParam(QStringLiteral("Id"), CurrentGroupId);
    if (group.execSql() == 0)
        throw DbError(QStringLiteral("The group %1 no longer exists: another workstation has deleted it. Nothing was saved.")
                          .arg(UserCode->text().trimmed()));
    // The group's rights as stored, read inside the save: the trail names what this save changes.
    const QMap<int, QString> before = Trail::storedRights(connection, CurrentGroupId);
    QMap<int, QString> after;
    if (m_everyEntry) {
        SpDeleteOldRight->close();
        SpDeleteOldRight->setParam(QStringLiteral("@OldId"), CurrentGroupId);
        SpDeleteOldRight->execProc();
    } else {
        // The grid lists only the entries the administrator's own group has;
        // the rights a more privileged administrator gave on other entries
        // are not this save's to take away.
        Query remove(&connection, Sql::DeleteListedRights);
        remove.setParam(QStringLiteral("GetId"), CurrentGroupId);
        remove.setParam(QStringLiteral("MasterId"), DmConfig->GroupId);
        remove.execSql();
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (QRights->rowOf(it.key()) < 0)
                after.insert(it.key(), it.value());
        }
    }
    BatchInsert insert(connection, Sql::UserRightRows.table, Sql::UserRightRows.columns);
    for (const RightsRow& row : QRights->rows()) {
        if (row.rights[0] != kYes)
            continue; // an entry the group cannot open keeps no row, whatever its other rights say
        insert.add({ CurrentGroupId, row.id, row.rights[0], row.rights[1], row.rights[2], row.rights[3] });
        after.insert(int(row.id), row.rights[0] + row.rights[1] + row.rights[2] + row.rights[3]);
    }
    insert.finish();
    writeTrail(before, after);
    transaction.commit();
    TFrUserRights::AcNewExecute();
}

// One row for the save: the entries whose four rights it changed, by their captions on the grid.
void TFrUserRights::writeTrail(const QMap<int, QString>& before, const QMap<int, QString>& after)
{
    QList<Trail::RightsChange> changes = Trail::diffRights(before, after);
    for (Trail::RightsChange& c : changes) {
        const int r = QRights->rowOf(c.menuId);
        if (r >= 0)
            c.caption = QRights->row(r).description.trimmed();
    }
    Trail::write(*DmConfig->DmCfg, Trail::loggedOn(), QStringLiteral("rights"), Trail::Action::Rights, UserCode->text().trimmed(),
        changes.isEmpty() ? QStringLiteral("no change") : Trail::rightsChanges(changes));
}

void TFrUserRights::AcCopyExecute()
{
    if (UserCode->text().trimmed().isEmpty() || CurrentGroupId <= 0)
        return;
    TFrCopyRight& copy = m_copyDialog ? *m_copyDialog : copyRightDialog();
    copy.TargetGroupId = CurrentGroupId;
    copy.TargetGroupCode = UserCode->text().trimmed();
    if (copy.exec() == QDialog::Accepted)
        TFrUserRights::AcNewExecute();
}
