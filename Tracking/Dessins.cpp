#include "Tracking/Dessins.h"

#include "platform/Geometry.h"
#include "platform/widgets/ImageButton.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace dessins {

namespace {

// A transparent picture of `twips`, made at the screen's pixel ratio: the
// painters below draw in device-independent pixels, sharp on a dense screen.
QPixmap toile(QSize twips)
{
    QPixmap p = platform::pictureCanvas(platform::twipsToPixels(twips));
    p.fill(Qt::transparent);
    return p;
}

// The picture's size in device-independent pixels, the one its painter draws in.
QSizeF taille(const QPixmap& p) { return p.deviceIndependentSize(); }

// An arrow in the unit square pointing right, turned by `quarts` quarter turns.
void fleche(QPainter& g, const QRectF& r, int quarts, const QColor& c)
{
    g.save();
    g.translate(r.center());
    g.rotate(90.0 * quarts);
    const double s = std::min(r.width(), r.height()) / 2;
    QPolygonF f;
    f << QPointF(-0.7 * s, -0.25 * s) << QPointF(0.1 * s, -0.25 * s) << QPointF(0.1 * s, -0.6 * s)
      << QPointF(0.75 * s, 0) << QPointF(0.1 * s, 0.6 * s) << QPointF(0.1 * s, 0.25 * s)
      << QPointF(-0.7 * s, 0.25 * s);
    g.setPen(QPen(Qt::black, 1));
    g.setBrush(c);
    g.drawPolygon(f);
    g.restore();
}

void motif(QPainter& g, Motif m, const QRectF& r, bool enfonce)
{
    const double s = std::min(r.width(), r.height());
    const QPointF c = r.center();
    QFont f = g.font();
    f.setPixelSize(std::max(6, int(s * 0.38)));
    f.setBold(true);
    g.setFont(f);
    switch (m) {
    case Motif::Lune: {
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(250, 240, 170));
        g.drawEllipse(c, s * 0.32, s * 0.32);
        g.setBrush(enfonce ? QColor(150, 150, 150) : QColor(192, 192, 192));
        g.drawEllipse(c + QPointF(s * 0.15, -s * 0.06), s * 0.27, s * 0.27);
        break;
    }
    case Motif::Soleil: {
        g.setPen(QPen(QColor(230, 140, 0), std::max(1.0, s / 16)));
        for (int i = 0; i < 8; ++i) {
            const double a = i * 3.14159265 / 4;
            g.drawLine(c + QPointF(std::cos(a), std::sin(a)) * s * 0.25,
                       c + QPointF(std::cos(a), std::sin(a)) * s * 0.4);
        }
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(255, 200, 0));
        g.drawEllipse(c, s * 0.2, s * 0.2);
        break;
    }
    case Motif::Ciel: {
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(20, 30, 90));
        g.drawRect(r.adjusted(s * 0.15, s * 0.15, -s * 0.15, -s * 0.15));
        g.setBrush(Qt::white);
        const QPointF e[5] = {{0.3, 0.3}, {0.62, 0.25}, {0.45, 0.5}, {0.7, 0.66}, {0.33, 0.7}};
        for (const QPointF& p : e)
            g.drawEllipse(QPointF(r.left() + p.x() * r.width(), r.top() + p.y() * r.height()), s * 0.035,
                          s * 0.035);
        break;
    }
    case Motif::Periode:
        g.setPen(Qt::black);
        g.drawText(r, Qt::AlignCenter, enfonce ? QStringLiteral("2nd") : QStringLiteral("1st"));
        break;
    case Motif::Duree:
        g.setPen(Qt::black);
        g.drawText(r, Qt::AlignCenter, enfonce ? QStringLiteral("2.5") : QStringLiteral("2"));
        break;
    case Motif::Gauche: fleche(g, r, 2, QColor(0, 110, 200)); break;
    case Motif::Haut: fleche(g, r, 3, QColor(0, 110, 200)); break;
    case Motif::Droit: fleche(g, r, 0, QColor(0, 110, 200)); break;
    case Motif::Bas: fleche(g, r, 1, QColor(0, 110, 200)); break;
    case Motif::Moteur: {
        g.setPen(QPen(enfonce ? QColor(0, 150, 0) : Qt::black, std::max(1.0, s / 12)));
        g.setBrush(Qt::NoBrush);
        g.drawEllipse(c, s * 0.26, s * 0.26);
        g.drawText(r, Qt::AlignCenter, QStringLiteral("M"));
        break;
    }
    case Motif::Parking:
        g.setPen(enfonce ? QColor(0, 0, 160) : Qt::black);
        g.drawText(r, Qt::AlignCenter, QStringLiteral("P"));
        break;
    case Motif::Poursuite: {
        g.setPen(QPen(enfonce ? QColor(200, 0, 0) : Qt::black, std::max(1.0, s / 14)));
        g.setBrush(Qt::NoBrush);
        g.drawEllipse(c, s * 0.28, s * 0.28);
        g.drawEllipse(c, s * 0.12, s * 0.12);
        g.drawLine(c - QPointF(s * 0.38, 0), c + QPointF(s * 0.38, 0));
        g.drawLine(c - QPointF(0, s * 0.38), c + QPointF(0, s * 0.38));
        break;
    }
    case Motif::Signal: {
        g.setPen(QPen(enfonce ? QColor(200, 0, 0) : QColor(0, 120, 0), std::max(1.0, s / 14)));
        QPainterPath p;
        p.moveTo(r.left() + s * 0.15, c.y());
        for (int i = 1; i <= 12; ++i)
            p.lineTo(r.left() + s * (0.15 + 0.7 * i / 12), c.y() - s * 0.25 * std::sin(i * 1.3));
        g.setBrush(Qt::NoBrush);
        g.drawPath(p);
        break;
    }
    case Motif::Info:
        g.setPen(QColor(0, 0, 160));
        g.drawText(r, Qt::AlignCenter, QStringLiteral("i"));
        break;
    }
}

} // namespace

QPixmap bouton(Motif m, bool enfonce, QSize twips)
{
    QPixmap p = toile(twips);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), taille(p));
    g.fillRect(r, enfonce ? QColor(168, 168, 168) : QColor(200, 200, 200));
    // Bevel: light edge top-left and dark bottom-right when raised, swapped
    // when sunk; one device pixel wide, on the outermost row and column of
    // device pixels (d is one device pixel in the painter's units).
    const QColor clair(255, 255, 255), sombre(80, 80, 80);
    const double d = 1.0 / p.devicePixelRatio(), droite = r.width() - d, bas = r.height() - d;
    auto trait = [&g](const QColor& c) {
        QPen pen(c, 1);
        pen.setCosmetic(true);
        return pen;
    };
    g.setRenderHint(QPainter::Antialiasing, false);
    g.setPen(trait(enfonce ? sombre : clair));
    g.drawLine(QPointF(0, 0), QPointF(droite, 0));
    g.drawLine(QPointF(0, 0), QPointF(0, bas));
    g.setPen(trait(enfonce ? clair : sombre));
    g.drawLine(QPointF(0, bas), QPointF(droite, bas));
    g.drawLine(QPointF(droite, 0), QPointF(droite, bas));
    g.setRenderHint(QPainter::Antialiasing);
    QRectF interieur = r.adjusted(2, 2, -2, -2);
    if (enfonce)
        interieur.translate(1, 1);
    motif(g, m, interieur, enfonce);
    return p;
}

QPixmap iconeAntenne()
{
    QPixmap p = toile(QSize(270, 270));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const double w = taille(p).width(), h = taille(p).height();
    g.setPen(QPen(QColor(220, 0, 0), std::max(1.0, w / 10)));
    g.setBrush(Qt::NoBrush);
    g.drawEllipse(QPointF(w / 2, h / 2), w * 0.36, h * 0.36);
    g.setPen(QPen(QColor(220, 0, 0), 1));
    g.drawLine(QPointF(0, h / 2), QPointF(w, h / 2));
    g.drawLine(QPointF(w / 2, 0), QPointF(w / 2, h));
    return p;
}

QPixmap marqueurLune(const QImage& phase)
{
    QPixmap p = toile(QSize(270, 270));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::SmoothPixmapTransform);
    // A ring 1.5 pixels wide on the marker's edge, the disc inside it.
    const QRectF r(QPointF(0, 0), taille(p));
    g.drawImage(r.adjusted(1.5, 1.5, -1.5, -1.5), phase);
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(QColor(230, 230, 230), 1.5));
    g.drawEllipse(r.adjusted(0.75, 0.75, -0.75, -0.75));
    return p;
}

QPixmap flecheDirection(int sens)
{
    QPixmap p = toile(QSize(240, 240));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    static constexpr int Quarts[4] = {2, 3, 0, 1};
    fleche(g, QRectF(QPointF(0, 0), taille(p)), Quarts[sens & 3], QColor(220, 0, 0));
    return p;
}

QImage echelleNiveau()
{
    // At the screen's pixel ratio, as the picture boxes draw.
    const QPixmap modele = platform::pictureCanvas(platform::twipsToPixels(QSize(1545, 1365)));
    QImage image(modele.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(modele.devicePixelRatio());
    image.fill(QColor(0x20, 0x20, 0x20));
    QPainter g(&image);
    auto p = [](double twips) { return platform::pixelsPerTwip() * twips; };
    g.setPen(QPen(QColor(90, 90, 90), 1));
    g.drawLine(QPointF(p(200), 0), QPointF(p(200), p(1350)));
    g.drawLine(QPointF(p(1340), 0), QPointF(p(1340), p(1350)));
    // The figures stand left of x = 200, where the curve starts: their size
    // is the largest (up to 150 twips) at which "50" fits there with a pixel
    // to spare, whatever the face.
    QFont f = g.font();
    int taille = std::max(6, int(p(150)));
    f.setPixelSize(taille);
    while (taille > 6 && QFontMetricsF(f).horizontalAdvance(QStringLiteral("50")) > p(185) - 1)
        f.setPixelSize(--taille);
    g.setFont(f);
    const double hauteur = QFontMetricsF(f).height(), bas = p(1365);
    for (int db = 0; db <= 50; db += 10) {
        const double y = p((1 - db / 51.0) * 1350);
        g.setPen(QPen(QColor(90, 90, 90), 1, db == 0 ? Qt::SolidLine : Qt::DotLine));
        g.drawLine(QPointF(p(200), y), QPointF(p(1545), y));
        g.setPen(QColor(170, 170, 170));
        // The figure centred on its line, held a pixel inside the picture
        // (0 dB lies 15 twips above its bottom edge, 50 dB 26 below its top).
        const QRectF boite(0, std::clamp(y - hauteur / 2, 1.0, bas - 1 - hauteur), p(185), hauteur);
        g.drawText(boite, Qt::AlignRight | Qt::AlignVCenter, QString::number(db));
    }
    return image;
}

} // namespace dessins
