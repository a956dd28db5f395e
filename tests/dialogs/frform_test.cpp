// The frame of the maintenance screens: keys, the exit question on every way
// of closing, the show and New steps, and actions that are off doing nothing.
#include "dialogstest.h"

#include "config/dmconfig.h"
#include "db/dberror.h"
#include "dialogs/frform.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QWindow>

namespace {

// A screen as the maintenance screens build on the frame: a few fields, a
// push button that would submit if Enter reached it, and a Save of its own.
class SampleScreen : public TFrForm
{
public:
    SampleScreen()
    {
        setWindowTitle(QStringLiteral("Sample Screen"));
        auto* form = new QFormLayout(Client);
        first = new QLineEdit(Client);
        second = new QLineEdit(Client);
        check = new QCheckBox(Client);
        submit = new QPushButton(QStringLiteral("Go"), Client);
        last = new QLineEdit(Client);
        form->addRow(QStringLiteral("First"), first);
        form->addRow(QStringLiteral("Second"), second);
        form->addRow(QStringLiteral("Check"), check);
        form->addRow(submit);
        form->addRow(QStringLiteral("Last"), last);
        connect(submit, &QPushButton::clicked, this, [this] { ++submits; });
        connect(last, &QLineEdit::returnPressed, this, [this] { ++submits; });
    }

    void fill()
    {
        first->setText(QStringLiteral("ABC"));
        second->setText(QStringLiteral("สมชาย"));
        check->setChecked(true);
        last->setText(QStringLiteral("last"));
    }
    QStringList state() const
    {
        return { first->text(), second->text(), check->isChecked() ? QStringLiteral("on") : QStringLiteral("off"),
            last->text() };
    }

    void AcSaveExecute() override
    {
        ++saves;
        if (failSave)
            throw DbError(QStringLiteral("Save failed on the server"));
    }
    void ToolBar1Click() override { ++toolBarClicks; }

    QLineEdit* first;
    QLineEdit* second;
    QCheckBox* check;
    QPushButton* submit;
    QLineEdit* last;
    int submits = 0;
    int saves = 0;
    int toolBarClicks = 0;
    bool failSave = false;
};

class BaseForm : public ::testing::Test
{
protected:
    void SetUp() override { DmConfig = &dm; }
    void TearDown() override { DmConfig = nullptr; }

    WithApplication app;
    ScriptedPrompts prompts;
    TDMConfig dm;
    SampleScreen screen;
};

TEST_F(BaseForm, EveryWayOfClosingAsksAndNoKeepsEveryField)
{
    const struct
    {
        const char* way;
        std::function<void(SampleScreen&)> close;
    } ways[] = {
        { "Esc in a field",
            [](SampleScreen& s) {
                s.second->setFocus();
                press(s, Qt::Key_Escape);
            } },
        { "Ctrl+X in a text box",
            [](SampleScreen& s) {
                s.first->setFocus();
                press(s, Qt::Key_X, Qt::ControlModifier);
            } },
        { "Exit button", [](SampleScreen& s) { s.BExit->click(); } },
        { "close box", [](SampleScreen& s) { s.windowHandle()->close(); } },
        { "reject()", [](SampleScreen& s) { s.reject(); } },
    };
    for (const bool thai : { false, true }) {
        dm.ThaiLanguage = thai;
        const QString question = thai ? QStringLiteral("ออกจากโปรแกรม ?") : QStringLiteral("Exit Program ?");
        for (const auto& w : ways) {
            SCOPED_TRACE(w.way);
            prompts.clear();
            const ModalRun no = runModal(screen, [&] {
                screen.fill();
                prompts.queueConfirm(false);
                w.close(screen);
                EXPECT_TRUE(screen.isVisible());
                EXPECT_EQ(screen.state(),
                    (QStringList { QStringLiteral("ABC"), QStringLiteral("สมชาย"), QStringLiteral("on"),
                        QStringLiteral("last") }));
            });
            EXPECT_TRUE(no.leftOpen);
            EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::ConfirmGreen), QStringList { question });

            prompts.clear();
            const ModalRun yes = runModal(screen, [&] {
                prompts.queueConfirm(true);
                w.close(screen);
            });
            EXPECT_FALSE(yes.leftOpen);
            EXPECT_EQ(yes.result, QDialog::Rejected);
            EXPECT_EQ(prompts.allTexts(), QStringList { question }); // asked once, nothing else shown
        }
    }
}

// The maintenance screens show and hide whole groups of fields in their show step.
class ScreenSizedInItsShowStep : public SampleScreen
{
public:
    ScreenSizedInItsShowStep()
    {
        extra = new QLabel(QStringLiteral("shown by the show step"), Client);
        extra->setFixedSize(420, 300);
        extra->hide();
        static_cast<QFormLayout*>(Client->layout())->addRow(extra);
    }
    void FormShow() override
    {
        TFrForm::FormShow();
        extra->setVisible(withExtra);
    }
    QLabel* extra;
    bool withExtra = true;
};

TEST_F(BaseForm, CentredOnTheDesktopWithTheSizeTheShowStepGaveIt)
{
    ScreenSizedInItsShowStep sized;
    QList<int> heights;
    for (const bool withExtra : { true, false, true }) {
        SCOPED_TRACE(withExtra);
        sized.withExtra = withExtra;
        runModal(sized, [&] {
            const QRect area = sized.screen()->availableGeometry();
            const QRect frame = sized.frameGeometry();
            heights << frame.height();
            EXPECT_LE(qAbs(frame.center().x() - area.center().x()), 1);
            EXPECT_LE(qAbs(frame.center().y() - area.center().y()), 1) << frame.y();
        });
    }
    ASSERT_EQ(heights.size(), 3);
    EXPECT_GE(heights[0] - heights[1], 300);
    EXPECT_EQ(heights[2], heights[0]);
}

TEST_F(BaseForm, EnterMovesToTheNextFieldAndNeverSubmits)
{
    const ModalRun run = runModal(screen, [&] {
        const struct
        {
            QWidget* from;
            QWidget* to;
        } moves[] = {
            { screen.first, screen.second }, { screen.check, screen.submit }, { screen.submit, screen.last },
            { screen.last, screen.first }, // the last field moves on like any other
        };
        for (const auto& m : moves) {
            m.from->setFocus();
            press(screen, Qt::Key_Return);
            EXPECT_EQ(screen.focusWidget(), m.to) << m.from->metaObject()->className();
        }
        screen.last->setFocus();
        press(screen, Qt::Key_Enter); // the keypad's Enter too
        EXPECT_EQ(screen.focusWidget(), screen.first);
        EXPECT_TRUE(screen.isVisible());
    });
    EXPECT_TRUE(run.leftOpen);
    EXPECT_EQ(screen.submits, 0);
    EXPECT_EQ(screen.last->text(), QString());
    EXPECT_TRUE(prompts.allTexts().isEmpty());
}

TEST_F(BaseForm, ShowStepLeavesNewDeleteSaveExitAndAnEmptyScreen)
{
    screen.AcSave->setEnabled(true); // as a loaded record would have left it
    screen.AcDel->setEnabled(true);
    screen.ChgCode->show();
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));

    QStringList visible;
    for (QToolButton* b : { screen.BNew, screen.BDel, screen.BSave, screen.BChgCode, screen.BHist, screen.BCopy,
             screen.BPrint, screen.BApporved, screen.BExit }) {
        if (b->isVisible())
            visible.append(b->text());
    }
    EXPECT_EQ(visible,
        (QStringList {
            QStringLiteral("New"), QStringLiteral("Delete"), QStringLiteral("Save"), QStringLiteral("Exit") }));
    EXPECT_FALSE(screen.ChgCode->isVisible());
    EXPECT_FALSE(screen.AcSave->isEnabled());
    EXPECT_FALSE(screen.AcDel->isEnabled());
    EXPECT_FALSE(screen.AcChgCode->isEnabled());
    EXPECT_FALSE(screen.BSave->isEnabled());
    EXPECT_TRUE(screen.AcNew->isEnabled());
    EXPECT_EQ(applicationTitle(), QStringLiteral("Sample Screen"));
    screen.hide();
}

// The screens write progress lines into the second panel: it fills the rest
// of the bar, and a long text neither widens the window nor hides the panel.
TEST_F(BaseForm, SecondStatusPanelRunsToTheEndOfTheBar)
{
    screen.Client->setMinimumWidth(600);
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    const int width = screen.width();
    auto* first = screen.StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel0"));
    auto* second = screen.StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
    ASSERT_TRUE(first && second);
    for (const QString& text :
        { QString(), QStringLiteral("Set รายงานยอดขายตามลูกค้า Sales by Customer"), QString(300, QLatin1Char('x')) }) {
        screen.setStatusText(1, text);
        QCoreApplication::processEvents();
        EXPECT_EQ(screen.width(), width);
        EXPECT_EQ(first->width(), 200);
        EXPECT_GT(second->width(), 300);
        EXPECT_GE(second->mapTo(&screen, QPoint(second->width(), 0)).x(), width - 10);
    }
    screen.hide();
}

TEST_F(BaseForm, SaveRunsOnlyWhileEnabledAndItsErrorsReachTheErrorBox)
{
    runModal(screen, [&] {
        screen.first->setFocus();
        press(screen, Qt::Key_F10);
        QTest::mouseClick(screen.BSave, Qt::LeftButton);
        EXPECT_EQ(screen.saves, 0);

        screen.AcSave->setEnabled(true);
        press(screen, Qt::Key_F10);
        QTest::mouseClick(screen.BSave, Qt::LeftButton);
        EXPECT_EQ(screen.saves, 2);

        screen.failSave = true;
        press(screen, Qt::Key_F10);
        EXPECT_EQ(prompts.errors(), QStringList { QStringLiteral("Save failed on the server") });
        EXPECT_TRUE(screen.isVisible());
    });
}

TEST_F(BaseForm, ActionsCarryTheirCaptionsShortcutsAndTips)
{
    const struct
    {
        QAction* action;
        const char* caption;
        const char* tip; // what the button shows; "" for none
        QKeySequence shortcut;
    } table[] = {
        { screen.AcNew, "New", "New Record", Qt::Key_F3 },
        { screen.AcDel, "Delete", "Delete Record", Qt::Key_F8 },
        { screen.AcSave, "Save", "Save Record", Qt::Key_F10 },
        { screen.AcHist, "Hist.", "Show History", Qt::CTRL | Qt::Key_H },
        { screen.AcCopy, "Copy", "Copy Record", Qt::Key_F6 },
        { screen.AcPrint, "Print", "Print Record", Qt::CTRL | Qt::Key_P },
        { screen.AcExit, "Exit", "Exit Program", Qt::CTRL | Qt::Key_X },
        { screen.AcChgCode, "Chg Code", "", Qt::Key_F12 },
    };
    for (const auto& t : table) {
        SCOPED_TRACE(t.caption);
        EXPECT_EQ(t.action->text(), QString::fromUtf8(t.caption));
        EXPECT_EQ(t.action->shortcut(), t.shortcut);
        auto* button = screen.findChild<QToolButton*>(QStringLiteral("B") + t.action->objectName().mid(2));
        ASSERT_TRUE(button);
        EXPECT_EQ(button->text(), QString::fromUtf8(t.caption));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(t.tip));
        EXPECT_EQ(button->size(), QSize(54, 36));
    }
    EXPECT_EQ(screen.BApporved->text(), QStringLiteral("Apporved"));
    EXPECT_TRUE(screen.BApporved->toolTip().isEmpty());
}

TEST_F(BaseForm, ClickOnTheToolBarBesideItsButtonsReachesTheScreen)
{
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    QTest::mouseClick(
        screen.ToolBar1, Qt::LeftButton, {}, QPoint(screen.ToolBar1->width() - 3, screen.ToolBar1->height() / 2));
    EXPECT_EQ(screen.toolBarClicks, 1);
    QTest::mouseClick(screen.BNew, Qt::LeftButton);
    EXPECT_EQ(screen.toolBarClicks, 1);
    screen.hide();
}

} // namespace
