#include "mainmenu/frmainmenu.h"

#include "config/dmconfig.h"
#include "config/profiles.h"
#include "config/programexit.h"
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/query.h"
#include "db/script.h"
#include "logon/frlogon.h"
#include "mainmenu/launcher.h"
#include "mainmenu/menutree.h"
#include "mainmenu/publicaddress.h"
#include "toolkit/applicationtitle.h"
#include "toolkit/guard.h"
#include "toolkit/imagebutton.h"
#include "toolkit/pictures.h"
#include "toolkit/prompts.h"
#include "workstation/workstation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWindow>

namespace {
QString colour(const char* name, int r, int g, int b)
{
    return QStringLiteral("#%1 { background-color: rgb(%2, %3, %4); }").arg(QLatin1String(name)).arg(r).arg(g).arg(b);
}
} // namespace

TFrMainMenu::TFrMainMenu(bool readOnlyCompanyDatabases, QWidget* parent)
    : QMainWindow(parent)
    , m_readOnly(readOnlyCompanyDatabases)
{
    setObjectName(QStringLiteral("FrMainMenu"));
    buildWindow();
    data = new Connection(QStringLiteral("data"), this);
    qconfig = new Query(data, Sql::qconfig, this);
    QAccount = new Query(data, Sql::QAccount, this);

    connect(VSplitter, &QSplitter::splitterMoved, this, [this] { VSplitterMoved(); });
    connect(MenuTree, &QTreeView::clicked, this, [this] { guarded([this] { MenuTreeClick(); }); });
    connect(MenuTree, &QTreeView::doubleClicked, this, [this] { guarded([this] { MenuTreeDblClick(); }); });
    MenuTree->installEventFilter(this);
    MenuTree->viewport()->installEventFilter(this);
    GbHeader->installEventFilter(this);
    GbDepartment->installEventFilter(this);
    connect(ChkUpdate, &QToolButton::clicked, this, [this] { guarded([this] { ChkUpdateClick(); }); });
    connect(PopupMenu1->findChild<QAction*>(QStringLiteral("N1")), &QAction::triggered, this, [this] { N1Click(); });
    connect(PopupMenu1->findChild<QAction*>(QStringLiteral("N2")), &QAction::triggered, this, [this] { N2Click(); });
    connect(PopupMenu1->findChild<QAction*>(QStringLiteral("ChkInternet")), &QAction::triggered, this, [this] { ChkInternetClick(); });
    connect(PopupMenu1->findChild<QAction*>(QStringLiteral("DisplayErrorLog")), &QAction::triggered, this, [this] { guarded([this] { DisplayErrorLogClick(); }); });
    connect(PopupMenu2->findChild<QAction*>(QStringLiteral("ErrorZAQEMail1")), &QAction::triggered, this, [this] { ErrorZAQEMail1Click(); });
    AddressWatch = std::make_unique<PublicAddressWatch>([](const QString& subject, const QString& text) { DmConfig->AddressNotice(subject, text); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { guarded([this] { Timer1Timer(); }); });
    FormCreate();
    Timer1->start();
    if (DmConfig)
        bindData();
}

TFrMainMenu::~TFrMainMenu() = default;

void TFrMainMenu::buildWindow()
{
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    resize(955, 545);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(0);

    GbHeader = new QFrame(central);
    GbHeader->setObjectName(QStringLiteral("GbHeader"));
    GbHeader->setFixedHeight(41);
    GbHeader->setStyleSheet(colour("GbHeader", 174, 174, 255));
    GbHeader->setContextMenuPolicy(Qt::CustomContextMenu);

    ChkUpdate = new QToolButton(GbHeader);
    ChkUpdate->setObjectName(QStringLiteral("ChkUpdate"));
    ChkUpdate->setGeometry(5, 10, 156, 27);
    ChkUpdate->setAutoRaise(true);
    ChkUpdate->setCursor(Qt::PointingHandCursor);
    ChkUpdate->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QIcon upgradeIcon(Pictures::upgrade());
    upgradeIcon.addFile(Pictures::upgradeDisabled(), QSize(), QIcon::Disabled);
    ChkUpdate->setIcon(upgradeIcon);
    QFont updateFont(QStringLiteral("MS Sans Serif"));
    updateFont.setPixelSize(11);
    updateFont.setBold(true);
    updateFont.setUnderline(true);
    ChkUpdate->setFont(updateFont);
    ChkUpdate->setStyleSheet(QStringLiteral("QToolButton { color: red; }"));
    ChkUpdate->setToolTip(QStringLiteral("Click เพื่อ Upgrade โปรแกรมจาก Server"));

    TMemory = new QLabel(GbHeader);
    TMemory->setObjectName(QStringLiteral("TMemory"));
    TMemory->setGeometry(166, 9, 260, 14);
    FMemory = new QLabel(GbHeader);
    FMemory->setObjectName(QStringLiteral("FMemory"));
    FMemory->setGeometry(166, 25, 260, 14);

    FullName = new QLabel(GbHeader);
    FullName->setObjectName(QStringLiteral("FullName"));
    QFont nameFont(QStringLiteral("MS Sans Serif"));
    nameFont.setPixelSize(20);
    nameFont.setBold(true);
    FullName->setFont(nameFont);
    FullName->setStyleSheet(QStringLiteral("color: blue;"));

    VSplitter = new QSplitter(Qt::Horizontal, central);
    VSplitter->setObjectName(QStringLiteral("VSplitter"));
    VSplitter->setHandleWidth(2);
    VSplitter->setChildrenCollapsible(false);

    GbDepartment = new QFrame(VSplitter);
    GbDepartment->setObjectName(QStringLiteral("GbDepartment"));
    GbDepartment->setStyleSheet(colour("GbDepartment", 206, 206, 255));
    QFont departmentFont(QStringLiteral("MS Sans Serif"));
    departmentFont.setPixelSize(16);
    departmentFont.setBold(true);
    GbDepartment->setFont(departmentFont);
    GbDepartment->setFocusPolicy(Qt::StrongFocus);

    Panel1 = new QFrame(VSplitter);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    static_cast<QFrame*>(Panel1)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* right = new QVBoxLayout(Panel1);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    MenuTree = new QTreeView(Panel1);
    MenuTree->setObjectName(QStringLiteral("MenuTree"));
    MenuTree->setHeaderHidden(true);
    MenuTree->setUniformRowHeights(true); // one font and one picture for every entry
    MenuTree->setContextMenuPolicy(Qt::CustomContextMenu);
    MenuTree->setIndentation(22);
    MenuTree->setSelectionBehavior(QAbstractItemView::SelectRows);
    MenuTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MenuTree->setMouseTracking(true);
    MenuTree->setCursor(Qt::PointingHandCursor);
    QFont treeFont(QStringLiteral("MS Sans Serif"));
    treeFont.setPixelSize(16);
    treeFont.setBold(true);
    MenuTree->setFont(treeFont);
    // Blue entries on pale blue; the selection stays visible when the tree loses the focus.
    MenuTree->setStyleSheet(QStringLiteral("QTreeView { background-color: rgb(240, 251, 255); color: blue; }"
                                           "QTreeView::item:hover { background-color: rgb(206, 206, 255); }"
                                           "QTreeView::item:selected { background-color: rgb(0, 0, 160); color: white; }"));
    MenuInfo = new QPlainTextEdit(Panel1);
    MenuInfo->setObjectName(QStringLiteral("MenuInfo"));
    MenuInfo->setFixedHeight(56);
    QFont infoFont = MenuInfo->font();
    infoFont.setPixelSize(13);
    MenuInfo->setFont(infoFont);
    MenuInfo->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: silver; color: fuchsia; }"));
    MenuInfo->setTabChangesFocus(true); // nothing typed here is kept; Tab goes on to the department buttons
    right->addWidget(MenuTree, 1);
    right->addWidget(MenuInfo);
    VSplitter->addWidget(GbDepartment);
    VSplitter->addWidget(Panel1);
    VSplitter->setSizes({ 313, 955 - 313 });
    VSplitter->setStretchFactor(1, 1);

    layout->addWidget(GbHeader);
    layout->addWidget(VSplitter, 1);
    setCentralWidget(central);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setFixedHeight(22);
    bar->setStyleSheet(colour("StatusBar", 174, 174, 255));
    StatusPanel0 = new QLabel(bar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(400);
    StatusPanel1 = new QLabel(bar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    bar->addWidget(StatusPanel0);
    bar->addWidget(StatusPanel1, 1);
    setStatusBar(bar);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(QStringLiteral("เปิด/ปิด ตรวจสอบ Internet"))->setObjectName(QStringLiteral("ChkInternet"));
    PopupMenu1->addAction(QStringLiteral("แสดงประวัติ Error ในระบบ"))->setObjectName(QStringLiteral("DisplayErrorLog"));
    PopupMenu1->addAction(QStringLiteral("ขยายรายการ"))->setObjectName(QStringLiteral("N1"));
    PopupMenu1->addAction(QStringLiteral("ย่อรายการ"))->setObjectName(QStringLiteral("N2"));
    QAction* newLogin = PopupMenu1->addAction(QStringLiteral("Login ใหม่"));
    newLogin->setObjectName(QStringLiteral("NewLogin"));
    connect(newLogin, &QAction::triggered, this, [this] { NewLoginClick(); });
    connect(MenuTree, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) { PopupMenu1->popup(MenuTree->viewport()->mapToGlobal(at)); });

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    PopupMenu2->addAction(QStringLiteral("ส่ง Error ไปให้ ZAQ ทาง E-Mail"))->setObjectName(QStringLiteral("ErrorZAQEMail1"));
    connect(GbHeader, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) { PopupMenu2->popup(GbHeader->mapToGlobal(at)); });
}

// The window is made before the data module; its configuration queries are
// bound once the module exists (at the latest, at the first show).
void TFrMainMenu::bindData()
{
    if (QDepartmentRight)
        return;
    QDepartmentRight = new Query(DmConfig->DmCfg, Sql::QDepartmentRightThai, this);
    QTreeMenu = new Query(DmConfig->DmCfg, Sql::QTreeMenuThai, this);
    QChkFieldSetDocYear = new Query(DmConfig->DmCfg, Sql::QChkFieldSetDocYear, this);
    Query1 = new Query(DmConfig->DmCfg, Sql::Query1, this);
    MenuTreeData = new MenuTreeBinding(MenuTree, QTreeMenu, this);
    MenuLauncher = new Launcher(this);
}

void TFrMainMenu::FormCreate()
{
    m_internetCheck = false;
    m_titleText = QStringLiteral("ZAQ-MFG-QLN-20220413");
    m_firstShow = true;
}

void TFrMainMenu::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_firstShow && !event->spontaneous()) {
        // The show sequence opens the logon dialog; let the window finish
        // showing first.
        QTimer::singleShot(0, this, [this] {
            if (m_firstShow)
                guarded([this] { FormShow(); });
        });
    }
}

void TFrMainMenu::NewLoginClick() { guarded([this] { FormShow(); }); }

void TFrMainMenu::setFullNameText(const QString& text)
{
    FullName->setText(text);
    FullName->adjustSize();
}

void TFrMainMenu::placeFullName()
{
    FullName->adjustSize();
    FullName->move(GbHeader->width() - FullName->width() - 50, (GbHeader->height() - FullName->height()) / 2);
}

void TFrMainMenu::setHeaderHint(const QString& text) { GbHeader->setToolTip(text); }

void TFrMainMenu::setCompanyPanelText(const QString& text) { StatusPanel0->setText(text); }

void TFrMainMenu::endProgram()
{
    close();
    QCoreApplication::quit();
}

void TFrMainMenu::FormShow()
{
    bindData();
    if (m_firstShow) {
        if (m_logo) {
            m_logo->close();
            m_logo->deleteLater();
            m_logo = nullptr;
        }
        m_firstShow = false;
    }

    if (ColourDepth() < 8) {
        prompts().information(QStringLiteral("   Display color must be more than 16 colors\rสีของจอภาพต้องกำหนดให้มีอย่างน้อย 256 สีขึ้นไป"));
        endProgram();
        return;
    }

    const QString userFolder = UpperWindowsUserName();
    if (!QDir(userFolder).exists() && !QDir().mkdir(userFolder)) {
        prompts().information(QStringLiteral("ไม่สามารถสร้าง Directory  ") + userFolder);
        haltProgram(0);
        return;
    }

    MenuInfo->clear();

    if (!m_logon || m_logon->exec() != QDialog::Accepted) {
        endProgram();
        return;
    }

    ChkUpdate->setText(DmConfig->ThaiLanguage ? QStringLiteral("ตรวจโปรแกรม Upgrade") : QStringLiteral("Chk Program Update"));

    placeOnScreen();

    FullName->setText(QStringLiteral("User : ") + FullName->text());
    placeFullName();

    setApplicationTitle(m_titleText);

    if (!DmConfig->GetCompanyConfig(DmConfig->DatabaseNames.value(1)))
        return;
    m_publicAddressTicks = 0;
    const CompanyConfig company = openCompanyDatabase();
    VersionCheckAtLogon();
    showCompanyStatus(company);

    // Point-of-sale users go straight to their program; the menu ends once
    // the sequence is over.
    const bool pointOfSale = DmConfig->PosUser;
    if (pointOfSale) {
        MenuLauncher->startPointOfSale(UserId);
    } else {
        buildDepartments();
        GbDepartment->setFocus();
    }
    reopenConfiguration();
    ensureSetDocYearColumn();
    if (pointOfSale)
        endProgram();
}

// The window's outer edge, title bar included, goes to the screen's corner, as wide as the
// screen and 30 pixels less high; the window manager's frame is known once it has framed the
// window, and the client area is what is left inside it.
void TFrMainMenu::placeOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    resize(area.width() - frame.left() - frame.right(), area.height() - 30 - frame.top() - frame.bottom());
    move(0, 0); // a window's move() places its frame
}

// Re-opening the configuration connection closes every query on it; the
// first department's tree is built again so the window opens showing it.
void TFrMainMenu::reopenConfiguration()
{
    DmConfig->DmCfg->close();
    DmConfig->DmCfg->open();
    const QList<ImageButton*> buttons = departmentButtons();
    if (!buttons.isEmpty())
        openTreeMenu(buttons.first()->tag());
}

void TFrMainMenu::ensureSetDocYearColumn()
{
    QChkFieldSetDocYear->close();
    QChkFieldSetDocYear->open();
    if (QChkFieldSetDocYear->eof())
        runScript(*DmConfig->DmCfg, Sql::SQLAlter);
    QChkFieldSetDocYear->close();
}

// The company database is open only for its status line: first its
// settings row, then (after the version check) the closing marks of its year.
TFrMainMenu::CompanyConfig TFrMainMenu::openCompanyDatabase()
{
    data->close();
    data->profile().clear();
    data->profile().add(Profiles::companyMainWindow(m_logon->ServerName(), DmConfig->CurrentDatabaseName, m_readOnly));
    data->open();
    qconfig->close();
    qconfig->open();
    return { qconfig->field(QStringLiteral("LastUpdate")).asString().trimmed(), qconfig->field(QStringLiteral("Runyear")).asInteger() };
}

void TFrMainMenu::showCompanyStatus(const CompanyConfig& company)
{
    QAccount->close();
    QAccount->setParam(QStringLiteral("InputYear"), company.runYear);
    QAccount->open();
    const QString status = QStringLiteral("<Year : %1><Post %2><Close %3>")
                               .arg(company.runYear)
                               .arg(QAccount->field(QStringLiteral("LastPost")).asInteger())
                               .arg(QAccount->field(QStringLiteral("LastCloseMonth")).asInteger());
    qconfig->close();
    data->close();
    StatusPanel1->setText(QStringLiteral("[Update=") + company.lastUpdate + QStringLiteral("] ") + status);
}

void TFrMainMenu::closeEvent(QCloseEvent* event)
{
    guarded([] { DmConfig->DmCfg->close(); });
    QMainWindow::closeEvent(event);
}
