// On a dense screen (scale factor 2) the button pictures Planner draws in
// code are made with every device pixel, while the 32 x 32 icons the printed
// reports read pixel by pixel stay as they are.
//
// A test program of its own: the scale factor holds for the whole process.

#include "Planner/Pictures.h"
#include "Programme.h"
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

// Fault: on a dense screen the printed Moon-phase icon was a reduction of
// the window's 2x picture (37 to 80 of its 1024 pixels differed). The
// report prints the 32 x 32 picture, whatever the screen.
class ProgrammeDense : public Programme {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::testing::scaleFactorTwo);
        Programme::SetUp();
        ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    }
};

TEST_F(ProgrammeDense, IconeDeLaPhaseImprimeeATrenteDeuxPixels) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    FenetrePrevision* w = etat->fenetrePrevision(0);
    ASSERT_TRUE(w);
    ASSERT_GE(w->PhaseAffichee, 0);
    const QImage attendue =
        QImage(QString(":/ciel/moon%1.png").arg(w->PhaseAffichee)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(attendue.size(), QSize(32, 32));
    const QImage imprimee = etat->ContenuPrevision(0).icones[1].convertToFormat(QImage::Format_ARGB32);
    EXPECT_TRUE(imprimee == attendue);
}
