#include "assets/Assets.h"

#include "assets/CouleursCiel.h"
#include "platform/Geometry.h"

#include <QGuiApplication>
#include <QScreen>

namespace assets {

namespace {

// Loads ":/<chemin>.png", or its "@2x" twin on a dense screen, at `twips`.
QImage charge(const QString& chemin, QSize twips)
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const bool dense = ecran && ecran->devicePixelRatio() > 1.0;
    QImage image(QStringLiteral(":/") + chemin + (dense ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
    if (image.isNull())
        return image;
    if (dense)
        image.setDevicePixelRatio(2.0);
    const QSize voulu = platform::twipsToPixels(twips);
    if (image.deviceIndependentSize().toSize() != voulu) {
        const qreal r = image.devicePixelRatio();
        image = image.scaled(voulu * r, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        image.setDevicePixelRatio(r);
    }
    return image;
}

} // namespace

QImage carteMonde(QSize twips) { return charge(QStringLiteral("cartes/worldmap"), twips); }

QImage carteCiel() { return charge(QStringLiteral("ciel/skychart"), QSize(5490, 4125)); }

QImage carteCielTracking() { return charge(QStringLiteral("ciel/skychart-tracking"), QSize(5760, 2760)); }

QImage marqueurSoleil() { return charge(QStringLiteral("ciel/sun"), QSize(270, 270)); }

QImage phaseLune(int k)
{
    if (k < 0 || k > 7)
        return QImage();
    return charge(QStringLiteral("ciel/moon%1").arg(k), QSize(480, 480));
}

QImage phaseLune32(int k)
{
    if (k < 0 || k > 7)
        return QImage();
    return QImage(QStringLiteral(":/ciel/moon%1.png").arg(k));
}

QString nomPhaseLune(int k)
{
    static const char* const noms[8] = {"new Moon",  "waxing crescent", "first quarter", "waxing gibbous",
                                        "full Moon", "waning gibbous",  "last quarter",  "waning crescent"};
    return k >= 0 && k < 8 ? QString::fromLatin1(noms[k]) : QString();
}

QImage cleCouleursCiel() { return charge(QStringLiteral("ciel/skykey-colours"), QSize(2280, 2565)); }

QImage cleSourcesCiel() { return charge(QStringLiteral("ciel/skykey-sources"), QSize(1545, 2280)); }

QImage boutonInfoCiel() { return charge(QStringLiteral("ciel/info"), QSize(480, 480)); }

QColor couleurBandeCiel(int bande)
{
    if (bande < 0 || bande > 7)
        return QColor(Qt::black);
    return QColor(kCouleursBandesCiel[size_t(bande)]);
}

} // namespace assets
