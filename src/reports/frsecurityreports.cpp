#include "reports/frsecurityreports.h"

#include "config/dmconfig.h"
#include "config/securitytrail.h"
#include "config/sqlcatalogue.h"
#include "db/connection.h"
#include "db/query.h"
#include "reports/privilegeflags.h"
#include "reports/reportexport.h"
#include "reports/reportmodel.h"
#include "reports/securityreports.h"
#include "toolkit/guard.h"
#include "toolkit/prompts.h"
#include "workstation/clock.h"
#include "workstation/workstation.h"

#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

QString t2(bool thai, const char* thaiText, const char* english) { return thai ? QString::fromUtf8(thaiText) : QString::fromLatin1(english); }

} // namespace

TFrSecurityReports::TFrSecurityReports(QWidget* parent, Connection* connection)
    : QDialog(parent)
    , m_connection(connection)
{
    if (!m_connection && !DmConfig)
        throw std::logic_error("the security reports need the configuration data module");
    setObjectName(QStringLiteral("FrSecurityReports"));
    const bool th = thai();
    setWindowTitle(t2(th, "รายงานความปลอดภัย", "Security Reports"));

    GroupBox = new QComboBox(this);
    GroupBox->setObjectName(QStringLiteral("GroupBox"));
    UserCodeEdit = new QLineEdit(this);
    UserCodeEdit->setObjectName(QStringLiteral("UserCodeEdit"));
    UserCodeEdit->setPlaceholderText(t2(th, "รหัสผู้ใช้", "User code"));
    EntryEdit = new QLineEdit(this);
    EntryEdit->setObjectName(QStringLiteral("EntryEdit"));
    EntryEdit->setPlaceholderText(t2(th, "เลขที่หรือชื่อเมนู", "Menu id or description"));
    FlagBox = new QComboBox(this);
    FlagBox->setObjectName(QStringLiteral("FlagBox"));
    FlagBox->addItem(t2(th, "(เมนู)", "(menu entry)"), QString());
    for (const PrivilegeFlags::Flag& f : PrivilegeFlags::all())
        FlagBox->addItem(QString::fromUtf8(f.caption), QLatin1String(f.column));
    DaysBox = new QSpinBox(this);
    DaysBox->setObjectName(QStringLiteral("DaysBox"));
    DaysBox->setRange(0, 36500);
    DaysBox->setValue(90);
    DaysBox->setSuffix(t2(th, " วัน", " days"));
    SinceEdit = new QDateEdit(currentClock().today().addDays(-30), this);
    SinceEdit->setObjectName(QStringLiteral("SinceEdit"));
    SinceEdit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    SinceEdit->setCalendarPopup(true);
    ByWhomEdit = new QLineEdit(this);
    ByWhomEdit->setObjectName(QStringLiteral("ByWhomEdit"));
    ByWhomEdit->setPlaceholderText(t2(th, "ผู้แก้ไข", "By whom"));
    OnWhomEdit = new QLineEdit(this);
    OnWhomEdit->setObjectName(QStringLiteral("OnWhomEdit"));
    OnWhomEdit->setPlaceholderText(t2(th, "ผู้ถูกแก้ไข", "On whom"));
    ScreenEdit = new QLineEdit(this);
    ScreenEdit->setObjectName(QStringLiteral("ScreenEdit"));
    ScreenEdit->setPlaceholderText(t2(th, "หน้าจอ", "Screen"));
    BUnlock = new QPushButton(t2(th, "ปลดล็อก", "Unlock"), this);
    BUnlock->setObjectName(QStringLiteral("BUnlock"));

    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    auto label = [this](const QString& text) { return new QLabel(text, this); };
    Pages->addTab(makePage(Members, { label(t2(th, "กลุ่ม", "Group")), GroupBox }), t2(th, "สมาชิกกลุ่ม", "Members"));
    Pages->addTab(makePage(UserRights, { label(t2(th, "ผู้ใช้", "User")), UserCodeEdit }), t2(th, "สิทธิ์ของผู้ใช้", "What a user can do"));
    Pages->addTab(makePage(WhoCan, { label(t2(th, "เมนู", "Entry")), EntryEdit, label(t2(th, "หรือสิทธิพิเศษ", "or privilege")), FlagBox }), t2(th, "ใครทำได้", "Who can"));
    Pages->addTab(makePage(Dormant, { label(t2(th, "ไม่ได้เข้าระบบ", "No logon in")), DaysBox }), t2(th, "ผู้ใช้ที่ไม่ได้ใช้งาน", "Dormant accounts"));
    Pages->addTab(makePage(Trail, { label(t2(th, "ตั้งแต่", "Since")), SinceEdit, ByWhomEdit, OnWhomEdit, ScreenEdit }), t2(th, "ประวัติการเปลี่ยนแปลง", "Trail"));
    Pages->addTab(makePage(Locks, { BUnlock }), t2(th, "รหัสที่ถูกระงับ", "Locks"));

    BShow = new QPushButton(t2(th, "แสดง", "Show"), this);
    BShow->setObjectName(QStringLiteral("BShow"));
    BShow->setDefault(true);
    BCsv = new QPushButton(QStringLiteral("CSV"), this);
    BCsv->setObjectName(QStringLiteral("BCsv"));
    BXlsx = new QPushButton(QStringLiteral("Excel"), this);
    BXlsx->setObjectName(QStringLiteral("BXlsx"));
    BPdf = new QPushButton(QStringLiteral("PDF"), this);
    BPdf->setObjectName(QStringLiteral("BPdf"));
    BPrint = new QPushButton(t2(th, "พิมพ์", "Print"), this);
    BPrint->setObjectName(QStringLiteral("BPrint"));
    BClose = new QPushButton(t2(th, "ปิด", "Close"), this);
    BClose->setObjectName(QStringLiteral("BClose"));
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BShow);
    buttons->addWidget(StatusLabel, 1);
    for (QPushButton* b : { BCsv, BXlsx, BPdf, BPrint, BClose })
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages, 1);
    layout->addLayout(buttons);
    resize(1000, 640);

    connect(BShow, &QPushButton::clicked, this, [this] { guarded([this] { fill(); }); });
    connect(BUnlock, &QPushButton::clicked, this, [this] { guarded([this] { unlockChosen(); }); });
    connect(BCsv, &QPushButton::clicked, this, [this] { guarded([this] { exportAs(QStringLiteral(".csv"), QStringLiteral("CSV (*.csv)")); }); });
    connect(BXlsx, &QPushButton::clicked, this, [this] { guarded([this] { exportAs(QStringLiteral(".xlsx"), QStringLiteral("Excel (*.xlsx)")); }); });
    connect(BPdf, &QPushButton::clicked, this, [this] { guarded([this] { exportAs(QStringLiteral(".pdf"), QStringLiteral("PDF (*.pdf)")); }); });
    connect(BPrint, &QPushButton::clicked, this, [this] { guarded([this] { printPage(); }); });
    connect(BClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(Pages, &QTabWidget::currentChanged, this, [this](int page) { BUnlock->setEnabled(page == Locks); });
}

QWidget* TFrSecurityReports::makePage(Page page, const QList<QWidget*>& filters)
{
    auto* w = new QWidget(this);
    auto* filterRow = new QHBoxLayout;
    for (QWidget* f : filters)
        filterRow->addWidget(f);
    filterRow->addStretch(1);
    auto* model = new ReportModel(this);
    auto* view = new QTableView(w);
    view->setObjectName(QStringLiteral("Grid%1").arg(int(page)));
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    // Column widths from the first rows: measuring twenty thousand would cost more than the fill.
    view->horizontalHeader()->setResizeContentsPrecision(200);
    auto* v = new QVBoxLayout(w);
    v->addLayout(filterRow);
    v->addWidget(view, 1);
    m_grids.append(view);
    m_models.append(model);
    return w;
}

Connection& TFrSecurityReports::connection() const { return m_connection ? *m_connection : *DmConfig->DmCfg; }

bool TFrSecurityReports::thai() const { return DmConfig && DmConfig->ThaiLanguage; }

QTableView* TFrSecurityReports::grid(Page page) const { return m_grids.at(int(page)); }

const Reports::Report& TFrSecurityReports::shown(Page page) const { return m_models.at(int(page))->report(); }

void TFrSecurityReports::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    guarded([this] {
        const QString chosen = GroupBox->currentText();
        GroupBox->clear();
        Query q(&connection(), Sql::QActiveGroups);
        for (q.open(); !q.eof(); q.next())
            GroupBox->addItem(q.field(QStringLiteral("Code")).asString().trimmed());
        if (!chosen.isEmpty())
            GroupBox->setCurrentText(chosen);
    });
}

void TFrSecurityReports::fill()
{
    const bool th = thai();
    const Page page = Page(Pages->currentIndex());
    QElapsedTimer timer;
    timer.start();
    StatusLabel->setText(t2(th, "กำลังอ่าน…", "Reading…"));
    StatusLabel->repaint();
    Reports::Report report;
    try {
        switch (page) {
        case Members:
            report = { Reports::members(connection(), GroupBox->currentText(), th) };
            break;
        case UserRights:
            report = Reports::userRights(connection(), UserCodeEdit->text(), th);
            break;
        case WhoCan:
            if (!FlagBox->currentData().toString().isEmpty())
                report = { Reports::whoCanFlag(connection(), FlagBox->currentData().toString(), th) };
            else
                report = Reports::whoCanMenu(connection(), Reports::findMenuEntry(connection(), EntryEdit->text()), th);
            break;
        case Dormant:
            report = { Reports::dormant(connection(), DaysBox->value(), currentClock().now(), th) };
            break;
        case Trail: {
            Reports::TrailFilter filter;
            filter.since = SinceEdit->date();
            filter.byWhom = ByWhomEdit->text();
            filter.onWhom = OnWhomEdit->text();
            filter.screen = ScreenEdit->text();
            report = { Reports::trail(connection(), filter, th) };
            break;
        }
        case Locks:
            report = { Reports::locks(connection(), currentClock().now(), th) };
            break;
        }
    } catch (const Reports::NotFound& e) {
        StatusLabel->clear();
        prompts().information(e.message());
        return;
    }
    m_models.at(int(page))->setReport(report);
    grid(page)->resizeColumnsToContents();
    qint64 rows = 0;
    for (const Reports::Table& t : report)
        rows += t.rows.size();
    StatusLabel->setText(t2(th, "%1 แถว (%2 มิลลิวินาที)", "%1 rows (%2 ms)").arg(rows).arg(timer.elapsed()));
}

void TFrSecurityReports::exportTo(const QString& fileName)
{
    const Reports::Report& report = shown(Page(Pages->currentIndex()));
    const QString lower = fileName.toLower();
    Reports::Format format = Reports::Format::Csv;
    if (lower.endsWith(QLatin1String(".xlsx")))
        format = Reports::Format::Xlsx;
    else if (lower.endsWith(QLatin1String(".pdf")))
        format = Reports::Format::Pdf;
    // A long export shows how far it is and can be stopped; the window keeps painting.
    QProgressDialog progress(thai() ? QStringLiteral("กำลังส่งออก…") : QStringLiteral("Exporting…"), thai() ? QStringLiteral("ยกเลิก") : QStringLiteral("Cancel"), 0, 100, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    Reports::writeAs(report, format, fileName, [&progress](qint64 done, qint64 total) {
        progress.setValue(total > 0 ? int(done * 100 / total) : 0);
        return !progress.wasCanceled();
    });
    progress.setValue(100);
    StatusLabel->setText((thai() ? QStringLiteral("บันทึก %1 แล้ว") : QStringLiteral("Saved %1")).arg(fileName));
}

void TFrSecurityReports::exportAs(const QString& ending, const QString& filter)
{
    if (shown(Page(Pages->currentIndex())).isEmpty())
        fill();
    QString name = QFileDialog::getSaveFileName(this, windowTitle(), Pages->tabText(Pages->currentIndex()) + ending, filter);
    if (name.isEmpty())
        return;
    if (!name.endsWith(ending, Qt::CaseInsensitive))
        name += ending;
    exportTo(name);
}

void TFrSecurityReports::printPage()
{
    if (shown(Page(Pages->currentIndex())).isEmpty())
        fill();
    QPrinter printer;
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Reports::printTo(shown(Page(Pages->currentIndex())), printer);
}

void TFrSecurityReports::unlockChosen()
{
    const bool th = thai();
    int part = 0;
    const int row = m_models.at(Locks)->dataRow(grid(Locks)->currentIndex().row(), &part);
    if (row < 0) {
        prompts().information(t2(th, "กรุณาเลือกรหัสที่จะปลดล็อก", "Please choose the code to unlock."));
        return;
    }
    const QString code = shown(Locks).at(part).rows.at(row).value(0);
    if (!prompts().confirm(t2(th, "ปลดล็อกรหัส %1 ?", "Unlock the code %1?").arg(code)))
        return;
    const Trail::Actor actor = Trail::loggedOn();
    Reports::unlock(connection(), code, actor.userId, actor.userCode, QStringLiteral("security reports"),
        QStringLiteral("%1 on %2 with the security reports").arg(actor.userCode.trimmed(), ComputerName()));
    Pages->setCurrentIndex(Locks);
    fill();
}
