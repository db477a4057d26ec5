// World-map projection: both directions, the band edges, rounding halves to
// even, the write-back below -168 deg, and the overflow of a far longitude.

#include "astro/Astro.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace astro;

TEST(CarteXVersLongitude, Table)
{
    struct Cas { int16_t x; double heures; };
    const Cas cas[] = {
        {0, -11.2}, {2835, 0.8}, {5481, 12.0}, {5482, -11.995767}, {5670, -11.2},
        {2646, 0.0}, {-315, -12.533333}, {6000, -9.803175}, // no range check
    };
    for (const Cas& c : cas) {
        int16_t x = c.x;
        EXPECT_NEAR(CarteXVersLongitude(x), c.heures, 5e-7) << c.x;
        EXPECT_EQ(x, c.x);
    }
    int16_t x = 5481;
    EXPECT_EQ(CarteXVersLongitude(x), 12.0) << "180 deg stays +180";
}

TEST(CarteYVersLatitude, Table)
{
    struct Cas { int16_t y; double lat; };
    const Cas cas[] = {
        {0, 85},     {319, 75},  {320, 75 - 15.0 / 413}, {732, 60},   {733, 60 - 15.0 / 319},
        {1051, 45},  {1052, 45 - 75.0 / 1226},  {1787, 45 - 736.0 / 1226 * 75}, {2277, -30},
        {2278, -30 - 15.0 / 276}, {2553, -45}, {2554, -45 - 10.0 / 217}, {2770, -55},
        {2771, 0},   {-1, 0},   {32767, 0},
    };
    for (const Cas& c : cas) {
        int16_t y = c.y;
        EXPECT_NEAR(CarteYVersLatitude(y), c.lat, 1e-12) << c.y;
        EXPECT_EQ(y, c.y);
    }
}

TEST(LongitudeVersCarteX, Table)
{
    struct Cas { float lon; int16_t x; float ecrit; };
    const Cas cas[] = {
        {0, 2646, 0},       {-168, 0, -168},   {180, 5481, 180}, {192, 5670, 192},
        {-171, 5623, 189},  {-180, 5481, 180}, {12, 2835, 12},   {300, 7371, 300},
        {-500, 441, -140}, // one turn is added, once
    };
    for (const Cas& c : cas) {
        float lon = c.lon;
        EXPECT_EQ(LongitudeVersCarteX(lon), c.x) << c.lon;
        EXPECT_EQ(lon, c.ecrit) << c.lon;
    }
}

TEST(LongitudeVersCarteX, HalvesToEven)
{
    // Every whole longitude 2 deg (mod 4) east of the left edge lies on a half
    // twip: 15.75 twips a degree. Some of them come out a hair off the half
    // when the division is done first (30 deg as 3118.5000000000005), which
    // must not decide the rounding.
    struct Cas { float lon; int16_t x; };
    const Cas cas[] = {
        {-166, 32},   {-162, 94},   {-142, 410},  {-70, 1544}, {-58, 1732},
        {30, 3118},   {50, 3434},   {86, 4000},   {90, 4064},  {58, 3560},
    };
    for (const Cas& c : cas) {
        float lon = c.lon;
        EXPECT_EQ(LongitudeVersCarteX(lon), c.x) << c.lon;
    }
    // All 90 of them on the map, against exact integer arithmetic:
    // X = (lon + 168) * 63 / 4 = k + 1/2, rounded to the even k or k + 1.
    for (int ecart = 2; ecart < 360; ecart += 4) {
        float lon = static_cast<float>(ecart - 168);
        const int k = (ecart * 63) / 4;
        EXPECT_EQ(LongitudeVersCarteX(lon), k % 2 == 0 ? k : k + 1) << lon;
    }
}

TEST(LongitudeVersCarteX, BeyondSixteenBitsIsAnError)
{
    float loin = 2100.0f; // X about 35000
    EXPECT_THROW(LongitudeVersCarteX(loin), Overflow);
    float nan = std::nanf("");
    EXPECT_THROW(LongitudeVersCarteX(nan), Overflow);
    float juste = 1900.0f; // X = 32571, still fits
    EXPECT_EQ(LongitudeVersCarteX(juste), 32571);
}

TEST(LatitudeVersCarteY, Table)
{
    struct Cas { float lat; int16_t y; };
    const Cas cas[] = {
        {85, 0},    {80, 160},    {75, 319},  {60, 732},  {45, 1051},  {0, 1787},
        {-30, 2277}, {-45, 2553}, {-55, 2770}, {86, 0},   {-60, 2770}, {90, 0},
        {-90, 2770}, {52.5f, 892}, {-50, 2662}, {70, 457},
    };
    for (const Cas& c : cas) {
        float lat = c.lat;
        EXPECT_EQ(LatitudeVersCarteY(lat), c.y) << c.lat;
        EXPECT_EQ(lat, c.lat);
    }
    float nan = std::nanf("");
    EXPECT_THROW(LatitudeVersCarteY(nan), Overflow);
}

TEST(Carte, RoundTripWithinHalfATwip)
{
    // Breakpoints come back exactly; elsewhere within half a twip of latitude.
    for (float lat : {85.0f, 75.0f, 60.0f, 45.0f, -30.0f, -45.0f, -55.0f}) {
        float l = lat;
        int16_t y = LatitudeVersCarteY(l);
        EXPECT_EQ(CarteYVersLatitude(y), lat);
    }
    const double pas[] = {10.0 / 319, 15.0 / 413, 15.0 / 319, 75.0 / 1226, 15.0 / 276, 10.0 / 217};
    const double bornes[] = {85, 75, 60, 45, -30, -45, -55};
    for (float lat = -54.9f; lat < 85.0f; lat += 0.37f) {
        float l = lat;
        int16_t y = LatitudeVersCarteY(l);
        int bande = 0;
        while (lat < bornes[bande + 1])
            ++bande;
        EXPECT_NEAR(CarteYVersLatitude(y), lat, pas[bande] / 2 + 1e-9) << lat;
    }
    for (int16_t x = 0; x < 5670; x += 37) {
        int16_t xx = x;
        float lon = static_cast<float>(CarteXVersLongitude(xx) * 15.0);
        EXPECT_EQ(LongitudeVersCarteX(lon), x) << x;
    }
}
