#include "assets/Assets.h"

#include "platform/Geometry.h"

#include <QGuiApplication>
#include <QScreen>

namespace assets {

QImage carteMonde(QSize twips)
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const bool dense = ecran && ecran->devicePixelRatio() > 1.0;
    QImage image(dense ? QStringLiteral(":/cartes/worldmap@2x.png") : QStringLiteral(":/cartes/worldmap.png"));
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

} // namespace assets
