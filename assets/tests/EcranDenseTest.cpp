// On a dense screen (scale factor 2) the pictures reach the screen with every
// pixel of their twice-as-large drawings: picture boxes draw at device
// resolution, and pictures drawn in code are made at the screen's ratio.
//
// This executable runs in a process of its own with QT_SCALE_FACTOR=2, set
// before the application object exists.

#include "assets/Assets.h"
#include "platform/Geometry.h"
#include "platform/testing/DenseScreen.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/PictureBox.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

using EcranDense = platform::testing::DenseScreen;

// What the widget shows, in device pixels.
QImage vue(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST_F(EcranDense, PictureBoxShowsEveryPixelOfTheTwiceAsLargeMap)
{
    const QImage carte = assets::carteMonde();
    ASSERT_EQ(carte.devicePixelRatio(), 2.0);
    const QImage deuxX = QImage(QStringLiteral(":/cartes/worldmap@2x.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(carte.size(), deuxX.size());

    platform::PictureBox pb;
    pb.setPicture(carte);
    pb.fitToPicture();
    EXPECT_EQ(pb.size(), platform::twipsToPixels(QSize(5670, 2770)));
    pb.show();
    const QImage v = vue(pb);
    ASSERT_EQ(v.size(), deuxX.size());
    int differents = 0;
    for (int y = 0; y < v.height(); ++y)
        for (int x = 0; x < v.width(); ++x)
            differents += v.pixel(x, y) != deuxX.pixel(x, y);
    EXPECT_EQ(differents, 0);
}

// Drawing keeps its meaning in box pixels: a one-pixel line covers the two
// device rows of its box row, a point of width 3 the 6 x 6 device pixels of
// its 3 x 3 box pixels, and point() reads the colour of a box pixel.
TEST_F(EcranDense, DrawingFillsTheDevicePixelsOfEachBoxPixel)
{
    constexpr quint32 Rouge = 255, Noir = 0, Blanc = 0xFFFFFF;
    platform::PictureBox pb;
    pb.resize(40, 30);
    pb.setScaleMode(platform::PictureBox::ScaleMode::Pixels);
    pb.line(0, 5, 9, 5, Noir);
    pb.setDrawWidth(3);
    pb.pset(20, 20, Rouge);
    pb.setDrawWidth(1);
    pb.line(30, 2, 36, 8, Rouge, platform::PictureBox::LineKind::Box);
    EXPECT_EQ(pb.point(9, 5), Noir);
    EXPECT_EQ(pb.point(10, 5), Blanc);
    EXPECT_EQ(pb.point(21, 21), Rouge);
    EXPECT_EQ(pb.point(22, 20), Blanc);
    EXPECT_DOUBLE_EQ(pb.scaleWidth(), 40);

    pb.show();
    const QImage v = vue(pb);
    ASSERT_EQ(v.size(), QSize(80, 60));
    const auto couleur = [&](int x, int y) { return platform::PictureBox::fromQColor(v.pixelColor(x, y)); };
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(couleur(x, 9), Blanc) << x;
        EXPECT_EQ(couleur(x, 10), Noir) << x;
        EXPECT_EQ(couleur(x, 11), Noir) << x;
        EXPECT_EQ(couleur(x, 12), Blanc) << x;
    }
    EXPECT_EQ(couleur(20, 10), Blanc);
    for (int y = 37; y < 45; ++y)
        for (int x = 37; x < 45; ++x) {
            const bool dedans = x >= 38 && x < 44 && y >= 38 && y < 44;
            EXPECT_EQ(couleur(x, y), dedans ? Rouge : Blanc) << x << "," << y;
        }
    // The box outline: columns 30 and 36 are two device pixels wide.
    for (int x : {60, 61, 72, 73})
        EXPECT_EQ(couleur(x, 10), Rouge) << x;
    for (int x : {59, 62, 71, 74})
        EXPECT_EQ(couleur(x, 10), Blanc) << x;
}

// A picture drawn in code on platform::pictureCanvas is made at the screen's
// ratio and shown by an image button pixel for pixel.
TEST_F(EcranDense, PicturesDrawnInCodeAreMadeAtTheScreensRatio)
{
    QPixmap p = platform::pictureCanvas(QSize(24, 22));
    EXPECT_EQ(p.devicePixelRatio(), 2.0);
    EXPECT_EQ(p.size(), QSize(48, 44));
    EXPECT_EQ(p.deviceIndependentSize().toSize(), QSize(24, 22));
    p.fill(Qt::white);
    {
        QPainter g(&p);
        g.fillRect(QRectF(0, 0, 1, 1), Qt::black);
        g.fillRect(QRectF(1.5, 0, 0.5, 1), Qt::black); // half a pixel: one device pixel
    }
    platform::ImageButton b(p, p);
    EXPECT_EQ(b.size(), QSize(24, 22));
    b.show();
    const QImage v = vue(b);
    ASSERT_EQ(v.size(), QSize(48, 44));
    EXPECT_EQ(v.pixelColor(1, 1), QColor(Qt::black));
    EXPECT_EQ(v.pixelColor(2, 0), QColor(Qt::white));
    EXPECT_EQ(v.pixelColor(3, 0), QColor(Qt::black));
}

// Every compiled-in picture comes as its twice-as-large drawing.
TEST_F(EcranDense, AssetsComeAtTwiceTheirSize)
{
    const QImage images[] = {assets::carteCiel(), assets::carteCielTracking(), assets::marqueurSoleil(),
                             assets::cleCouleursCiel(), assets::cleSourcesCiel(), assets::boutonInfoCiel(),
                             assets::phaseLune(4)};
    for (const QImage& i : images) {
        ASSERT_FALSE(i.isNull());
        EXPECT_EQ(i.devicePixelRatio(), 2.0);
        EXPECT_EQ(i.size(), i.deviceIndependentSize().toSize() * 2);
    }
}
