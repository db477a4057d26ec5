#include "Planner/Pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace pictures {

QPixmap bouton(const QString& s, bool enfonce) {
    QPixmap pm(24, 22);
    pm.fill(QColor(192, 192, 192));
    QPainter p(&pm);
    p.setPen(enfonce ? Qt::darkGray : Qt::white);
    p.drawLine(0, 0, 23, 0);
    p.drawLine(0, 0, 0, 21);
    p.setPen(enfonce ? Qt::white : Qt::darkGray);
    p.drawLine(23, 0, 23, 21);
    p.drawLine(0, 21, 23, 21);
    p.translate(enfonce ? 1 : 0, enfonce ? 1 : 0);
    p.setRenderHint(QPainter::Antialiasing);
    if (s == "new") {
        p.setBrush(Qt::white);
        p.setPen(Qt::black);
        p.drawRect(7, 4, 10, 13);
        p.drawLine(9, 8, 15, 8);
        p.drawLine(9, 11, 15, 11);
    } else if (s == "quit") {
        p.setPen(QPen(Qt::darkRed, 2));
        p.drawLine(7, 6, 16, 15);
        p.drawLine(16, 6, 7, 15);
    } else if (s == "moon") {
        p.setBrush(QColor(230, 230, 150));
        p.setPen(Qt::black);
        p.drawEllipse(6, 4, 12, 12);
    } else if (s == "sun") {
        p.setBrush(Qt::yellow);
        p.setPen(QColor(200, 120, 0));
        p.drawEllipse(8, 6, 8, 8);
        for (int i = 0; i < 8; ++i) {
            const double a = i * 3.14159265 / 4;
            p.drawLine(QPointF(12 + 6 * std::cos(a), 10 + 6 * std::sin(a)), QPointF(12 + 8 * std::cos(a), 10 + 8 * std::sin(a)));
        }
    } else if (s == "sky") {
        p.setPen(Qt::darkBlue);
        for (auto pt : {QPoint(6, 6), QPoint(16, 5), QPoint(11, 11), QPoint(7, 15), QPoint(17, 14)})
            p.drawEllipse(pt, 1, 1);
    } else if (s == "prev") {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(5, 4, 14, 12);
        p.drawLine(5, 8, 19, 8);
        p.drawLine(10, 4, 10, 16);
    } else if (s == "dx") {
        p.setPen(Qt::darkGreen);
        p.drawText(QRect(0, 0, 24, 20), Qt::AlignCenter, QStringLiteral("DX"));
    } else if (s == "print") {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(7, 3, 10, 6);
        p.setBrush(Qt::gray);
        p.drawRect(4, 9, 16, 7);
    } else if (s == "info") {
        p.setPen(Qt::darkBlue);
        p.drawText(QRect(0, 0, 24, 20), Qt::AlignCenter, QStringLiteral("i"));
    }
    return pm;
}

namespace {
QImage blanc(int n = 32) {
    QImage im(n, n, QImage::Format_RGB32);
    im.fill(Qt::white);
    return im;
}
} // namespace

QImage iconeHorloge() {
    QImage im = blanc();
    QPainter p(&im);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(3, 3, 26, 26);
    p.drawLine(16, 16, 16, 7);
    p.drawLine(16, 16, 22, 16);
    return im;
}

QImage iconeSoleil() {
    QImage im = blanc();
    QPainter p(&im);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(10, 10, 12, 12);
    for (int i = 0; i < 8; ++i) {
        const double a = i * 3.14159265 / 4;
        p.drawLine(QPointF(16 + 9 * std::cos(a), 16 + 9 * std::sin(a)), QPointF(16 + 14 * std::cos(a), 16 + 14 * std::sin(a)));
    }
    return im;
}

QImage iconeCiel() {
    QImage im = blanc();
    QPainter p(&im);
    p.setPen(QPen(Qt::black, 2));
    for (int r = 4; r <= 12; r += 4)
        p.drawArc(16 - r, 16 - r, 2 * r, 2 * r, 30 * 16, 120 * 16);
    p.drawLine(16, 16, 16, 28);
    return im;
}

QImage iconeCielCalme() {
    QImage im = blanc();
    QPainter p(&im);
    p.setPen(QPen(Qt::black, 2));
    for (auto pt : {QPoint(6, 8), QPoint(24, 6), QPoint(15, 16), QPoint(8, 25), QPoint(25, 24)})
        p.drawPoint(pt);
    return im;
}

QImage phaseLune(int k) {
    QImage im = blanc();
    QPainter p(&im);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    p.drawEllipse(2, 2, 28, 28); // dark disc, then the lit part in white
    const double f = (1 - std::cos(k * 3.14159265 / 4)) / 2; // lit fraction
    if (f > 0.01) {
        QPainterPath disque;
        disque.addEllipse(3, 3, 26, 26);
        const double w = 26 * std::fabs(1 - 2 * f);
        QPainterPath moitie;
        // Lit on the right while waxing (k 1..3), on the left while waning (5..7).
        const bool droite = k <= 4;
        moitie.addRect(droite ? 16 : 3, 3, 13, 26);
        QPainterPath ellipse;
        ellipse.addEllipse(QRectF(16 - w / 2, 3, w, 26));
        QPainterPath eclaire = f < 0.5 ? (disque.intersected(moitie)).subtracted(ellipse)
                                       : disque.intersected(moitie).united(disque.intersected(ellipse));
        p.fillPath(eclaire, Qt::white);
    }
    return im;
}

QImage marqueurSoleil() {
    QImage im(18, 18, QImage::Format_ARGB32);
    im.fill(Qt::transparent);
    QPainter p(&im);
    p.setBrush(Qt::yellow);
    p.setPen(QPen(QColor(220, 0, 0), 2));
    p.drawEllipse(3, 3, 12, 12);
    return im;
}

QImage carteCiel() {
    // Stand-in chart until the drawn radio-sky chart is available: the grid and
    // a band along the galactic plane, to the chart's scale.
    QImage im(366, 275, QImage::Format_RGB32);
    im.fill(QColor(0, 0, 128));
    QPainter p(&im);
    const double kx = 4890.0 / 360 / 15, ky = 3665.0 / 180 / 15; // pixels per degree
    auto X = [&](double a) { return (5315 - a * 4890.0 / 360) / 15 + 250.0 / 30; };
    auto Y = [&](double d) { return ((90 - d) * 3665.0 / 180) / 15; };
    p.setPen(QPen(QColor(0, 160, 160), 6));
    QPolygonF plan;
    for (int a = 0; a <= 360; a += 5) {
        const double ra = a * 0.01745329252;
        const double d = std::atan(std::sin(ra - 3.366) * std::tan(1.097)) / 0.01745329252;
        plan << QPointF(X(a), Y(d));
    }
    p.drawPolyline(plan);
    p.setPen(QColor(128, 128, 128));
    for (int h = 0; h <= 24; h += 3)
        p.drawLine(QPointF(X(h * 15), Y(90)), QPointF(X(h * 15), Y(-90)));
    for (int d = -90; d <= 90; d += 30)
        p.drawLine(QPointF(X(0), Y(d)), QPointF(X(360), Y(d)));
    (void)kx;
    (void)ky;
    return im;
}

} // namespace pictures
