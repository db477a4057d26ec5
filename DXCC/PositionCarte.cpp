#include "DXCC/PositionCarte.h"

#include "astro/Astro.h"
#include "platform/Text.h"

namespace dxcc {

PointCarte positionSurCarte(const BoitesPosition& b)
{
    PointCarte p;
    for (int i = 0; i < int(b.size()); ++i) {
        if (b[size_t(i)].isEmpty()) {
            p.boiteVide = i;
            return p;
        }
    }
    p.latitude = float(platform::Val(b[0]) + platform::Val(b[1]) / 60);
    if (b[2].toUpper() != QStringLiteral("N"))
        p.latitude = -p.latitude;
    p.longitude = float(platform::Val(b[3]) + platform::Val(b[4]) / 60);
    if (b[5].toUpper() != QStringLiteral("E"))
        p.longitude = -p.longitude;
    try {
        p.x = astro::LongitudeVersCarteX(p.longitude);
        p.y = astro::LatitudeVersCarteY(p.latitude);
    } catch (const astro::Overflow&) {
        p.surCarte = false;
    }
    return p;
}

} // namespace dxcc
