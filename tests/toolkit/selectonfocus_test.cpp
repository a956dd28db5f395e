#include "toolkitapp.h"

#include "toolkit/selectonfocus.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A box full of blanks at its length limit, as password boxes start: typing after the
// blanks would add nothing, so however the focus arrives the typed text must replace them.
TEST(SelectOnFocus, TypingReplacesAFullBoxHoweverTheFocusArrives)
{
    toolkitApp();
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* box = new QLineEdit(&window);
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(before);
    layout->addWidget(box);
    box->setMaxLength(10);
    box->setEchoMode(QLineEdit::Password);
    selectAllOnFocus(box);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const struct
    {
        const char* way;
        std::function<void()> focus;
    } ways[] = {
        { "click in the middle", [&] { QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center()); } },
        { "click at the left edge", [&] { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, 5)); } },
        { "Tab", [&] { QTest::keyClick(before, Qt::Key_Tab); } },
        { "set by the program", [&] { box->setFocus(); } },
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        before->setFocus();
        box->setText(QStringLiteral("          "));
        w.focus();
        ASSERT_TRUE(box->hasFocus());
        QTest::keyClicks(box, QStringLiteral("abc"));
        EXPECT_EQ(box->text(), QStringLiteral("abc"));
    }

    // A click in the box that has the focus already (the screens put it there) selects again.
    box->setText(QStringLiteral("          "));
    box->setCursorPosition(4);
    for (const QPoint at : { QPoint(box->width() - 3, 5), box->rect().center() }) {
        QTest::mouseClick(box, Qt::LeftButton, {}, at);
        QTest::mouseClick(box, Qt::LeftButton, {}, at); // now inside the selection
    }
    QTest::keyClicks(box, QStringLiteral("xyz"));
    EXPECT_EQ(box->text(), QStringLiteral("xyz"));
}

} // namespace
