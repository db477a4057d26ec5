// Source dispatch, fixed sources and precession, the Sun, Kepler's equation,
// the ecliptic to equatorial step, and the guards against endless loops.

#include "astro/Astro.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <vector>

using namespace astro;

namespace {

constexpr double Deg = 57.29577951;

// An observer at Paris at 2024 March 10, 21 h UT.
EtatAstro Instant(double jourJulien = 45359.5, double heureUT = 21.0)
{
    EtatAstro e;
    e.JourJulien = jourJulien;
    e.HeureUT = heureUT;
    e.FractionJour = heureUT / 24.0;
    e.LatitudeObservateur = 48.85;
    e.LongitudeObservateur = 2.35 / 15.0;
    e.Altitude = 35;
    e.Freq = 144;
    CalculTempsSideral(e);
    return e;
}

} // namespace

TEST(CalculPositionSource, UnknownCodesChangeNothing)
{
    for (int code : {9, -1, 100}) {
        EtatAstro e = Instant();
        CalculPositionSource(e, 0);
        EtatAstro avant = e;
        CalculPositionSource(e, code);
        EXPECT_EQ(e.AscensionDroite, avant.AscensionDroite) << code;
        EXPECT_EQ(e.Declinaison, avant.Declinaison);
        EXPECT_EQ(e.LongitudeEcliptique, avant.LongitudeEcliptique);
        EXPECT_EQ(e.ParallaxeLune, avant.ParallaxeLune);
        EXPECT_EQ(e.AzimutSource, avant.AzimutSource);
        EXPECT_EQ(e.ElevationSource, avant.ElevationSource);
        EXPECT_EQ(e.DopplerSource, avant.DopplerSource);
        EXPECT_EQ(e.PerteSupplementaire, avant.PerteSupplementaire);
        EXPECT_EQ(e.NutationLongitude, avant.NutationLongitude);
    }
}

TEST(PositionSourcesFixes, CatalogueOfCodesTwoToEight)
{
    ASSERT_EQ(PositionSourcesFixes.size(), 7u);
    for (std::size_t i = 0; i < PositionSourcesFixes.size(); ++i)
        EXPECT_EQ(PositionSourcesFixes[i].CodeSource, static_cast<int16_t>(i + 2));
    EXPECT_STREQ(PositionSourcesFixes[0].NomSource, "Cassiopeia-A");
    EXPECT_STREQ(PositionSourcesFixes[6].NomSource, "Cold Sky");
    EXPECT_EQ(PositionSourcesFixes[5].Declinaison, -45.8167);
}

TEST(CalculPositionSource, FixedSourcesAtTheCatalogueEpochStayPut)
{
    for (const SourceFixe& s : PositionSourcesFixes) {
        EtatAstro e;
        e.DateJulienne = 18262.423;
        e.SiecleJulien = 18262.423 / 36525.0;
        CalculPositionSource(e, s.CodeSource);
        EXPECT_EQ(e.AscensionDroite, s.AscensionDroite * 0.01745329252) << s.NomSource;
        EXPECT_EQ(e.Declinaison, s.Declinaison * 0.01745329252) << s.NomSource;
        EXPECT_EQ(e.ParallaxeLune, 1e-12);
    }
}

TEST(CalculPrecession, CassiopeiaAFiftyYearsOn)
{
    EtatAstro e;
    e.DateJulienne = 36525.0;
    e.SiecleJulien = 1.0;
    e.SiecleJulienCarre = 1.0;
    CalculPositionSource(e, 2);
    EXPECT_NEAR(e.AscensionDroite * Deg, 350.8134, 0.00005);
    EXPECT_NEAR(e.Declinaison * Deg, 58.8076, 0.00005);
}

TEST(CalculPrecession, RightAscensionFoldedOnceEachWay)
{
    // A source at 0 h moves just above 0 a year after the epoch, and comes back
    // just below 2 pi a year before it.
    EtatAstro e;
    e.DateJulienne = 18262.423 + 365.2425;
    e.SiecleJulien = e.DateJulienne / 36525.0;
    e.AscensionDroite = 0.0;
    e.Declinaison = 0.0;
    CalculPrecession(e);
    EXPECT_GT(e.AscensionDroite, 0.0);
    EXPECT_LT(e.AscensionDroite, 0.001);

    e.DateJulienne = 18262.423 - 365.2425; // one year back: a negative step
    e.AscensionDroite = 0.0;
    e.Declinaison = 0.0;
    CalculPrecession(e);
    EXPECT_GT(e.AscensionDroite, 6.283185308 - 0.001);
    EXPECT_LT(e.AscensionDroite, 6.283185308);
}

TEST(CalculPositionSource, SunLeavesTheMoonResultsAlone)
{
    EtatAstro e = Instant();
    CalculPositionSource(e, 0);
    const int32_t doppler = e.DopplerSource;
    const float perte = e.PerteSupplementaire;
    CalculPositionSource(e, 1);
    EXPECT_EQ(e.LatitudeEcliptique, 0.0);
    EXPECT_NEAR(e.ParallaxeLune, 4.26e-5, 0.08e-5); // about 8.8 arc seconds
    EXPECT_EQ(e.DopplerSource, doppler);
    EXPECT_EQ(e.PerteSupplementaire, perte);
    EXPECT_GE(e.AscensionDroite, 0.0);
    EXPECT_LE(e.AscensionDroite, 6.283185308);
}

TEST(CalculPositionSource, MoonResultsInRange)
{
    // A month of instants a little over a day apart.
    for (int i = 0; i < 30; ++i) {
        EtatAstro e = Instant(45359.5 + i * 1.09, 3.0);
        CalculPositionSource(e, 0);
        EXPECT_GE(e.LongitudeEcliptique, 0.0);
        EXPECT_LE(e.LongitudeEcliptique, 6.283185308);
        EXPECT_LT(std::fabs(e.LatitudeEcliptique * Deg), 5.35);
        EXPECT_GT(e.ParallaxeLune * Deg, 0.89);
        EXPECT_LT(e.ParallaxeLune * Deg, 1.03);
        EXPECT_GE(e.AscensionDroite, 0.0);
        EXPECT_LE(e.AscensionDroite, 6.283185308);
        EXPECT_GE(e.AzimutSource, 0.0);
        EXPECT_LE(e.AzimutSource, 360.0);
        EXPECT_LE(std::fabs(e.ElevationSource), 91.0);
    }
}

TEST(EcliptiqueVersEquatorial, SpecialPlaces)
{
    EtatAstro e;
    e.SiecleJulien = 1.0;
    // lambda = pi, beta = 0: the shift by pi when cos(lambda) < 0
    e.LongitudeEcliptique = 3.1415926535;
    e.LatitudeEcliptique = 0.0;
    e.NutationObliquite = 0.0;
    EcliptiqueVersEquatorial(e);
    EXPECT_NEAR(e.AscensionDroite, 3.1415926535, 1e-9);
    EXPECT_NEAR(e.Declinaison, 0.0, 1e-9);
    EXPECT_NEAR(e.ObliquiteMoyenne, 23.43928081, 1e-8);

    // The ecliptic poles: finite results, the declination from the sine formula.
    for (double beta : {M_PI / 2, -M_PI / 2}) {
        e.LongitudeEcliptique = 1.0;
        e.LatitudeEcliptique = beta;
        EcliptiqueVersEquatorial(e);
        EXPECT_TRUE(std::isfinite(e.AscensionDroite));
        EXPECT_GE(e.AscensionDroite, 0.0);
        EXPECT_LE(e.AscensionDroite, 6.283185308);
        const double eps = (e.ObliquiteMoyenne + e.NutationObliquite) * 0.01745329252;
        EXPECT_NEAR(std::fabs(e.Declinaison), M_PI / 2 - eps, 1e-9);
    }

    // Just west of lambda = 0 the arc tangent is negative and folds up once.
    e.LongitudeEcliptique = -0.001;
    e.LatitudeEcliptique = 0.0;
    EcliptiqueVersEquatorial(e);
    EXPECT_GT(e.AscensionDroite, 6.27);
    EXPECT_LT(e.AscensionDroite, 6.283185308);
}

TEST(ResoutKepler, CircularOrbitAndSunLikeOrbit)
{
    EtatAstro e;
    e.Excentricite = 0.0;
    for (double m : {0.0, 1.0, 3.0, 1.0 + 6.283185308 * 3}) {
        e.AnomalieMoyenne = m;
        ResoutKepler(e);
        const double reduite = m - std::floor(m / 6.283185308) * 6.283185308;
        EXPECT_NEAR(e.AnomalieExcentrique, reduite, 1e-12) << m;
        EXPECT_NEAR(e.AnomalieVraie, reduite, 1e-12) << m;
        EXPECT_EQ(e.AnomalieMoyenne, m) << "the mean anomaly is not changed";
    }
    e.Excentricite = 0.0167;
    e.AnomalieMoyenne = 1.2;
    ResoutKepler(e);
    const double E = e.AnomalieExcentrique;
    EXPECT_NEAR(E - 0.0167 * std::sin(E), 1.2, 1e-9);
    EXPECT_NEAR(e.AnomalieVraie, 2 * std::atan(std::sqrt(1.0167 / 0.9833) * std::tan(E / 2)), 1e-15);
}

TEST(ResoutKepler, EndsForAnyInput)
{
    // Newton's method does not converge for these; the bound ends the loop.
    EtatAstro e;
    for (double ex : {0.9999999, 1.0, 1.5, 50.0, std::nan("")}) {
        for (double m : {0.001, 1.0, 3.1, 1e300}) {
            e.Excentricite = ex;
            e.AnomalieMoyenne = m;
            ResoutKepler(e); // returns
        }
    }
    SUCCEED();
}

TEST(CalculPositionSource, FoldsEndForHugeDayNumbers)
{
    // Centuries of 1e20 make the mean elements enormous: a plain "subtract
    // 2 pi until in range" would never end. The results are folded into range.
    for (double d : {3.6525e21, -3.6525e21, 1e300}) {
        EtatAstro e;
        e.DateJulienne = d;
        e.SiecleJulien = d / 36525.0;
        e.SiecleJulienCarre = e.SiecleJulien * e.SiecleJulien;
        CalculSerieLune(e);
        if (std::isfinite(e.LongitudeEcliptique)) {
            EXPECT_GE(e.LongitudeEcliptique, 0.0);
            EXPECT_LE(e.LongitudeEcliptique, 6.283185308);
        }
        CalculSerieSoleil(e); // returns
    }
    EtatAstro e;
    e.DateJulienne = INFINITY;
    e.SiecleJulien = INFINITY;
    e.SiecleJulienCarre = INFINITY;
    CalculSerieLune(e);
    CalculSerieSoleil(e);
    SUCCEED();
}

// A state keeps some terms from its last call (the nutation for an instant,
// the observer's terms, a fixed source's precession terms): whatever it has
// computed before, each source's results are those of a fresh state, bit
// for bit. Each case changes one input that such a term depends on.
TEST(CalculPositionSource, ResultsDoNotDependOnEarlierCalls)
{
    struct Cas {
        const char* change;
        void (*applique)(EtatAstro&);
    };
    const Cas cas[] = {
        {"nothing", [](EtatAstro&) {}},
        {"the instant",
         [](EtatAstro& e) {
             e.FractionJour += 1.0 / 1440;
             e.HeureUT += 1.0 / 60;
             CalculTempsSideral(e);
         }},
        {"the squared century alone", [](EtatAstro& e) { e.SiecleJulienCarre *= 1.0 + 1e-9; }},
        {"the latitude", [](EtatAstro& e) { e.LatitudeObservateur = -33.9; }},
        {"the altitude alone", [](EtatAstro& e) { e.Altitude = 2500; }},
    };
    for (const Cas& c : cas)
        for (int code = 0; code <= 8; ++code) {
            EtatAstro avant = Instant();
            for (int autre : {0, 1, 8, 3})
                CalculPositionSource(avant, autre);
            EtatAstro neuf = Instant();
            for (EtatAstro* e : {&avant, &neuf}) {
                c.applique(*e);
                CalculPositionSource(*e, code);
            }
            SCOPED_TRACE(testing::Message() << c.change << ", source " << code);
            // What every source writes; the nutation for the Moon and the
            // Sun, the echo Doppler for the Moon.
            std::vector<double EtatAstro::*> champs = {&EtatAstro::AscensionDroite, &EtatAstro::Declinaison,
                                                       &EtatAstro::AzimutSource,    &EtatAstro::ElevationSource,
                                                       &EtatAstro::AngleHoraireTopo, &EtatAstro::DeclinaisonTopo};
            if (code <= 1)
                champs.insert(champs.end(), {&EtatAstro::NutationLongitude, &EtatAstro::NutationObliquite});
            for (auto champ : champs)
                EXPECT_EQ(std::bit_cast<uint64_t>(avant.*champ), std::bit_cast<uint64_t>(neuf.*champ));
            EXPECT_EQ(std::bit_cast<uint32_t>(avant.FacteurDopplerRotation),
                      std::bit_cast<uint32_t>(neuf.FacteurDopplerRotation));
            if (code == 0) {
                EXPECT_EQ(avant.DopplerSource, neuf.DopplerSource);
            }
        }
    // The precession of the same right ascension at another declination.
    EtatAstro avant = Instant(), neuf = Instant();
    avant.AscensionDroite = 1.0;
    avant.Declinaison = -0.5;
    CalculPrecession(avant);
    for (EtatAstro* e : {&avant, &neuf}) {
        e->AscensionDroite = 1.0;
        e->Declinaison = 0.5;
        CalculPrecession(*e);
    }
    EXPECT_EQ(std::bit_cast<uint64_t>(avant.AscensionDroite), std::bit_cast<uint64_t>(neuf.AscensionDroite));
    EXPECT_EQ(std::bit_cast<uint64_t>(avant.Declinaison), std::bit_cast<uint64_t>(neuf.Declinaison));
}
