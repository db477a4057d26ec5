// The compiled-in pictures reach a program at the sizes their controls have.
#include "assets/Assets.h"
#include "platform/Geometry.h"

#include <gtest/gtest.h>

TEST(CarteMonde, CompiledInAtTheMapBoxSize)
{
    const QImage carte = assets::carteMonde();
    ASSERT_FALSE(carte.isNull());
    EXPECT_EQ(carte.deviceIndependentSize().toSize(), platform::twipsToPixels(QSize(5670, 2770)));
    // The Pacific at 140° W on the equator (X 441, Y 1787 twips) is sea, the
    // Sahara at 15° E 23° N (X 2882, Y 1411) land: their colours differ.
    const auto pixel = [&](int xTwips, int yTwips) {
        return carte.pixel(xTwips * carte.width() / 5670, yTwips * carte.height() / 2770);
    };
    EXPECT_NE(pixel(441, 1787), pixel(2882, 1411));
}

// Every radio-sky picture is compiled in at the size its control has.
TEST(CarteCiel, PicturesAtTheirControlSizes)
{
    const struct {
        const char* nom;
        QImage image;
        QSize twips;
    } cas[] = {
        {"carteCiel", assets::carteCiel(), {5490, 4125}},
        {"carteCielTracking", assets::carteCielTracking(), {5760, 2760}},
        {"marqueurSoleil", assets::marqueurSoleil(), {270, 270}},
        {"cleCouleursCiel", assets::cleCouleursCiel(), {2280, 2565}},
        {"cleSourcesCiel", assets::cleSourcesCiel(), {1545, 2280}},
        {"boutonInfoCiel", assets::boutonInfoCiel(), {480, 480}},
    };
    for (const auto& c : cas) {
        ASSERT_FALSE(c.image.isNull()) << c.nom;
        EXPECT_EQ(c.image.deviceIndependentSize().toSize(), platform::twipsToPixels(c.twips)) << c.nom;
    }
    EXPECT_EQ(assets::carteCiel().size(), QSize(366, 275)); // at 96 dpi
    for (int k = 0; k < 8; ++k) {
        const QImage phase = assets::phaseLune(k);
        ASSERT_FALSE(phase.isNull()) << k;
        EXPECT_EQ(phase.deviceIndependentSize().toSize(), platform::twipsToPixels(QSize(480, 480))) << k;
        // The printed reports copy only the pure black pixels of an icon: every
        // phase, the full Moon included, must have some or it prints blank.
        int noirs = 0;
        for (int y = 0; y < phase.height(); ++y)
            for (int x = 0; x < phase.width(); ++x)
                noirs += (phase.pixel(x, y) & 0xFFFFFF) == 0 && qAlpha(phase.pixel(x, y)) != 0;
        EXPECT_GT(noirs, 20) << k;
    }
    EXPECT_TRUE(assets::phaseLune(-1).isNull());
    EXPECT_TRUE(assets::phaseLune(8).isNull());
}

// The phases' names, in the order of their icons; none outside 0..7.
TEST(PhasesLune, NomsDansLOrdreDesIcones)
{
    const char* phases[10] = {"", "new Moon", "waxing crescent", "first quarter", "waxing gibbous",
                              "full Moon", "waning gibbous", "last quarter", "waning crescent", ""};
    for (int k = -1; k <= 8; ++k)
        EXPECT_EQ(assets::nomPhaseLune(k), QString::fromLatin1(phases[k + 1])) << k;
}

// Pixels of Planner's chart at the points where its marker formulas put a
// 270-twip marker's centre.
class CarteCielPlanner : public ::testing::Test {
protected:
    QImage carte = assets::carteCiel();
    QRgb pixel(float a, float d) const
    {
        const float kx = 4890.0f / 360.0f, ky = 3665.0f / 180.0f;
        const float left = 5315.0f - kx * a, top = (90.0f - d) * ky - 80.0f;
        return carte.pixel(int((left + 135.0f) * carte.width() / 5490.0f),
                           int((top + 135.0f) * carte.height() / 4125.0f));
    }
    int bande(QRgb c) const
    {
        for (int i = 0; i < 8; ++i)
            if (assets::couleurBandeCiel(i).rgb() == c)
                return i;
        return -1;
    }
};

TEST_F(CarteCielPlanner, GalacticCentreHotPolesCold)
{
    ASSERT_FALSE(carte.isNull());
    EXPECT_LE(carte.colorCount(), 16);
    // Beside Sagittarius-A, clear of its number disc, the galactic centre
    // region is in one of the two hottest bands; the poles' surroundings
    // (clear of the NGP and SGP labels) are in the coolest band.
    EXPECT_GE(bande(pixel(262.0f, -34.0f)), 6);
    EXPECT_EQ(bande(pixel(175.0f, 45.0f)), 0); // near the north galactic pole
    EXPECT_EQ(bande(pixel(10.0f, -50.0f)), 0); // near the south galactic pole
}

TEST_F(CarteCielPlanner, SourceNumbersAtTheirPositions)
{
    ASSERT_FALSE(carte.isNull());
    // Each source's number disc (white with a black digit) covers the point;
    // neither colour is a band colour.
    for (const auto& [a, d] : {std::pair{350.25f, 58.5333f}, {265.75f, -28.9333f}, {299.5f, 40.5833f},
                               {274.5f, -16.1666f}, {83.0f, 21.9833f}, {79.5f, -45.8167f}, {142.5f, 40.0f}}) {
        const QRgb c = pixel(a, d);
        EXPECT_TRUE(c == qRgb(255, 255, 255) || c == qRgb(0, 0, 0)) << a << " " << d;
        EXPECT_EQ(bande(c), -1);
    }
    // A point 10 degrees away from every source is in a band.
    EXPECT_GE(bande(pixel(120.0f, -10.0f)), 0);
}

TEST(CarteCiel, BandColoursAreDistinct)
{
    for (int i = 0; i < 8; ++i)
        for (int j = i + 1; j < 8; ++j)
            EXPECT_NE(assets::couleurBandeCiel(i), assets::couleurBandeCiel(j));
    EXPECT_EQ(assets::couleurBandeCiel(8), QColor(Qt::black));
}

// Fault: the colour key's "650 to 1000 K" touched the picture's right edge.
// Every text of the key stands clear of it, and the two columns of ranges
// stand apart, at both sizes.
TEST(CarteCiel, KeyClearOfTheRightEdge)
{
    for (const char* nom : {":/ciel/skykey-colours.png", ":/ciel/skykey-colours@2x.png"}) {
        const QImage cle = QImage(QString::fromLatin1(nom)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(cle.isNull()) << nom;
        const int echelle = cle.width() / 152;
        const QRgb fond = cle.pixel(cle.width() - 1, 0);
        int derniere = -1; // rightmost column holding anything but the background
        for (int x = 0; x < cle.width(); ++x)
            for (int y = 0; y < cle.height(); ++y)
                if (cle.pixel(x, y) != fond)
                    derniere = std::max(derniere, x);
        EXPECT_LE(derniere, cle.width() - 1 - 3 * echelle) << nom;
        // Between the columns (right of the swatches and the first range's
        // start), a band of background columns over every row of ranges.
        int bande = 0, large = 0;
        for (int x = 40 * echelle; x < cle.width() - 40 * echelle; ++x) {
            bool vide = true;
            for (int y = 20 * echelle; y < cle.height() && vide; ++y)
                vide = cle.pixel(x, y) == fond;
            bande = vide ? bande + 1 : 0;
            large = std::max(large, bande);
        }
        EXPECT_GE(large, 3 * echelle) << nom;
    }
}
