#include "Planner/Pictures.h"

#include "platform/widgets/ImageButton.h"

#include <QPainter>
#include <cmath>

namespace pictures {

namespace {
// Eight rays round (x, y), from radius r1 out to r2.
void rayons(QPainter& p, double x, double y, double r1, double r2) {
    for (int i = 0; i < 8; ++i) {
        const double a = i * 3.14159265 / 4;
        p.drawLine(QPointF(x + r1 * std::cos(a), y + r1 * std::sin(a)), QPointF(x + r2 * std::cos(a), y + r2 * std::sin(a)));
    }
}
} // namespace

QPixmap bouton(const QString& s, bool enfonce) {
    // Made at the screen's pixel ratio and drawn in its 24 x 22 device-
    // independent pixels, so that it stays sharp on a dense screen.
    QPixmap pm = platform::pictureCanvas(QSize(24, 22));
    pm.fill(QColor(192, 192, 192));
    QPainter p(&pm);
    // The bevel: one device pixel wide on the outermost rows and columns
    // (d is one device pixel in the painter's units).
    const double d = 1.0 / pm.devicePixelRatio(), droite = 24 - d, bas = 22 - d;
    auto trait = [](Qt::GlobalColor c) {
        QPen pen(c, 1);
        pen.setCosmetic(true);
        return pen;
    };
    p.setPen(trait(enfonce ? Qt::darkGray : Qt::white));
    p.drawLine(QPointF(0, 0), QPointF(droite, 0));
    p.drawLine(QPointF(0, 0), QPointF(0, bas));
    p.setPen(trait(enfonce ? Qt::white : Qt::darkGray));
    p.drawLine(QPointF(droite, 0), QPointF(droite, bas));
    p.drawLine(QPointF(0, bas), QPointF(droite, bas));
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
        rayons(p, 12, 10, 6, 8);
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
// A 32 x 32 icon: black lines two pixels wide on white.
template <class Dessin>
QImage icone(Dessin dessin) {
    QImage im(32, 32, QImage::Format_RGB32);
    im.fill(Qt::white);
    QPainter p(&im);
    p.setPen(QPen(Qt::black, 2));
    dessin(p);
    p.end();
    return im;
}
} // namespace

const QImage& iconeHorloge() {
    static const QImage image = icone([](QPainter& p) {
        p.drawEllipse(3, 3, 26, 26);
        p.drawLine(16, 16, 16, 7);
        p.drawLine(16, 16, 22, 16);
    });
    return image;
}

const QImage& iconeSoleil() {
    static const QImage image = icone([](QPainter& p) {
        p.drawEllipse(10, 10, 12, 12);
        rayons(p, 16, 16, 9, 14);
    });
    return image;
}

const QImage& iconeCiel() {
    static const QImage image = icone([](QPainter& p) {
        for (int r = 4; r <= 12; r += 4)
            p.drawArc(16 - r, 16 - r, 2 * r, 2 * r, 30 * 16, 120 * 16);
        p.drawLine(16, 16, 16, 28);
    });
    return image;
}

const QImage& iconeCielCalme() {
    static const QImage image = icone([](QPainter& p) {
        for (auto pt : {QPoint(6, 8), QPoint(24, 6), QPoint(15, 16), QPoint(8, 25), QPoint(25, 24)})
            p.drawPoint(pt);
    });
    return image;
}

} // namespace pictures
