// On a dense screen (scale factor 2) the button pictures Planner draws in
// code are made with every device pixel, while the 32 x 32 icons the printed
// reports read pixel by pixel stay as they are.
//
// A test program of its own: the scale factor holds for the whole process.

#include "Planner/Pictures.h"
#include "platform/testing/DenseScreen.h"

#include <QImage>
#include <gtest/gtest.h>

using EcranDense = platform::testing::DenseScreen;

// 24 x 22 in the window, 48 x 44 device pixels, the bevel on the outermost
// row and column of device pixels and the face from the next one.
TEST_F(EcranDense, ButtonPictureHasEveryDevicePixelAndAOnePixelBevel)
{
    const QRgb Blanc = qRgb(255, 255, 255), Gris = QColor(Qt::darkGray).rgb(), Face = qRgb(192, 192, 192);
    for (bool enfonce : {false, true}) {
        SCOPED_TRACE(enfonce ? "pressed" : "released");
        const QPixmap p = pictures::bouton(QStringLiteral("new"), enfonce);
        EXPECT_EQ(p.devicePixelRatio(), 2.0);
        EXPECT_EQ(p.deviceIndependentSize().toSize(), QSize(24, 22));
        const QImage im = p.toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(im.size(), QSize(48, 44));
        const QRgb hautGauche = enfonce ? Gris : Blanc, basDroite = enfonce ? Blanc : Gris;
        for (int x = 2; x < 46; ++x) {
            EXPECT_EQ(im.pixel(x, 0), hautGauche) << x;
            EXPECT_EQ(im.pixel(x, 43), basDroite) << x;
        }
        for (int y = 2; y < 42; ++y) {
            EXPECT_EQ(im.pixel(0, y), hautGauche) << y;
            EXPECT_EQ(im.pixel(47, y), basDroite) << y;
        }
        for (int i : {4, 8, 36}) {
            EXPECT_EQ(im.pixel(i, 1), Face) << i;
            EXPECT_EQ(im.pixel(1, i), Face) << i;
            EXPECT_EQ(im.pixel(46, i), Face) << i;
        }
    }
    // The reports' icons keep their 32 x 32 pixels.
    for (const QImage& icone : {pictures::iconeHorloge(), pictures::iconeSoleil(), pictures::iconeCiel(),
                                pictures::iconeCielCalme()}) {
        EXPECT_EQ(icone.size(), QSize(32, 32));
        EXPECT_EQ(icone.devicePixelRatio(), 1.0);
    }
}
