// The compiled-in world map reaches a program at the size its map box has.
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
