// On a dense screen (scale factor 2) the pictures Tracking draws in code are
// made with every device pixel: twice as many pixels each way at the same
// size in the window, and their fine lines one device pixel wide. The
// windows' tests of EcranTest.cpp run here too, at that scale.
//
// A test program of its own: the scale factor holds for the whole process.

#include "Tracking/Dessins.h"
#include "platform/Geometry.h"
#include "platform/testing/DenseScreen.h"
#include "platform/testing/SourceDir.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
// The offscreen screen of this program: 1920 x 1080 device pixels, 960 x 540
// at scale 2, where both of Tracking's windows fit side by side (the
// default screen, 800 x 800, would be 400 x 400: narrower than the main
// window). Set before the application exists; a platform chosen by hand
// stays.
const bool grandEcran = [] {
    const QByteArray plateforme = qgetenv("QT_QPA_PLATFORM");
    if (plateforme.isEmpty() || plateforme == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" +
                    platform::testing::sourcePath(QStringLiteral("Tracking/tests/ecran_dense.json")).toLocal8Bit());
    return true;
}();
} // namespace

using EcranDense = platform::testing::DenseScreen;

// The screen the window tests of this program run on.
TEST_F(EcranDense, GrandEcranDense)
{
    ASSERT_TRUE(grandEcran);
    EXPECT_EQ(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(960, 540));
}

// A 480-twip button: 32 x 32 in the window, 64 x 64 device pixels; its bevel
// is the outermost row and column of device pixels, the face starts on the
// next one (a doubled 1x picture would have a bevel two pixels wide).
TEST_F(EcranDense, ButtonPictureHasEveryDevicePixelAndAOnePixelBevel)
{
    const QRgb Clair = qRgb(255, 255, 255), Sombre = qRgb(80, 80, 80);
    for (bool enfonce : {false, true}) {
        SCOPED_TRACE(enfonce ? "pressed" : "released");
        const QPixmap p = dessins::bouton(dessins::Motif::Periode, enfonce, QSize(480, 480));
        EXPECT_EQ(p.devicePixelRatio(), 2.0);
        EXPECT_EQ(p.deviceIndependentSize().toSize(), platform::twipsToPixels(QSize(480, 480)));
        const QImage im = p.toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(im.size(), 2 * platform::twipsToPixels(QSize(480, 480)));
        const int n = im.width() - 1;
        const QRgb face = enfonce ? qRgb(168, 168, 168) : qRgb(200, 200, 200);
        const QRgb hautGauche = enfonce ? Sombre : Clair, basDroite = enfonce ? Clair : Sombre;
        for (int i = 2; i < n - 2; ++i) {
            EXPECT_EQ(im.pixel(i, 0), hautGauche) << i;
            EXPECT_EQ(im.pixel(0, i), hautGauche) << i;
            EXPECT_EQ(im.pixel(i, n), basDroite) << i;
            EXPECT_EQ(im.pixel(n, i), basDroite) << i;
        }
        // Next to the bevel, away from the figure in the middle: the face.
        for (int i : {4, 8, n - 8, n - 4}) {
            EXPECT_EQ(im.pixel(i, 1), face) << i;
            EXPECT_EQ(im.pixel(1, i), face) << i;
            EXPECT_EQ(im.pixel(i, n - 1), face) << i;
            EXPECT_EQ(im.pixel(n - 1, i), face) << i;
        }
    }
}

// The other pictures drawn in code: at the screen's ratio, their size in the
// window unchanged.
TEST_F(EcranDense, IconsAndScaleAtTheScreensRatio)
{
    const QPixmap antenne = dessins::iconeAntenne();
    EXPECT_EQ(antenne.devicePixelRatio(), 2.0);
    EXPECT_EQ(antenne.size(), 2 * platform::twipsToPixels(QSize(270, 270)));
    const QPixmap fleche = dessins::flecheDirection(1);
    EXPECT_EQ(fleche.devicePixelRatio(), 2.0);
    EXPECT_EQ(fleche.size(), 2 * platform::twipsToPixels(QSize(240, 240)));
    const QImage echelle = dessins::echelleNiveau();
    EXPECT_EQ(echelle.devicePixelRatio(), 2.0);
    EXPECT_EQ(echelle.size(), 2 * platform::twipsToPixels(QSize(1545, 1365)));
}
