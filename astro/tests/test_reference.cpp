// Independent check of the series: Moon and Sun positions, sidereal time and
// the topocentric step against PyEphem 4.1.4 (Debian's python3-ephem; Moon
// from the truncated ELP 2000-82 theory, Sun from VSOP87). The values were
// computed once by reference_ephem.py beside this file, which says exactly
// what each column is.
//
// The series take the day number as dynamical time, so PyEphem was evaluated
// at the UT instant whose dynamical time is the day number.
//
// Tolerances: the series agree with PyEphem to about 0.001 deg rms in the
// Moon's longitude (0.0033 deg at worst over 600 instants 1992..2040),
// 0.0006 deg in its latitude and 0.0001 deg in its parallax; the Sun to
// 0.0011 deg in right ascension. A single term of the tables copied wrong by
// a few thousandths of a degree breaks the per-instant limits, and a smaller
// one raises the rms over the 24 instants past its limit: a wrong sign is
// caught down to longitude terms of 0.0012 deg, latitude terms of 0.0004 deg
// and parallax terms of 0.0001 deg.

#include "astro/Astro.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace astro;

namespace {

constexpr double Deg = 180.0 / M_PI; // exact conversion for comparing with the reference

double EcartAngle(double a, double b) { return std::remainder(a - b, 360.0); }

struct Instant {
    double d;
    double luneLongitude, luneLatitude, luneParallaxe; // degrees
    double soleilAD, soleilDec;                       // degrees
    double soleilR;                                   // AU
};

const Instant Instants[] = {
    {33970.25000, 30.245676, 4.094612, 0.925312, 283.442977, -22.864204, 0.9832883},
    {34512.81250, 350.463208, 4.581834, 0.923806, 97.989545, 23.235122, 1.0166099},
    {35001.50000, 308.552676, 5.164433, 0.980311, 214.745279, -13.878225, 0.9929003},
    {35557.06250, 69.740022, -4.874620, 0.960548, 45.530395, 17.189902, 1.0094802},
    {36000.37500, 150.223918, -0.126237, 0.929737, 124.990732, 19.552547, 1.0157254},
    {36524.50000, 217.288221, 5.231327, 0.911519, 280.725340, -23.071166, 0.9833320},
    {36890.90625, 353.628864, -4.921401, 0.915355, 282.012624, -22.979038, 0.9833092},
    {37402.18750, 261.772491, -0.363802, 0.974403, 64.329793, 21.343741, 1.0132310},
    {37955.60000, 355.585003, -4.314237, 0.926581, 247.803023, -21.872799, 0.9859853},
    {38500.00000, 325.169952, -4.295100, 0.989760, 66.455946, 21.677245, 1.0136336},
    {39013.43750, 241.861616, -4.767392, 0.921857, 209.222843, -11.952179, 0.9945287},
    {39640.75000, 235.126475, -5.181916, 0.902351, 112.937046, 21.766073, 1.0165318},
    {40100.12500, 168.497953, -3.971276, 0.985614, 200.706474, -8.715433, 0.9970734},
    {40777.56250, 85.160083, -0.379550, 0.940234, 152.631037, 11.270997, 1.0111858},
    {41200.30000, 266.097313, 2.606327, 0.997862, 204.872032, -10.332810, 0.9957986},
    {41833.00000, 320.804532, 4.474288, 1.016709, 113.745280, 21.641751, 1.0164489},
    {42370.68750, 202.532321, 2.358395, 0.904678, 283.271602, -22.873728, 0.9833041},
    {42999.90000, 218.327407, 4.989427, 0.923185, 180.507253, -0.219646, 1.0033960},
    {43588.15000, 40.309328, -4.725739, 0.938500, 41.433077, 16.005643, 1.0083408},
    {44200.50000, 190.643393, 4.891638, 0.981699, 287.220703, -22.492935, 0.9832917},
    {45012.25000, 93.848261, 4.508721, 0.912934, 7.156872, 3.091828, 0.9980704},
    {46000.80000, 162.864222, 0.018398, 0.940119, 258.568609, -23.022081, 0.9847128},
    {47111.40000, 26.376541, 5.155370, 0.909662, 275.051901, -23.354557, 0.9834893},
    {49000.00000, 78.379132, -5.066942, 0.973853, 339.616079, -8.584798, 0.9900808},
};

struct Sideral {
    double jourJulien, heureUT, heures;
};

const Sideral Sideraux[] = {
    {36524.5, 0.0000, 6.664283},
    {40000.5, 6.5000, 1.589928},
    {44000.5, 13.2500, 7.197151},
    {47500.5, 21.7500, 5.705419},
};

struct Topo {
    double latitude, longitude;
    int altitude;
    double d, ad, dec, parallaxe, tsl;
    double azimut, hauteur, angleHoraire, decTopo;     // PyEphem, degrees
    double azimutG, hauteurG, angleHoraireG, decTopoG; // vector geometry, degrees
};

const Topo Topos[] = {
    {48.85, 2.35, 35, 40100.80208, 176.491823, -3.303151, 0.989640, 2.374418614, 133.280883, 26.286524, 319.128003, -4.072038, 133.280857, 26.279638, 319.124670, -4.078069},
    {-33.90, 18.40, 10, 41200.93750, 275.583066, -20.037688, 0.998812, 3.581233488, 96.997231, 26.031284, 288.776594, -19.610781, 96.997260, 26.024330, 288.770126, -19.607430},
    {60.20, 24.90, 20, 43588.78125, 47.316058, 13.078675, 0.951244, 6.091260502, 111.798544, 25.938639, 301.274657, 12.334008, 111.798524, 25.932357, 301.271603, 12.328479},
    {35.70, 139.70, 40, 45012.66667, 100.017912, 27.853644, 0.916706, 0.453862471, 74.396046, 27.250792, 285.178928, 27.476866, 74.396020, 27.244763, 285.172926, 27.474039},
    {-23.50, -46.60, 760, 46000.70833, 163.173019, 7.283571, 0.948742, 1.894882509, 66.874184, 27.613263, 304.679568, 7.719915, 66.874203, 27.606721, 304.673941, 7.723336},
};

EtatAstro AuJour(double d)
{
    EtatAstro e;
    e.JourJulien = std::floor(d - 0.5) + 0.5;
    e.FractionJour = d - e.JourJulien;
    e.HeureUT = e.FractionJour * 24.0;
    CalculTempsSideral(e);
    return e;
}

} // namespace

TEST(ReferenceEphem, MoonSeries)
{
    double sommeL = 0, sommeB = 0;
    for (const Instant& r : Instants) {
        EtatAstro e = AuJour(r.d);
        CalculSerieLune(e);
        const double dl = EcartAngle(e.LongitudeEcliptique * Deg, r.luneLongitude);
        const double db = e.LatitudeEcliptique * Deg - r.luneLatitude;
        EXPECT_LT(std::fabs(dl), 0.004) << "longitude at " << r.d;
        EXPECT_LT(std::fabs(db), 0.0025) << "latitude at " << r.d;
        EXPECT_LT(std::fabs(e.ParallaxeLune * Deg - r.luneParallaxe), 0.00015) << "parallax at " << r.d;
        sommeL += dl * dl;
        sommeB += db * db;
    }
    const double n = std::size(Instants);
    EXPECT_LT(std::sqrt(sommeL / n), 0.0015);
    EXPECT_LT(std::sqrt(sommeB / n), 0.0008);
}

TEST(ReferenceEphem, SunSeries)
{
    double sommeA = 0, sommeD = 0;
    for (const Instant& r : Instants) {
        EtatAstro e = AuJour(r.d);
        CalculSerieSoleil(e);
        EcliptiqueVersEquatorial(e);
        const double da = EcartAngle(e.AscensionDroite * Deg, r.soleilAD) * std::cos(r.soleilDec / Deg);
        const double dd = e.Declinaison * Deg - r.soleilDec;
        EXPECT_LT(std::fabs(da), 0.004) << "right ascension at " << r.d;
        EXPECT_LT(std::fabs(dd), 0.0015) << "declination at " << r.d;
        const double R = 8.794 / (e.ParallaxeLune * 57.29577951 * 3600.0);
        EXPECT_NEAR(R, r.soleilR, 2e-5) << "distance at " << r.d;
        sommeA += da * da;
        sommeD += dd * dd;
    }
    const double n = std::size(Instants);
    EXPECT_LT(std::sqrt(sommeA / n), 0.0015);
    EXPECT_LT(std::sqrt(sommeD / n), 0.0006);
}

TEST(ReferenceEphem, MoonRightAscensionAndDeclination)
{
    // The Moon's right ascension and declination, turned back to ecliptic
    // coordinates with the same true obliquity, give the reference's place:
    // the conversion keeps the series' accuracy. (The equatorial place leaves
    // out the nutation in longitude, up to 17", as the programs always have.)
    for (const Instant& r : Instants) {
        EtatAstro e = AuJour(r.d);
        CalculSerieLune(e);
        CalculNutation(e);
        EcliptiqueVersEquatorial(e);
        const double eps = (e.ObliquiteMoyenne + e.NutationObliquite) / 57.29577951;
        const double a = e.AscensionDroite, d = e.Declinaison;
        const double lambda = std::atan2(std::sin(a) * std::cos(eps) + std::tan(d) * std::sin(eps), std::cos(a));
        const double beta = std::asin(std::sin(d) * std::cos(eps) - std::cos(d) * std::sin(eps) * std::sin(a));
        EXPECT_LT(std::fabs(EcartAngle(lambda * Deg, r.luneLongitude)), 0.004) << r.d;
        EXPECT_LT(std::fabs(beta * Deg - r.luneLatitude), 0.0025) << r.d;
    }
}

TEST(ReferenceEphem, GreenwichSiderealTime)
{
    // PyEphem gives apparent sidereal time; the equation of the equinoxes is
    // at most 1.2 s.
    for (const Sideral& r : Sideraux) {
        EtatAstro e;
        e.JourJulien = r.jourJulien;
        e.HeureUT = r.heureUT;
        e.FractionJour = r.heureUT / 24.0;
        CalculTempsSideral(e);
        EXPECT_NEAR(std::remainder(e.TempsSideralLocal * 12.0 / M_PI - r.heures, 24.0), 0.0, 0.0004)
            << r.jourJulien << " " << r.heureUT;
    }
}

TEST(ReferenceEphem, TopocentricStep)
{
    // The reference's geocentric place and sidereal time go in (Moon more than
    // 25 deg high, where no refraction is added). The result must agree with
    // plain vector geometry to 0.0002 deg, and with PyEphem's own topocentric
    // place (which differs from that geometry by up to 0.007 deg) to 0.01 deg;
    // the parallax itself moves the Moon by most of a degree.
    for (const Topo& r : Topos) {
        EtatAstro e;
        e.LatitudeObservateur = r.latitude;
        e.Altitude = static_cast<int16_t>(r.altitude);
        e.TempsSideralLocal = r.tsl;
        e.AscensionDroite = r.ad / Deg;
        e.Declinaison = r.dec / Deg;
        e.ParallaxeLune = r.parallaxe / Deg;
        CalculAzElTopocentrique(e);
        EXPECT_NEAR(EcartAngle(e.AzimutSource, r.azimutG), 0.0, 0.0002) << r.d;
        EXPECT_NEAR(e.ElevationSource, r.hauteurG, 0.0002) << r.d;
        EXPECT_NEAR(EcartAngle(e.AngleHoraireTopo * Deg, r.angleHoraireG), 0.0, 0.0002) << r.d;
        EXPECT_NEAR(e.DeclinaisonTopo * Deg, r.decTopoG, 0.0002) << r.d;
        EXPECT_NEAR(EcartAngle(e.AzimutSource, r.azimut), 0.0, 0.01) << r.d;
        EXPECT_NEAR(e.ElevationSource, r.hauteur, 0.01) << r.d;
        EXPECT_NEAR(EcartAngle(e.AngleHoraireTopo * Deg, r.angleHoraire), 0.0, 0.01) << r.d;
        EXPECT_NEAR(e.DeclinaisonTopo * Deg, r.decTopo, 0.01) << r.d;
    }
}
