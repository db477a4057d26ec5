// Topocentric step: refraction bands, parallax, the rotation Doppler factor,
// azimuth guards, and the Moon's extra loss and echo Doppler in both variants.

#include "astro/Astro.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace astro;

namespace {

constexpr double Deg = 57.29577951;

// A source at the given hour angle and declination (degrees) for an observer
// at latitude phi, with the sidereal time fixed at 1 rad.
EtatAstro Source(double angleHoraire, double declinaison, double phi, double parallaxe = 1e-12)
{
    EtatAstro e;
    e.TempsSideralLocal = 1.0;
    e.AscensionDroite = 1.0 - angleHoraire / Deg;
    if (e.AscensionDroite < 0)
        e.AscensionDroite += 6.283185308;
    e.Declinaison = declinaison / Deg;
    e.LatitudeObservateur = phi;
    e.ParallaxeLune = parallaxe;
    return e;
}

} // namespace

TEST(Refraction, Bands)
{
    struct Cas { double e, r, tolerance; };
    const Cas cas[] = {
        {-6, 0, 0},          {-5.0000001, 0, 0}, {-5, 0.9, 0},         {-1, 0.9, 0},
        {-0.5, 0.69671, 5e-6}, {0, 0.570573, 5e-7}, {5, 0.163752, 5e-7}, {10, 0.088229, 5e-7},
        {15, 0.059413, 5e-7}, {17.5, 0.029705, 5e-7}, {20, 0, 0},        {25, 0, 0},
    };
    for (const Cas& c : cas)
        EXPECT_NEAR(Refraction(c.e), c.r, c.tolerance) << c.e;
    EXPECT_NEAR(Refraction(-0.999999), 0.8637, 0.00005) << "the step just above -1";
    EXPECT_NEAR(Refraction(15.000001), Refraction(15.0), 5e-6) << "no step at 15 (to 0.0001)";
}

TEST(CalculAzElTopocentrique, RefractionAddedToTheElevation)
{
    // Observer on the equator: a source at declination 90 - e on the meridian
    // stands e high; below the horizon, at declination 90 + e on the lower
    // meridian.
    for (double e : {-6.0, -3.0, 0.0, 10.0, 30.0}) {
        EtatAstro s = e < 0 ? Source(180.0, 90.0 + e, 0.0) : Source(0.0, 90.0 - e, 0.0);
        CalculAzElTopocentrique(s);
        EXPECT_NEAR(s.ElevationSource, e + Refraction(e), 1e-6) << e;
    }
}

TEST(CalculAzElTopocentrique, FixedSourceHasNoParallax)
{
    EtatAstro e = Source(40.0, 20.0, 52.0);
    e.Altitude = 1200;
    CalculAzElTopocentrique(e);
    EXPECT_NEAR(e.AngleHoraireTopo, 40.0 / Deg, 1e-9);
    EXPECT_NEAR(e.DeclinaisonTopo, 20.0 / Deg, 1e-9);
}

TEST(CalculAzElTopocentrique, MoonParallaxLowersTheSource)
{
    // On the meridian of an equatorial observer the Moon's parallax lowers it by
    // about the horizontal parallax times the cosine of the elevation.
    EtatAstro e = Source(0.0, 60.0, 0.0, 0.95 / Deg); // elevation 30 deg
    CalculAzElTopocentrique(e);
    EXPECT_NEAR(e.ElevationSource, 30.0 - 0.95 * std::cos(30.0 / Deg), 0.01);
    EXPECT_NEAR(e.AngleHoraireTopo, 0.0, 1e-9);
}

TEST(CalculAzElTopocentrique, MeridianAndWestOfIt)
{
    EtatAstro sud = Source(0.0, 10.0, 50.0);
    CalculAzElTopocentrique(sud);
    EXPECT_EQ(sud.FacteurDopplerRotation, 0.0f);
    EXPECT_NEAR(sud.AzimutSource, 180.0, 1e-6);
    EXPECT_NEAR(sud.ElevationSource, 50.0, 1e-6);

    EtatAstro nord = Source(0.0, 80.0, 50.0); // north of the zenith
    CalculAzElTopocentrique(nord);
    EXPECT_NEAR(nord.AzimutSource, 0.0, 1e-5);

    EtatAstro ouest = Source(30.0, 10.0, 50.0);
    CalculAzElTopocentrique(ouest);
    EXPECT_GT(ouest.AzimutSource, 180.0);
    EXPECT_LT(ouest.FacteurDopplerRotation, 0.0f);

    EtatAstro est = Source(330.0, 10.0, 50.0);
    CalculAzElTopocentrique(est);
    EXPECT_LT(est.AzimutSource, 180.0);
    EXPECT_GT(est.FacteurDopplerRotation, 0.0f);
    EXPECT_NEAR(est.AzimutSource + ouest.AzimutSource, 360.0, 1e-6);
}

TEST(CalculAzElTopocentrique, RotationFactorFormula)
{
    // Equatorial observer, source on the equator six hours west: the full
    // rotation speed, 2 x 0.4651 km/s, gives about 3.1 Hz per MHz two-way.
    EtatAstro e = Source(90.0, 0.0, 0.0);
    CalculAzElTopocentrique(e);
    const double attendu = -(80047.78081118 * std::sin(e.AngleHoraireTopo) * std::cos(e.DeclinaisonTopo))
                           / ((std::cos(e.AngleHoraireTopo) * 0.034 + 1) * 24 * 3.6 * 300);
    EXPECT_EQ(e.FacteurDopplerRotation, static_cast<float>(attendu));
    EXPECT_NEAR(e.FacteurDopplerRotation, -3.088f, 0.001f);
}

TEST(CalculAzElTopocentrique, ZenithAndPoleGuards)
{
    // Source in the zenith: the sine is clamped, elevation 90.
    EtatAstro z = Source(0.0, 45.0, 45.0);
    CalculAzElTopocentrique(z);
    EXPECT_NEAR(z.ElevationSource, 90.0, 1e-6);
    EXPECT_TRUE(std::isfinite(z.AzimutSource));

    // Observer at the pole: cos(phi) is slightly negative, the divisor is
    // replaced and the azimuth comes out as 0 or 180 through the clamp.
    for (double ha : {0.0, 100.0, 250.0}) {
        EtatAstro p = Source(ha, 30.0, 90.0);
        CalculAzElTopocentrique(p);
        EXPECT_NEAR(p.ElevationSource, 30.0, 1e-6) << ha;
        const double az = p.AzimutSource;
        EXPECT_TRUE(std::fabs(az) < 1e-6 || std::fabs(az - 180.0) < 1e-6 || std::fabs(az - 360.0) < 1e-6) << az;
    }
}

TEST(CalculPerteDoppler, DistanceAndLoss)
{
    for (Variante v : {Variante::Planner, Variante::Tracking}) {
        EtatAstro e;
        e.variante = v;
        double p = 0.950724;
        e.ParallaxeLune = DegVersRad(p);
        CalculPerteDoppler(e);
        EXPECT_NEAR(6378.14 / std::sin(e.ParallaxeLune), 384399.0, 1.0);
        EXPECT_NEAR(e.PerteSupplementaire, -1.2846f, 0.00005f);

        e.ParallaxeLune = std::asin(6378.14 / 357000.0);
        CalculPerteDoppler(e);
        EXPECT_NEAR(e.PerteSupplementaire, 0.0f, 1e-5f);
    }
}

TEST(CalculPerteDoppler, EchoDopplerAtTheEpochAndAtTheSpeedPeak)
{
    struct Cas { Variante v; double epoque; };
    for (const Cas c : {Cas{Variante::Planner, 33966.208}, Cas{Variante::Tracking, 33966.20703125}}) {
        EtatAstro e;
        e.variante = c.v;
        e.ParallaxeLune = 0.0166;
        e.Freq = 144;
        e.FacteurDopplerRotation = 2.7f;
        for (int periodes : {0, 1, 40}) {
            e.DateJulienne = c.epoque + periodes * 27.555;
            CalculPerteDoppler(e);
            EXPECT_NEAR(e.DopplerSource, CLngAstro(2.7f * 144.0), 1) << periodes; // 388.8 -> 389
        }
        e.DateJulienne = c.epoque;
        CalculPerteDoppler(e);
        EXPECT_EQ(e.DopplerSource, 389);

        // Halves go to even: 0.5 Hz per MHz at 5 MHz is 2.5 Hz -> 2.
        e.FacteurDopplerRotation = 0.5f;
        e.Freq = 5;
        CalculPerteDoppler(e);
        EXPECT_EQ(e.DopplerSource, 2);

        // A quarter period on: the full radial speed, 56.7419 m/s, is 54.47 Hz
        // at 144 MHz, rounded to whole hertz.
        e.FacteurDopplerRotation = 0.0f;
        e.Freq = 144;
        e.DateJulienne = c.epoque + 27.555 / 4;
        CalculPerteDoppler(e);
        EXPECT_EQ(e.DopplerSource, 54);
        e.DateJulienne = c.epoque + 3 * 27.555 / 4;
        CalculPerteDoppler(e);
        EXPECT_EQ(e.DopplerSource, -54);
    }
}

TEST(CalculPerteDoppler, TrackingUsesTheSinglePrecisionEpoch)
{
    // At Tracking's epoch Planner is 0.00097 day past a node of the speed: at
    // 10 GHz that is a hertz.
    EtatAstro planner, tracking;
    tracking.variante = Variante::Tracking;
    for (EtatAstro* e : {&planner, &tracking}) {
        e->ParallaxeLune = 0.0166;
        e->Freq = 10368;
        e->DateJulienne = 33966.20703125;
        CalculPerteDoppler(*e);
    }
    EXPECT_EQ(tracking.DopplerSource, 0);
    EXPECT_EQ(planner.DopplerSource, -1);

    // Single precision holds the day count from the epoch (11034.377 days
    // here), its phase in the period and the speed, not the number of periods
    // before the phase is taken: at 10 GHz the echo Doppler is 1231.34 Hz in
    // Tracking's form (1231.69 Hz if the number of periods were rounded to
    // single precision too) and 1232.12 Hz in Planner's double precision.
    for (EtatAstro* e : {&planner, &tracking}) {
        e->DateJulienne = 45000.5 + 121.0 / 1440.0;
        CalculPerteDoppler(*e);
    }
    EXPECT_EQ(tracking.DopplerSource, 1231);
    EXPECT_EQ(planner.DopplerSource, 1232);
}
