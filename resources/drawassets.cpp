// Draws the built-in pictures of the client into the folder given as the
// first argument. Run at build time, so no picture binaries live in the
// repository. Colours: deep indigo with a fresh green-teal accent.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <functional>
#include <cstdio>

namespace {

const QColor indigo(0x2f, 0x2e, 0x46);
const QColor indigoLight(0x4a, 0x48, 0x6e);
const QColor teal(0x1f, 0xc8, 0xa0);
const QColor green(0x7c, 0xd9, 0x5a);
const QColor gold(0xff, 0xc1, 0x3d);
const QColor white(0xff, 0xff, 0xff);

using Drawing = std::function<void(QPainter&, const QSizeF&)>;

QImage render(const QSize& size, const Drawing& draw)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    draw(painter, QSizeF(size));
    return image;
}

QPen roundPen(const QColor& color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A leaf pointing up-right, the emblem's and nutrition's motif.
QPainterPath leaf(const QPointF& base, qreal length, qreal angleDegrees)
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(length * 0.15, -length * 0.45, length * 0.65, -length * 0.55, length, -length);
    path.cubicTo(length * 0.55, -length * 0.15, length * 0.45, length * 0.2, 0, 0);
    QTransform transform;
    transform.translate(base.x(), base.y());
    transform.rotate(angleDegrees);
    return transform.map(path);
}

void softBackground(QPainter& p, const QSizeF& s, const QColor& top, const QColor& bottom)
{
    QLinearGradient base(0, 0, s.width(), s.height());
    base.setColorAt(0, top);
    base.setColorAt(1, bottom);
    p.fillRect(QRectF(QPointF(), s), base);

    // Two faint glows give the flat gradient some depth.
    const qreal r = qMax(s.width(), s.height());
    QRadialGradient glow(s.width() * 0.85, s.height() * 0.1, r * 0.6);
    QColor tint = teal;
    tint.setAlpha(70);
    glow.setColorAt(0, tint);
    glow.setColorAt(1, Qt::transparent);
    p.fillRect(QRectF(QPointF(), s), glow);

    QRadialGradient glow2(s.width() * 0.1, s.height() * 0.95, r * 0.5);
    QColor tint2 = green;
    tint2.setAlpha(40);
    glow2.setColorAt(0, tint2);
    glow2.setColorAt(1, Qt::transparent);
    p.fillRect(QRectF(QPointF(), s), glow2);
}

// The emblem's indigo disc with its teal ring.
void drawDisc(QPainter& p, qreal w, qreal ringWidth)
{
    const QRectF disc(w * 0.04, w * 0.04, w * 0.92, w * 0.92);
    QLinearGradient fill(disc.topLeft(), disc.bottomRight());
    fill.setColorAt(0, indigoLight);
    fill.setColorAt(1, indigo);
    p.setPen(QPen(teal, ringWidth));
    p.setBrush(fill);
    p.drawEllipse(disc);
}

// The emblem's two leaves on their stem, for a picture w wide.
void drawLeaves(QPainter& p, qreal w)
{
    QLinearGradient leafFill(w * 0.4, w * 0.45, w * 0.6, w * 0.15);
    leafFill.setColorAt(0, teal);
    leafFill.setColorAt(1, green);
    p.setPen(Qt::NoPen);
    p.setBrush(leafFill);
    p.drawPath(leaf(QPointF(w * 0.5, w * 0.47), w * 0.25, -10));
    p.drawPath(leaf(QPointF(w * 0.5, w * 0.47), w * 0.19, -80).toReversed());
    p.setPen(roundPen(teal, w * 0.018));
    p.drawLine(QPointF(w * 0.5, w * 0.47), QPointF(w * 0.5, w * 0.53));
}

void drawLogo(QPainter& p, const QSizeF& s)
{
    const qreal w = s.width();
    drawDisc(p, w, w * 0.025);
    // Two leaves sprouting above the wordmark.
    drawLeaves(p, w);

    QFont font(QStringLiteral("Roboto"));
    font.setPixelSize(int(w * 0.2));
    font.setBold(true);
    font.setLetterSpacing(QFont::PercentageSpacing, 108);
    p.setFont(font);
    p.setPen(white);
    p.drawText(QRectF(0, w * 0.52, w, w * 0.24), Qt::AlignCenter, QStringLiteral("OLVA"));

    QFont small(QStringLiteral("Roboto"));
    small.setPixelSize(int(w * 0.06));
    small.setLetterSpacing(QFont::PercentageSpacing, 130);
    p.setFont(small);
    p.setPen(teal);
    p.drawText(QRectF(0, w * 0.74, w, w * 0.08), Qt::AlignCenter, QStringLiteral("WEIGHT LOSS"));
}

// The desktop icon: the logo without its wordmark, which no icon size could
// show, the leaves larger and centred and the ring thick enough for 16 px.
// packaging/com.olvaweightloss.OlvaApp.svg is the same drawing.
void drawAppIcon(QPainter& p, const QSizeF& s)
{
    const qreal w = s.width();
    drawDisc(p, w, w * 0.04);
    p.save();
    p.translate(w * 0.46, w * 0.7);
    p.scale(1.52, 1.52);
    p.translate(-w * 0.5, -w * 0.47);
    drawLeaves(p, w);
    p.restore();
}

// A rounded tile with a gradient, the frame of the large picture buttons.
void tile(QPainter& p, const QSizeF& s, const QColor& from, const QColor& to)
{
    const QRectF box(s.width() * 0.03, s.height() * 0.03, s.width() * 0.94, s.height() * 0.94);
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, from);
    fill.setColorAt(1, to);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(box, s.width() * 0.14, s.width() * 0.14);

    QRadialGradient shine(box.left() + box.width() * 0.25, box.top() + box.height() * 0.2, box.width() * 0.7);
    shine.setColorAt(0, QColor(255, 255, 255, 45));
    shine.setColorAt(1, Qt::transparent);
    p.setBrush(shine);
    p.drawRoundedRect(box, s.width() * 0.14, s.width() * 0.14);
}

void drawWorkout(QPainter& p, const QSizeF& s)
{
    tile(p, s, indigoLight, indigo);
    const qreal w = s.width();
    p.translate(w / 2, w / 2);
    p.rotate(-30);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(-w * 0.25, -w * 0.025, w * 0.5, w * 0.05), w * 0.02, w * 0.02);
    p.setBrush(teal);
    for (int side : {-1, 1}) {
        p.drawRoundedRect(QRectF(side * w * 0.2 - w * 0.04, -w * 0.15, w * 0.08, w * 0.3), w * 0.03, w * 0.03);
        p.drawRoundedRect(QRectF(side * w * 0.29 - w * 0.03, -w * 0.1, w * 0.06, w * 0.2), w * 0.025, w * 0.025);
    }
}

void drawFood(QPainter& p, const QSizeF& s)
{
    tile(p, s, teal, QColor(0x13, 0x8f, 0x7a));
    const qreal w = s.width();
    // An apple with a leaf.
    QPainterPath apple;
    apple.moveTo(w * 0.5, w * 0.36);
    apple.cubicTo(w * 0.3, w * 0.26, w * 0.18, w * 0.42, w * 0.24, w * 0.6);
    apple.cubicTo(w * 0.3, w * 0.78, w * 0.42, w * 0.8, w * 0.5, w * 0.74);
    apple.cubicTo(w * 0.58, w * 0.8, w * 0.7, w * 0.78, w * 0.76, w * 0.6);
    apple.cubicTo(w * 0.82, w * 0.42, w * 0.7, w * 0.26, w * 0.5, w * 0.36);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPath(apple);
    p.setPen(roundPen(indigo, w * 0.03));
    p.drawLine(QPointF(w * 0.5, w * 0.37), QPointF(w * 0.53, w * 0.24));
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPath(leaf(QPointF(w * 0.53, w * 0.28), w * 0.14, 10));
}

void drawCoaching(QPainter& p, const QSizeF& s)
{
    tile(p, s, QColor(0x5b, 0x57, 0x9a), indigo);
    const qreal w = s.width();
    // Two speech bubbles: coach and member talking.
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(w * 0.18, w * 0.24, w * 0.46, w * 0.32), w * 0.08, w * 0.08);
    p.drawPolygon(QPolygonF{{w * 0.28, w * 0.5}, {w * 0.24, w * 0.66}, {w * 0.4, w * 0.5}});
    p.setBrush(teal);
    p.drawRoundedRect(QRectF(w * 0.44, w * 0.46, w * 0.38, w * 0.26), w * 0.07, w * 0.07);
    p.drawPolygon(QPolygonF{{w * 0.72, w * 0.68}, {w * 0.76, w * 0.8}, {w * 0.6, w * 0.68}});
    p.setBrush(indigo);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(w * (0.3 + i * 0.11), w * 0.4), w * 0.025, w * 0.025);
}

void drawTelehealth(QPainter& p, const QSizeF& s)
{
    tile(p, s, QColor(0x3e, 0x8e, 0xd0), indigo);
    const qreal w = s.width();
    // A screen with a medical cross.
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(w * 0.2, w * 0.25, w * 0.6, w * 0.4), w * 0.04, w * 0.04);
    p.drawRect(QRectF(w * 0.46, w * 0.65, w * 0.08, w * 0.08));
    p.drawRoundedRect(QRectF(w * 0.34, w * 0.72, w * 0.32, w * 0.05), w * 0.02, w * 0.02);
    p.setBrush(teal);
    p.drawRect(QRectF(w * 0.465, w * 0.33, w * 0.07, w * 0.24));
    p.drawRect(QRectF(w * 0.38, w * 0.415, w * 0.24, w * 0.07));
}

void drawNutrition(QPainter& p, const QSizeF& s)
{
    tile(p, s, green, QColor(0x2a, 0x9d, 0x6e));
    const qreal w = s.width();
    // A bowl with greens.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x6e, 0x4e));
    p.drawPath(leaf(QPointF(w * 0.42, w * 0.55), w * 0.22, -35));
    p.setBrush(teal.lighter(120));
    p.drawPath(leaf(QPointF(w * 0.5, w * 0.55), w * 0.24, -75));
    p.setBrush(QColor(0xd4, 0xf5, 0x8a));
    p.drawPath(leaf(QPointF(w * 0.56, w * 0.55), w * 0.2, -120));
    QPainterPath bowl;
    bowl.moveTo(w * 0.2, w * 0.52);
    bowl.lineTo(w * 0.8, w * 0.52);
    bowl.cubicTo(w * 0.78, w * 0.7, w * 0.65, w * 0.78, w * 0.5, w * 0.78);
    bowl.cubicTo(w * 0.35, w * 0.78, w * 0.22, w * 0.7, w * 0.2, w * 0.52);
    p.setBrush(white);
    p.drawPath(bowl);
}

void drawSample(QPainter& p, const QSizeF& s)
{
    tile(p, s, QColor(0xff, 0xf4, 0xe0), QColor(0xf7, 0xd9, 0xa8));
    const qreal w = s.width();
    // A plate seen from above with three foods.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 30));
    p.drawEllipse(QPointF(w * 0.51, w * 0.53), w * 0.33, w * 0.33);
    p.setBrush(white);
    p.drawEllipse(QPointF(w * 0.5, w * 0.5), w * 0.33, w * 0.33);
    p.setBrush(QColor(0xf2, 0xf2, 0xf2));
    p.drawEllipse(QPointF(w * 0.5, w * 0.5), w * 0.25, w * 0.25);
    p.setBrush(green);
    p.drawPie(QRectF(w * 0.27, w * 0.27, w * 0.46, w * 0.46), 90 * 16, 130 * 16);
    p.setBrush(QColor(0xf0, 0x8a, 0x4b));
    p.drawPie(QRectF(w * 0.27, w * 0.27, w * 0.46, w * 0.46), 220 * 16, 120 * 16);
    p.setBrush(QColor(0xe8, 0xd3, 0x9b));
    p.drawPie(QRectF(w * 0.27, w * 0.27, w * 0.46, w * 0.46), 340 * 16, 110 * 16);
}

void circleIcon(QPainter& p, const QSizeF& s, const QColor& color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QRectF(s.width() * 0.04, s.height() * 0.04, s.width() * 0.92, s.height() * 0.92));
}

void drawChevron(QPainter& p, const QSizeF& s, bool down)
{
    const qreal w = s.width();
    p.setPen(roundPen(teal, w * 0.11));
    const qreal tip = down ? w * 0.66 : w * 0.34;
    const qreal arms = down ? w * 0.38 : w * 0.62;
    p.drawPolyline(QPolygonF{{w * 0.22, arms}, {w * 0.5, tip}, {w * 0.78, arms}});
}

void drawCheck(QPainter& p, const QSizeF& s)
{
    circleIcon(p, s, teal);
    const qreal w = s.width();
    p.setPen(roundPen(white, w * 0.1));
    p.drawPolyline(QPolygonF{{w * 0.28, w * 0.52}, {w * 0.44, w * 0.68}, {w * 0.73, w * 0.35}});
}

void drawStar(QPainter& p, const QSizeF& s)
{
    const qreal w = s.width();
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 ? 0.2 : 0.46) * w;
        const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
        star << QPointF(w * 0.5 + r * qCos(a), w * 0.53 + r * qSin(a));
    }
    QLinearGradient fill(0, 0, 0, w);
    fill.setColorAt(0, gold.lighter(115));
    fill.setColorAt(1, QColor(0xf5, 0x9e, 0x0b));
    p.setPen(QPen(QColor(0xd9, 0x8a, 0x06), w * 0.03, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPolygon(star);
}

void drawSettings(QPainter& p, const QSizeF& s)
{
    const qreal w = s.width();
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal a = qDegreesToRadians(i * 360.0 / (teeth * 4) - 5.0);
        const qreal r = ((i / 2) % 2 == 0 ? 0.46 : 0.34) * w;
        const QPointF point(w * 0.5 + r * qCos(a), w * 0.5 + r * qSin(a));
        i == 0 ? gear.moveTo(point) : gear.lineTo(point);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(w * 0.5, w * 0.5), w * 0.14, w * 0.14);
    p.setPen(QPen(indigo, w * 0.03, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(white);
    p.drawPath(gear.subtracted(hole));
}

void drawRightArrow(QPainter& p, const QSizeF& s)
{
    const qreal w = s.width();
    p.setPen(roundPen(teal, w * 0.11));
    p.drawLine(QPointF(w * 0.2, w * 0.5), QPointF(w * 0.78, w * 0.5));
    p.drawPolyline(QPolygonF{{w * 0.52, w * 0.24}, {w * 0.8, w * 0.5}, {w * 0.52, w * 0.76}});
}

void playTriangle(QPainter& p, const QSizeF& s, const QColor& color)
{
    const qreal w = s.width();
    p.setPen(QPen(color, w * 0.04, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    p.drawPolygon(QPolygonF{{w * 0.4, w * 0.3}, {w * 0.72, w * 0.5}, {w * 0.4, w * 0.7}});
}

void drawPlay(QPainter& p, const QSizeF& s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x2e, 0x46, 170));
    p.drawEllipse(QRectF(QPointF(), s).adjusted(2, 2, -2, -2));
    p.setPen(QPen(white, s.width() * 0.04));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(QPointF(), s).adjusted(s.width() * 0.06, s.width() * 0.06, -s.width() * 0.06, -s.width() * 0.06));
    playTriangle(p, s, white);
}

void drawPlayButton(QPainter& p, const QSizeF& s)
{
    circleIcon(p, s, teal);
    playTriangle(p, s, white);
}

void drawPauseButton(QPainter& p, const QSizeF& s)
{
    circleIcon(p, s, teal);
    const qreal w = s.width();
    p.setBrush(white);
    p.drawRoundedRect(QRectF(w * 0.34, w * 0.3, w * 0.11, w * 0.4), w * 0.03, w * 0.03);
    p.drawRoundedRect(QRectF(w * 0.55, w * 0.3, w * 0.11, w * 0.4), w * 0.03, w * 0.03);
}

// The player's full-screen corners and loudspeaker, white for its dark bar.
void drawFullScreen(QPainter& p, const QSizeF& s)
{
    const qreal w = s.width();
    p.setPen(roundPen(white, w * 0.09));
    const qreal a = w * 0.2, b = w * 0.4, c = w * 0.6, d = w * 0.8;
    p.drawPolyline(QPolygonF({QPointF(a, b), QPointF(a, a), QPointF(b, a)}));
    p.drawPolyline(QPolygonF({QPointF(c, a), QPointF(d, a), QPointF(d, b)}));
    p.drawPolyline(QPolygonF({QPointF(d, c), QPointF(d, d), QPointF(c, d)}));
    p.drawPolyline(QPolygonF({QPointF(b, d), QPointF(a, d), QPointF(a, c)}));
    // The picture between the corners.
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(w * 0.4, w * 0.42, w * 0.2, w * 0.16), w * 0.03, w * 0.03);
}

void drawVolume(QPainter& p, const QSizeF& s)
{
    const qreal w = s.width();
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPolygon(QPolygonF({QPointF(w * 0.15, w * 0.38), QPointF(w * 0.32, w * 0.38), QPointF(w * 0.52, w * 0.2),
                             QPointF(w * 0.52, w * 0.8), QPointF(w * 0.32, w * 0.62), QPointF(w * 0.15, w * 0.62)}));
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(white, w * 0.06));
    p.drawArc(QRectF(w * 0.42, w * 0.32, w * 0.26, w * 0.36), -50 * 16, 100 * 16);
    p.drawArc(QRectF(w * 0.42, w * 0.18, w * 0.44, w * 0.64), -50 * 16, 100 * 16);
}

// Glyphs below are single-coloured shapes on a transparent ground: icon
// buttons tint them with their own colour.
void drawAdd(QPainter& p, const QSizeF& s)
{
    const qreal w = s.width();
    p.setPen(roundPen(white, w * 0.12));
    p.drawLine(QPointF(w * 0.5, w * 0.28), QPointF(w * 0.5, w * 0.72));
    p.drawLine(QPointF(w * 0.28, w * 0.5), QPointF(w * 0.72, w * 0.5));
}

void drawHome(QPainter& p, const QSizeF& s, const QColor& color)
{
    const qreal w = s.width();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    QPainterPath house;
    house.moveTo(w * 0.5, w * 0.14);
    house.lineTo(w * 0.9, w * 0.5);
    house.lineTo(w * 0.78, w * 0.5);
    house.lineTo(w * 0.78, w * 0.86);
    house.lineTo(w * 0.58, w * 0.86);
    house.lineTo(w * 0.58, w * 0.62);
    house.lineTo(w * 0.42, w * 0.62);
    house.lineTo(w * 0.42, w * 0.86);
    house.lineTo(w * 0.22, w * 0.86);
    house.lineTo(w * 0.22, w * 0.5);
    house.lineTo(w * 0.1, w * 0.5);
    house.closeSubpath();
    p.drawPath(house);
}

void drawBack(QPainter& p, const QSizeF& s, const QColor& color)
{
    const qreal w = s.width();
    p.setPen(roundPen(color, w * 0.11));
    p.drawLine(QPointF(w * 0.22, w * 0.5), QPointF(w * 0.8, w * 0.5));
    p.drawPolyline(QPolygonF{{w * 0.46, w * 0.24}, {w * 0.2, w * 0.5}, {w * 0.46, w * 0.76}});
}

void drawPin(QPainter& p, const QPointF& tip, qreal size)
{
    p.save();
    p.translate(tip);
    p.rotate(35);
    p.setPen(roundPen(indigo, size * 0.08));
    p.drawLine(QPointF(0, 0), QPointF(0, -size * 0.35));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe1, 0x54, 0x40));
    p.drawRoundedRect(QRectF(-size * 0.3, -size * 0.5, size * 0.6, size * 0.15), size * 0.05, size * 0.05);
    p.drawRect(QRectF(-size * 0.15, -size * 0.9, size * 0.3, size * 0.42));
    p.drawRoundedRect(QRectF(-size * 0.25, -size * 1.0, size * 0.5, size * 0.14), size * 0.05, size * 0.05);
    p.restore();
}

void drawPinToTaskbar(QPainter& p, const QSizeF& s)
{
    const qreal w = s.width();
    const qreal h = s.height();
    softBackground(p, s, QColor(0xee, 0xf0, 0xf6), QColor(0xdc, 0xe8, 0xf0));
    // The taskbar along the bottom with a few program buttons, ours pinned.
    p.setPen(Qt::NoPen);
    p.setBrush(indigo);
    const QRectF bar(0, h * 0.8, w, h * 0.2);
    p.drawRect(bar);
    const qreal slot = bar.height() * 0.7;
    const qreal top = bar.top() + (bar.height() - slot) / 2;
    QRectF ours;
    for (int i = 0; i < 6; ++i) {
        const QRectF button(w * 0.12 + i * slot * 1.35, top, slot, slot);
        p.setPen(Qt::NoPen);
        p.setBrush(indigoLight);
        p.drawRoundedRect(button, slot * 0.18, slot * 0.18);
        if (i == 3)
            ours = button;
    }
    p.save();
    p.translate(ours.topLeft());
    p.scale(ours.width() / 400.0, ours.height() / 400.0);
    drawLogo(p, QSizeF(400, 400));
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(teal);
    p.drawRoundedRect(QRectF(ours.left() + slot * 0.25, bar.bottom() - bar.height() * 0.1, slot * 0.5, bar.height() * 0.06), 2, 2);

    // A large emblem and a curved arrow down to the taskbar.
    p.save();
    p.translate(w * 0.5 - h * 0.22, h * 0.08);
    p.scale(h * 0.44 / 400.0, h * 0.44 / 400.0);
    drawLogo(p, QSizeF(400, 400));
    p.restore();
    QPainterPath arrow;
    const QPointF from(w * 0.5 + h * 0.26, h * 0.33);
    const QPointF to(ours.center().x() + slot * 0.7, ours.top() - h * 0.05);
    arrow.moveTo(from);
    arrow.quadTo(QPointF(w * 0.78, h * 0.6), to);
    p.setPen(roundPen(teal, h * 0.018));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    const qreal angle = arrow.angleAtPercent(1);
    p.save();
    p.translate(to);
    p.rotate(-angle);
    p.drawPolyline(QPolygonF{{-h * 0.04, -h * 0.03}, {0, 0}, {-h * 0.04, h * 0.03}});
    p.restore();
    drawPin(p, QPointF(ours.right() - slot * 0.05, ours.top() + slot * 0.1), slot * 0.55);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: drawassets [--app-icon] <output folder>\n");
        return 2;
    }
    // "--app-icon FOLDER": the desktop icon at every size of the icon theme.
    if (argc == 3 && qstrcmp(argv[1], "--app-icon") == 0) {
        const QDir out(QString::fromLocal8Bit(argv[2]));
        if (!out.mkpath(QStringLiteral(".")))
            return 1;
        for (const int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
            const QString path = out.filePath(QStringLiteral("icon-%1.png").arg(size));
            if (!render(QSize(size, size), drawAppIcon).save(path, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
        return 0;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;

    struct Picture {
        const char* name;
        QSize size;
        Drawing draw;
    };
    const QSize icon(96, 96);
    const QSize tileSize(300, 300);
    // Pictures shown as buttons of up to 70 px: drawn large enough that a
    // screen of device pixel ratio 2 or 3 only ever scales them down.
    const QSize button(256, 256);
    const std::vector<Picture> pictures = {
        {"logo.png", {400, 400}, drawLogo},
        {"background.png", {1600, 900},
         // Dark: windows put white text over it.
         [](QPainter& p, const QSizeF& s) { softBackground(p, s, QColor(0x2b, 0x2a, 0x40), QColor(0x1c, 0x3a, 0x44)); }},
        {"img_back.png", button, [](QPainter& p, const QSizeF& s) { drawHome(p, s, indigo); }},
        {"img_back1.png", button, [](QPainter& p, const QSizeF& s) { drawBack(p, s, indigo); }},
        // The same for the dark title bars, which show them untinted.
        {"home_light.png", button, [](QPainter& p, const QSizeF& s) { drawHome(p, s, white); }},
        {"back_light.png", button, [](QPainter& p, const QSizeF& s) { drawBack(p, s, white); }},
        {"expand.png", icon, [](QPainter& p, const QSizeF& s) { drawChevron(p, s, true); }},
        {"collpase.png", icon, [](QPainter& p, const QSizeF& s) { drawChevron(p, s, false); }},
        {"check.png", icon, drawCheck},
        {"star.png", icon, drawStar},
        {"settings.png", icon, drawSettings},
        {"sample.png", tileSize, drawSample},
        {"right_arrow.png", icon, drawRightArrow},
        {"play.png", {128, 128}, drawPlay},
        {"play_button.png", icon, drawPlayButton},
        {"pause_button.png", icon, drawPauseButton},
        {"fullscreen.png", icon, drawFullScreen},
        {"volume.png", icon, drawVolume},
        {"add.png", icon, drawAdd},
        {"workout.png", tileSize, drawWorkout},
        {"coaching.png", tileSize, drawCoaching},
        {"food.png", tileSize, drawFood},
        {"telethealth.png", tileSize, drawTelehealth},
        {"nutrition.png", tileSize, drawNutrition},
        {"pintototaskbar.png", {640, 360}, drawPinToTaskbar},
    };
    for (const Picture& picture : pictures) {
        const QString path = out.filePath(QLatin1String(picture.name));
        if (!render(picture.size, picture.draw).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
