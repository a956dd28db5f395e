#include "toolkit/imagebutton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

ImageButton::ImageButton(QWidget* parent)
    : QPushButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFlat(true);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

ImageButton::ImageButton(const QString& caption, const QPixmap& glyph, int tag, QWidget* parent)
    : ImageButton(parent)
{
    setText(caption);
    setGlyph(glyph);
    setTag(tag);
}

void ImageButton::setGlyph(const QPixmap& glyph)
{
    m_glyph = glyph;
    updateGeometry();
    update();
}

void ImageButton::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    update();
}

void ImageButton::setBackgroundColour(const QColor& colour)
{
    m_background = colour;
    update();
}

void ImageButton::setTextColour(const QColor& colour)
{
    m_text = colour;
    update();
}

void ImageButton::setSelectedTextColour(const QColor& colour)
{
    m_selectedText = colour;
    update();
}

QSize ImageButton::sizeHint() const
{
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int height = qMax(kGlyphSize, fontMetrics().height()) + 2 * kMargin;
    return QSize(textLeft() + textWidth + 2 * kMargin, height);
}

QSize ImageButton::minimumSizeHint() const
{
    return QSize(textLeft(), kGlyphSize + 2 * kMargin);
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    painter.fillRect(rect(), m_background);

    // The style draws only the frame and focus; glyph and caption are laid out here
    // so that every button lines its caption up at the same place.
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    option.features |= QStyleOptionButton::Flat;
    if (isDown() || underMouse() || hasFocus())
        painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const int shift = isDown() ? 1 : 0;
    if (!m_glyph.isNull()) {
        const QRect glyphRect(kMargin + shift, (height() - kGlyphSize) / 2 + shift, kGlyphSize, kGlyphSize);
        painter.drawPixmap(glyphRect, m_glyph);
    }
    const QRect textRect(textLeft() + shift, shift, width() - textLeft() - kMargin, height());
    painter.setPen(isEnabled() ? currentTextColour() : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());

    // A flat bevel on white is hard to see: the focus gets a dotted frame in the caption's colour.
    if (hasFocus()) {
        painter.setPen(QPen(currentTextColour(), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void ImageButton::keyPressEvent(QKeyEvent* event)
{
    // Space clicks every push button; Enter only a dialog's default one, and these buttons are
    // not in a dialog.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}
