#include "Planner/Pictures.h"

#include <QPainter>
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

} // namespace pictures
