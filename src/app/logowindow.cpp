#include "app/logowindow.h"

#include "toolkit/pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

TFormLogo::TFormLogo(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::SplashScreen)
    , m_picture(Pictures::logo())
{
    setObjectName(QStringLiteral("FormLogo"));
    setFixedSize(301, 166);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::blue);
    setPalette(p);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TFormLogo::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::blue);
    if (!m_picture.isNull())
        painter.drawPixmap(rect(), m_picture);
}
