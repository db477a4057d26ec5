// Positions of the Moon, the Sun and the fixed radio sources: lunar series,
// solar elements with Kepler's equation, nutation, obliquity, ecliptic to
// equatorial conversion and precession from B1950.0.

#include "astro/Angles.h"
#include "astro/Astro.h"
#include "astro/Series.h"

#include <cmath>
#include <math.h> // sincos

namespace astro {

namespace {

using detail::CorrigeTour;
using detail::DeuxPi;
using detail::Frac;
constexpr double Pi = 3.1415926535;

double Rad(double degres) { return DegVersRad(degres); }
double Deg(double radians) { return RadVersDeg(radians); }

// Folds an angle into 0..2 pi: add 2 pi while below 0, then subtract 2 pi while
// above it (a value equal to 2 pi stays). Within a few turns this is the plain
// loop; a larger or non-finite value is first reduced with fmod so that no
// input can keep the loop running.
double PlieTour(double x)
{
    if (!(std::fabs(x) < 8.0 * DeuxPi))
        x = std::fmod(x, DeuxPi);
    while (x < 0.0)
        x += DeuxPi;
    while (x > DeuxPi)
        x -= DeuxPi;
    return x;
}


// Sum of a table of periodic terms, in row order.
template <std::size_t N>
double SommeSinus(const std::array<serie::Terme, N>& termes, double D, double M, double Mp, double F,
                  const double (&puissancesE)[3])
{
    double somme = 0.0;
    for (const serie::Terme& t : termes) {
        const double arg = ((t.a * D + t.b * M) + t.c * Mp) + t.f * F;
        somme += t.coefficient * puissancesE[t.puissanceE] * std::sin(arg);
    }
    return somme;
}

// For each parallax row, the longitude row with the same multiples (-1: none).
constexpr auto LigneLongitude = [] {
    std::array<int, serie::TermesParallaxe.size()> lignes{};
    for (std::size_t i = 0; i < serie::TermesParallaxe.size(); ++i) {
        const serie::Terme& p = serie::TermesParallaxe[i];
        lignes[i] = -1;
        for (std::size_t j = 0; j < serie::TermesLongitude.size(); ++j) {
            const serie::Terme& l = serie::TermesLongitude[j];
            if (l.a == p.a && l.b == p.b && l.c == p.c && l.f == p.f) {
                lignes[i] = static_cast<int>(j);
                break;
            }
        }
    }
    return lignes;
}();

} // namespace

void CalculSerieLune(EtatAstro& e)
{
    const double d = e.DateJulienne;
    const double T = e.SiecleJulien;
    const double T2 = e.SiecleJulienCarre;

    // Mean elements, degrees (not folded).
    double Lp = 360.0 * Frac(d / 27.32158213) + 270.434164 - (0.001133 - 0.0000019 * T) * T2;
    double M = 360.0 * Frac(d / 365.2596407) + 358.475833 - (0.00015 + 0.0000033 * T) * T2;
    double Mp = (0.009192 + 0.0000144 * T) * T2 + (360.0 * Frac(d / 27.55455094) + 296.104608);
    double D = 360.0 * Frac(d / 29.53058868) + 350.737486 - (0.001436 - 0.0000019 * T) * T2;
    double F = 360.0 * Frac(d / 27.21222039) + 11.250889 - (0.003211 + 0.0000003 * T) * T2;
    double Om = (0.002078 + 0.000022 * T) * T2 + (259.183275 - 360.0 * Frac(d / 6798.363307));

    // Additive corrections.
    const double S1 = std::sin(Rad(51.2 + 20.2 * T));
    const double S2 = std::sin(Rad(346.56 + (132.87 - 0.0091731 * T) * T));
    const double SOm = std::sin(Rad(Om));
    const double S3 = std::sin(Rad(Om + 275.05 - 2.3 * T));
    Lp = Lp + 0.000233 * S1 + 0.003964 * S2 + 0.001964 * SOm;
    M = M - 0.001778 * S1;
    Mp = Mp + 0.000817 * S1 + 0.003964 * S2 + 0.002541 * SOm;
    D = D + 0.002011 * S1 + 0.003964 * S2 + 0.001964 * SOm;
    F = F + 0.003964 * S2 - 0.024691 * SOm - 0.004328 * S3;

    // Eccentricity factor of the Earth's orbit.
    const double E = 1.0 - (0.002495 + 0.00000752 * T) * T;
    const double puissancesE[3] = {1.0, E, E * E};

    // The angle of the omega2 latitude term: the node plus 275.05 - 2.3 T, all
    // in degrees, taken to radians before the cosine (the same angle as S3).
    // Against PyEphem over 3000 instants 1993..2041 this gives 0.00056 deg rms
    // in latitude; adding 275.05 - 2.3 T to the node in radians instead gives
    // 0.00068 deg, and a fit of the residuals picks the degree form.
    const double argOmega2 = Rad(Om + 275.05 - 2.3 * T);

    const double LpR = Rad(Lp), MR = Rad(M), MpR = Rad(Mp), DR = Rad(D), FR = Rad(F), OmR = Rad(Om);

    // Longitude terms; the cosines of their arguments are kept for the
    // parallax rows that share them (same argument, same value).
    double cosinus[serie::TermesLongitude.size()];
    double sl = 0.0;
    for (std::size_t i = 0; i < serie::TermesLongitude.size(); ++i) {
        const serie::Terme& t = serie::TermesLongitude[i];
        const double arg = ((t.a * DR + t.b * MR) + t.c * MpR) + t.f * FR;
        double sinus;
        ::sincos(arg, &sinus, &cosinus[i]);
        sl += t.coefficient * puissancesE[t.puissanceE] * sinus;
    }
    e.LongitudeEcliptique = PlieTour(Rad(sl) + LpR);

    const double B = SommeSinus(serie::TermesLatitude, DR, MR, MpR, FR, puissancesE);
    const double w1 = 0.0004664 * std::cos(OmR);
    const double w2 = 0.0000754 * std::cos(argOmega2);
    e.LatitudeEcliptique = Rad(B) * ((1.0 - w1) - w2);

    double P = serie::TermesParallaxe[0].coefficient;
    for (std::size_t i = 1; i < serie::TermesParallaxe.size(); ++i) {
        const serie::Terme& t = serie::TermesParallaxe[i];
        const int j = LigneLongitude[i];
        const double c = j >= 0 ? cosinus[j] : std::cos(((t.a * DR + t.b * MR) + t.c * MpR) + t.f * FR);
        P += t.coefficient * puissancesE[t.puissanceE] * c;
    }
    e.ParallaxeLune = Rad(P);
}

void ResoutKepler(EtatAstro& e)
{
    const double ex = e.Excentricite;
    const double m = e.AnomalieMoyenne - std::floor(e.AnomalieMoyenne / DeuxPi) * DeuxPi;
    double E = m;
    double delta = E - ex * std::sin(E) - m;
    // Newton's method converges in a few rounds for any eccentricity below 1;
    // the bound only keeps a pathological input (e >= 1, NaN) from hanging.
    for (int tour = 0; tour < 50 && std::fabs(delta) >= 1e-6; ++tour) {
        delta = delta / (1.0 - ex * std::cos(E));
        E = E - delta;
        if (std::fabs(delta) < 1e-6)
            break;
        delta = E - ex * std::sin(E) - m;
    }
    e.AnomalieExcentrique = E;
    e.AnomalieVraie = 2.0 * std::atan(std::sqrt((1.0 + ex) / (1.0 - ex)) * std::tan(E / 2.0));
}

void CalculSerieSoleil(EtatAstro& e)
{
    const double T = e.SiecleJulien;
    const double T2 = e.SiecleJulienCarre;

    const double L = (0.0003025 * T2 + 279.69668) + 360.0 * Frac(100.0021359 * T);
    const double M = (358.47583 - (0.00015 + 0.0000033 * T) * T2) + 360.0 * Frac(99.99736042 * T);
    e.Excentricite = (0.01675104 - 0.0000418 * T) - 0.000000126 * T2;
    e.AnomalieMoyenne = Rad(M);
    ResoutKepler(e);

    // Perturbations by Venus, Jupiter, the Moon and the long-period term.
    const double A = 360.0 * Frac(62.55209472 * T) + 153.23;
    const double B = 360.0 * Frac(125.1041894 * T) + 216.57;
    const double C = 360.0 * Frac(91.56766028 * T) + 312.69;
    const double Dm = (350.74 - 0.00144 * T2) + 360.0 * Frac(1236.853095 * T);
    const double G = 20.2 * T + 231.19;
    const double H = 360.0 * Frac(183.1353208 * T) + 353.4;
    const double dl = 0.00134 * std::cos(Rad(A)) + 0.00154 * std::cos(Rad(B)) + 0.002 * std::cos(Rad(C))
                      + 0.00179 * std::sin(Rad(Dm)) + 0.00178 * std::sin(Rad(G));
    const double dR = 0.00001575 * std::sin(Rad(B)) + 0.00000543 * std::sin(Rad(A))
                      + 0.00001627 * std::sin(Rad(C)) + 0.00003076 * std::cos(Rad(Dm))
                      + 0.00000927 * std::sin(Rad(H));

    double vraie = Rad((L - M) + dl) + e.AnomalieVraie;
    const double R = (1.0 - e.Excentricite * std::cos(e.AnomalieExcentrique)) * 1.0000002 + dR;
    e.ParallaxeLune = Rad(8.794 / (R * 3600.0));

    vraie = PlieTour(vraie);
    CalculNutation(e);
    e.LongitudeEcliptique = Rad(Deg(vraie) + e.NutationLongitude - 0.00569);
    e.LatitudeEcliptique = 0.0;
}

void CalculNutation(EtatAstro& e)
{
    const double T = e.SiecleJulien;
    const double T2 = e.SiecleJulienCarre;
    const auto& [longitude, obliquite] = e.RepriseNutation({T, T2}, [T, T2] {
        const double L = Rad((0.000303 * T2 + 279.6967) + 360.0 * Frac(100.0021358 * T));
        const double Lp = Rad((270.4342 - 0.001133 * T2) + 360.0 * Frac(1336.855231 * T));
        const double M = Rad((358.4758 - 0.00015 * T2) + 360.0 * Frac(99.99736056 * T));
        const double Mp = Rad((0.009192 * T2 + 296.1046) + 360.0 * Frac(1325.552359 * T));
        const double Om = Rad((0.002078 * T2 + 259.1833) - 360.0 * Frac(5.372616667 * T));
        const double L2 = 2.0 * L, Lp2 = 2.0 * Lp, Om2 = 2.0 * Om;

        // Arc seconds, summed in table order.
        double dpsi = (-17.2327 - 0.01737 * T) * std::sin(Om);
        dpsi += (-1.2729 - 0.00013 * T) * std::sin(L2);
        dpsi += 0.2088 * std::sin(Om2);
        dpsi += -0.2037 * std::sin(Lp2);
        dpsi += (0.1261 - 0.00031 * T) * std::sin(M);
        dpsi += 0.0675 * std::sin(Mp);
        dpsi += -(0.0497 - 0.00012 * T) * std::sin(M + L2);
        dpsi += -0.0342 * std::sin(Lp2 - Om);
        dpsi += -0.0261 * std::sin(Mp + Lp2);
        dpsi += 0.0214 * std::sin(L2 - M);
        dpsi += -0.0149 * std::sin(L2 - Lp2 + Mp);
        dpsi += 0.0124 * std::sin(L2 - Om);
        dpsi += 0.0114 * std::sin(Lp2 - Mp);

        double deps = (0.5522 - 0.00029 * T) * std::cos(L2);
        deps += (9.21 + 0.00091 * T) * std::cos(Om);
        deps += -0.0904 * std::cos(Om2);
        deps += 0.0884 * std::cos(Lp2);
        deps += 0.0216 * std::cos(M + L2);
        deps += 0.0183 * std::cos(Lp2 - Om);
        deps += 0.0113 * std::cos(Mp + Lp2);
        deps += -0.0093 * std::cos(L2 - M);
        deps += -0.0066 * std::cos(L2 - Om);

        return std::array<double, 2>{dpsi / 3600.0, deps / 3600.0};
    });
    e.NutationLongitude = longitude;
    e.NutationObliquite = obliquite;
}

void CalculObliquite(EtatAstro& e)
{
    const double T = e.SiecleJulien;
    e.ObliquiteMoyenne = 23.45229444 - (((-0.00181 * T + 0.0059) * T + 46.845) * T) / 3600.0;
}

void EcliptiqueVersEquatorial(EtatAstro& e)
{
    CalculObliquite(e);
    const double lambda = e.LongitudeEcliptique;
    const double beta = e.LatitudeEcliptique;
    const double eps = Rad(e.NutationObliquite + e.ObliquiteMoyenne);

    double cb = std::cos(beta);
    // The single-precision magnitude is compared with 1e-20 itself.
    if (static_cast<double>(std::fabs(static_cast<float>(cb))) < 1e-20)
        cb = 1e-20;
    const auto& [sinEps, cosEps] =
        e.RepriseObliquite({eps}, [eps] { return std::array<double, 2>{std::sin(eps), std::cos(eps)}; });
    const double sinL = std::sin(lambda), cosL = std::cos(lambda);
    const double sinB = std::sin(beta);

    double s = cb * sinEps * sinL + cosEps * sinB;
    e.Declinaison = ArcSin(s);

    double a = std::atan((sinL * cosEps - (sinB / cb) * sinEps) / cosL);
    if (cosL < 0.0)
        a += Pi;
    e.AscensionDroite = CorrigeTour(a);
}

void CalculPrecession(EtatAstro& e)
{
    const double d = e.DateJulienne;
    const double T = e.SiecleJulien;
    const double T0 = 18262.423 / 36525.0;
    const double N = (d - 18262.423) / 365.2425;
    const double m = ((3.07234 + 0.00186 * T) + (3.07234 + 0.00186 * T0)) / 2.0;
    const double n = ((20.0468 - 0.0085 * T) + (20.0468 - 0.0085 * T0)) / 2.0;
    const double alpha = e.AscensionDroite;
    const double delta = e.Declinaison;
    const auto& [sinAlpha, cosAlpha, tanDelta] = e.ReprisePrecession({alpha, delta}, [alpha, delta] {
        return std::array<double, 3>{std::sin(alpha), std::cos(alpha), std::tan(delta)};
    });
    // Radians per second of time and per arc second, as single-precision values.
    const double da = ((sinAlpha * n * tanDelta) / 15.0 + m) * 7.27220467524603e-05 * N;
    const double dd = (cosAlpha * n * 4.848136995860841e-06) * N;
    e.AscensionDroite = CorrigeTour(alpha + da);
    e.Declinaison = delta + dd;
}

void CalculPositionSource(EtatAstro& e, int CodeSource)
{
    if (CodeSource == 0) {
        CalculSerieLune(e);
        CalculNutation(e);
        EcliptiqueVersEquatorial(e);
        CalculAzElTopocentrique(e);
        CalculPerteDoppler(e);
    } else if (CodeSource == 1) {
        CalculSerieSoleil(e);
        EcliptiqueVersEquatorial(e);
        CalculAzElTopocentrique(e);
    } else if (CodeSource >= 2 && CodeSource <= 8) {
        const SourceFixe& s = PositionSourcesFixes[CodeSource - 2];
        e.AscensionDroite = Rad(s.AscensionDroite);
        e.Declinaison = Rad(s.Declinaison);
        e.ParallaxeLune = 1e-12;
        CalculPrecession(e);
        CalculAzElTopocentrique(e);
    }
}

} // namespace astro
