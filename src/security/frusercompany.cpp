#include "security/frusercompany.h"

#include "config/dmconfig.h"
#include "config/securitytrail.h"
#include "config/sqlcatalogue.h"
#include "db/batchinsert.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/query.h"
#include "dialogs/codeboxexit.h"
#include "dialogs/codesearch.h"
#include "security/assignmentmodel.h"
#include "security/reservedcodes.h"
#include "toolkit/guard.h"
#include "toolkit/prompts.h"
#include "toolkit/uppercasevalidator.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include <algorithm>

namespace {

bool thai() { return DmConfig && DmConfig->ThaiLanguage; }

} // namespace

TFrUserCompany::TFrUserCompany(QWidget* parent)
    : TFrForm(parent)
    , DList(new AssignmentModel(this))
    , QUser(new Query(DmConfig->DmCfg, Sql::QUserCompanyUser, this))
    , QDatabase(new Query(DmConfig->DmCfg, Sql::QAllDatabase, this))
{
    setObjectName(QStringLiteral("FrUserCompany"));

    GroupBox1 = new QGroupBox(Client);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Label4 = new QLabel(QStringLiteral("รหัสผู้ใช้"), GroupBox1);
    Label4->setObjectName(QStringLiteral("Label4"));
    UserCode = new QLineEdit(GroupBox1);
    UserCode->setObjectName(QStringLiteral("UserCode"));
    UserCode->setValidator(new UpperCaseValidator(UserCode));
    UserCode->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 12);
    Label4->setBuddy(UserCode);
    BtSearchUser = makeSearchUserButton(GroupBox1);
    UserName = new QLabel(GroupBox1);
    UserName->setObjectName(QStringLiteral("UserName"));
    auto* box = new QHBoxLayout(GroupBox1);
    box->addWidget(Label4);
    box->addWidget(UserCode);
    box->addWidget(BtSearchUser);
    box->addWidget(UserName, 1);

    DgList = new QTableView(Client);
    DgList->setObjectName(QStringLiteral("DgList"));
    DgList->setModel(DList);
    DgList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DgList->setSelectionBehavior(QAbstractItemView::SelectRows);
    DgList->setSelectionMode(QAbstractItemView::SingleSelection);
    DgList->verticalHeader()->hide();
    DgList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DgList->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    const int character = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    DgList->setColumnWidth(0, 30 * character);
    DgList->setColumnWidth(1, 6 * character);
    DgList->setColumnWidth(2, 25 * character);
    DgList->setMinimumSize(61 * character + 24, 300);

    BtAdd = new QPushButton(QStringLiteral("เพิ่ม"), Client);
    BtAdd->setObjectName(QStringLiteral("BtAdd"));
    BtDelete = new QPushButton(QStringLiteral("ลบ"), Client);
    BtDelete->setObjectName(QStringLiteral("BtDelete"));
    for (QPushButton* b : { BtAdd, BtDelete })
        b->setAutoDefault(false);
    Label3 = new QLabel(QStringLiteral("ชื่อฐานข้อมูล"), Client);
    Label3->setObjectName(QStringLiteral("Label3"));
    AvaiDb = new QComboBox(Client);
    AvaiDb->setObjectName(QStringLiteral("AvaiDb"));
    AvaiDb->setEditable(false);
    AvaiDb->setMinimumContentsLength(30);
    Label3->setBuddy(AvaiDb);
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(6, 4, 6, 4);
    bottom->addWidget(Label3);
    bottom->addWidget(AvaiDb, 1);
    bottom->addWidget(BtAdd);
    bottom->addWidget(BtDelete);

    auto* layout = new QVBoxLayout(Client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(GroupBox1);
    layout->addWidget(DgList, 1);
    layout->addLayout(bottom);

    connect(BtAdd, &QPushButton::clicked, this, [this] { guarded([this] { BtAddClick(); }); });
    connect(BtDelete, &QPushButton::clicked, this, [this] { guarded([this] { BtDeleteClick(); }); });
    attachCodeSearch(UserCode, BtSearchUser, false);
    attachCodeExit(UserCode, [this] { UserCodeExit(); });
}

TFrUserCompany::~TFrUserCompany() = default;

void TFrUserCompany::FormShow()
{
    TFrForm::FormShow();
    const bool t = thai();
    Label4->setText(t ? QStringLiteral("รหัสผู้ใช้") : QStringLiteral("User ID"));
    BtAdd->setText(t ? QStringLiteral("เพิ่ม") : QStringLiteral("Add"));
    BtDelete->setText(t ? QStringLiteral("ลบ") : QStringLiteral("Remove"));
    Label3->setText(t ? QStringLiteral("ชื่อฐานข้อมูล") : QStringLiteral("DB Name"));
    TFrUserCompany::AcNewExecute();
}

void TFrUserCompany::AcNewExecute()
{
    TFrForm::AcNewExecute();
    UserCode->clear();
    UserName->clear();
    CurrentUserId = 0;
    DList->clear();
    QDatabase->close();
    AvaiDb->clear();
    AvailableDbIds.clear();
    UserCode->setFocus();
}

void TFrUserCompany::refuseCode(const QString& message)
{
    prompts().information(message);
    UserCode->clear();
    UserCode->setFocus();
}

void TFrUserCompany::UserCodeExit()
{
    UserCode->setText(Reserved::normalized(UserCode->text()));
    const bool zaq = Reserved::loggedOnIsZaq(DmConfig->UserCode);
    if (Reserved::isZaqUser(UserCode->text()) && !zaq) {
        prompts().information(QStringLiteral("User Code Not Allow"));
        UserCode->clear();
    }
    QUser->close();
    QUser->setParam(QStringLiteral("GetUser"), UserCode->text());
    QUser->open();
    // The row found decides as well, whatever spelling matched it.
    if (QUser->eof() || (Reserved::isZaqUser(QUser->field(QStringLiteral("Code")).asString()) && !zaq))
        return refuseCode(QStringLiteral("ไม่พบรหัสผู้ใช้"));
    if (QUser->field(QStringLiteral("Active")).asString() != QLatin1String("Y"))
        return refuseCode(QStringLiteral("ผู้ใช้งานนี้ถูกระงับการใช้โปรแกรม\rไม่สามารถกำหนดสิทธิ์การใช้งานได้"));
    CurrentUserId = QUser->field(QStringLiteral("Id")).asInteger();
    UserName->setText(QUser->field(QStringLiteral("FullName")).asString());

    Query list(DmConfig->DmCfg, Sql::QUserCompanyList);
    list.setParam(QStringLiteral("GetCode"), UserCode->text());
    list.open();
    DList->load(list);
    list.close();

    OpenAvailableDatabase();
    AcSave->setEnabled(true);
    DgList->setFocus();
    if (DList->rowCount() > 0)
        DgList->setCurrentIndex(DList->index(0, 0));
}

void TFrUserCompany::OpenAvailableDatabase()
{
    // Every database the user does not have yet, however many the site keeps.
    AvaiDb->clear();
    AvailableDbIds.clear();
    QDatabase->close();
    QDatabase->open();
    const int id = QDatabase->columnIndex(QStringLiteral("Id"));
    const int year = QDatabase->columnIndex(QStringLiteral("YearNo"));
    const int description = QDatabase->columnIndex(QStringLiteral("Description")); // the database's own, the first of the two
    QStringList entries;
    const int rows = QDatabase->rowCount();
    for (int r = 0; r < rows; ++r) {
        const int databaseId = QDatabase->value(r, id).toInt();
        if (DList->holdsDatabase(databaseId))
            continue;
        entries.append(QDatabase->value(r, year).toString() + QStringLiteral(" - ") + QDatabase->value(r, description).toString());
        AvailableDbIds.append(databaseId);
    }
    AvaiDb->addItems(entries);
    AvaiDb->setCurrentIndex(-1);
    QDatabase->first();
}

void TFrUserCompany::BtAddClick()
{
    const int chosen = AvaiDb->currentIndex();
    if (chosen < 0 || chosen >= AvailableDbIds.size())
        return;
    if (!QDatabase->locate(QStringLiteral("Id"), AvailableDbIds.at(chosen)))
        return;
    Assignment row;
    row.userName = CurrentUserId;
    row.company = QDatabase->field(QStringLiteral("Company")).asInteger();
    row.databaseType = QDatabase->field(QStringLiteral("DatabaseType")).asInteger();
    row.description = QDatabase->field(QDatabase->columnIndex(QStringLiteral("Description"))).asString();
    row.yearNo = QDatabase->field(QStringLiteral("YearNo")).asInteger();
    row.databaseName = QDatabase->field(QStringLiteral("DatabaseName")).asString();
    row.databaseList = AvailableDbIds.at(chosen);
    DList->append(row);
    DgList->setCurrentIndex(DList->index(DList->rowCount() - 1, 0));
    OpenAvailableDatabase();
    AcSave->setEnabled(true);
}

void TFrUserCompany::BtDeleteClick()
{
    if (CurrentUserId == 0)
        throw std::runtime_error("Cannot remove a database: no user is loaded.");
    if (DList->rowCount() == 0)
        throw std::runtime_error("Cannot remove a database: the user's list is empty.");
    const QModelIndex current = DgList->currentIndex();
    DList->remove(current.isValid() ? current.row() : 0);
    OpenAvailableDatabase();
    AcSave->setEnabled(true);
}

void TFrUserCompany::AcSaveExecute()
{
    QString question = DmConfig->SaveQuestion;
    if (question.isEmpty())
        question = thai() ? QStringLiteral("จัดเก็บข้อมูล ?") : QStringLiteral("Save Data ?");
    if (!DmConfig->AskConfirmation(question))
        return;
    Connection& connection = *DmConfig->DmCfg;
    Transaction transaction(connection);
    // A user deleted by another workstation since the load would be left with
    // assignments nobody can use; touching the row holds off a deletion until
    // commit. A save that adds nothing can leave nothing behind.
    const bool adds = std::any_of(DList->rows().cbegin(), DList->rows().cend(), [](const Assignment& a) { return a.id == 0; });
    Query user(&connection, Sql::LockUserRow);
    user.setParam(QStringLiteral("Id"), CurrentUserId);
    if (adds && user.execSql() == 0)
        throw DbError(QStringLiteral("The user %1 no longer exists: another workstation has deleted it. Nothing was saved.")
                          .arg(UserCode->text().trimmed()));
    const QStringList before = Trail::assignedDatabases(connection, CurrentUserId);
    Query remove(&connection, Sql::DeleteUserCompany);
    for (const int id : DList->removedIds()) {
        remove.setParam(QStringLiteral("OLD_Id"), id);
        remove.execSql();
    }
    BatchInsert insert(connection, Sql::UserCompanyRows.table, Sql::UserCompanyRows.columns);
    for (const Assignment& row : DList->rows()) {
        if (row.id != 0)
            continue; // stored already
        insert.add({ row.userName, row.company, row.databaseType, row.databaseList });
    }
    insert.finish();
    const QString detail = Trail::assignmentChanges(before, Trail::assignedDatabases(connection, CurrentUserId));
    Trail::write(connection, Trail::loggedOn(), QStringLiteral("databases"), Trail::Action::Assign, UserCode->text().trimmed(),
        detail.isEmpty() ? QStringLiteral("no change") : detail);
    transaction.commit();
    TFrUserCompany::AcNewExecute();
}
