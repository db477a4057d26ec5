// Topocentric hour angle and declination (geodetic parallax), azimuth and
// elevation with refraction, the Earth-rotation Doppler factor, and the Moon's
// extra path loss and echo Doppler.

#include "astro/Angles.h"
#include "astro/Astro.h"

#include <cmath>

namespace astro {

using detail::CorrigeTour;
using detail::DeuxPi;
using detail::Frac;

double Refraction(double e)
{
    if (e < -5.0)
        return 0.0;
    if (e <= -1.0)
        return 0.9;
    if (e <= 15.0)
        return 1013.0 * (0.1594 + 0.0196 * e + 0.00002 * (e * e)) / (283.0 * (1.0 + 0.505 * e + 0.0845 * (e * e)));
    if (e <= 20.0)
        return (20.0 - e) * 0.011882;
    return 0.0;
}

void CalculAzElTopocentrique(EtatAstro& e)
{
    const double delta = e.Declinaison;
    const double H = CorrigeTour(e.TempsSideralLocal - e.AscensionDroite);
    const double latitude = e.LatitudeObservateur, altitude = e.Altitude;
    const auto& [sinPhi, cosPhi, rhoS, rhoC] = e.RepriseObservateur({latitude, altitude}, [latitude, altitude] {
        double l = latitude;
        const double phi = DegVersRad(l);
        const double s = std::sin(phi), c = std::cos(phi);
        // Geocentric place of the observer, in Earth radii.
        const double hr = altitude / 6378140.0;
        const double u = std::atan(0.996647 * s / c);
        return std::array<double, 4>{s, c, s * hr + 0.996647 * std::sin(u), c * hr + std::cos(u)};
    });

    const double r = 1.0 / std::sin(e.ParallaxeLune); // distance, Earth radii
    const double sinH = std::sin(H), cosH = std::cos(H);
    const double cosDelta = std::cos(delta), sinDelta = std::sin(delta);

    const double Hp = H + std::atan((sinH * rhoC) / (r * cosDelta - cosH * rhoC));
    e.AngleHoraireTopo = CorrigeTour(Hp);
    const double sinHp = std::sin(e.AngleHoraireTopo), cosHp = std::cos(e.AngleHoraireTopo);
    // The uncorrected hour angle stands in the denominator.
    const double dp = std::atan(((r * sinDelta - rhoS) * cosHp) / (r * cosDelta * cosH - rhoC));
    e.DeclinaisonTopo = dp;
    const double sinDp = std::sin(dp), cosDp = std::cos(dp);

    // 80047.78081118 = 4 pi x 6370 km.
    e.FacteurDopplerRotation = static_cast<float>(-(cosPhi * 80047.78081118 * sinHp * cosDp)
                                                  / ((cosHp * 0.034 + 1.0) * 24.0 * 3.6 * 300.0));

    double s = cosPhi * cosDp * cosHp + sinDp * sinPhi;
    double elev = ArcSin(s); // clamps s
    double c = cosPhi * std::cos(elev);
    // The single-precision value of c is compared with 1e-20 itself.
    if (static_cast<double>(static_cast<float>(c)) < 1e-20)
        c = 1e-20;
    double x = (sinDp - sinPhi * s) / c;
    double A = ArcCos(x);
    if (sinHp > 0.0)
        A = DeuxPi - A;
    e.AzimutSource = RadVersDeg(A);
    elev = RadVersDeg(elev);
    e.ElevationSource = elev + Refraction(elev);
}

void CalculPerteDoppler(EtatAstro& e)
{
    if (e.variante == Variante::Tracking) {
        // Tracking's form, the epoch being the single-precision value of
        // 33966.208.
        const float distance = static_cast<float>(6378.14 / std::sin(e.ParallaxeLune));
        e.PerteSupplementaire = static_cast<float>(40.0 * std::log(357000.0 / distance) / std::log(10.0));
        const float k = static_cast<float>(static_cast<double>(e.FacteurDopplerRotation) * e.Freq);
        // Held in single precision: the distance, the loss, the day count
        // from the epoch, its phase within the 27.555-day period, the radial
        // speed and both Doppler terms. The quotient before the phase is
        // taken and the angle itself are not rounded.
        const float jours = static_cast<float>(e.DateJulienne - static_cast<double>(33966.20703125f));
        const double periodes = jours / 27.555;
        const float phase = static_cast<float>(periodes - std::floor(periodes));
        const double a = phase * 6.283185308;
        const float v = static_cast<float>((135088484.1005 / 2380752.0) * std::sin(a));
        const float dopplerLune = static_cast<float>(((static_cast<double>(v) + v) * e.Freq) / 300.0);
        e.DopplerSource = CLngAstro(static_cast<double>(dopplerLune) + k);
        return;
    }
    const double distance = 6378.14 / std::sin(e.ParallaxeLune);
    e.PerteSupplementaire = static_cast<float>(40.0 * std::log(357000.0 / distance) / std::log(10.0));
    const double k = static_cast<double>(e.FacteurDopplerRotation) * e.Freq;
    const double a = Frac((e.DateJulienne - 33966.208) / 27.555) * 6.283185308;
    const double v = (135088484.1005 / 2380752.0) * std::sin(a); // radial speed, m/s
    e.DopplerSource = CLngAstro((((v + v) * e.Freq) / 300.0) + k);
}

} // namespace astro
