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

QString texteCarte(const QString& prefixe, const QString& lieu, const BoitesPosition& b)
{
    const PointCarte p = positionSurCarte(b);
    const QChar degre(0xB0);
    auto angle = [&](const QString& deg, const QString& min, bool positif, char oui, char non) {
        return deg + degre + QLatin1Char(' ') + min + QStringLiteral("' ") + QLatin1Char(positif ? oui : non);
    };
    constexpr int LargeurCarte = 5670; // twips, CarteMonde
    const bool marque = p.boiteVide < 0 && p.surCarte && p.x >= 0 && p.x <= LargeurCarte;
    return QStringLiteral("World map: ") + prefixe + QLatin1Char(' ') + lieu + QStringLiteral(" at ") +
           angle(b[0], b[1], b[2].toUpper() == QStringLiteral("N"), 'N', 'S') + QStringLiteral(", ") +
           angle(b[3], b[4], b[5].toUpper() == QStringLiteral("E"), 'E', 'W') +
           (marque ? QStringLiteral(", marked") : QStringLiteral(", not marked"));
}

} // namespace dxcc
