#include "tools/logo/Logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>

namespace logo {

namespace {

const QPointF kMoonCentre(238, 50);
const double kMoonRadius = 28;
const QPointF kDishCentre(76, 114); // centre of the dish's vertex, pixels
const double kDishAperture = 42;    // half the rim diameter
const double kDishFocus = 30;       // focal length

// Same stars on every run: a small linear congruential sequence.
void drawStars(QPainter& p)
{
    uint32_t seed = 20240611u;
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) & 0xFFFFu;
    };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const double x = next() % 300;
        const double y = next() % 140;
        const int bright = 120 + int(next() % 136);
        const double r = (next() % 4 == 0) ? 1.1 : 0.6;
        if (QLineF(QPointF(x, y), kMoonCentre).length() < kMoonRadius + 10)
            continue;
        p.setBrush(QColor(bright, bright, std::min(255, bright + 20)));
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

void drawMoon(QPainter& p)
{
    QRadialGradient glow(kMoonCentre, kMoonRadius * 2.0);
    glow.setColorAt(0.0, QColor(255, 250, 220, 90));
    glow.setColorAt(0.5, QColor(255, 250, 220, 25));
    glow.setColorAt(1.0, QColor(255, 250, 220, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(kMoonCentre, kMoonRadius * 2.0, kMoonRadius * 2.0);

    QRadialGradient face(kMoonCentre - QPointF(8, 8), kMoonRadius * 1.4);
    face.setColorAt(0.0, QColor(250, 248, 232));
    face.setColorAt(1.0, QColor(200, 196, 176));
    p.setBrush(face);
    p.drawEllipse(kMoonCentre, kMoonRadius, kMoonRadius);

    // Maria and a few craters, in the Moon's own frame (radius 1).
    const struct {
        double x, y, rx, ry;
        int shade;
    } marks[] = {
        {-0.30, -0.35, 0.28, 0.22, 165}, {0.15, -0.30, 0.22, 0.18, 170}, {0.30, 0.05, 0.25, 0.20, 160},
        {-0.15, 0.15, 0.20, 0.26, 172},  {0.05, 0.55, 0.10, 0.10, 178},  {-0.55, 0.25, 0.08, 0.08, 180},
        {0.55, -0.45, 0.07, 0.07, 182},
    };
    for (const auto& m : marks) {
        p.setBrush(QColor(m.shade, m.shade - 4, m.shade - 16, 200));
        p.drawEllipse(kMoonCentre + QPointF(m.x, m.y) * kMoonRadius, m.rx * kMoonRadius, m.ry * kMoonRadius);
    }
}

void drawGround(QPainter& p)
{
    QPainterPath hill;
    hill.moveTo(0, 200);
    hill.lineTo(0, 168);
    hill.cubicTo(60, 150, 120, 158, 170, 172);
    hill.cubicTo(220, 186, 270, 180, 300, 176);
    hill.lineTo(300, 200);
    hill.closeSubpath();
    QLinearGradient g(0, 150, 0, 200);
    g.setColorAt(0.0, QColor(24, 40, 38));
    g.setColorAt(1.0, QColor(8, 14, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(hill);
}

// Wave fronts from the feed toward the Moon and back.
void drawBeam(QPainter& p, double angleDeg)
{
    const double a = angleDeg * 3.14159265358979 / 180.0;
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF feed = kDishCentre + dir * (kDishFocus + 6);
    const double span = QLineF(feed, kMoonCentre).length() - kMoonRadius - 6;
    for (int i = 1; i <= 4; ++i) {
        const double d = span * i / 5.0;
        const QPointF c = feed + dir * (d - 8);
        const double r = 10 + 4 * i;
        QPen pen(QColor(130, 215, 255, 235 - 35 * i), 2.0);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
        // Arc facing along the beam, 40 degrees wide (Qt angles: 1/16 degree,
        // counter-clockwise, y up).
        const int centre = int(std::lround(-angleDeg * 16));
        p.drawArc(box, centre - 20 * 16, 40 * 16);
    }
}

void drawDish(QPainter& p, double angleDeg)
{
    // Pedestal and yoke, upright.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 80, 92));
    QPainterPath post;
    post.moveTo(kDishCentre + QPointF(-6, 6));
    post.lineTo(kDishCentre + QPointF(6, 6));
    post.lineTo(kDishCentre + QPointF(10, 44));
    post.lineTo(kDishCentre + QPointF(-10, 44));
    post.closeSubpath();
    p.drawPath(post);
    p.setBrush(QColor(52, 60, 70));
    p.drawRect(QRectF(kDishCentre + QPointF(-20, 42), QSizeF(40, 6)));
    p.setBrush(QColor(96, 106, 118));
    p.drawEllipse(kDishCentre, 6, 6);

    // The dish in its own frame: axis along +x, vertex at 0, the parabola
    // x = y^2 / (4 f) opening toward +x; seen a little from the side, so the
    // rim shows as an ellipse and the bowl's back as the parabola.
    p.save();
    p.translate(kDishCentre);
    p.rotate(angleDeg);
    p.translate(-12, 0);
    const double R = kDishAperture, f = kDishFocus;
    const double rim = R * R / (4 * f);
    QPainterPath back;
    const int n = 32;
    for (int i = 0; i <= n; ++i) {
        const double y = -R + 2 * R * i / n;
        const QPointF q(y * y / (4 * f), y);
        if (i == 0)
            back.moveTo(q);
        else
            back.lineTo(q);
    }
    back.closeSubpath();
    QLinearGradient backShade(0, -R, 0, R);
    backShade.setColorAt(0.0, QColor(170, 180, 196));
    backShade.setColorAt(1.0, QColor(88, 98, 114));
    p.setPen(QPen(QColor(30, 36, 48), 1.0));
    p.setBrush(backShade);
    p.drawPath(back);

    const QRectF aperture(rim - R * 0.32, -R, R * 0.64, 2 * R);
    QRadialGradient face(QPointF(rim + 2, -R * 0.35), R * 1.2);
    face.setColorAt(0.0, QColor(250, 252, 255));
    face.setColorAt(1.0, QColor(176, 188, 204));
    p.setBrush(face);
    p.drawEllipse(aperture);

    // Feed support struts and the feed at the focus.
    p.setPen(QPen(QColor(210, 216, 224), 1.4));
    p.drawLine(QPointF(rim, -R), QPointF(f + 6, 0));
    p.drawLine(QPointF(rim, R), QPointF(f + 6, 0));
    p.drawLine(QPointF(rim + R * 0.3, 0), QPointF(f + 6, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 128, 60));
    p.drawRect(QRectF(f + 3, -4, 8, 8));
    p.restore();
}

void drawName(QPainter& p)
{
    QFont big(QStringLiteral("DejaVu Serif"));
    big.setPixelSize(40);
    big.setBold(true);
    big.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(big);
    const QRectF nameBox(120, 130, 176, 46);
    p.setPen(QColor(10, 16, 30, 200));
    p.drawText(nameBox.translated(2, 2), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Selvane"));
    p.setPen(QColor(246, 240, 214));
    p.drawText(nameBox, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Selvane"));

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(11);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    p.setFont(small);
    p.setPen(QColor(150, 200, 230));
    p.drawText(QRectF(120, 176, 174, 18), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Earth - Moon - Earth"));
}

} // namespace

QImage drawLogo()
{
    QImage image(kLogoSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0.0, QColor(6, 12, 34));
    sky.setColorAt(1.0, QColor(30, 54, 96));
    p.fillRect(image.rect(), sky);

    drawStars(p);
    drawMoon(p);
    const QLineF aim(kDishCentre, kMoonCentre);
    const double angleDeg = -aim.angle(); // screen angle, clockwise from +x
    drawBeam(p, angleDeg);
    drawGround(p);
    drawDish(p, angleDeg);
    drawName(p);
    p.end();
    return image;
}

} // namespace logo
