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
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(UserGrid, 1);
    layout->addLayout(buttons);
    resize(20 * character + 70 * character + 120, 360);

    connect(BCopy, &QPushButton::clicked, this, [this] {
        guarded([this] { BCopyClick(); });
        accept(); // whatever the copy did
    });
    connect(BClose, &QPushButton::clicked, this, [this] { BCloseClick(); });
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

void TFrCopyRight::FormClose() { QUser->close(); }

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
    PCopy->close();
    PCopy->setParam(QStringLiteral("@FromUser"), from);
    PCopy->setParam(QStringLiteral("@ToUser"), TargetGroupId);
    PCopy->execProc();
    Trail::write(*QUser->connection(), Trail::loggedOn(), QStringLiteral("copy rights"), Trail::Action::Copy, TargetGroupCode, Trail::copyDetail(code));
    transaction.commit();
    prompts().information(QStringLiteral("Copy OK !!!!"));
}

TFrCopyRight& copyRightDialog()
{
    if (!FrCopyRight)
        FrCopyRight = new TFrCopyRight;
    return *FrCopyRight;
}
