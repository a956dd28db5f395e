#include "toolkitapp.h"

#include "toolkit/messageboxprompts.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs act on the top-level widget of that name once the modal box is up; the caller
// then opens the box, and its exec() runs the timer.
void whenShown(const QString& name, std::function<void(QWidget*)> act, int triesLeft = 200)
{
    QTimer::singleShot(triesLeft == 200 ? 0 : 10, [=] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == name && w->isVisible()) {
                act(w);
                return;
            }
        }
        if (triesLeft > 0)
            whenShown(name, act, triesLeft - 1);
    });
}

QString labelText(QWidget* box)
{
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    return label ? label->text() : QStringLiteral("<no label>");
}

void click(QWidget* w, QMessageBox::StandardButton which)
{
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_TRUE(box);
    box->button(which)->click();
}

class MessageBoxes : public ::testing::Test
{
protected:
    void SetUp() override { toolkitApp(); }
    MessageBoxPrompts boxes;
};

TEST_F(MessageBoxes, EveryKindShowsCarriageReturnAsLineBreak)
{
    const QString text = QStringLiteral("บันทึกข้อมูล\rSave <all>?");
    const QString shown = QStringLiteral("บันทึกข้อมูล\nSave <all>?");
    const struct
    {
        const char* name;
        std::function<void()> open;
        QMessageBox::Icon icon;
    } cases[] = {
        { "InformationBox", [&] { boxes.information(text); }, QMessageBox::Information },
        { "ErrorBox", [&] { boxes.error(text); }, QMessageBox::Critical },
        { "ConfirmBox", [&] { boxes.confirm(text); }, QMessageBox::Question },
        { "ConfirmBlueBox", [&] { boxes.confirmBlue(text); }, QMessageBox::Question },
        { "ConfirmGreenBox", [&] { boxes.confirmGreen(text); }, QMessageBox::Question },
        { "YesNoCancelBox", [&] { boxes.yesNoCancel(text); }, QMessageBox::Question },
    };
    for (const auto& c : cases) {
        QString seen;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenShown(QString::fromLatin1(c.name), [&](QWidget* w) {
            seen = labelText(w);
            title = w->windowTitle();
            icon = static_cast<QMessageBox*>(w)->icon();
            static_cast<QMessageBox*>(w)->reject();
        });
        c.open();
        EXPECT_EQ(seen, shown) << c.name;
        EXPECT_EQ(title, QStringLiteral("ZAQ Account")) << c.name;
        EXPECT_EQ(icon, c.icon) << c.name;
    }
}

TEST_F(MessageBoxes, ConfirmationsAreColouredAndTrueOnlyOnYes)
{
    const struct
    {
        const char* name;
        bool (MessageBoxPrompts::*confirm)(const QString&);
        QColor background;
    } cases[] = {
        { "ConfirmBlueBox", &MessageBoxPrompts::confirmBlue, QColor(0, 0, 255) },
        { "ConfirmGreenBox", &MessageBoxPrompts::confirmGreen, QColor(0, 128, 0) },
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        QColor painted;
        QColor textColour;
        whenShown(name, [&](QWidget* w) {
            painted = w->grab().toImage().pixelColor(2, 2);
            textColour
                = w->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->palette().color(QPalette::WindowText);
            click(w, QMessageBox::Yes);
        });
        EXPECT_TRUE((boxes.*c.confirm)(QStringLiteral("Delete?"))) << c.name;
        EXPECT_EQ(painted, c.background) << c.name;
        EXPECT_EQ(textColour, QColor(Qt::white)) << c.name;

        whenShown(name, [&](QWidget* w) { click(w, QMessageBox::No); });
        EXPECT_FALSE((boxes.*c.confirm)(QStringLiteral("Delete?"))) << c.name << " No";

        whenShown(name, [&](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        EXPECT_FALSE((boxes.*c.confirm)(QStringLiteral("Delete?"))) << c.name << " closed";
    }
}

TEST_F(MessageBoxes, YesNoCancelTellsTheThreeApart)
{
    const QString name = QStringLiteral("YesNoCancelBox");
    whenShown(name, [](QWidget* w) { click(w, QMessageBox::Yes); });
    EXPECT_EQ(boxes.yesNoCancel(QStringLiteral("Save?")), Prompts::Answer::Yes);
    whenShown(name, [](QWidget* w) { click(w, QMessageBox::No); });
    EXPECT_EQ(boxes.yesNoCancel(QStringLiteral("Save?")), Prompts::Answer::No);
    whenShown(name, [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(boxes.yesNoCancel(QStringLiteral("Save?")), Prompts::Answer::Cancel);
}

TEST_F(MessageBoxes, InputTakesTheTypedTextOnlyOnOk)
{
    const QString name = QStringLiteral("InputBox");
    QString value = QStringLiteral("OLD");
    QString caption;
    whenShown(name, [&](QWidget* w) {
        caption = w->windowTitle();
        auto* edit = w->findChild<QLineEdit*>();
        ASSERT_TRUE(edit);
        EXPECT_EQ(edit->text(), QStringLiteral("OLD"));
        edit->setText(QStringLiteral("NEWCODE"));
        static_cast<QInputDialog*>(w)->accept();
    });
    EXPECT_TRUE(boxes.input(QStringLiteral("Change code"), QStringLiteral("New code"), value));
    EXPECT_EQ(value, QStringLiteral("NEWCODE"));
    EXPECT_EQ(caption, QStringLiteral("Change code"));

    whenShown(name, [](QWidget* w) {
        w->findChild<QLineEdit*>()->setText(QStringLiteral("TYPED"));
        static_cast<QInputDialog*>(w)->reject();
    });
    EXPECT_FALSE(boxes.input(QStringLiteral("Change code"), QStringLiteral("New code"), value));
    EXPECT_EQ(value, QStringLiteral("NEWCODE"));
}

} // namespace
