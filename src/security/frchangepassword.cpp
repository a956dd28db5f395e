#include "security/frchangepassword.h"

#include "config/dmconfig.h"
#include "config/securitytrail.h"
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/query.h"
#include "dialogs/codeboxexit.h"
#include "dialogs/codesearch.h"
#include "security/passwords.h"
#include "security/reservedcodes.h"
#include "toolkit/guard.h"
#include "toolkit/prompts.h"
#include "toolkit/selectonfocus.h"
#include "toolkit/uppercasevalidator.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QToolButton>

TFrChangePassword::TFrChangePassword(QWidget* parent)
    : TFrForm(parent)
    , QChangePassword(new Query(DmConfig->DmCfg, Sql::QChangePassword, this))
{
    setObjectName(QStringLiteral("FrChangePassword"));
    auto* grid = new QGridLayout(Client);
    grid->setContentsMargins(12, 10, 12, 10);
    auto label = [this](const QString& name) {
        auto* l = new QLabel(Client);
        l->setObjectName(name);
        return l;
    };
    auto password = [this](const QString& name) {
        auto* e = new QLineEdit(Client);
        e->setObjectName(name);
        e->setMaxLength(Passwords::kLength);
        e->setEchoMode(QLineEdit::Password);
        selectAllOnFocus(e);
        e->setFixedWidth(140);
        return e;
    };
    LbCode = label(QStringLiteral("LbCode"));
    UserName = new QLineEdit(Client);
    UserName->setObjectName(QStringLiteral("UserName"));
    UserName->setMaxLength(20);
    UserName->setFixedWidth(140);
    UserName->setValidator(new UpperCaseValidator(UserName));
    UserName->installEventFilter(this);
    attachCodeExit(UserName, [this] {
        // Only where a code may be typed; loading disables the box, which moves the focus on once more.
        if (!UserName->isEnabled() || UserName->isReadOnly() || m_leaving)
            return;
        const QScopedValueRollback<bool> leaving(m_leaving, true);
        UserNameExit();
    });
    BtSearchUser = makeSearchUserButton(Client);
    connect(BtSearchUser, &QToolButton::clicked, this, [this] { guarded([this] { pickCode(UserName, false); }); });
    LbFullName = label(QStringLiteral("LbFullName"));
    FullName = label(QStringLiteral("FullName"));
    FullName->setMinimumWidth(260);
    LbOldPassword = label(QStringLiteral("LbOldPassword"));
    OldPassword = password(QStringLiteral("OldPassword"));
    LbNewPassword = label(QStringLiteral("LbNewPassword"));
    NewPassword = password(QStringLiteral("NewPassword"));
    LbConfirm = label(QStringLiteral("LbConfirm"));
    ConfirmPassword = password(QStringLiteral("ConfirmPassword"));
    grid->addWidget(LbCode, 0, 0);
    grid->addWidget(UserName, 0, 1);
    grid->addWidget(BtSearchUser, 0, 2, Qt::AlignLeft);
    grid->addWidget(LbFullName, 1, 0);
    grid->addWidget(FullName, 1, 1, 1, 3);
    grid->addWidget(LbOldPassword, 2, 0);
    grid->addWidget(OldPassword, 2, 1);
    grid->addWidget(LbNewPassword, 3, 0);
    grid->addWidget(NewPassword, 3, 1);
    grid->addWidget(LbConfirm, 4, 0);
    grid->addWidget(ConfirmPassword, 4, 1);
    grid->setColumnStretch(3, 1);
}

TFrChangePassword::~TFrChangePassword() = default;

bool TFrChangePassword::maySetOthers() const
{
    return DmConfig->CanSetOtherUserPass;
}

void TFrChangePassword::FormShow()
{
    setWindowTitle(DmConfig->MenuCaption);
    setStatusText(0, DmConfig->CompanyNameThai);
    TFrForm::FormShow();
    AcSave->setEnabled(true); // Delete stays disabled on this screen

    const bool thai = DmConfig->ThaiLanguage;
    LbCode->setText(thai ? QStringLiteral("ชื่อผู้ใช้") : QStringLiteral("User ID"));
    LbFullName->setText(thai ? QStringLiteral("ชื่อ-นามสกุล") : QStringLiteral("Name"));
    LbOldPassword->setText(thai ? QStringLiteral("รหัสผ่านเดิม") : QStringLiteral("Old Password"));
    LbNewPassword->setText(thai ? QStringLiteral("รหัสผ่านใหม่") : QStringLiteral("New Password"));
    LbConfirm->setText(thai ? QStringLiteral("ยืนยันรหัสผ่าน") : QStringLiteral("Comfirm New Password"));

    for (QLineEdit* e : { OldPassword, NewPassword, ConfirmPassword })
        e->setText(DmConfig->BlankPassword);
    UserName->setEnabled(true);

    const bool others = maySetOthers();
    BtSearchUser->setVisible(others);
    BtSearchUser->setEnabled(true);
    LbOldPassword->setVisible(!others);
    OldPassword->setVisible(!others);
    UserName->setReadOnly(!others);

    load(others ? QString() : DmConfig->UserCode);
    (others ? UserName : OldPassword)->setFocus();
}

void TFrChangePassword::AcNewExecute()
{
    FormShow();
}

bool TFrChangePassword::load(const QString& code)
{
    QChangePassword->close();
    QChangePassword->setParam(QStringLiteral("GetUser"), code);
    QChangePassword->setParam(QStringLiteral("IsDepartment"), QStringLiteral("N"));
    QChangePassword->open();
    const bool found = !QChangePassword->eof();
    m_loadedCode = found ? QChangePassword->field(QStringLiteral("CODE")).asString() : QString();
    UserName->setText(m_loadedCode);
    FullName->setText(QChangePassword->field(QStringLiteral("FULLNAME")).asString());
    m_passwordNew = found ? QChangePassword->field(QStringLiteral("PASSWORDNEW")).asBytes() : QByteArray();
    m_scrambled = found ? QChangePassword->field(QStringLiteral("PASSWORD")).asBytes() : QByteArray();
    CurrentPassword = found ? Passwords::StoredPassword(m_passwordNew, m_scrambled) : QString();
    return found;
}

void TFrChangePassword::UserNameExit()
{
    // The code as the lookup matches it, so no spelling of ZAQ slips past the check.
    QString code = Reserved::normalized(UserName->text());
    const bool zaq = Reserved::loggedOnIsZaq(DmConfig->UserCode);
    if (Reserved::isZaqUser(code) && !zaq) {
        prompts().information(QStringLiteral("User Code Not Allow !!!"));
        code.clear();
    }
    // The row found decides as well: whatever matched, ZAQ's row stays his own.
    if (!load(code) || (Reserved::isZaqUser(m_loadedCode) && !zaq)) {
        m_loadedCode.clear();
        prompts().information(QStringLiteral("ไม่พบชื่อผู้ใช้"));
        FormShow();
        return;
    }
    if (QChangePassword->field(QStringLiteral("Active")).asString() != QLatin1String("Y")) {
        prompts().information(QStringLiteral("ผู้ใช้ถูกระงับการใช้งานชั่วคราว\rไม่สามารถกำหนดรหัสผ่านได้"));
        FormShow();
        return;
    }
    for (QLineEdit* e : { OldPassword, NewPassword, ConfirmPassword })
        e->setText(DmConfig->BlankPassword);
    UserName->setEnabled(false);
    BtSearchUser->setEnabled(false); // another user only after New, as with the code box
}

void TFrChangePassword::AcSaveExecute()
{
    if (m_loadedCode.trimmed().isEmpty()) {
        prompts().information(QStringLiteral("ไม่ได้ระบุ ชื่อผู้ใช้"));
        return;
    }
    if (!maySetOthers() && !Passwords::OldPasswordMatches(OldPassword->text(), m_passwordNew, m_scrambled)) {
        prompts().information(QStringLiteral("รหัสผ่านเดิมไม่ถูกต้อง"));
        return;
    }
    // The passwords themselves are never shown: whoever stands behind the
    // screen would read them.
    if (NewPassword->text().trimmed() != ConfirmPassword->text().trimmed()) {
        prompts().information(QStringLiteral("ยืนยันรหัสผ่าน ไม่ตรงกับรหัสผ่าน"));
        return;
    }
    if (!Passwords::Storable(NewPassword->text())) {
        prompts().information(Passwords::NotStorableMessage(true));
        return;
    }
    if (!DmConfig->AskConfirmation(QStringLiteral("ยืนยันเปลี่ยนรหัสผ่าน ?")))
        return;
    // A password that could not be stored rolls back and shows the database's
    // error; the screen keeps what was typed.
    Transaction transaction(*DmConfig->DmCfg);
    DmConfig->StorePasswordNew(NewPassword->text().trimmed(), m_loadedCode);
    Trail::write(*DmConfig->DmCfg, Trail::loggedOn(), QStringLiteral("password"), Trail::Action::Password, m_loadedCode.trimmed(), QStringLiteral("password changed"));
    transaction.commit();
    FormShow();
}

bool TFrChangePassword::FormClose()
{
    if (!DmConfig->AskConfirmation(
            DmConfig->ThaiLanguage ? QStringLiteral("ออกจากโปรแกรม ?") : QStringLiteral("Exit Program ?")))
        return false;
    QChangePassword->close();
    return true;
}

bool TFrChangePassword::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == UserName && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5) {
        if (maySetOthers())
            guarded([this] { pickCode(UserName, false); });
        return true;
    }
    return TFrForm::eventFilter(watched, event);
}
