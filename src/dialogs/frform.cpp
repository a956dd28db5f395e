#include "dialogs/frform.h"

#include "config/dmconfig.h"
#include "dialogs/keypreview.h"
#include "toolkit/applicationtitle.h"
#include "toolkit/guard.h"
#include "toolkit/pictures.h"
#include "toolkit/prompts.h"
#include "toolkit/uppercasevalidator.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kButtonWidth = 54;
constexpr int kButtonHeight = 36;
constexpr int kStatusPanelWidths[2] = { 200, 50 };

bool thaiLanguage()
{
    return DmConfig && DmConfig->ThaiLanguage;
}

} // namespace

TFrForm::TFrForm(QWidget* parent)
    : QDialog(parent)
{
    // Single border, system menu and minimise, no maximise; the size follows the content.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    AcNew = makeAction(QStringLiteral("AcNew"), QStringLiteral("New"), QStringLiteral("New Record"), 0, Qt::Key_F3);
    AcDel
        = makeAction(QStringLiteral("AcDel"), QStringLiteral("Delete"), QStringLiteral("Delete Record"), 1, Qt::Key_F8);
    AcSave
        = makeAction(QStringLiteral("AcSave"), QStringLiteral("Save"), QStringLiteral("Save Record"), 2, Qt::Key_F10);
    AcHist = makeAction(
        QStringLiteral("AcHist"), QStringLiteral("Hist."), QStringLiteral("Show History"), 4, Qt::CTRL | Qt::Key_H);
    AcCopy = makeAction(QStringLiteral("AcCopy"), QStringLiteral("Copy"), QStringLiteral("Copy Record"), 5, Qt::Key_F6);
    AcPrint = makeAction(
        QStringLiteral("AcPrint"), QStringLiteral("Print"), QStringLiteral("Print Record"), 6, Qt::CTRL | Qt::Key_P);
    AcExit = makeAction(
        QStringLiteral("AcExit"), QStringLiteral("Exit"), QStringLiteral("Exit Program"), 3, Qt::CTRL | Qt::Key_X);
    AcChgCode = makeAction(QStringLiteral("AcChgCode"), QStringLiteral("Chg Code"), QString(), 7, Qt::Key_F12);
    AcApporved = makeAction(QStringLiteral("AcApporved"), QStringLiteral("Apporved"), QString(), 7, QKeySequence());

    connect(AcNew, &QAction::triggered, this, [this] { guarded([this] { AcNewExecute(); }); });
    connect(AcSave, &QAction::triggered, this, [this] { guarded([this] { AcSaveExecute(); }); });
    connect(AcDel, &QAction::triggered, this, [this] { guarded([this] { AcDelExecute(); }); });
    connect(AcCopy, &QAction::triggered, this, [this] { guarded([this] { AcCopyExecute(); }); });
    connect(AcExit, &QAction::triggered, this, [this] { AcExitExecute(); });

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ToolBar1 = new QWidget(Panel2);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    auto* tools = new QHBoxLayout(ToolBar1);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(0);
    BNew = makeButton(QStringLiteral("BNew"), AcNew);
    BDel = makeButton(QStringLiteral("BDel"), AcDel);
    BSave = makeButton(QStringLiteral("BSave"), AcSave);
    BChgCode = makeButton(QStringLiteral("BChgCode"), AcChgCode);
    BHist = makeButton(QStringLiteral("BHist"), AcHist);
    BCopy = makeButton(QStringLiteral("BCopy"), AcCopy);
    BPrint = makeButton(QStringLiteral("BPrint"), AcPrint);
    BApporved = makeButton(QStringLiteral("BApporved"), nullptr); // caption and image only, no action
    BApporved->setText(QStringLiteral("Apporved"));
    BApporved->setIcon(QIcon(Pictures::toolBar(7)));
    BExit = makeButton(QStringLiteral("BExit"), AcExit);
    for (QToolButton* b : { BNew, BDel, BSave, BChgCode, BHist, BCopy, BPrint, BApporved, BExit })
        tools->addWidget(b);
    tools->addStretch(1);
    ToolBar1->installEventFilter(this);

    ChgCode = new QLineEdit(Panel2);
    ChgCode->setObjectName(QStringLiteral("ChgCode"));
    ChgCode->setValidator(new UpperCaseValidator(ChgCode));

    auto* panel = new QHBoxLayout(Panel2);
    panel->setContentsMargins(2, 2, 2, 2);
    panel->addWidget(ToolBar1, 1);
    panel->addWidget(ChgCode);

    Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        m_statusPanels[i] = new QLabel(StatusBar1);
        m_statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    // The last panel runs to the bar's right end, so that the progress lines
    // the screens write there ("Set " and an entry's name) can be read; its
    // text never widens the window.
    m_statusPanels[0]->setFixedWidth(kStatusPanelWidths[0]);
    m_statusPanels[1]->setMinimumWidth(kStatusPanelWidths[1]);
    m_statusPanels[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar1->addWidget(m_statusPanels[0]);
    StatusBar1->addWidget(m_statusPanels[1], 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Panel2);
    layout->addWidget(Client, 1);
    layout->addWidget(StatusBar1);

    m_keyPreview = new KeyPreview(this, [this](QKeyEvent* e) { return previewKey(e); });
    m_keyPreview->isWindowShortcut = [this](QKeyEvent* e) { return isActionShortcut(e); };
}

TFrForm::~TFrForm() = default;

QAction* TFrForm::makeAction(
    const QString& name, const QString& caption, const QString& toolTip, int image, const QKeySequence& shortcut)
{
    auto* action = new QAction(QIcon(Pictures::toolBar(image)), caption, this);
    action->setObjectName(name);
    action->setToolTip(toolTip);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action); // the shortcut works wherever the focus is in the window
    return action;
}

QToolButton* TFrForm::makeButton(const QString& name, QAction* action)
{
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(16, 16));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    if (!action)
        return button;
    // Tied by hand rather than with setDefaultAction, so that an action without a
    // tool-tip gives its button none (a default action would show its caption).
    button->setText(action->text());
    button->setIcon(action->icon());
    button->setToolTip(action->toolTip() == action->text() ? QString() : action->toolTip());
    button->setEnabled(action->isEnabled());
    connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    connect(button, &QToolButton::clicked, action, &QAction::trigger);
    return button;
}

void TFrForm::setStatusText(int panel, const QString& text)
{
    if (panel >= 0 && panel < 2)
        m_statusPanels[panel]->setText(text);
}

QString TFrForm::statusText(int panel) const
{
    return panel >= 0 && panel < 2 ? m_statusPanels[panel]->text() : QString();
}

bool TFrForm::keyPreview() const
{
    return m_keyPreview->isEnabled();
}

void TFrForm::setKeyPreview(bool on)
{
    m_keyPreview->setEnabled(on);
}

void TFrForm::FormShow()
{
    setApplicationTitle(windowTitle());
    for (QToolButton* b : { BHist, BCopy, BPrint, BChgCode, BApporved })
        b->hide();
    TFrForm::AcNewExecute(); // the base step; a descendant runs its own New after this
}

void TFrForm::AcNewExecute()
{
    ChgCode->hide();
    AcSave->setEnabled(false);
    AcDel->setEnabled(false);
    AcChgCode->setEnabled(false);
    setKeyPreview(true);
}

void TFrForm::AcExitExecute()
{
    close();
}

bool TFrForm::FormClose()
{
    return prompts().confirmGreen(
        thaiLanguage() ? QStringLiteral("ออกจากโปรแกรม ?") : QStringLiteral("Exit Program ?"));
}

void TFrForm::reject()
{
    // The close box and close() come here too, through QDialog::closeEvent.
    bool mayClose = false;
    guarded([&] { mayClose = FormClose(); });
    if (mayClose)
        QDialog::reject();
}

void TFrForm::FormKeyDown(int& key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QWidget* focused = focusWidget();
        if (focused && focused->isEnabled() && focused->isVisible() && focused->focusPolicy() != Qt::NoFocus)
            focusNextChild();
        // Left unhandled: the character step below drops it.
    } else if (key == Qt::Key_Escape) {
        AcExit->trigger();
        key = 0; // QDialog would otherwise reject a second time
    }
}

void TFrForm::FormKeyPress(QChar& key)
{
    if (key == QLatin1Char('\r') || key == QLatin1Char('\n'))
        key = QChar(); // no control ever acts on Enter: no submit, no beep
}

bool TFrForm::previewKey(QKeyEvent* event)
{
    int key = event->key();
    guarded([&] { FormKeyDown(key, event->modifiers()); });
    if (key == 0)
        return true;
    QChar character = event->text().isEmpty() ? QChar() : event->text().at(0);
    if (character.isNull() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        character = QLatin1Char('\r');
    if (character.isNull())
        return false;
    guarded([&] { FormKeyPress(character); });
    // In Qt the character travels in the same event as the key: dropping it drops the event.
    return character.isNull();
}

bool TFrForm::isActionShortcut(QKeyEvent* event) const
{
    const QKeySequence pressed(event->keyCombination());
    for (QAction* action : actions()) {
        if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed)
            return true;
    }
    return false;
}

void TFrForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) // not when the window comes back from the task bar
        return;
    guarded([this] { FormShow(); });
    centreOnDesktop();
}

// The show step lets a descendant show and hide fields, which changes the window's size, and
// the dialog placed itself before that: it is centred again once the size is final.
void TFrForm::centreOnDesktop()
{
    // Fields shown or hidden tell their own layouts first, through posted requests: those are
    // run now, so that the window's layout sees every change.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (layout())
        layout()->activate();
    const QScreen* desktop = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!desktop)
        return;
    const QRect area = desktop->availableGeometry();
    const QSize outer = frameGeometry().size(); // with the title bar once the window manager has framed it
    move(area.x() + qMax(0, (area.width() - outer.width()) / 2), area.y() + qMax(0, (area.height() - outer.height()) / 2));
}

bool TFrForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ToolBar1 && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && ToolBar1->rect().contains(mouse->position().toPoint()))
            guarded([this] { ToolBar1Click(); });
    }
    return QDialog::eventFilter(watched, event);
}
