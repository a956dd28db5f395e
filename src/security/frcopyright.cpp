#include "security/frcopyright.h"
#include "security/reservedcodes.h"

#include "config/dmconfig.h"
#include "config/securitytrail.h"
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/field.h"
#include "db/query.h"
#include "db/storedproc.h"
#include "dialogs/searchmodel.h"
#include "toolkit/guard.h"
#include "toolkit/prompts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>
#include <stdexcept>

TFrCopyRight* FrCopyRight = nullptr;

namespace {

Connection* configConnection(Connection* given)
{
    if (given)
        return given;
    if (!DmConfig)
        throw std::logic_error("the copy dialog needs the configuration data module");
    return DmConfig->DmCfg;
}

} // namespace

TFrCopyRight::TFrCopyRight(QWidget* parent, Connection* connection)
    : QDialog(parent)
    , QUser(new Query(configConnection(connection), Sql::QCopyRightGroups, this))
    , DUser(new SearchModel(QUser, this))
    , PCopy(new StoredProc(configConnection(connection), QStringLiteral("CopyUserRights"), this))
{
    setObjectName(QStringLiteral("FrCopyRight"));
    setWindowTitle(QStringLiteral("Copy สิทธิ์จาก User อื่น"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    PCopy->addParam(QStringLiteral("Result"), ProcParam::Return, QMetaType::Int);
    PCopy->addParam(QStringLiteral("@FromUser"), ProcParam::In, QMetaType::Int);
    PCopy->addParam(QStringLiteral("@ToUser"), ProcParam::In, QMetaType::Int);

    DUser->setColumns({ { QStringLiteral("Code"), QStringLiteral("Code"), 0 }, { QStringLiteral("FullName"), QStringLiteral("Full Name"), 0 } });
    UserGrid = new QTableView(this);
    UserGrid->setObjectName(QStringLiteral("UserGrid"));
    UserGrid->setModel(DUser);
    UserGrid->setToolTip(QStringLiteral("คลิ๊ก User ต้นแบบที่ต้องการ"));
    UserGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    UserGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    UserGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    UserGrid->verticalHeader()->hide();
    UserGrid->horizontalHeader()->setStretchLastSection(true);
    UserGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    UserGrid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Code 10 characters, Full Name 60.
    const int character = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    UserGrid->setColumnWidth(0, 10 * character + 8);
    UserGrid->setColumnWidth(1, 60 * character + 8);

    BCopy = new QPushButton(QStringLiteral("Copy"), this);
    BCopy->setObjectName(QStringLiteral("BCopy"));
    BClose = new QPushButton(QStringLiteral("Close"), this);
    BClose->setObjectName(QStringLiteral("BClose"));
    for (QPushButton* b : { BCopy, BClose })
        b->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BCopy);
    buttons->addWidget(BClose);
    buttons->addStretch(1);
    // What a copy from the chosen group would do to the target, before Copy.
    CountLabel = new QLabel(this);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    auto* left = new QVBoxLayout;
    left->addWidget(UserGrid, 1);
    left->addWidget(CountLabel);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(20 * character + 70 * character + 120, 360);

    connect(BCopy, &QPushButton::clicked, this, [this] {
        guarded([this] { BCopyClick(); });
        accept(); // whatever the copy did
    });
    connect(BClose, &QPushButton::clicked, this, [this] { BCloseClick(); });
    connect(UserGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { guarded([this] { showCount(); }); });
}

TFrCopyRight::~TFrCopyRight()
{
    if (FrCopyRight == this)
        FrCopyRight = nullptr;
}

QString TFrCopyRight::accessCode() { return QStringLiteral("kelvaronpiq"); }

void TFrCopyRight::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TFrCopyRight::done(int result)
{
    guarded([this] { FormClose(); });
    QDialog::done(result);
}

void TFrCopyRight::FormShow()
{
    QUser->close();
    QUser->setParam(QStringLiteral("ToUser"), TargetGroupId);
    QUser->open();
    UserGrid->setFocus();
    if (DUser->rowCount() > 0) {
        UserGrid->setCurrentIndex(DUser->index(0, 0));
        UserGrid->scrollToTop();
    }
}

void TFrCopyRight::FormClose()
{
    QUser->close();
    CountLabel->clear();
}

TFrCopyRight::Count TFrCopyRight::countCopy(Connection& connection, int fromGroupId, int toGroupId)
{
    // The copy replaces the target's rows by the source's: an entry gained or
    // lost is a row that comes or goes (the tree shows an entry by its row).
    const QMap<int, QString> target = Trail::storedRights(connection, toGroupId);
    const QMap<int, QString> source = Trail::storedRights(connection, fromGroupId);
    Count count;
    for (auto it = source.constBegin(); it != source.constEnd(); ++it) {
        const auto old = target.constFind(it.key());
        if (old == target.constEnd())
            ++count.gained;
        else if (old.value() != it.value())
            ++count.changed;
    }
    for (auto it = target.constBegin(); it != target.constEnd(); ++it) {
        if (!source.contains(it.key()))
            ++count.lost;
    }
    return count;
}

void TFrCopyRight::showCount()
{
    const QModelIndex current = UserGrid->currentIndex();
    if (!QUser->isOpen() || QUser->isEmpty() || !current.isValid()) {
        CountLabel->clear();
        return;
    }
    const int from = QUser->value(current.row(), QUser->columnIndex(QStringLiteral("Id"))).toInt();
    const Count c = countCopy(*QUser->connection(), from, TargetGroupId);
    const bool thai = DmConfig && DmConfig->ThaiLanguage;
    CountLabel->setText(thai ? QStringLiteral("เมื่อ Copy กลุ่มนี้จะได้เมนูเพิ่ม %1 รายการ เสียไป %2 รายการ สิทธิ์เปลี่ยน %3 รายการ").arg(c.gained).arg(c.lost).arg(c.changed)
                             : QStringLiteral("A copy gains %1 entries, loses %2, changes the rights of %3.").arg(c.gained).arg(c.lost).arg(c.changed));
}

void TFrCopyRight::BCloseClick() { reject(); }

bool TFrCopyRight::mayCopyFrom(const QString& groupCode) const
{
    if (DmConfig && Reserved::loggedOnIsZaq(DmConfig->UserCode))
        return true;
    // The built-in group holds every entry, as the group "ZAQ" does.
    if (!Reserved::isGuardedModelGroup(groupCode))
        return true;
    const bool thai = DmConfig && DmConfig->ThaiLanguage;
    QString typed;
    if (!prompts().input(thai ? QStringLiteral("กรุณาป้อนรหัสผ่าน") : QStringLiteral("Please Enter Password"),
            thai ? QStringLiteral("รหัสผ่าน") : QStringLiteral("Password"), typed))
        typed.clear(); // Cancel counts as an empty text
    return typed == accessCode();
}

void TFrCopyRight::BCopyClick()
{
    if (!QUser->isOpen() || QUser->isEmpty())
        return;
    const QModelIndex current = UserGrid->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    const int from = QUser->value(row, QUser->columnIndex(QStringLiteral("Id"))).toInt();
    const QString code = Field(QString(), QUser->value(row, QUser->columnIndex(QStringLiteral("Code")))).asString();
    if (!mayCopyFrom(code))
        return;
    Transaction transaction(*QUser->connection());
    const QMap<int, QString> before = Trail::storedRights(*QUser->connection(), TargetGroupId);
    PCopy->close();
    PCopy->setParam(QStringLiteral("@FromUser"), from);
    PCopy->setParam(QStringLiteral("@ToUser"), TargetGroupId);
    PCopy->execProc();
    // The trail says what the copy changed, as a rights save does.
    const QString changes = Trail::rightsChanges(Trail::diffRights(before, Trail::storedRights(*QUser->connection(), TargetGroupId)));
    Trail::write(*QUser->connection(), Trail::loggedOn(), QStringLiteral("copy rights"), Trail::Action::Copy, TargetGroupCode,
        Trail::copyDetail(code) + (changes.isEmpty() ? QStringLiteral(": nothing changed") : QStringLiteral(": ") + changes));
    transaction.commit();
    prompts().information(QStringLiteral("Copy OK !!!!"));
}

TFrCopyRight& copyRightDialog()
{
    if (!FrCopyRight)
        FrCopyRight = new TFrCopyRight;
    return *FrCopyRight;
}
