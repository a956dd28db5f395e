#pragma once

#include <QWidget>

// The logo shown while the program starts: borderless, blue, one picture
// stretched over its 301 x 166 client area.
class TFormLogo : public QWidget
{
    Q_OBJECT
public:
    explicit TFormLogo(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};
