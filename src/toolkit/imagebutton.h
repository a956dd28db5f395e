#pragma once

#include <QColor>
#include <QPixmap>
#include <QPushButton>

// A flat button with a glyph left of a bold, left-aligned caption, a number tag and a
// hand cursor. Space and Enter click it, and a dotted frame marks the focus. Defaults
// are the department look: white background, blue text, red text while selected.
class ImageButton : public QPushButton
{
    Q_OBJECT
public:
    static constexpr int kGlyphSize = 32;
    static constexpr int kGlyphSpacing = 20;
    static constexpr int kMargin = 4;

    explicit ImageButton(QWidget* parent = nullptr);
    ImageButton(const QString& caption, const QPixmap& glyph, int tag, QWidget* parent = nullptr);

    QPixmap glyph() const { return m_glyph; }
    void setGlyph(const QPixmap& glyph);
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

    QColor backgroundColour() const { return m_background; }
    void setBackgroundColour(const QColor& colour);
    QColor textColour() const { return m_text; }
    void setTextColour(const QColor& colour);
    QColor selectedTextColour() const { return m_selectedText; }
    void setSelectedTextColour(const QColor& colour);
    // The colour the caption is drawn in now.
    QColor currentTextColour() const { return m_selected ? m_selectedText : m_text; }
    // Where the caption starts: margin, glyph, spacing.
    int textLeft() const { return kMargin + kGlyphSize + kGlyphSpacing; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPixmap m_glyph;
    int m_tag = 0;
    bool m_selected = false;
    QColor m_background = Qt::white;
    QColor m_text = Qt::blue;
    QColor m_selectedText = Qt::red;
};
