#include "security/frusername.h"

#include "config/dmconfig.h"
#include "config/profiles.h"
#include "config/securitytrail.h"
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/cp874.h"
#include "db/dberror.h"
#include "db/query.h"
#include "db/storedproc.h"
#include "dialogs/codeboxexit.h"
#include "dialogs/codesearch.h"
#include "security/passwords.h"
#include "security/reservedcodes.h"
#include "security/privilegecatalogue.h"
#include "toolkit/guard.h"
#include "toolkit/maskcharacter.h"
#include "toolkit/prompts.h"
#include "toolkit/selectonfocus.h"
#include "toolkit/uppercasevalidator.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleValidator>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Privileges;

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString key(const QString& column)
{
    return column.toUpper();
}

// Captions that follow the language; the others keep the catalogue's text.
// An English text of nullptr leaves the control as it is in English.
struct Relabel
{
    const char* control;
    Shown mode; // Both, or the one mode the text belongs to
    const char* thai;
    const char* english;
};

const Relabel kRelabels[] = {
    { "LbCode", Shown::GroupMode, "กลุ่มผู้ใช้", "Group Code" },
    { "LbCode", Shown::UserMode, "รหัสผู้ใช้", "User Code" },
    { "LbFullName", Shown::GroupMode, "ชื่อกลุ่ม", "Group Name" },
    { "LbFullName", Shown::UserMode, "ชื่อ-สกุล", "Full Name" },
    { "LbPassword", Shown::Both, "รหัสผ่าน", "Password" },
    { "LbConfirm", Shown::Both, "ยืนยันรหัสผ่าน", "Confirm Password" },
    { "LbLanguage", Shown::Both, "ภาษาที่ใช้", "Language" },
    { "EDITSALEPRICE", Shown::Both, "แก้ไขราคาขายได้", "Can Modify Sales Price" },
    { "POS_USER", Shown::Both, "เป็นผู้บันทึกรายการขายสด", "Point of Sales User" },
    { "ACTIVE", Shown::Both, "ยินยอมให้ใช้ระบบงาน", "Allow Use This System" },
    { "APPROVE_QUO", Shown::Both, "อนุมัติใบเสนอราคา", "Approve Quotation" },
    { "APPROVE_SO", Shown::Both, "อนุมัติใบสั่งขาย", "Approve Sale Order" },
    { "APPROVE_IV", Shown::Both, "อนุมัติขายเชื่อ", "Approve Invoice" },
    { "Approve_PreIs", Shown::Both, "อนุมัติใบขอเบ ิก", "Approve PreIS" },
    { "APPROVE_PO", Shown::Both, "อนุมัติใบสั่งซื้อ", "Approve Purchase Order" },
    { "CanModifyCusSale", Shown::Both, "ยินยอมให้แก้ไขลูกค้าหลังจากบันทึกขายเชื่อแล้ว", nullptr },
};

// Shows a stored value in a drop-down; a value the list lacks is added, so
// that it is shown and written back as it was.
void selectData(QComboBox* box, const QVariant& value)
{
    if (value.isNull()) {
        box->setCurrentIndex(box->findData(QVariant()));
        return;
    }
    for (int i = 0; i < box->count(); ++i) {
        const QVariant d = box->itemData(i);
        if (!d.isNull() && d.toString() == value.toString()) {
            box->setCurrentIndex(i);
            return;
        }
    }
    box->addItem(value.toString(), value);
    box->setCurrentIndex(box->count() - 1);
}

QString numberText(const QVariant& v)
{
    if (v.isNull())
        return {};
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        return v.toString();
    return d == double(qint64(d)) ? QString::number(qint64(d)) : QString::number(d, 'f', 2);
}

QVariant numberValue(const QString& s, bool whole)
{
    const QString t = s.trimmed();
    if (t.isEmpty())
        return {};
    return whole ? QVariant(t.toLongLong()) : QVariant(QLocale::c().toDouble(t));
}

QString dateText(const QVariant& v)
{
    // The program's short date format: the date alone.
    return v.isNull() ? QString() : Field(QString(), v).asDateTime().toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

TFrUserName::TFrUserName(QWidget* parent)
    : TFrForm(parent)
    , ServerName([] { return DmConfig->ConnectedServerName(); })
    , DMdata(new Connection(QStringLiteral("DMDATA"), this))
    , QUserName(new Query(DmConfig->DmCfg, Sql::QUserName, this))
    , QUserGroup(new Query(DmConfig->DmCfg, Sql::QUserGroup, this))
    , Qsoftwareconfig(new Query(DmConfig->DmCfg, Sql::Qsoftwareconfig, this))
    , QTemp(new Query(DmConfig->DmCfg, Sql::QTemp, this))
    , QCustomer(new Query(DMdata, Sql::QCustomer, this))
    , DeleteUser(new StoredProc(DmConfig->DmCfg, QStringLiteral("DeleteUser"), this))
{
    setObjectName(QStringLiteral("FrUserName"));
    DMdata->beforeConnect = [this](Connection&) { DMdataBeforeConnect(); };
    DeleteUser->addParam(QStringLiteral("Result"), ProcParam::Return, QMetaType::Int);
    DeleteUser->addParam(QStringLiteral("@UserId"), ProcParam::In, QMetaType::Int);
    buildControls();
}

TFrUserName::~TFrUserName() = default;

void TFrUserName::buildControls()
{
    auto* client = new QVBoxLayout(Client);
    client->setContentsMargins(6, 4, 6, 4);
    client->setSpacing(4);
    auto label = [](const QString& name, const QString& caption, QWidget* parent) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(name);
        return l;
    };
    auto edit = [](const QString& name, int maxLength, QWidget* parent) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(name);
        if (maxLength > 0)
            e->setMaxLength(maxLength);
        return e;
    };
    auto captionOf = [](const char* column) {
        for (const Column& c : columns()) {
            if (qstrcmp(c.name, column) == 0)
                return text(c.caption);
        }
        return QString();
    };

    // Code and name.
    auto* codePanel = new QWidget(Client);
    auto* codeGrid = new QGridLayout(codePanel);
    codeGrid->setContentsMargins(0, 0, 0, 0);
    LbCode = label(QStringLiteral("LbCode"), captionOf("CODE"), codePanel);
    UserName = edit(QStringLiteral("UserName"), 20, codePanel);
    UserName->setValidator(new UpperCaseValidator(UserName));
    UserName->setFixedWidth(140);
    BtSearchUser = makeSearchUserButton(codePanel);
    LbFullName = label(QStringLiteral("LbFullName"), captionOf("FULLNAME"), codePanel);
    FullName = edit(QStringLiteral("FullName"), 100, codePanel);
    codeGrid->addWidget(LbCode, 0, 0);
    codeGrid->addWidget(UserName, 0, 1);
    codeGrid->addWidget(BtSearchUser, 0, 2, Qt::AlignLeft);
    codeGrid->addWidget(LbFullName, 1, 0);
    codeGrid->addWidget(FullName, 1, 1, 1, 3);
    codeGrid->setColumnStretch(3, 1);
    client->addWidget(codePanel);
    attachCodeSearch(UserName, BtSearchUser, [this] { return GroupMode; });
    attachCodeExit(UserName, [this] {
        // Loading disables the box, which moves the focus on once more.
        if (!UserName->isEnabled() || m_leaving)
            return;
        const QScopedValueRollback<bool> leaving(m_leaving, true);
        UserNameExit();
    });

    // The user's group.
    GbUserGroup = new QGroupBox(QStringLiteral("User Group"), Client);
    GbUserGroup->setObjectName(QStringLiteral("GbUserGroup"));
    auto* groupRow = new QHBoxLayout(GbUserGroup);
    groupRow->setContentsMargins(6, 2, 6, 4);
    GroupId = new QComboBox(GbUserGroup);
    GroupId->setObjectName(QStringLiteral("GroupId"));
    GroupId->setMinimumWidth(320);
    groupRow->addWidget(GroupId);
    groupRow->addStretch(1);
    client->addWidget(GbUserGroup);

    // The user's own settings.
    GbUserInfo = new QGroupBox(QStringLiteral("[ User Info ]"), Client);
    GbUserInfo->setObjectName(QStringLiteral("GbUserInfo"));
    auto* info = new QGridLayout(GbUserInfo);
    info->setContentsMargins(6, 2, 6, 4);
    info->setVerticalSpacing(3);
    LbPassword = label(QStringLiteral("LbPassword"), QStringLiteral("รหัสผ่าน"), GbUserInfo);
    Password = edit(QStringLiteral("Password"), Passwords::kLength, GbUserInfo);
    LbConfirm = label(QStringLiteral("LbConfirm"), QStringLiteral("ยืนยันรหัสผ่าน"), GbUserInfo);
    Confirm = edit(QStringLiteral("Confirm"), Passwords::kLength, GbUserInfo);
    for (QLineEdit* e : { Password, Confirm })
        maskWith(e, QLatin1Char('*'));
    selectAllOnFocus(Password);
    selectAllOnFocus(Confirm);
    LbLanguage = label(QStringLiteral("LbLanguage"), captionOf("LANGUAGENO"), GbUserInfo);
    LanguageNo = new QComboBox(GbUserInfo);
    LanguageNo->setObjectName(QStringLiteral("LanguageNo"));
    LanguageNo->addItem(QStringLiteral("THAI"), 1);
    LanguageNo->addItem(QStringLiteral("ENGLISH"), 2);
    LanguageNo->addItem(QStringLiteral("LAO"), 3);
    Discount = edit(QStringLiteral("Discount"), 20, GbUserInfo);
    auto* money = new QDoubleValidator(0, 1e15, 2, Discount);
    money->setLocale(QLocale::c());
    money->setNotation(QDoubleValidator::StandardNotation);
    Discount->setValidator(money);
    Email = edit(QStringLiteral("Email"), 100, GbUserInfo);
    Remark = edit(QStringLiteral("Remark"), 600, GbUserInfo);
    AddDate = edit(QStringLiteral("AddDate"), 0, GbUserInfo);
    EditDate = edit(QStringLiteral("EditDate"), 0, GbUserInfo);
    for (QLineEdit* e : { AddDate, EditDate }) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    PoApproveLimitMin = edit(QStringLiteral("PoApproveLimitMin"), 18, GbUserInfo);
    PoApproveLimitMax = edit(QStringLiteral("PoApproveLimitMax"), 18, GbUserInfo);
    for (QLineEdit* e : { PoApproveLimitMin, PoApproveLimitMax }) {
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,18}")), e));
        e->setAlignment(Qt::AlignRight);
    }
    attachCodeExit(PoApproveLimitMin, [this] { PoApproveLimitMinExit(); });
    attachCodeExit(PoApproveLimitMax, [this] { PoApproveLimitMaxExit(); });
    Active = new QCheckBox(captionOf("ACTIVE"), GbUserInfo);
    Active->setObjectName(QStringLiteral("ACTIVE"));
    Active->setFocusPolicy(Qt::ClickFocus); // the Tab key passes it by
    auto* poRow = new QHBoxLayout;
    poRow->addWidget(PoApproveLimitMin);
    poRow->addWidget(label(QStringLiteral("LbPoTo"), captionOf("PoApproveLimitMax"), GbUserInfo));
    poRow->addWidget(PoApproveLimitMax);
    info->addWidget(LbPassword, 0, 0);
    info->addWidget(Password, 0, 1);
    info->addWidget(LbConfirm, 0, 2);
    info->addWidget(Confirm, 0, 3);
    info->addWidget(LbLanguage, 1, 0);
    info->addWidget(LanguageNo, 1, 1);
    info->addWidget(label(QStringLiteral("LbDiscount"), captionOf("Discount"), GbUserInfo), 1, 2);
    info->addWidget(Discount, 1, 3);
    info->addWidget(label(QStringLiteral("LbEmail"), captionOf("Email"), GbUserInfo), 2, 0);
    info->addWidget(Email, 2, 1, 1, 3);
    info->addWidget(label(QStringLiteral("LbRemark"), captionOf("Remark"), GbUserInfo), 3, 0);
    info->addWidget(Remark, 3, 1, 1, 3);
    info->addWidget(label(QStringLiteral("LbAddDate"), captionOf("AddDate"), GbUserInfo), 4, 0);
    info->addWidget(AddDate, 4, 1);
    info->addWidget(label(QStringLiteral("LbEditDate"), captionOf("EditDate"), GbUserInfo), 4, 2);
    info->addWidget(EditDate, 4, 3);
    info->addWidget(label(QStringLiteral("LbPoLimit"), captionOf("PoApproveLimitMin"), GbUserInfo), 5, 0);
    info->addLayout(poRow, 5, 1);
    info->addWidget(Active, 5, 3);
    client->addWidget(GbUserInfo);

    // Log-on on the tablet.
    GbUserTablet = new QGroupBox(QStringLiteral("[ User Tablet ]"), Client);
    GbUserTablet->setObjectName(QStringLiteral("GbUserTablet"));
    auto* tablet = new QHBoxLayout(GbUserTablet);
    tablet->setContentsMargins(6, 2, 6, 4);
    PasswordTablet = edit(QStringLiteral("PasswordTablet"), 200, GbUserTablet);
    maskWith(PasswordTablet, QLatin1Char('*'));
    PasswordTablet->setFixedWidth(110);
    CusCodeTablet = new QComboBox(GbUserTablet);
    CusCodeTablet->setObjectName(QStringLiteral("CusCodeTablet"));
    CusCodeTablet->setMinimumWidth(120);
    CusCodeTablet->installEventFilter(this);
    auto* customers = new QTableView(CusCodeTablet);
    customers->setSelectionBehavior(QAbstractItemView::SelectRows);
    customers->verticalHeader()->hide();
    customers->horizontalHeader()->setStretchLastSection(true);
    customers->setMinimumWidth(360);
    CusCodeTablet->setView(customers);
    connect(CusCodeTablet, &QComboBox::currentIndexChanged, this, [this] { showCustomerName(); });
    LbCustomerName = label(QStringLiteral("LbCustomerName"), QString(), GbUserTablet);
    tablet->addWidget(label(QStringLiteral("LbPasswordTablet"), captionOf("PasswordTablet"), GbUserTablet));
    tablet->addWidget(PasswordTablet);
    tablet->addWidget(label(QStringLiteral("LbCusCodeTablet"), captionOf("CusCodeTablet"), GbUserTablet));
    tablet->addWidget(CusCodeTablet);
    tablet->addWidget(LbCustomerName, 1);
    client->addWidget(GbUserTablet);

    // The group's flags, built from the catalogue: the web-menu box in five
    // columns of three, the privilege box in three columns.
    auto flagBoxes = [this](QGroupBox* box, Box which, int boxColumns) {
        // One grid for the whole box, so that the n-th box of every column
        // stands on the same line; the window's fixed height squeezes all
        // columns alike instead of the longest ones only.
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(6, 0, 6, 2);
        grid->setVerticalSpacing(0);
        QList<int> rows(boxColumns, 0);
        for (const Column& c : inBox(which)) {
            auto* check = new QCheckBox(text(c.caption), box);
            check->setObjectName(QLatin1String(c.name));
            if (c.tick == Tick::Right)
                check->setLayoutDirection(Qt::RightToLeft);
            check->setVisible(c.visible);
            m_flags.insert(key(QLatin1String(c.name)), check);
            grid->addWidget(check, rows[c.boxColumn - 1]++, c.boxColumn - 1);
        }
        for (int i = 0; i < boxColumns; ++i)
            grid->setColumnStretch(i, 1);
        grid->setRowStretch(*std::max_element(rows.cbegin(), rows.cend()), 1);
    };
    GbGroupWeb = new QGroupBox(QStringLiteral("[ Group Menu WebApp ]"), Client);
    GbGroupWeb->setObjectName(QStringLiteral("GbGroupWeb"));
    flagBoxes(GbGroupWeb, Box::GroupWeb, 5);
    client->addWidget(GbGroupWeb);
    GbGroupInfo = new QGroupBox(QStringLiteral("[ Group Info ]"), Client);
    GbGroupInfo->setObjectName(QStringLiteral("GbGroupInfo"));
    flagBoxes(GbGroupInfo, Box::GroupInfo, 3);
    client->addWidget(GbGroupInfo);
    client->addStretch(1);
    m_flags.insert(QStringLiteral("ACTIVE"), Active);

    Client->setMinimumWidth(760);
}

QCheckBox* TFrUserName::flagBox(const QString& column) const
{
    return m_flags.value(key(column));
}

QVariant TFrUserName::value(const QString& column) const
{
    return m_record.value(key(column));
}

void TFrUserName::FormShow()
{
    SetLanguageCaptions();
    setWindowTitle(DmConfig->MenuCaption);
    setStatusText(0, DmConfig->CompanyNameThai);
    TFrForm::FormShow();
    fillGroupList();

    Qsoftwareconfig->close();
    Qsoftwareconfig->open();
    const bool tablet
        = Qsoftwareconfig->field(QStringLiteral("UseTablet")).asString() == QLatin1String("Y") && !GroupMode;
    Qsoftwareconfig->close();

    GbUserGroup->setVisible(!GroupMode);
    GbUserInfo->setVisible(!GroupMode);
    GbUserTablet->setVisible(tablet);
    GbGroupWeb->setVisible(GroupMode);
    GbGroupInfo->setVisible(GroupMode);
    fitHeight();
    // The status bar takes its final height only once it is laid out on screen.
    QTimer::singleShot(0, this, [this] { fitHeight(); });

    AcNewExecute();
}

void TFrUserName::fitHeight()
{
    // The frame sizes the window to its content: the client area takes what
    // the tool bar and the status bar leave of the mode's height.
    const int height = GroupMode ? kGroupHeight : kUserHeight;
    if (Client->minimumHeight() != Client->maximumHeight())
        Client->setFixedHeight(Client->sizeHint().height());
    layout()->activate();
    Client->setFixedHeight(qMax(0, Client->maximumHeight() + height - sizeHint().height()));
    layout()->activate();
}

void TFrUserName::fillGroupList()
{
    GroupId->clear();
    GroupId->addItem(QString(), QVariant());
    QUserGroup->close();
    QUserGroup->open();
    // Only ZAQ may put a user into the built-in group.
    const bool zaq = Reserved::loggedOnIsZaq(DmConfig->UserCode);
    for (QUserGroup->first(); !QUserGroup->eof(); QUserGroup->next()) {
        if (!zaq && Reserved::isSystemGroup(QUserGroup->field(QStringLiteral("Code")).asString()))
            continue;
        GroupId->addItem(
            QUserGroup->field(QStringLiteral("FullName")).asString(), QUserGroup->field(QStringLiteral("Id")).value());
    }
    QUserGroup->close();
    m_groupListSize = GroupId->count();
}

// A user's group that the list does not offer (inactive, or the built-in
// group for anyone but ZAQ) is shown by its code and name while that user is
// loaded, so that the save keeps it and nobody else can be given it.
void TFrUserName::showGroup(const QVariant& id)
{
    while (GroupId->count() > m_groupListSize)
        GroupId->removeItem(GroupId->count() - 1);
    if (!id.isNull() && GroupId->findData(id) < 0) {
        Query group(DmConfig->DmCfg, Sql::QGroupById);
        group.setParam(QStringLiteral("Id"), id);
        group.open();
        GroupId->addItem(group.eof() ? id.toString() : group.field(QStringLiteral("FullName")).asString(), id);
    }
    selectData(GroupId, id);
}

bool TFrUserName::reservedForOthers(const QString& code) const
{
    if (Reserved::loggedOnIsZaq(DmConfig->UserCode))
        return false;
    return GroupMode ? Reserved::isSystemGroup(code) : Reserved::isZaqUser(code);
}

void TFrUserName::AcNewExecute()
{
    TFrForm::AcNewExecute();
    for (QLineEdit* e : { Password, Confirm }) {
        e->setMaxLength(Passwords::kLength);
        e->setText(DmConfig->BlankPassword);
    }
    UserName->setEnabled(true);
    BtSearchUser->setEnabled(true);
    OpenQuery(QString());
    m_poMinimum = 0;
    showRecord();
    UserName->setFocus();
}

void TFrUserName::OpenQuery(const QString& code)
{
    QUserName->close();
    QUserName->setParam(QStringLiteral("GetCode"), code);
    QUserName->setParam(QStringLiteral("isDepartment"), GroupMode ? QStringLiteral("Y") : QStringLiteral("N"));
    QUserName->open();
    NewRecord = QUserName->eof();

    m_record.clear();
    for (const Column& c : columns())
        m_record.insert(
            key(QLatin1String(c.name)), NewRecord ? QVariant() : QUserName->field(QLatin1String(c.name)).value());
    m_oldId = m_record.value(QStringLiteral("ID"));
    m_stored = NewRecord ? QHash<QString, QVariant>() : m_record;
    QUserName->close();

    for (const Column& c : columns()) {
        const QString k = key(QLatin1String(c.name));
        if (!m_record.value(k).isNull())
            continue;
        m_record.insert(k, fillValue(c, GroupMode));
        if (c.fill == Default::ByMode && GroupMode)
            m_record.insert(QStringLiteral("GROUPID"), QVariant());
    }
    // What the screen shows (a NULL flag as "N") is what a change is measured from.
    m_loaded = NewRecord ? QHash<QString, QVariant>() : m_record;
}

void TFrUserName::UserNameExit()
{
    // The code as the lookup matches it and as it is stored: trimmed and in
    // upper case, so " LEAD" is LEAD and no spelling of a reserved code passes.
    if (!UserName->text().isEmpty() && reservedForOthers(UserName->text())) {
        prompts().information(GroupMode ? QStringLiteral("Group Code Not Allow !!!") : QStringLiteral("User Code Not Allow !!!"));
        UserName->clear();
    }
    const QString code = Reserved::normalized(UserName->text());
    OpenQuery(code);
    fillCustomerList();

    Password->setEnabled(NewRecord);
    Confirm->setEnabled(NewRecord);
    AcSave->setEnabled(true);
    AcDel->setEnabled(!NewRecord);
    m_record.insert(QStringLiteral("CODE"), code);

    if (code.trimmed().isEmpty()) {
        prompts().information(QStringLiteral("ยังไม่ได้ป้อนชื่อผู้ใช้"));
        AcNewExecute();
        return;
    }
    if (m_record.value(QStringLiteral("FULLNAME")).isNull())
        m_record.insert(QStringLiteral("FULLNAME"), code);
    showRecord();
    // Masked and not editable: an existing user's password is changed on its own screen.
    const QString shown
        = NewRecord ? DmConfig->BlankPassword : Cp874::decode(m_record.value(QStringLiteral("PASSWORD")).toByteArray());
    // The stored form has eleven characters: the boxes, which take ten when
    // typed into, must not cut it.
    for (QLineEdit* e : { Password, Confirm }) {
        e->setMaxLength(qMax(Passwords::kLength, int(shown.size())));
        e->setText(shown);
    }
    UserName->setEnabled(false);
    BtSearchUser->setEnabled(false);
}

void TFrUserName::fillCustomerList()
{
    CusCodeTablet->blockSignals(true);
    auto* model = new QStandardItemModel(0, 2, CusCodeTablet);
    model->setHorizontalHeaderLabels({ QStringLiteral("รหัสลูกค้า"), QStringLiteral("ชื่อลูกค้า") });
    model->appendRow({ new QStandardItem(QString()), new QStandardItem(QString()) }); // no customer
    QCustomer->close();
    QCustomer->open();
    for (QCustomer->first(); !QCustomer->eof(); QCustomer->next())
        model->appendRow({ new QStandardItem(QCustomer->field(QStringLiteral("Code")).asString()),
            new QStandardItem(QCustomer->field(QStringLiteral("Name")).asString()) });
    QCustomer->close();
    CusCodeTablet->setModel(model); // the combo box frees the list it had
    CusCodeTablet->blockSignals(false);
}

void TFrUserName::showCustomerName()
{
    const int row = CusCodeTablet->currentIndex();
    LbCustomerName->setText(row < 0 ? QString() : CusCodeTablet->model()->index(row, 1).data().toString());
}

void TFrUserName::showRecord()
{
    const auto v = [this](const char* column) { return m_record.value(key(QLatin1String(column))); };
    UserName->setText(v("CODE").toString());
    FullName->setText(v("FULLNAME").toString());
    showGroup(v("GROUPID"));
    selectData(LanguageNo, v("LANGUAGENO"));
    Discount->setText(numberText(v("DISCOUNT")));
    Email->setText(v("EMAIL").toString());
    Remark->setText(v("REMARK").toString());
    AddDate->setText(dateText(v("ADDDATE")));
    EditDate->setText(dateText(v("EDITDATE")));
    PoApproveLimitMin->setText(numberText(v("POAPPROVELIMITMIN")));
    PoApproveLimitMax->setText(numberText(v("POAPPROVELIMITMAX")));
    m_poMinimum = PoApproveLimitMin->text().toLongLong();
    PasswordTablet->setText(v("PASSWORDTABLET").toString());
    const QString customer = v("CUSCODETABLET").toString();
    int row = customer.isEmpty() ? 0 : CusCodeTablet->findText(customer);
    if (row < 0) { // a code the list lacks (blocked since) is kept as it is
        CusCodeTablet->addItem(customer);
        row = CusCodeTablet->count() - 1;
    }
    CusCodeTablet->setCurrentIndex(CusCodeTablet->count() > 0 ? row : -1);
    showCustomerName();
    for (auto it = m_flags.cbegin(); it != m_flags.cend(); ++it)
        it.value()->setChecked(m_record.value(it.key()).toString() == QLatin1String("Y"));
}

void TFrUserName::readControls()
{
    const auto set
        = [this](const char* column, const QVariant& value) { m_record.insert(key(QLatin1String(column)), value); };
    const auto textOrNull = [](QLineEdit* e, const QVariant& was) {
        return e->text().isEmpty() && was.isNull() ? QVariant() : QVariant(e->text());
    };
    set("FULLNAME", textOrNull(FullName, value(QStringLiteral("FULLNAME"))));
    // Only the boxes of the current mode: a user's own copies of the group
    // flags, and a group's user settings, stay as they were loaded.
    if (GroupMode) {
        for (const Column& c : columns()) {
            if ((c.box == Box::GroupInfo || c.box == Box::GroupWeb))
                set(c.name,
                    m_flags.value(key(QLatin1String(c.name)))->isChecked() ? QStringLiteral("Y") : QStringLiteral("N"));
        }
        return;
    }
    set("GROUPID", GroupId->currentData());
    set("LANGUAGENO", LanguageNo->currentData());
    set("DISCOUNT", numberValue(Discount->text(), false));
    set("EMAIL", textOrNull(Email, value(QStringLiteral("EMAIL"))));
    set("REMARK", textOrNull(Remark, value(QStringLiteral("REMARK"))));
    set("POAPPROVELIMITMIN", numberValue(PoApproveLimitMin->text(), true));
    set("POAPPROVELIMITMAX", numberValue(PoApproveLimitMax->text(), true));
    set("ACTIVE", Active->isChecked() ? QStringLiteral("Y") : QStringLiteral("N"));
    if (GbUserTablet->isVisible()) {
        set("PASSWORDTABLET", textOrNull(PasswordTablet, value(QStringLiteral("PASSWORDTABLET"))));
        const QString customer = CusCodeTablet->currentText();
        set("CUSCODETABLET",
            customer.isEmpty() && value(QStringLiteral("CUSCODETABLET")).isNull() ? QVariant() : QVariant(customer));
    }
}

void TFrUserName::AcSaveExecute()
{
    readControls();
    if (value(QStringLiteral("CODE")).toString().trimmed().isEmpty()) {
        prompts().information(QStringLiteral("Please Enter Code"));
        return;
    }
    if (reservedForOthers(value(QStringLiteral("CODE")).toString())) {
        prompts().information(GroupMode ? QStringLiteral("Group Code Not Allow !!!") : QStringLiteral("User Code Not Allow !!!"));
        return;
    }
    // The logon box takes ten characters: a longer user code could never log on.
    if (!GroupMode && NewRecord && value(QStringLiteral("CODE")).toString().trimmed().size() > kLogonCodeLength) {
        prompts().information(DmConfig->ThaiLanguage
                ? QStringLiteral("รหัสผู้ใช้ยาวได้ไม่เกิน %1 ตัวอักษร").arg(kLogonCodeLength)
                : QStringLiteral("A user code has at most %1 characters.").arg(kLogonCodeLength));
        return;
    }
    if (Password->text().trimmed() != Confirm->text().trimmed()) {
        prompts().information(QStringLiteral("Password Error"));
        return;
    }
    if (NewRecord && !Passwords::Storable(Password->text())) {
        prompts().information(Passwords::NotStorableMessage(DmConfig->ThaiLanguage));
        return;
    }
    if (!prompts().confirm(QStringLiteral("Save ") + windowTitle() + QStringLiteral(" ? ")))
        return;

    // On any failure the transaction rolls back and the record goes back to
    // what the screen held, so a second Save tries the same again.
    const QHash<QString, QVariant> before = m_record;
    try {
        Transaction transaction(*DmConfig->DmCfg);
        QTemp->close();
        QTemp->open();
        const QVariant now = QTemp->field(QStringLiteral("ServerDate")).asDateTime();
        QTemp->close();
        if (NewRecord) {
            m_record.insert(QStringLiteral("PASSWORD"),
                Passwords::ScramblePassword(
                    Passwords::FitText(Password->text().trimmed(), Passwords::kLength, QLatin1Char(' '))));
            m_record.insert(QStringLiteral("ADDDATE"), now);
        }
        m_record.insert(QStringLiteral("EDITDATE"), now);
        m_record.insert(QStringLiteral("ISDEPARTMENT"), GroupMode ? QStringLiteral("Y") : QStringLiteral("N"));
        applyRecord();
        // Inside the transaction: a user whose password could not be stored is not created.
        if (NewRecord)
            DmConfig->StorePasswordNew(Password->text(), UserName->text());
        writeTrail(false);
        transaction.commit();
    } catch (...) {
        m_record = before;
        throw;
    }
    AcNewExecute();
}

void TFrUserName::applyRecord()
{
    const QString code = value(QStringLiteral("CODE")).toString().trimmed();
    if (NewRecord) {
        // Another workstation may have created the same code since this one
        // looked: the second insert would make a twin whose password the first
        // creator's password write then overwrites.
        Query exists(DmConfig->DmCfg, Sql::QUserNameCodeExists);
        exists.setParam(QStringLiteral("Code"), code);
        exists.setParam(QStringLiteral("isDepartment"), GroupMode ? QStringLiteral("Y") : QStringLiteral("N"));
        exists.open();
        if (!exists.eof())
            throw DbError(QStringLiteral("The code %1 already exists: another workstation has just created it. Nothing was saved.").arg(code));
        Query write(DmConfig->DmCfg, Sql::QUserNameInsert);
        for (const QString& column : writtenList())
            write.setParam(column, m_record.value(key(column)));
        write.execSql();
        return;
    }
    // The update matches the row as this screen loaded it, so that a change
    // another workstation saved meanwhile is never undone without a word.
    const QStringList guarded = guardedColumns();
    Query write(DmConfig->DmCfg, Sql::QUserNameUpdateAsLoaded(guarded));
    for (const QString& column : writtenList())
        write.setParam(column, m_record.value(key(column)));
    write.setParam(QStringLiteral("OLD_ID"), m_oldId);
    for (const QString& column : guarded)
        write.setParam(QStringLiteral("W_") + column, m_stored.value(key(column)));
    if (write.execSql() > 0)
        return;
    Query still(DmConfig->DmCfg, Sql::QUserNameById);
    still.setParam(QStringLiteral("OLD_ID"), m_oldId);
    still.open();
    if (still.eof())
        throw DbError(QStringLiteral("The record %1 no longer exists: another workstation has deleted it.").arg(code));
    throw DbError(QStringLiteral("The record %1 has been changed by another workstation since it was loaded. "
                                 "Nothing was saved: press New, load it again and repeat your changes.")
                      .arg(code));
}

// Every column the update writes back, but the stamps it sets itself and the
// scrambled password, which no screen changes after the user is created.
QStringList TFrUserName::guardedColumns()
{
    QStringList out;
    for (const QString& column : writtenList()) {
        const QString k = key(column);
        if (k != QLatin1String("PASSWORD") && k != QLatin1String("ADDDATE") && k != QLatin1String("EDITDATE"))
            out.append(column);
    }
    return out;
}

// Each column the save or delete changed, in the record query's order; the
// stamps of the save are left out, the trail has its own date. A new record is
// measured from the values a new record starts with, so only what was set
// shows; the group a user belongs to is named by its code.
void TFrUserName::writeTrail(bool deleted)
{
    const bool inserted = !deleted && NewRecord;
    Trail::Row before;
    Trail::Row after;
    for (const Column& c : columns()) {
        const QString k = key(QLatin1String(c.name));
        if (k == QLatin1String("ID") || k == QLatin1String("ADDDATE") || k == QLatin1String("EDITDATE"))
            continue;
        const auto shown = [&](const QVariant& v) { return k == QLatin1String("GROUPID") ? groupCode(v) : v; };
        if (inserted) {
            if (k != QLatin1String("PASSWORD"))
                before.append({ QLatin1String(c.name), shown(fillValue(c, GroupMode)) });
        } else if (!m_loaded.isEmpty()) {
            before.append({ QLatin1String(c.name), shown(m_loaded.value(k)) });
        }
        if (!deleted && !(inserted && k == QLatin1String("PASSWORD")))
            after.append({ QLatin1String(c.name), shown(m_record.value(k)) });
    }
    const Trail::Action action = deleted ? Trail::Action::Delete : NewRecord ? Trail::Action::Insert : Trail::Action::Update;
    QStringList parts;
    const QString changes = Trail::columnChanges(before, after);
    if (!changes.isEmpty())
        parts.append(changes);
    // A new user is given a password (the empty one when the boxes were left
    // alone); a group has none.
    if (inserted && !GroupMode)
        parts.append(QStringLiteral("password set"));
    const QString detail = parts.isEmpty() ? QStringLiteral("no change") : parts.join(QStringLiteral("; "));
    Trail::write(*DmConfig->DmCfg, Trail::loggedOn(), GroupMode ? QStringLiteral("groups") : QStringLiteral("users"), action,
        (deleted ? m_loaded : m_record).value(QStringLiteral("CODE")).toString().trimmed(), detail);
}

// The code of a group by its id, as the drop-down holds it ("CODE name").
QVariant TFrUserName::groupCode(const QVariant& id) const
{
    if (id.isNull())
        return id;
    const int at = GroupId->findData(id);
    if (at < 0)
        return id;
    return GroupId->itemText(at).section(QLatin1Char(' '), 0, 0);
}

void TFrUserName::AcDelExecute()
{
    // The row as loaded decides: ZAQ is never deleted, whoever asks.
    if (Reserved::isZaqUser(m_loaded.value(QStringLiteral("CODE")).toString()) || Reserved::isZaqUser(UserName->text())) {
        prompts().information(QStringLiteral("User นี้ลบไม่ได้ครับ"));
        return;
    }
    readControls();
    if (!DmConfig->AskConfirmation(
            QStringLiteral("ลบ User ") + value(QStringLiteral("FULLNAME")).toString() + QStringLiteral(" ? ")))
        return;
    Transaction transaction(*DmConfig->DmCfg);
    DeleteUser->close();
    DeleteUser->setParam(QStringLiteral("@UserId"), m_oldId);
    DeleteUser->execProc();
    writeTrail(true);
    transaction.commit();
    DeleteUser->close();
    AcNewExecute();
}

void TFrUserName::SetLanguageCaptions()
{
    const bool thai = DmConfig->ThaiLanguage;
    for (const Relabel& r : kRelabels) {
        if (r.mode != Shown::Both && (r.mode == Shown::GroupMode) != GroupMode)
            continue;
        if (!thai && !r.english)
            continue;
        const QString caption = text(thai ? r.thai : r.english);
        if (auto* l = findChild<QLabel*>(QLatin1String(r.control)))
            l->setText(caption);
        else if (QCheckBox* check = m_flags.value(key(QLatin1String(r.control))))
            check->setText(caption);
    }
}

void TFrUserName::ToolBar1Click()
{
    DmConfig->ThaiLanguage = !DmConfig->ThaiLanguage;
    SetLanguageCaptions();
}

void TFrUserName::PoApproveLimitMinExit()
{
    m_poMinimum = PoApproveLimitMin->text().toLongLong();
    PoApproveLimitMaxExit();
}

void TFrUserName::PoApproveLimitMaxExit()
{
    // The upper limit never stands below the lower one: a smaller value is raised to it.
    if (!PoApproveLimitMax->text().isEmpty() && PoApproveLimitMax->text().toLongLong() < m_poMinimum)
        PoApproveLimitMax->setText(QString::number(m_poMinimum));
}

void TFrUserName::DMdataBeforeConnect()
{
    DMdata->profile().clear();
    DMdata->profile().add(Profiles::companyUserScreen(ServerName(), DmConfig->CurrentDatabaseName, ReadOnly));
}

bool TFrUserName::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == CusCodeTablet && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int k = key->key();
        if (k == Qt::Key_Delete || k == Qt::Key_Backspace) {
            CusCodeTablet->setCurrentIndex(0); // the clear key empties the customer
            return true;
        }
        // Typing opens the list, and the typed letters still pick the entry.
        if (!key->text().isEmpty() && key->text().at(0).isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            CusCodeTablet->showPopup();
    }
    return TFrForm::eventFilter(watched, event);
}
