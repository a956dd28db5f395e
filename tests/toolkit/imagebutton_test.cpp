#include "toolkitapp.h"

#include "toolkit/imagebutton.h"

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Columns of the rendered button where the caption's colour dominates a pixel.
QList<int> captionColumns(const QImage& image, bool redText)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            const int mine = redText ? c.red() : c.blue();
            const int others = redText ? qMax(c.green(), c.blue()) : qMax(c.green(), c.red());
            if (mine > 150 && others < 100) {
                columns.append(x);
                break;
            }
        }
    }
    return columns;
}

TEST(ImageButton, GlyphLeftCaptionTwentyPixelsRightOfIt)
{
    toolkitApp();
    QPixmap glyph(32, 32);
    glyph.fill(QColor(0, 200, 0));
    ImageButton button(QStringLiteral("Sales ขาย"), glyph, 10000000);
    button.resize(300, 40);
    EXPECT_EQ(button.tag(), 10000000);
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(button.font().bold());

    const QImage normal = button.grab().toImage();
    EXPECT_EQ(normal.pixelColor(4 + 16, 20), QColor(0, 200, 0)) << "glyph at the left";
    EXPECT_EQ(normal.pixelColor(4 + 32 + 10, 20), QColor(Qt::white)) << "blank between glyph and text";
    EXPECT_EQ(normal.pixelColor(295, 2), QColor(Qt::white)) << "white background";
    const QList<int> blue = captionColumns(normal, false);
    ASSERT_FALSE(blue.isEmpty()) << "blue caption";
    EXPECT_GE(blue.first(), 56);
    EXPECT_LE(blue.first(), 60) << "caption starts right after the spacing";
    EXPECT_TRUE(captionColumns(normal, true).isEmpty());

    button.setSelected(true);
    const QImage selected = button.grab().toImage();
    EXPECT_TRUE(captionColumns(selected, false).isEmpty());
    const QList<int> red = captionColumns(selected, true);
    ASSERT_FALSE(red.isEmpty()) << "red caption when selected";
    EXPECT_EQ(red.first(), blue.first());
}

TEST(ImageButton, FocusIsMarked)
{
    toolkitApp();
    QWidget window;
    auto* other = new QPushButton(QStringLiteral("other"), &window);
    auto* button = new ImageButton(QStringLiteral("Sales"), QPixmap(), 1, &window);
    button->setGeometry(0, 40, 300, 30);
    window.resize(300, 80);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    const QImage plain = button->grab().toImage();
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    const QImage focused = button->grab().toImage();
    // The mark runs along the edge, clear of the caption.
    int marked = 0;
    for (int x = 0; x < focused.width(); ++x)
        marked += focused.pixelColor(x, 1) != plain.pixelColor(x, 1) ? 1 : 0;
    EXPECT_GT(marked, 50);
}

} // namespace
