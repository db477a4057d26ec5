// The galactic frame, the noise model's calibration against the key and the
// chart geometry of both programs.
#include "tools/skychart/SkyChart.h"

#include "assets/CouleursCiel.h"
#include "astro/Tables.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

// B1950 positions with their galactic coordinates (l, b in degrees) from the
// definition of the galactic frame and published values, within 0.3 degree.
TEST(SkyChartGalactique, KnownPoints)
{
    const struct {
        double ra, dec, l, b;
    } cas[] = {
        {192.25, 27.4, -1, 90.0},       // north galactic pole (l undefined)
        {12.25, -27.4, -1, -90.0},      // south galactic pole
        {265.6, -28.92, 0.0, 0.0},      // galactic centre
        {282.25, 0.0, 33.0, 0.0},       // ascending node on the equator
        {350.25, 58.5333, 111.74, -2.13}, // Cassiopeia A
        {299.5, 40.5833, 76.19, 5.76},   // Cygnus A
    };
    for (const auto& c : cas) {
        const auto g = skychart::versGalactique(c.ra, c.dec);
        EXPECT_NEAR(g.b, c.b, 0.3) << c.ra << " " << c.dec;
        if (c.l >= 0) {
            double dl = g.l - c.l;
            dl -= 360.0 * std::round(dl / 360.0);
            EXPECT_NEAR(dl, 0.0, 0.3) << c.ra << " " << c.dec;
        }
    }
}

TEST(SkyChartModele, BandsAtTheKeyLimits)
{
    const struct {
        double k;
        int bande;
    } cas[] = {{5, 0}, {12.99, 0}, {13, 1}, {17.9, 1}, {18, 2}, {23, 3}, {27, 4}, {35, 5}, {54.9, 5}, {55, 6},
               {89.9, 6}, {90, 7}, {5000, 7}};
    for (const auto& c : cas)
        EXPECT_EQ(skychart::bande432(c.k), c.bande) << c.k;
}

TEST(SkyChartModele, ColdPolesHotCentreAndPlane)
{
    EXPECT_LT(skychart::temperature432(192.25, 27.4), 13.0);  // north galactic pole
    EXPECT_LT(skychart::temperature432(12.25, -27.4), 13.0);  // south galactic pole
    EXPECT_LT(skychart::temperature432(142.5, 40.0), 13.0);   // the cold-sky point
    EXPECT_GT(skychart::temperature432(265.6, -28.92), 90.0); // galactic centre
    EXPECT_GT(skychart::temperature432(305.0, 40.0), 55.0);   // Cygnus
    // Along the plane the sky is warmer than 20 degrees off it.
    for (double ra : {30.0, 100.0, 300.0}) {
        double dec = -90;
        for (double d = -90; d <= 90; d += 0.5)
            if (std::fabs(skychart::versGalactique(ra, d).b) < std::fabs(skychart::versGalactique(ra, dec).b))
                dec = d;
        EXPECT_GT(skychart::temperature432(ra, dec), skychart::temperature432(ra, dec + 25.0)) << ra;
    }
}

// The chart's plot area follows the marker formulas: a 270-twip marker placed
// by them is centred on the point.
TEST(SkyChartGeometrie, PlannerMatchesTheMarkerFormulas)
{
    const auto g = skychart::geometriePlanner();
    const float kx = 4890.0f / 360.0f, ky = 3665.0f / 180.0f;
    for (float a : {0.0f, 90.0f, 265.75f, 359.9f}) {
        for (float d : {90.0f, 45.0f, 0.0f, -30.0f, -90.0f}) {
            const QPointF centre(5315.0f - kx * a + 135.0f, (90.0f - d) * ky - 80.0f + 135.0f);
            const QPointF p = g.pointTwips(a, d);
            EXPECT_NEAR(p.x(), centre.x(), 0.05) << a << " " << d;
            EXPECT_NEAR(p.y(), centre.y(), 0.05) << a << " " << d;
        }
    }
}

TEST(SkyChartGeometrie, TrackingMatchesTheHorizonLine)
{
    const auto g = skychart::geometrieTracking();
    const float ky = 2370.0f / 180.0f;
    for (int i = 0; i < 72; i += 9) {
        const QPointF p = g.pointTwips(5.0 * i, 10.0);
        EXPECT_NEAR(p.x(), 5640.0 - (5160.0 / 72.0) * i, 0.05);
        EXPECT_NEAR(p.y(), (90.0f - 10.0f) * ky + 35.0f, 0.05);
    }
}

class SkyChartDessin : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char nom[] = "skychart_tests";
        static char* argv[] = {nom, nullptr};
        if (!QGuiApplication::instance())
            app_ = new QGuiApplication(argc, argv);
    }
    static inline QGuiApplication* app_ = nullptr;
};

TEST_F(SkyChartDessin, ChartsInSixteenColoursWithBandsWhereTheModelSaysSo)
{
    for (const auto& g : {skychart::geometriePlanner(), skychart::geometrieTracking()}) {
        for (int scale : {1, 2}) {
            const QImage carte = skychart::dessineCarte(g, scale);
            EXPECT_EQ(carte.size(), g.twips * scale / 15);
            EXPECT_LE(carte.colorCount(), 16);
            // A point clear of grid, labels and discs: RA 100, Dec -20
            // (in the plane near the anticentre) has the model's band colour.
            for (const auto& [ra, dec] : {std::pair{100.0, -20.0}, {140.0, 70.0}, {266.5, -36.0}}) {
                const QPointF p = g.pointTwips(ra, dec) * (scale / 15.0);
                const QRgb attendu = assets::kCouleursBandesCiel[size_t(skychart::bande432(skychart::temperature432(ra, dec)))];
                EXPECT_EQ(carte.pixel(p.toPoint()), attendu) << ra << " " << dec << " x" << scale;
            }
        }
    }
}

TEST_F(SkyChartDessin, MoonPhasesLitOnTheRightSide)
{
    const auto eclaire = [](const QImage& im, int x) { return qGray(im.pixel(x, 16)) > 160; };
    const QImage nouvelle = skychart::dessinePhaseLune(0, 1), premier = skychart::dessinePhaseLune(2, 1),
                 pleine = skychart::dessinePhaseLune(4, 1), dernier = skychart::dessinePhaseLune(6, 1);
    EXPECT_FALSE(eclaire(nouvelle, 8));
    EXPECT_FALSE(eclaire(nouvelle, 24));
    EXPECT_FALSE(eclaire(premier, 8));
    EXPECT_TRUE(eclaire(premier, 24));
    EXPECT_TRUE(eclaire(pleine, 8));
    EXPECT_TRUE(eclaire(pleine, 24));
    EXPECT_TRUE(eclaire(dernier, 8));
    EXPECT_FALSE(eclaire(dernier, 24));
    EXPECT_EQ(qAlpha(pleine.pixel(0, 0)), 0); // transparent corners
}

} // namespace
