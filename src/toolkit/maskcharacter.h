#pragma once

#include <QLineEdit>
#include <QProxyStyle>

// A masked box shows the system's own mask character ("*" on the user screen),
// not the one the platform's style would choose.
class MaskCharacterStyle : public QProxyStyle
{
public:
    explicit MaskCharacterStyle(QChar mask)
        : m_mask(mask)
    {
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* ret) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return m_mask.unicode();
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }

private:
    QChar m_mask;
};

inline void maskWith(QLineEdit* box, QChar mask)
{
    box->setEchoMode(QLineEdit::Password);
    auto* style = new MaskCharacterStyle(mask);
    style->setParent(box); // freed with the box
    box->setStyle(style);
}
