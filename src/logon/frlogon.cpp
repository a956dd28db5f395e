#include "logon/frlogon.h"

#include "config/dmconfig.h"
#include "config/logonhistory.h"
#include "config/logonlock.h"
#include "db/cp874.h"
#include "config/servernames.h"
#include "config/sqlcatalogue.h"
#include "config/textfiles.h"
#include "logon/logontarget.h"
#include "toolkit/guard.h"
#include "toolkit/pictures.h"
#include "toolkit/prompts.h"
#include "toolkit/selectonfocus.h"
#include "workstation/clock.h"
#include "workstation/workstation.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QValidator>
#include <stdexcept>

namespace {

const QString kLogoFile = QStringLiteral("Logo.Jpg");

// Typed passwords show as "#".
class HashPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* ret) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '#';
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLineEdit* box(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(geometry);
    return e;
}

// Refuses typing past a length but, unlike QLineEdit's maximum length, which
// also cuts what setText() is given, leaves a text the program sets whole:
// QLineEdit undoes typed input its validator refuses and takes setText() as given.
class TypedLengthLimit : public QValidator
{
public:
    TypedLengthLimit(int length, QObject* parent)
        : QValidator(parent)
        , m_length(length)
    {
    }
    State validate(QString& input, int&) const override { return input.size() > m_length ? Invalid : Acceptable; }

private:
    int m_length;
};

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFrLogon::TFrLogon(LogonTarget* target, QWidget* parent)
    : QDialog(parent)
    , m_target(target)
{
    setObjectName(QStringLiteral("FrLogon"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(0, 0, 340, 129);
    Panel1->installEventFilter(this);

    LogoImage = new QLabel(Panel1);
    LogoImage->setObjectName(QStringLiteral("LogoImage"));
    LogoImage->setGeometry(6, 17, 136, 96);
    LogoImage->setScaledContents(true);
    LogoImage->setAlignment(Qt::AlignCenter);
    LogoImage->installEventFilter(this);

    Label3 = label(Panel1, "Label3", QStringLiteral("วันที่"), QRect(146, 17, 54, 21));
    WorkDateBox = new QDateEdit(Panel1);
    WorkDateBox->setObjectName(QStringLiteral("WorkDate"));
    WorkDateBox->setGeometry(204, 17, 117, 21);
    WorkDateBox->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    WorkDateBox->setCalendarPopup(true);
    WorkDateBox->setToolTip(QStringLiteral("Select working Date"));

    Label4 = label(Panel1, "Label4", QStringLiteral("เซิร์ฟเวอร์"), QRect(136, 43, 64, 21));
    // The 40 characters limit typing only: a longer first line of Server.Dat is
    // shown, used and written back whole, or such a site could never log on.
    GetServer = box(Panel1, "GetServer", QRect(204, 43, 117, 21));
    GetServer->setValidator(new TypedLengthLimit(40, GetServer));
    GetServer->setReadOnly(true);

    Label1 = label(Panel1, "Label1", QStringLiteral("ชื่อผู้ใช้"), QRect(136, 67, 64, 21));
    UserName = box(Panel1, "UserName", QRect(204, 67, 118, 21));
    UserName->setMaxLength(10);
    connect(UserName, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = UserName->cursorPosition();
            UserName->setText(upper);
            UserName->setCursorPosition(cursor);
        }
    });

    Label2 = label(Panel1, "Label2", QStringLiteral("รหัสผ่าน"), QRect(136, 91, 64, 21));
    Password = box(Panel1, "Password", QRect(204, 91, 118, 21));
    Password->setMaxLength(10);
    Password->setEchoMode(QLineEdit::Password);
    selectAllOnFocus(Password);
    auto* hashStyle = new HashPasswordStyle;
    hashStyle->setParent(Password);
    Password->setStyle(hashStyle);

    BtLogon = button(this, "BtLogon", QStringLiteral("Logon"), QRect(7, 132, 158, 37));
    BtCancel = button(this, "BtCancel", QStringLiteral("Cancel"), QRect(175, 132, 158, 37));

    GrpSelectDatabase = new QGroupBox(QStringLiteral("  Database Listing  "), this);
    GrpSelectDatabase->setObjectName(QStringLiteral("GrpSelectDatabase"));
    GrpSelectDatabase->setGeometry(4, kChoiceHeight - 96 - 4, 332, 96);
    DatabaseList = new QComboBox(GrpSelectDatabase);
    DatabaseList->setObjectName(QStringLiteral("DatabaseList"));
    DatabaseList->setGeometry(4, 19, 323, 22);
    DatabaseList->setEditable(false);
    BtOk = button(GrpSelectDatabase, "BtOk", QStringLiteral("OK"), QRect(82, 47, 158, 37));

    setTabOrder(WorkDateBox, GetServer);
    setTabOrder(GetServer, UserName);
    setTabOrder(UserName, Password);
    setTabOrder(Password, BtLogon);
    setTabOrder(BtLogon, BtCancel);
    setTabOrder(BtCancel, DatabaseList);
    setTabOrder(DatabaseList, BtOk);

    if (DmConfig)
        bindData();

    connect(BtLogon, &QPushButton::clicked, this, [this] { guarded([this] { BtLogonClick(); }); });
    connect(BtOk, &QPushButton::clicked, this, [this] { guarded([this] { BtOkClick(); }); });
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(340, kLogonHeight);
    GrpSelectDatabase->hide();
}

TFrLogon::~TFrLogon() = default;

// The dialog is made before the data module; its queries are bound once the
// module exists (at the latest, at the first show).
void TFrLogon::bindData()
{
    if (QLogon)
        return;
    QLogon = new Query(DmConfig->DmCfg, Sql::QLogon, this);
    QCompList = new Query(DmConfig->DmCfg, Sql::QCompList, this);
}

QDate TFrLogon::WorkDate() const { return WorkDateBox->date(); }

bool TFrLogon::choosingDatabase() const { return !GrpSelectDatabase->isHidden(); }

void TFrLogon::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

bool TFrLogon::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == Panel1 || watched == LogoImage) && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // A press that a label or a disabled box does not take travels on to the
        // panel; only one on the panel's own face or on the picture flips.
        const QWidget* under = Panel1->childAt(Panel1->mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
        if (under && under != LogoImage)
            return QDialog::eventFilter(watched, event);
        Panel1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFrLogon::FormShow()
{
    bindData();
    setWindowTitle(QStringLiteral("ระบบรักษาความปลอดภัย ( ") + WindowsUserName() + QStringLiteral(" )"));
    setLogonControlsEnabled(true);

    QPixmap logo(Pictures::logon());
    if (QFileInfo::exists(kLogoFile)) {
        QPixmap site;
        if (site.load(kLogoFile, "JPEG") || site.load(kLogoFile))
            logo = site;
    }
    LogoImage->setPixmap(logo);

    WorkDateBox->setDate(currentClock().today());
    m_failures = 0;

    GrpSelectDatabase->hide();
    setFixedSize(340, kLogonHeight);
    BtOk->setDefault(false);
    BtLogon->setDefault(true);

    if (QFileInfo::exists(QLatin1String(kServerFile)))
        GetServer->setText(TextFiles::firstLine(QLatin1String(kServerFile)).value_or(QLatin1String(kDefaultServerName)));
    else
        GetServer->setText(QLatin1String(kHostedServerName));
    UserName->setFocus();
}

void TFrLogon::setLogonControlsEnabled(bool enabled)
{
    WorkDateBox->setEnabled(enabled);
    GetServer->setEnabled(enabled);
    UserName->setEnabled(enabled);
    Password->setEnabled(enabled);
    BtLogon->setEnabled(enabled);
}

void TFrLogon::BtLogonClick()
{
    attempt();
    // The third counted failure since the dialog was shown ends the program;
    // the main window ends it on the Cancel result.
    if (m_failures >= 3)
        reject();
}

void TFrLogon::attempt()
{
    // The server box's server is remembered before anything else is checked,
    // so that the next connect probes it.
    m_serverName = GetServer->text().trimmed();
    QString error;
    if (!TextFiles::writeLine(QLatin1String(kServerFile), m_serverName, &error))
        throw std::runtime_error(QStringLiteral("Cannot create %1: %2").arg(QLatin1String(kServerFile), error).toStdString());

    DmConfig->DmCfg->close();
    DmConfig->DmCfg->open();

    UserName->setFocus();
    QLogon->close();
    QLogon->setParam(QStringLiteral("LOGONUSER"), UserName->text());
    QLogon->open();
    if (QLogon->eof()) {
        prompts().information(QStringLiteral("ไม่พบชื่อผู้ใช้"));
        ++m_failures;
        return;
    }
    // A code locked by repeated wrong passwords is refused before its password
    // is looked at, so that guessing on during the lock learns nothing.
    const QString code = QLogon->field(QStringLiteral("CODE")).asString().trimmed();
    const LogonLock::State lock = LogonLock::read(*DmConfig->DmCfg, code);
    const QDateTime now = lock.serverNow;
    if (LogonLock::isLocked(lock, now)) {
        prompts().information(lockedMessage(LogonLock::minutesLeft(lock, now)));
        ++m_failures;
        return;
    }
    // Compared as bytes of the code page, as they are stored: read back as text,
    // the 31 byte values without a character would all match one another.
    const QString typed = Password->text();
    const QByteArray stored = QLogon->field(QStringLiteral("PASSWORDNEW")).asBytes().trimmed();
    if (!Cp874::represents(typed) || Cp874::encode(typed) != stored) {
        LogonLock::countFailure(*DmConfig->DmCfg, code, lock);
        prompts().information(QStringLiteral("รหัสผ่านไม่ถูกต้อง"));
        ++m_failures;
        return;
    }
    if (lock.failures > 0)
        LogonLock::clear(*DmConfig->DmCfg, code);

    DmConfig->ThaiLanguage = QLogon->field(QStringLiteral("LANGUAGENO")).asInteger() == 1;
    QCompList->close();
    QCompList->setParam(QStringLiteral("GetUser"), QLogon->field(QStringLiteral("ID")).asInteger());
    QCompList->setParam(QStringLiteral("GetYear"), WorkDate().year());
    QCompList->open();
    if (QCompList->eof()) {
        prompts().information(QStringLiteral("ผู้ใช้ไม่มีสิทธิ์ในการใช้งานฐานข้อมูลใด ๆ"));
        m_failures = 3;
        return;
    }

    DatabaseList->clear();
    m_entries.clear();
    for (QCompList->first(); !QCompList->eof(); QCompList->next()) {
        const QPair<int, int> entry { QCompList->field(QStringLiteral("Company")).asInteger(), QCompList->field(QStringLiteral("YearNo")).asInteger() };
        if (m_entries.contains(entry))
            continue;
        m_entries.append(entry);
        DatabaseList->addItem(QCompList->field(QStringLiteral("ShortName")).asString().trimmed() + QLatin1Char(' ')
            + QCompList->field(QStringLiteral("Description")).asString().trimmed());
    }
    DatabaseList->setCurrentIndex(0);

    if (m_entries.size() == 1) {
        DmConfig->WriteServerFile(GetServer->text());
        accept();
        return;
    }
    WorkDateBox->setEnabled(false);
    UserName->setEnabled(false);
    Password->setEnabled(false);
    BtLogon->setEnabled(false);
    GrpSelectDatabase->show();
    DatabaseList->setFocus();
    BtLogon->setDefault(false);
    BtOk->setDefault(true);
    setFixedSize(340, kChoiceHeight);
}

// In the language the dialog's labels show (the flag and the labels part at the first start).
QString TFrLogon::lockedMessage(int minutes) const
{
    if (Label1->text() == QLatin1String("User ID"))
        return QStringLiteral("This user code is locked after %1 wrong passwords.\rPlease try again in %2 minute(s), or ask the administrator to unlock it.")
            .arg(LogonLock::kFailures)
            .arg(minutes);
    return QStringLiteral("รหัสผู้ใช้นี้ถูกระงับชั่วคราว เนื่องจากป้อนรหัสผ่านผิด %1 ครั้ง\rกรุณาลองใหม่ในอีก %2 นาที หรือติดต่อผู้ดูแลระบบ")
        .arg(LogonLock::kFailures)
        .arg(minutes);
}

void TFrLogon::BtOkClick()
{
    DmConfig->WriteServerFile(GetServer->text());
    accept();
}

void TFrLogon::Panel1Click()
{
    DmConfig->ThaiLanguage = !DmConfig->ThaiLanguage;
    if (DmConfig->ThaiLanguage) {
        setWindowTitle(QStringLiteral("ระบบรักษาความปลอดภัย"));
        Label3->setText(QStringLiteral("วันที่"));
        Label1->setText(QStringLiteral("ชื่อผู้ใช้"));
        Label2->setText(QStringLiteral("รหัสผ่าน"));
    } else {
        setWindowTitle(QStringLiteral("ZAQ Security System"));
        Label3->setText(QStringLiteral("Date"));
        Label1->setText(QStringLiteral("User ID"));
        Label2->setText(QStringLiteral("Password"));
    }
}

void TFrLogon::done(int result)
{
    QDialog::done(result);
    guarded([this] { FormClose(); });
}

void TFrLogon::FormClose()
{
    if (result() == QDialog::Accepted && !m_entries.isEmpty() && QCompList) {
        const int chosen = qMax(0, DatabaseList->currentIndex());
        const QPair<int, int> entry = m_entries.value(chosen);
        QString loggedOnTo;
        int loggedOnAs = 0;
        for (QCompList->first(); !QCompList->eof(); QCompList->next()) {
            if (QCompList->field(QStringLiteral("CompanyId")).asInteger() != entry.first
                || QCompList->field(QStringLiteral("YearNo")).asInteger() != entry.second)
                continue;
            // The company's main database names the logon when it has several.
            if (loggedOnTo.isEmpty() || QCompList->field(QStringLiteral("DatabaseType")).asInteger() == 1) {
                loggedOnTo = QCompList->field(QStringLiteral("DatabaseName")).asString();
                loggedOnAs = QCompList->field(QStringLiteral("UserId")).asInteger();
            }
            m_target->setUserId(QCompList->field(QStringLiteral("UserId")).asInteger());
            DmConfig->UserCode = QCompList->field(QStringLiteral("UserCode")).asString();
            DmConfig->PosUser = QCompList->field(QStringLiteral("POS_USER")).asString() == QLatin1String("Y");
            DmConfig->DatabaseNames[QCompList->field(QStringLiteral("DatabaseType")).asInteger()] = QCompList->field(QStringLiteral("DatabaseName")).asString();
            m_target->setFullNameText(QCompList->field(QStringLiteral("UserFullName")).asString().trimmed());
            m_target->setHeaderHint(QStringLiteral("[ ") + QCompList->field(QStringLiteral("Code")).asString().trimmed() + QStringLiteral(" ] ")
                + QCompList->field(QStringLiteral("ShortName")).asString().trimmed());
            m_target->setCompanyPanelText(QStringLiteral("[ ") + QCompList->field(QStringLiteral("ShortName")).asString().trimmed() + QStringLiteral(" ]"));
        }
        // One row per logon; a failure to write it never stops the logon.
        if (!loggedOnTo.isEmpty())
            LogonHistory::record(*DmConfig->DmCfg, loggedOnAs, DmConfig->UserCode, loggedOnTo);
    }
    if (QCompList && DmConfig->DmCfg->isOpen())
        QCompList->close();
}
