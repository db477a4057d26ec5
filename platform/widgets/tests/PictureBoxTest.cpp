#include "platform/widgets/PictureBox.h"

#include "platform/Geometry.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using platform::PictureBox;

namespace {

constexpr quint32 Black = 0, White = 0xFFFFFF, Red = 255, Blue = 0xFF0000;

// A box of 40 x 30 pixels in pixel scale.
struct Box {
    PictureBox pb;
    Box()
    {
        pb.resize(40, 30);
        pb.setScaleMode(PictureBox::ScaleMode::Pixels);
    }
};

} // namespace

TEST(PictureBox, ColourValuesAreBlueGreenRed)
{
    EXPECT_EQ(PictureBox::toQColor(255), QColor(255, 0, 0));
    EXPECT_EQ(PictureBox::fromQColor(QColor(0, 0, 255)), Blue);
    EXPECT_EQ(PictureBox::fromQColor(QColor(1, 2, 3)), 0x030201u);
}

TEST(PictureBox, PointsAndWidths)
{
    Box b; // drawn before the box is ever shown
    b.pb.pset(10, 10, Red);
    EXPECT_EQ(b.pb.point(10, 10), Red);
    EXPECT_EQ(b.pb.point(11, 10), White);
    b.pb.setDrawWidth(3);
    b.pb.pset(20, 20, Red);
    for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        EXPECT_EQ(b.pb.point(20 + dx, 20 + dy), Red) << dx << "," << dy;
    EXPECT_EQ(b.pb.point(23, 20), White);
    EXPECT_DOUBLE_EQ(b.pb.currentX(), 20);
    EXPECT_EQ(b.pb.point(-1, 0), -1);
    EXPECT_EQ(b.pb.point(40, 0), -1);
}

TEST(PictureBox, SolidAndDottedLinesAndTheCurrentPoint)
{
    Box b;
    b.pb.line(0, 5, 9, 5); // foreColor, black
    for (int x = 0; x <= 9; ++x)
        EXPECT_EQ(b.pb.point(x, 5), Black) << x;
    EXPECT_EQ(b.pb.point(10, 5), White);
    EXPECT_DOUBLE_EQ(b.pb.currentX(), 9);
    b.pb.lineTo(9, 15, Red); // continues from the end of the last line
    EXPECT_EQ(b.pb.point(9, 12), Red);

    b.pb.setDrawStyle(PictureBox::DrawStyle::Dot);
    b.pb.line(20, 0, 20, 19, Blue);
    int set = 0;
    for (int y = 0; y < 20; ++y)
        set += b.pb.point(20, y) == Blue;
    EXPECT_EQ(set, 10); // every other pixel
    EXPECT_NE(b.pb.point(20, 0), b.pb.point(20, 1));
}

TEST(PictureBox, BoxesOutlinedFilledAndByFillStyle)
{
    Box b;
    b.pb.line(2, 2, 8, 8, Red, PictureBox::LineKind::Box);
    EXPECT_EQ(b.pb.point(2, 5), Red);
    EXPECT_EQ(b.pb.point(8, 8), Red);
    EXPECT_EQ(b.pb.point(5, 5), White); // transparent fill by default
    b.pb.line(12, 2, 18, 8, Blue, PictureBox::LineKind::FilledBox);
    EXPECT_EQ(b.pb.point(15, 5), Blue);
    EXPECT_EQ(b.pb.point(19, 5), White);
    b.pb.setFillStyle(PictureBox::FillStyle::Solid);
    b.pb.setFillColor(Red);
    b.pb.line(22, 2, 28, 8, Black, PictureBox::LineKind::Box);
    EXPECT_EQ(b.pb.point(22, 2), Black);
    EXPECT_EQ(b.pb.point(25, 5), Red);
    b.pb.circle(10, 20, 5, Black);
    EXPECT_EQ(b.pb.point(15, 20), Black);
    EXPECT_EQ(b.pb.point(10, 20), Red); // filled by the solid fill style
}

TEST(PictureBox, ClsErasesTheDrawingAndKeepsThePicture)
{
    QImage map(40, 30, QImage::Format_RGB32);
    map.fill(QColor(0, 128, 0));
    map.setPixelColor(3, 3, QColor(0, 0, 255));
    Box b;
    b.pb.setPicture(map);
    EXPECT_EQ(b.pb.point(3, 3), Blue);
    b.pb.pset(3, 3, Red);
    b.pb.line(0, 10, 39, 10, Black);
    EXPECT_EQ(b.pb.point(3, 3), Red);
    b.pb.cls();
    EXPECT_EQ(b.pb.point(3, 3), Blue);
    EXPECT_EQ(b.pb.point(20, 10), 0x008000);
    EXPECT_DOUBLE_EQ(b.pb.currentX(), 0);
    EXPECT_DOUBLE_EQ(b.pb.currentY(), 0);
}

TEST(PictureBox, TwipsAreMappedToPixels)
{
    PictureBox pb; // twips by default
    pb.resize(platform::twipsToPixels(5670), platform::twipsToPixels(2775));
    const double f = platform::pixelsPerTwip();
    EXPECT_NEAR(pb.scaleWidth(), 5670, 1 / f);
    pb.setDrawWidth(3);
    pb.pset(2646, 1787, Red); // a point of the world map
    const int px = int(2646 * f), py = int(1787 * f);
    EXPECT_EQ(pb.point(2646, 1787), Red);
    EXPECT_EQ(pb.canvas().pixelColor(px, py), QColor(255, 0, 0));
    pb.setScaleMode(PictureBox::ScaleMode::Pixels);
    EXPECT_EQ(pb.point(px, py), Red);
}

TEST(PictureBox, MouseEventsInTwips)
{
    PictureBox pb;
    pb.resize(100, 100);
    pb.show();
    QSignalSpy down(&pb, &PictureBox::mouseDown);
    QSignalSpy up(&pb, &PictureBox::mouseUp);
    QTest::mouseClick(&pb, Qt::RightButton, {}, QPoint(10, 20));
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down.at(0).at(0).toInt(), 2);
    EXPECT_NEAR(down.at(0).at(2).toDouble(), 10 / platform::pixelsPerTwip(), 1e-6);
    EXPECT_NEAR(down.at(0).at(3).toDouble(), 20 / platform::pixelsPerTwip(), 1e-6);
    EXPECT_EQ(up.count(), 1);
}

TEST(PictureBox, DrawingSurvivesAResize)
{
    Box b;
    b.pb.pset(5, 5, Red);
    b.pb.resize(80, 60);
    EXPECT_EQ(b.pb.point(5, 5), Red);
    EXPECT_EQ(b.pb.point(70, 50), White);
}
