// Writes every picture of the program into a resources folder: the logo, the logon
// picture, the department glyphs, the tool-bar images, the small icons and the
// desktop icon in its theme sizes. Each picture is drawn from a few shapes so that
// it stays legible at its small size.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const QColor kOutline(40, 40, 60);
const QColor kBlue(30, 80, 200);
const QColor kGold(235, 180, 40);
const QColor kGoldDark(170, 120, 20);
const QColor kPaper(252, 252, 245);
const QColor kWood(170, 110, 55);
const QColor kWoodDark(110, 65, 30);
const QColor kSteel(150, 160, 175);
const QColor kSkin(240, 195, 150);

using Drawing = std::function<void(QPainter&)>;

QImage draw(int width, int height, const Drawing& drawing, const QColor& background = Qt::transparent)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawing(painter);
    return image;
}

void pen(QPainter& p, const QColor& colour, qreal width = 1.0)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A page with a folded top-right corner.
void page(QPainter& p, const QRectF& r, const QColor& fill = kPaper)
{
    const qreal fold = r.width() * 0.3;
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    pen(p, kOutline);
    p.setBrush(fill);
    p.drawPath(path);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(210, 210, 200));
    p.drawPath(corner);
}

void textLines(QPainter& p, const QRectF& r, int count, qreal gap)
{
    pen(p, QColor(120, 130, 150), 1.2);
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + i * gap;
        p.drawLine(QPointF(r.left(), y), QPointF(r.right() - (i % 2 ? 3 : 0), y));
    }
}

// A pencil from tail to tip.
void pencil(QPainter& p, QPointF tail, QPointF tip, const QColor& body = kGold, qreal width = 5)
{
    const QLineF axis(tail, tip);
    p.save();
    p.translate(tail);
    p.rotate(-axis.angle());
    const qreal length = axis.length();
    const qreal point = width * 1.4;
    pen(p, kOutline, 0.8);
    p.setBrush(QColor(230, 120, 140));
    p.drawRect(QRectF(0, -width / 2, width * 0.6, width));
    p.setBrush(body);
    p.drawRect(QRectF(width * 0.6, -width / 2, length - point - width * 0.6, width));
    QPainterPath cone;
    cone.moveTo(length - point, -width / 2);
    cone.lineTo(length, 0);
    cone.lineTo(length - point, width / 2);
    cone.closeSubpath();
    p.setBrush(QColor(245, 220, 180));
    p.drawPath(cone);
    p.setBrush(kOutline);
    p.drawEllipse(QPointF(length - 1, 0), 0.9, 0.9);
    p.restore();
}

void star(QPainter& p, QPointF centre, qreal outer, qreal inner, const QColor& fill)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? inner : outer;
        const qreal angle = M_PI / 2 + i * M_PI / 5;
        points << QPointF(centre.x() + radius * std::cos(angle), centre.y() - radius * std::sin(angle));
    }
    pen(p, kGoldDark, 0.8);
    p.setBrush(fill);
    p.drawPolygon(points);
}

void globe(QPainter& p, QPointF centre, qreal radius)
{
    QRadialGradient sea(centre - QPointF(radius / 3, radius / 3), radius * 1.6);
    sea.setColorAt(0, QColor(120, 180, 255));
    sea.setColorAt(1, QColor(10, 50, 170));
    pen(p, QColor(10, 30, 110), 1.0);
    p.setBrush(sea);
    p.drawEllipse(centre, radius, radius);
    p.save();
    QPainterPath clip;
    clip.addEllipse(centre, radius, radius);
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 80));
    p.drawEllipse(QPointF(centre.x() - radius * 0.35, centre.y() - radius * 0.25), radius * 0.45, radius * 0.3);
    p.drawEllipse(QPointF(centre.x() + radius * 0.3, centre.y() + radius * 0.35), radius * 0.35, radius * 0.4);
    p.drawEllipse(QPointF(centre.x() + radius * 0.5, centre.y() - radius * 0.45), radius * 0.25, radius * 0.15);
    pen(p, QColor(255, 255, 255, 120), 0.8);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius * 0.45, radius);
    p.drawLine(QPointF(centre.x() - radius, centre.y()), QPointF(centre.x() + radius, centre.y()));
    p.drawLine(QPointF(centre.x(), centre.y() - radius), QPointF(centre.x(), centre.y() + radius));
    p.restore();
}

void coin(QPainter& p, QPointF centre, qreal rx, qreal ry)
{
    pen(p, kGoldDark, 0.8);
    p.setBrush(kGold);
    p.drawRect(QRectF(centre.x() - rx, centre.y(), 2 * rx, 2.5));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(centre.x(), centre.y() + 2.5), rx, ry);
    pen(p, kGoldDark, 0.8);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - rx, centre.y() + 2.5 - ry, 2 * rx, 2 * ry), 180 * 16, 180 * 16);
    p.setBrush(QColor(255, 215, 90));
    p.drawEllipse(centre, rx, ry);
}

void coinStack(QPainter& p, qreal x, qreal bottom, int coins)
{
    for (int i = 0; i < coins; ++i)
        coin(p, QPointF(x, bottom - 3 - i * 3.2), 5, 2);
}

void window(QPainter& p, const QRectF& r)
{
    pen(p, kOutline);
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setBrush(kBlue);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), 4));
    pen(p, QColor(150, 170, 200), 0.7);
    for (qreal y = r.top() + 8; y < r.bottom(); y += 4)
        p.drawLine(QPointF(r.left() + 0.5, y), QPointF(r.right() - 0.5, y));
    for (qreal x = r.left() + r.width() / 3; x < r.right() - 1; x += r.width() / 3)
        p.drawLine(QPointF(x, r.top() + 4), QPointF(x, r.bottom() - 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 80, 160));
    p.drawRect(QRectF(r.left() + 0.5, r.top() + 4.5, r.width() - 1, 3.5));
}

// A spanner lying along the line from one jaw to the other end, in a rotated frame.
void spanner(QPainter& p, QPointF centre, qreal angle)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(-11, -2.2, 22, 4.4), 2, 2);
    shape.addEllipse(QPointF(-12, 0), 5, 5);
    shape.addEllipse(QPointF(12, 0), 4.2, 4.2);
    QPainterPath jaw;
    jaw.addRect(QRectF(-18, -2, 7, 4));
    QPainterPath ring;
    ring.addEllipse(QPointF(12, 0), 2, 2);
    shape = shape.simplified().subtracted(jaw).subtracted(ring);
    pen(p, QColor(60, 65, 80), 0.9);
    QLinearGradient metal(0, -5, 0, 5);
    metal.setColorAt(0, QColor(220, 225, 235));
    metal.setColorAt(1, kSteel);
    p.setBrush(metal);
    p.drawPath(shape);
    p.restore();
}

void person(QPainter& p, QPointF head, qreal scale, const QColor& shirt)
{
    pen(p, kOutline, 0.8);
    p.setBrush(shirt);
    QPainterPath body;
    body.moveTo(head.x() - 6 * scale, head.y() + 17 * scale);
    body.quadTo(head.x() - 6 * scale, head.y() + 5 * scale, head.x(), head.y() + 5 * scale);
    body.quadTo(head.x() + 6 * scale, head.y() + 5 * scale, head.x() + 6 * scale, head.y() + 17 * scale);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(kSkin);
    p.drawEllipse(head, 3.8 * scale, 3.8 * scale);
}

void monitor(QPainter& p, const QRectF& screen)
{
    pen(p, kOutline);
    p.setBrush(QColor(200, 200, 205));
    p.drawRoundedRect(screen.adjusted(-2, -2, 2, 2), 1.5, 1.5);
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0, QColor(90, 160, 255));
    glass.setColorAt(1, QColor(20, 60, 160));
    p.setBrush(glass);
    p.drawRect(screen);
    p.setBrush(QColor(170, 170, 175));
    p.drawRect(QRectF(screen.center().x() - 2, screen.bottom() + 2, 4, 3));
    p.drawRoundedRect(QRectF(screen.center().x() - 7, screen.bottom() + 5, 14, 2.5), 1, 1);
}

QImage departmentGlyph(int number)
{
    return draw(32, 32, [number](QPainter& p) {
        switch (number) {
        case 10: // a written document with a pen
            page(p, QRectF(5, 2.5, 19, 26));
            textLines(p, QRectF(8, 11, 12, 0), 5, 3.2);
            pencil(p, QPointF(30, 7), QPointF(15, 27), kBlue, 4.5);
            break;
        case 11: { // a keyboard with a pencil
            pen(p, kOutline);
            p.setBrush(QColor(80, 85, 95));
            p.drawRoundedRect(QRectF(1.5, 15.5, 29, 14), 2, 2);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(225, 228, 235));
            for (int row = 0; row < 3; ++row)
                for (int col = 0; col < 7; ++col)
                    p.drawRect(QRectF(3.5 + col * 3.7 + (row == 1 ? 1 : 0), 17.5 + row * 3.5, 2.8, 2.6));
            p.drawRect(QRectF(9, 28 - 0.5, 14, 1.3));
            pencil(p, QPointF(4, 3), QPointF(27, 13), kGold, 4.5);
            break;
        }
        case 12: { // a cash register with cards
            pen(p, kOutline);
            p.setBrush(QColor(255, 140, 40));
            p.save();
            p.translate(23, 6);
            p.rotate(20);
            p.drawRoundedRect(QRectF(-6, -4, 12, 8), 1.2, 1.2);
            p.restore();
            p.setBrush(QColor(40, 120, 230));
            p.drawRoundedRect(QRectF(17, 8, 13, 8.5), 1.2, 1.2);
            p.setPen(Qt::NoPen);
            p.setBrush(kOutline);
            p.drawRect(QRectF(17.5, 10, 12, 1.6));
            pen(p, kOutline);
            p.setBrush(QColor(40, 60, 40));
            p.drawRect(QRectF(4, 7, 11, 5));
            p.setBrush(QColor(120, 255, 120));
            p.drawRect(QRectF(5.5, 8.3, 8, 2.4));
            QPainterPath body;
            body.moveTo(4, 13);
            body.lineTo(26, 13);
            body.lineTo(29, 24);
            body.lineTo(1, 24);
            body.closeSubpath();
            p.setBrush(QColor(190, 195, 205));
            p.drawPath(body);
            p.setBrush(QColor(120, 125, 140));
            p.drawRect(QRectF(1, 24, 28, 6));
            p.setBrush(QColor(230, 230, 235));
            p.drawRect(QRectF(10, 26, 10, 2));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(70, 75, 90));
            for (int row = 0; row < 2; ++row)
                for (int col = 0; col < 5; ++col)
                    p.drawRect(QRectF(7 + col * 3.6 - row, 15.5 + row * 3.8, 2.4, 2.2));
            break;
        }
        case 13: { // a worker holding a clipboard
            person(p, QPointF(13, 9), 1.25, QColor(40, 90, 190));
            pen(p, kGoldDark, 0.8);
            p.setBrush(kGold);
            QPainterPath hat;
            hat.moveTo(7.5, 8);
            hat.quadTo(8, 2, 13, 2);
            hat.quadTo(18, 2, 18.5, 8);
            hat.closeSubpath();
            p.drawPath(hat);
            p.drawRoundedRect(QRectF(6, 7, 14, 2), 1, 1);
            pen(p, kOutline, 0.9);
            p.setBrush(kWood);
            p.drawRoundedRect(QRectF(17, 13, 12, 16), 1.5, 1.5);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(18.5, 15.5, 9, 12));
            p.setBrush(kSteel);
            p.drawRect(QRectF(20.5, 12, 5, 3));
            textLines(p, QRectF(20, 18.5, 6, 0), 3, 3);
            p.setPen(QPen(kOutline, 0.6));
            p.setBrush(kSkin);
            p.drawEllipse(QPointF(18.5, 22), 2, 2);
            break;
        }
        case 14: // a globe under a star
            globe(p, QPointF(16, 20), 11);
            star(p, QPointF(16, 6.5), 6.5, 2.7, kGold);
            break;
        case 15: { // a crate marked EXPORT
            pen(p, kWoodDark, 1);
            p.setBrush(kWood);
            p.drawRect(QRectF(2.5, 6.5, 27, 22));
            p.setBrush(QColor(195, 140, 80));
            p.drawRect(QRectF(2.5, 6.5, 27, 4));
            p.drawRect(QRectF(2.5, 24.5, 27, 4));
            p.drawRect(QRectF(2.5, 6.5, 4, 22));
            p.drawRect(QRectF(25.5, 6.5, 4, 22));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(245, 235, 215));
            p.drawRect(QRectF(3.5, 13, 25, 9));
            QFont font(QStringLiteral("DejaVu Sans Condensed"));
            font.setPixelSize(6);
            font.setBold(true);
            font.setStretch(QFont::Condensed);
            p.setFont(font);
            p.setPen(QColor(200, 20, 20));
            p.drawText(QRectF(2, 12, 28, 11), Qt::AlignCenter, QStringLiteral("EXPORT"));
            break;
        }
        case 16: // stacks of coins
            coinStack(p, 8, 30, 5);
            coinStack(p, 24, 30, 7);
            coinStack(p, 16, 31, 3);
            break;
        case 17: { // a money bag
            pen(p, QColor(110, 80, 40), 1);
            QRadialGradient cloth(QPointF(13, 17), 16);
            cloth.setColorAt(0, QColor(235, 210, 150));
            cloth.setColorAt(1, QColor(180, 140, 80));
            p.setBrush(cloth);
            QPainterPath bag;
            bag.moveTo(12, 10);
            bag.cubicTo(0, 16, 2, 30, 16, 30);
            bag.cubicTo(30, 30, 32, 16, 20, 10);
            bag.closeSubpath();
            p.drawPath(bag);
            QPainterPath top;
            top.moveTo(12, 10);
            top.lineTo(9, 3);
            top.quadTo(16, 6, 23, 3);
            top.lineTo(20, 10);
            top.closeSubpath();
            p.drawPath(top);
            pen(p, QColor(180, 40, 30), 2);
            p.drawLine(QPointF(11, 10), QPointF(21, 10));
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(13);
            font.setBold(true);
            p.setFont(font);
            p.setPen(QColor(30, 110, 40));
            p.drawText(QRectF(6, 13, 20, 16), Qt::AlignCenter, QStringLiteral("$"));
            break;
        }
        case 18: // spreadsheet windows
            window(p, QRectF(2.5, 3.5, 19, 16));
            window(p, QRectF(10.5, 12.5, 19, 16));
            break;
        case 19: // crossed spanners
            spanner(p, QPointF(16, 16), 45);
            spanner(p, QPointF(16, 16), 135);
            break;
        case 20: { // a presenter at a chart
            pen(p, kWoodDark, 1.2);
            p.drawLine(QPointF(19, 20), QPointF(15, 30));
            p.drawLine(QPointF(19, 20), QPointF(27, 30));
            pen(p, kOutline);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(11.5, 2.5, 19, 17));
            p.setPen(Qt::NoPen);
            const QColor bars[] = { QColor(220, 60, 50), QColor(60, 170, 80), kBlue };
            const qreal heights[] = { 5, 9, 13 };
            for (int i = 0; i < 3; ++i) {
                p.setBrush(bars[i]);
                p.drawRect(QRectF(14 + i * 5, 18 - heights[i], 3.5, heights[i]));
            }
            person(p, QPointF(6, 14), 0.95, QColor(200, 60, 60));
            pen(p, kOutline, 1);
            p.drawLine(QPointF(8, 20), QPointF(15, 9));
            break;
        }
        case 21: { // a computer with a screwdriver
            monitor(p, QRectF(3.5, 4.5, 21, 15));
            p.save();
            p.translate(29, 30);
            p.rotate(-125);
            pen(p, kOutline, 0.8);
            p.setBrush(QColor(220, 40, 40));
            p.drawRoundedRect(QRectF(0, -2.5, 9, 5), 2, 2);
            p.setBrush(kSteel);
            p.drawRect(QRectF(9, -0.9, 10, 1.8));
            p.drawRect(QRectF(19, -0.5, 2, 1));
            p.restore();
            break;
        }
        default: // 99: the blue globe
            globe(p, QPointF(16, 16), 14);
            break;
        }
    });
}

QImage toolBarImage(int index)
{
    return draw(32, 32, [index](QPainter& p) {
        switch (index) {
        case 0: // new
            page(p, QRectF(7, 3.5, 18, 25));
            star(p, QPointF(24, 8), 6, 2.4, QColor(255, 230, 60));
            break;
        case 1: // delete
            pen(p, QColor(200, 20, 20), 5);
            p.drawLine(QPointF(8, 8), QPointF(24, 24));
            p.drawLine(QPointF(24, 8), QPointF(8, 24));
            break;
        case 2: { // save: a diskette
            pen(p, kOutline);
            p.setBrush(QColor(40, 70, 160));
            QPainterPath disk;
            disk.moveTo(4, 4);
            disk.lineTo(24, 4);
            disk.lineTo(28, 8);
            disk.lineTo(28, 28);
            disk.lineTo(4, 28);
            disk.closeSubpath();
            p.drawPath(disk);
            p.setBrush(kSteel);
            p.drawRect(QRectF(9, 4, 13, 8));
            p.setBrush(QColor(40, 70, 160));
            p.drawRect(QRectF(17, 5.5, 3, 5));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(8, 16, 16, 12));
            textLines(p, QRectF(10, 19.5, 12, 0), 3, 3);
            break;
        }
        case 3: { // exit: a door and an arrow out
            pen(p, kOutline);
            p.setBrush(kWood);
            p.drawRect(QRectF(5, 3.5, 14, 25));
            p.setBrush(kGold);
            p.drawEllipse(QPointF(16, 17), 1.3, 1.3);
            pen(p, QColor(200, 30, 30), 3);
            p.drawLine(QPointF(14, 16), QPointF(28, 16));
            p.drawLine(QPointF(23, 11), QPointF(28, 16));
            p.drawLine(QPointF(23, 21), QPointF(28, 16));
            break;
        }
        case 4: { // history: a clock
            pen(p, kOutline, 1.2);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(16, 16), 12.5, 12.5);
            pen(p, kOutline, 1);
            for (int i = 0; i < 12; ++i) {
                const qreal a = i * M_PI / 6;
                p.drawLine(QPointF(16 + 10 * std::cos(a), 16 + 10 * std::sin(a)),
                    QPointF(16 + 11.5 * std::cos(a), 16 + 11.5 * std::sin(a)));
            }
            pen(p, kBlue, 2);
            p.drawLine(QPointF(16, 16), QPointF(16, 8));
            p.drawLine(QPointF(16, 16), QPointF(22, 19));
            break;
        }
        case 5: // copy: two pages
            page(p, QRectF(4, 3.5, 15, 20), QColor(225, 230, 240));
            page(p, QRectF(12, 9.5, 15, 20));
            textLines(p, QRectF(14.5, 17, 9, 0), 3, 3.2);
            break;
        case 6: { // print: a printer with a page
            pen(p, kOutline);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 3.5, 14, 11));
            p.setBrush(QColor(170, 175, 190));
            p.drawRoundedRect(QRectF(3.5, 12.5, 25, 11), 2, 2);
            p.setBrush(QColor(120, 125, 140));
            p.drawRect(QRectF(8, 20, 16, 3));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 21.5, 14, 7));
            textLines(p, QRectF(11, 24.5, 10, 0), 2, 2.5);
            p.setBrush(QColor(60, 200, 80));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(25, 15.5), 1.2, 1.2);
            break;
        }
        default: { // 7, change code: a tag with a pencil
            pen(p, kOutline);
            p.setBrush(QColor(255, 235, 130));
            QPainterPath tag;
            tag.moveTo(3, 12);
            tag.lineTo(9, 6);
            tag.lineTo(27, 6);
            tag.lineTo(27, 18);
            tag.lineTo(9, 18);
            tag.closeSubpath();
            p.drawPath(tag);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8.5, 12), 1.5, 1.5);
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(9);
            font.setBold(true);
            p.setFont(font);
            p.setPen(kBlue);
            p.drawText(QRectF(11, 6, 16, 12), Qt::AlignCenter, QStringLiteral("AB"));
            pencil(p, QPointF(28, 14), QPointF(12, 30), QColor(220, 60, 50), 4.5);
            break;
        }
        }
    });
}

QImage treeEntry()
{
    return draw(16, 16, [](QPainter& p) {
        page(p, QRectF(2.5, 1.5, 10, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        QPolygonF arrow;
        arrow << QPointF(8, 6) << QPointF(15, 10) << QPointF(8, 14);
        p.drawPolygon(arrow);
    });
}

QImage search()
{
    return draw(16, 16, [](QPainter& p) {
        pen(p, kOutline, 1.4);
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
        pen(p, QColor(120, 70, 30), 3);
        p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    });
}

// The upgrade button's glyph: a green arrow up out of a tray.
QImage upgrade(bool enabled)
{
    const QColor arrow = enabled ? QColor(20, 160, 60) : QColor(160, 160, 160);
    const QColor tray = enabled ? kBlue : QColor(130, 130, 130);
    return draw(20, 20, [&](QPainter& p) {
        pen(p, tray, 2);
        p.drawLine(QPointF(2, 13), QPointF(2, 18));
        p.drawLine(QPointF(2, 18), QPointF(18, 18));
        p.drawLine(QPointF(18, 18), QPointF(18, 13));
        p.setPen(QPen(arrow.darker(130), 0.8));
        p.setBrush(arrow);
        QPolygonF shape;
        shape << QPointF(10, 1) << QPointF(17, 8) << QPointF(12.5, 8) << QPointF(12.5, 15) << QPointF(7.5, 15)
              << QPointF(7.5, 8) << QPointF(3, 8);
        p.drawPolygon(shape);
    });
}

QImage logo()
{
    return draw(
        301, 166,
        [](QPainter& p) {
            QLinearGradient sky(0, 0, 0, 166);
            sky.setColorAt(0, QColor(40, 90, 230));
            sky.setColorAt(1, QColor(0, 20, 120));
            p.fillRect(QRect(0, 0, 301, 166), sky);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 28));
            p.drawEllipse(QPointF(250, 30), 90, 90);
            p.drawEllipse(QPointF(40, 150), 70, 50);
            pen(p, QColor(255, 210, 60), 3);
            p.drawLine(QPointF(30, 112), QPointF(271, 112));
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(40);
            font.setBold(true);
            p.setFont(font);
            p.setPen(QColor(0, 0, 60, 140));
            p.drawText(QRectF(2, 32, 301, 70), Qt::AlignCenter, QStringLiteral("ZAQ Account"));
            p.setPen(Qt::white);
            p.drawText(QRectF(0, 30, 301, 70), Qt::AlignCenter, QStringLiteral("ZAQ Account"));
            font.setPixelSize(13);
            font.setBold(false);
            p.setFont(font);
            p.setPen(QColor(220, 230, 255));
            p.drawText(QRectF(0, 118, 301, 30), Qt::AlignCenter, QStringLiteral("Business suite"));
        },
        QColor(0, 0, 255));
}

// The program's icon for the desktop's menu: the logo's blue and gold on a
// rounded tile with a bold Z, drawn at each size so that the small ones stay
// sharp instead of being scaled down.
QImage appIcon(int size)
{
    return draw(size, size, [size](QPainter& p) {
        const qreal s = size;
        const qreal margin = s / 16.0;
        const QRectF tile(margin, margin, s - 2 * margin, s - 2 * margin);
        QLinearGradient sky(0, tile.top(), 0, tile.bottom());
        sky.setColorAt(0, QColor(40, 90, 230));
        sky.setColorAt(1, QColor(0, 20, 120));
        p.setPen(size >= 32 ? QPen(QColor(0, 10, 70), s / 48.0) : Qt::NoPen);
        p.setBrush(sky);
        p.drawRoundedRect(tile, s / 6.0, s / 6.0);
        // The Z from three strokes: top, diagonal and the gold base line of the logo.
        const qreal w = tile.width();
        const qreal left = tile.left() + w * 0.24;
        const qreal right = tile.right() - w * 0.24;
        const qreal top = tile.top() + w * 0.24;
        const qreal bottom = tile.bottom() - w * 0.26;
        const qreal stroke = std::max(2.0, w * 0.14);
        // Flat ends, so that the diagonal ends inside the gold line instead of poking out below it.
        p.setPen(QPen(Qt::white, stroke, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        QPainterPath z;
        z.moveTo(left - stroke / 2, top);
        z.lineTo(right, top);
        z.lineTo(left, bottom);
        p.drawPath(z);
        p.setPen(QPen(QColor(255, 210, 60), stroke, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(QPointF(left, bottom), QPointF(right, bottom));
    });
}

QImage logon()
{
    return draw(
        136, 96,
        [](QPainter& p) {
            QLinearGradient panel(0, 0, 136, 96);
            panel.setColorAt(0, QColor(60, 110, 240));
            panel.setColorAt(1, QColor(10, 30, 140));
            p.fillRect(QRect(0, 0, 136, 96), panel);
            p.save();
            p.translate(14, 14);
            p.scale(1.9, 1.9);
            person(p, QPointF(13, 9), 1.4, QColor(230, 235, 255));
            p.restore();
            // A key beside the person.
            pen(p, QColor(150, 110, 10), 1.2);
            p.setBrush(kGold);
            QPainterPath key;
            key.addEllipse(QPointF(92, 40), 11, 11);
            key.addRect(QRectF(100, 37, 26, 6));
            key.addRect(QRectF(116, 43, 4, 7));
            key.addRect(QRectF(122, 43, 4, 5));
            QPainterPath hole;
            hole.addEllipse(QPointF(89, 40), 3.5, 3.5);
            p.drawPath(key.simplified().subtracted(hole));
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(16);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(QRectF(60, 62, 76, 26), Qt::AlignCenter, QStringLiteral("ZAQ"));
        },
        QColor(0, 0, 255));
}

bool save(const QImage& image, const QDir& folder, const QString& name, QTextStream& report)
{
    QDir().mkpath(QFileInfo(folder.filePath(name)).absolutePath());
    const bool jpeg = name.endsWith(QLatin1String(".jpg"));
    const QImage out = jpeg ? image.convertToFormat(QImage::Format_RGB32) : image;
    const bool ok = out.save(folder.filePath(name), nullptr, jpeg ? 92 : -1);
    report << (ok ? "wrote " : "FAILED ") << name << '\n';
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTextStream report(stdout);
    if (argc != 2) {
        report << "usage: zaq_artwork RESOURCES_FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = save(logo(), folder, QStringLiteral("logo.jpg"), report);
    ok &= save(logon(), folder, QStringLiteral("logon.png"), report);
    for (int number : { 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 99 })
        ok &= save(departmentGlyph(number), folder, QStringLiteral("departments/%1.png").arg(number), report);
    for (int index = 0; index < 8; ++index)
        ok &= save(toolBarImage(index), folder, QStringLiteral("toolbar/%1.png").arg(index), report);
    ok &= save(treeEntry(), folder, QStringLiteral("tree/entry.png"), report);
    ok &= save(search(), folder, QStringLiteral("search.png"), report);
    ok &= save(upgrade(true), folder, QStringLiteral("upgrade.png"), report);
    ok &= save(upgrade(false), folder, QStringLiteral("upgrade-disabled.png"), report);
    // The desktop's menu entry (installed by the package, not compiled in).
    for (int size : { 16, 22, 24, 32, 48, 64, 128, 256 })
        ok &= save(appIcon(size), folder, QStringLiteral("icons/hicolor/%1x%1/apps/zaqmain.png").arg(size), report);
    // The Windows installer's icon.
    ok &= save(appIcon(48), folder, QStringLiteral("icons/zaqmain.ico"), report);
    return ok ? 0 : 1;
}
