// The world-map check: the typed position's point on the map, in twips.

#include <gtest/gtest.h>

#include "DXCC/PositionCarte.h"

using namespace dxcc;

namespace {

struct CasCarte {
    BoitesPosition boites;
    int x, y;
};

TEST(PositionCarteTest, PointsOfTypedPositions)
{
    const std::vector<CasCarte> table = {
        {{"0", "0", "N", "0", "0", "E"}, 2646, 1787},
        {{"50", "0", "N", "0", "0", "E"}, 2646, 945},
        {{"0", "0", "N", "77", "0", "W"}, 1433, 1787},
        {{"80", "0", "N", "0", "0", "E"}, 2646, 160},     // 159.5 to the even neighbour
        {{"86", "0", "N", "0", "0", "E"}, 2646, 0},       // above 85 N
        {{"60", "0", "S", "0", "0", "E"}, 2646, 2770},    // beyond 55 S
        {{"0", "0", "n", "0", "0", "e"}, 2646, 1787},     // lower-case letters
        {{"45", "0", "x", "90", "0", "q"}, 1228, 2553},  // other letters: south and west
        {{"0", "0", "N", "170", "0", "W"}, 5638, 1787},   // left of the edge: drawn as 190 E
        {{"0", "0", "N", "300", "0", "E"}, 7371, 1787},   // beyond the picture's right edge
        {{"48", "51", "N", "2", "21", "E"}, 2683, 969},  // Paris
    };
    for (const CasCarte& c : table) {
        SCOPED_TRACE((c.boites[0] + " " + c.boites[2] + " " + c.boites[3] + " " + c.boites[5]).toStdString());
        const PointCarte p = positionSurCarte(c.boites);
        EXPECT_EQ(p.boiteVide, -1);
        EXPECT_TRUE(p.surCarte);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
    }
}

TEST(PositionCarteTest, FirstEmptyBoxAndHugeStoredValues)
{
    EXPECT_EQ(positionSurCarte({"", "0", "", "0", "0", "E"}).boiteVide, 0);
    EXPECT_EQ(positionSurCarte({"1", "", "N", "0", "0", "E"}).boiteVide, 1);
    EXPECT_EQ(positionSurCarte({"1", "0", "N", "0", "0", ""}).boiteVide, 5);
    // A stored record may hold any digits: no point, and no failure.
    const PointCarte p = positionSurCarte({"1", "0", "N", "99999", "0", "E"});
    EXPECT_EQ(p.boiteVide, -1);
    EXPECT_FALSE(p.surCarte);
}

// The map panel as a screen reader reads it: the position with the letters
// as the check takes them, and whether the map shows the point.
TEST(PositionCarteTest, TextOfTheMap)
{
    EXPECT_EQ(texteCarte("XX9", "Macao", {"22", "6", "n", "113", "33", "E"}),
              QString::fromUtf8("World map: XX9 Macao at 22\u00b0 6' N, 113\u00b0 33' E, marked"));
    EXPECT_EQ(texteCarte("K", "United States", {"40", "42", "x", "74", "0", "W"}),
              QString::fromUtf8("World map: K United States at 40\u00b0 42' S, 74\u00b0 0' W, marked"));
    EXPECT_TRUE(texteCarte("Z", "Far", {"0", "0", "N", "300", "0", "E"}).endsWith(", not marked"));
    EXPECT_TRUE(texteCarte("Z", "Huge", {"0", "0", "N", "99999", "0", "E"}).endsWith(", not marked"));
}

} // namespace
