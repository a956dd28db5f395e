// The department buttons and the menu tree of the main window.
#include "config/dmconfig.h"
#include "config/sqlcatalogue.h"
#include "db/query.h"
#include "logon/frlogon.h"
#include "mainmenu/frmainmenu.h"
#include "mainmenu/launcher.h"
#include "mainmenu/menutree.h"
#include "toolkit/guard.h"
#include "toolkit/imagebutton.h"
#include "toolkit/pictures.h"
#include "toolkit/prompts.h"
#include "workstation/workstation.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTreeView>

namespace {
constexpr int kButtonHeight = 30;
constexpr int kFirstButtonTop = 16;
constexpr int kButtonLeft = 4;
} // namespace

QList<ImageButton*> TFrMainMenu::departmentButtons() const
{
    QList<ImageButton*> out;
    for (ImageButton* b : GbDepartment->findChildren<ImageButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (b->tag() > 0)
            out.append(b);
    }
    std::sort(out.begin(), out.end(), [](ImageButton* a, ImageButton* b) { return a->y() < b->y(); });
    return out;
}

bool TFrMainMenu::testMachine()
{
    QDir programFolder = QFileInfo(ProgramPath()).absoluteDir();
    return programFolder.cdUp() && QFileInfo::exists(programFolder.filePath(QStringLiteral("ZAQTest.Dat")));
}

void TFrMainMenu::buildDepartments()
{
    for (ImageButton* b : departmentButtons())
        delete b;

    QDepartmentRight->close();
    QDepartmentRight->setSql(DmConfig->ThaiLanguage ? Sql::QDepartmentRightThai : Sql::QDepartmentRightEnglish);
    QDepartmentRight->setParam(QStringLiteral("LogonId"), UserId);
    QDepartmentRight->open();
    int n = 0;
    for (; !QDepartmentRight->eof(); QDepartmentRight->next()) {
        ++n;
        const int id = QDepartmentRight->field(QStringLiteral("ID")).asInteger();
        const QString description = QDepartmentRight->field(QStringLiteral("DESCRIPTION")).asString();
        auto* button = new ImageButton(description, QPixmap(Pictures::departmentGlyph(id)), id, GbDepartment);
        button->setObjectName(QStringLiteral("Department%1").arg(id));
        button->setToolTip(QStringLiteral("กด Click เพื่อเลือก ") + description);
        QFont font(QStringLiteral("MS Sans Serif"), 12);
        font.setBold(true);
        button->setFont(font);
        button->setGeometry(kButtonLeft, kFirstButtonTop + kButtonHeight * (n - 1), GbDepartment->width() - 8, kButtonHeight);
        button->show();
        connect(button, &QPushButton::clicked, this, [this, button] { guarded([this, button] { SelectDepartment(button); }); });
        if (n == 1)
            SelectDepartment(button);
    }
    // Buttons made now would come last in the focus chain, behind boxes that keep Tab: they
    // follow the department panel in their order, and the tree follows them.
    QWidget* previous = GbDepartment;
    for (ImageButton* b : departmentButtons()) {
        setTabOrder(previous, b);
        previous = b;
    }
    setTabOrder(previous, MenuTree);
}

void TFrMainMenu::SelectDepartment(ImageButton* button)
{
    for (ImageButton* b : departmentButtons()) {
        b->setBackgroundColour(Qt::white);
        b->setTextColour(Qt::blue);
        b->setSelected(false);
    }
    button->setSelected(true);
    openTreeMenu(button->tag());
    if (!MenuTree->isVisible() || !MenuTree->isEnabled())
        return;
    MenuTree->setFocus();
}

void TFrMainMenu::openTreeMenu(qint64 departmentId)
{
    MenuTreeData->setRootValue(QString::number(departmentId));
    QTreeMenu->close();
    QTreeMenu->setSql(DmConfig->ThaiLanguage ? Sql::QTreeMenuThai : Sql::QTreeMenuEnglish);
    QTreeMenu->setParam(QStringLiteral("LogonId"), UserId);
    QTreeMenu->open();
    if (!testMachine())
        MenuTreeData->expandAll();
    if (MenuTreeData->rowCount() > 0)
        MenuTree->setCurrentIndex(MenuTreeData->index(0, 0));
}

void TFrMainMenu::VSplitterMoved()
{
    for (ImageButton* b : departmentButtons())
        b->resize(GbDepartment->width() - 8, b->height());
}

void TFrMainMenu::MenuTreeClick()
{
    if (QTreeMenu && QTreeMenu->isOpen())
        MenuInfo->setPlainText(QTreeMenu->field(QStringLiteral("MENUHINT")).asString());
}

void TFrMainMenu::MenuTreeKeyDown(int key)
{
    if (QTreeMenu && QTreeMenu->isOpen() && (key == Qt::Key_Return || key == Qt::Key_Enter))
        MenuTreeDblClick();
}

void TFrMainMenu::MenuTreeMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    if (buttons != Qt::LeftButton || modifiers != (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier) || !QTreeMenu || !QTreeMenu->isOpen())
        return;
    auto text = [this](const char* column) { return QTreeMenu->field(QLatin1String(column)).asString(); };
    prompts().information(QStringLiteral("****** Menu Information ******\rMenu Id     = ") + text("ID") + QStringLiteral("\r") + QStringLiteral("Application = ")
        + text("COMMAND") + QStringLiteral("\r") + QStringLiteral("Option      = ") + text("MENUOPTION") + QStringLiteral("\r") + QStringLiteral("Version     = ")
        + text("VERSION"));
}

void TFrMainMenu::N1Click()
{
    if (MenuTreeData)
        MenuTreeData->expandAll();
}

void TFrMainMenu::N2Click()
{
    if (MenuTreeData)
        MenuTreeData->collapseAll();
}

void TFrMainMenu::MenuTreeDblClick()
{
    if (!QTreeMenu || !QTreeMenu->isOpen())
        return;
    MenuEntry entry;
    entry.id = QTreeMenu->field(QStringLiteral("ID")).asLargeInt();
    entry.command = QTreeMenu->field(QStringLiteral("COMMAND")).asString();
    entry.menuOption = QTreeMenu->field(QStringLiteral("MENUOPTION")).asString();
    entry.description = QTreeMenu->field(QStringLiteral("DESCRIPTION")).asString();
    const Launcher::Outcome outcome = MenuLauncher->launch(entry, UserId, m_logon ? m_logon->WorkDate() : QDate());
    if (outcome == Launcher::Outcome::StartedAndEndMenu) {
        close();
    } else if (outcome == Launcher::Outcome::BuiltIn) {
        // A window manager need not hand the focus back when a modal screen closes; without
        // this no window would take keys until the user clicked one.
        activateWindow();
        MenuTree->setFocus(Qt::ActiveWindowFocusReason);
    }
}

bool TFrMainMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MenuTree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            guarded([this, key] { MenuTreeKeyDown(key); });
            return true;
        }
    }
    if (watched == MenuTree->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex entry = MenuTree->indexAt(mouse->position().toPoint());
        if (entry.isValid())
            MenuTree->setCurrentIndex(entry);
        guarded([this, mouse] { MenuTreeMouseDown(mouse->buttons(), mouse->modifiers()); });
    }
    if (watched == GbHeader && event->type() == QEvent::Resize)
        placeFullName(); // the name stays at the right end of the strip as the window changes size
    if (watched == GbHeader && event->type() == QEvent::MouseButtonDblClick) {
        guarded([this] { GbHeaderDblClick(); });
        return true;
    }
    if (watched == GbDepartment && event->type() == QEvent::Resize)
        VSplitterMoved();
    return QMainWindow::eventFilter(watched, event);
}
