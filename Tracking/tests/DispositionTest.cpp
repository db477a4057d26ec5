// Where Tracking's windows go and what they show: window places in
// "track.ini" beyond 16 bits, windows placed inside the available screen,
// both windows' outer sizes, frames whose controls stay inside and apart,
// the sky-map legend, the level scale, names shown as written.
#include "Tracking/Controles.h"
#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Suivi.h"
#include "Tracking/TrackIni.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/Ecran.h"
#include "Tracking/tests/Outils.h"
#include "platform/Files.h"
#include "platform/testing/QtTestApp.h"
#include "platform/testing/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using suivi::test::fichierStation;

// A window at x = 2300 px (34500 twips at 15 twips a pixel) on a wide
// desktop is written and read back as it is, on every line that holds a place.
TEST(TrackIniPlaces, TrenteDeuxBits)
{
    QTemporaryDir dir;
    const QString p = dir.filePath("track.ini");
    suivi::TrackIni t;
    t.InterfaceLeft = 34500;
    t.InterfaceTop = 40005;
    t.PrincipaleLeft = -33000;
    t.PrincipaleTop = 100000;
    ASSERT_TRUE(platform::saveLines(p, suivi::lignesTrackIni(t)));
    const auto lignes = platform::readLines(p);
    ASSERT_TRUE(lignes);
    EXPECT_EQ((*lignes)[2].trimmed(), "34500");
    suivi::TrackIni r;
    ASSERT_TRUE(suivi::lireTrackIni(p, r));
    EXPECT_EQ(r.InterfaceLeft, 34500);
    EXPECT_EQ(r.InterfaceTop, 40005);
    EXPECT_EQ(r.PrincipaleLeft, -33000);
    EXPECT_EQ(r.PrincipaleTop, 100000);
    // Beyond 32 bits the value is no place: a read error.
    QStringList l = suivi::lignesTrackIni(t);
    l[1] = "3000000000";
    ASSERT_TRUE(platform::saveLines(p, l));
    EXPECT_FALSE(suivi::lireTrackIni(p, r));
}

class Placement : public suivi::test::DossierStation {
protected:
    void TearDown() override
    {
        fenetres.reset();
        prog.reset();
    }
    void demarre()
    {
        prog = std::make_unique<Tracking>(dialogs, horloge, dossier.path());
        fenetres = std::make_unique<FenetresTracking>(*prog);
        prog->AttenteSansPortMs = 0;
        prog->Main();
        QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        prog->executer(2);
    }
    platform::ScriptedDialogs dialogs;
    platform::ManualClock horloge{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    std::unique_ptr<Tracking> prog;
    std::unique_ptr<FenetresTracking> fenetres;
};

} // namespace

namespace {

using suivi::test::trackIni;

// Tracking on COM 1 against the box simulator, at scale 1.
class Ecran : public suivi::test::ProgrammeEcran {};

// Which measurement frame shows, its menu item and the window's size follow
// the station loaded, also after File > New and another station: a "Signal"
// station with the display saved on shows the level graph, average and
// offset; a "Polar" one the polarisation frame.
TEST_F(Ecran, CadreDeMesureDeLaStationChargee)
{
    ASSERT_NO_FATAL_FAILURE(charge(suivi::ModeRelais, trackIni(0, 6000, 3600, 0, true)));
    EXPECT_TRUE(fi().CadreSignal->isVisibleTo(&fi()));
    EXPECT_FALSE(fi().CadrePolar->isVisibleTo(&fi()));
    EXPECT_TRUE(fi().AffLevelGraph->isVisibleTo(&fi()) && fi().AffLevelAverage->isVisibleTo(&fi()) &&
                fi().AffOffset->isVisibleTo(&fi()));
    EXPECT_EQ(fi().MenuMesure->caption(0), "Signal Meas.");
    EXPECT_EQ(controles::tailleExterieureTwips(&fi()).height(), 4425);

    fp().MenuFichier->action(0)->trigger(); // File > New, then a polarisation station
    ASSERT_TRUE(platform::testing::writeBytes(
        chemin("home.dat"),
        suivi::test::stationModifiee({{28, "1"}, {30, "Polar"}, {32, "360"}, {34, "-180"}})));
    QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
    prog->executer(2);
    EXPECT_FALSE(fi().CadreSignal->isVisibleTo(&fi()));
    EXPECT_TRUE(fi().CadrePolar->isVisibleTo(&fi()));
    EXPECT_EQ(fi().MenuMesure->caption(0), "Polar Meas.");
    EXPECT_EQ(controles::tailleExterieureTwips(&fi()).height(), 3345);
}

} // namespace



namespace {

// The interface window in each layout: no control sticks out of its frame
// or lies over another, and the frames stay inside the client area across
// (its height below the menu bar follows the font). With a box and on a
// dense screen: EcranTest.cpp.
TEST_F(Placement, RienNeDepasseNiNeSeChevauche)
{
    demarre();
    FenetreInterface& fi = fenetres->fenetreInterface();
    fi.show();
    for (bool mesure : {false, true})
        for (bool paysage : {false, true}) {
            prog->Ini.Mesure = mesure;
            prog->Ini.Paysage = paysage;
            fenetres->disposition(nullptr);
            for (QWidget* c : std::initializer_list<QWidget*>{fi.CadreAntenne, fi.CadreSignal, fi.Z1[0], fi.Z1[1],
                                                             fi.CadrePolar})
                if (!c->isHidden())
                    suivi::test::enfantsRanges(c);
            for (const QWidget* c : {static_cast<QWidget*>(fi.CadreAntenne), static_cast<QWidget*>(fi.CadreSignal),
                                     static_cast<QWidget*>(fi.CadrePolar)})
                if (!c->isHidden()) {
                    EXPECT_LT(c->geometry().right(), fi.centralWidget()->width()) << c->objectName().toStdString();
                }
        }
}

// Both windows take their sizes as outer sizes, frame included.
TEST_F(Placement, TaillesExterieures)
{
    // Sizes in twips to the pixel (15 twips at 96 dpi).
    auto egal = [](const QWidget* w, int largeur, int hauteur) {
        const QSize t = controles::tailleExterieureTwips(w);
        EXPECT_NEAR(t.width(), largeur, 15) << w->objectName().toStdString();
        EXPECT_NEAR(t.height(), hauteur, 15) << w->objectName().toStdString();
    };
    demarre();
    egal(&fenetres->fenetrePrincipale(), 8840, 5220);
    FenetreInterface& fi = fenetres->fenetreInterface();
    egal(&fi, 3015, 2565);
    fi.MenuMesure->action(0)->trigger();
    egal(&fi, 3015, 4425);
    fi.MenuMesure->action(2)->trigger();
    egal(&fi, 5895, 2565);
}

// The sky-map legend lists the numbered source markers beside the bands;
// the level graph shows its 51-dB scale under the curve, also after a
// block has been drawn; names with "&" are shown as written.
TEST_F(Placement, LegendeEchelleEtNomsLitteraux)
{
    demarre();
    FenetrePrincipale& fp = fenetres->fenetrePrincipale();
    fp.ImgInfo_Click();
    const auto* cle = fp.CadreinfoCiel->findChild<QLabel*>(QStringLiteral("CleSources"));
    ASSERT_NE(cle, nullptr);
    EXPECT_TRUE(cle->isVisibleTo(&fp));
    EXPECT_FALSE(cle->pixmap().isNull());

    platform::PictureBox* g = fenetres->fenetreInterface().AffLevelGraph;
    ASSERT_FALSE(g->picture().isNull());
    const qint64 fond = g->point(100, 600), zero = g->point(800, 1350);
    EXPECT_NE(zero, fond) << "the 0 dB line";
    std::array<float, 21> n{};
    n.fill(25);
    prog->dessineNiveau(n);
    EXPECT_EQ(g->point(800, 1350), zero);
    EXPECT_NE(g->point(800, std::round((1 - 25 / 51.0) * 1350)), fond) << "the curve at 25 dB";

    dialogs.queueInput(QStringLiteral("PY0S"));
    fp.BoutonDXCC_Click();
    prog->S.NomSource = QStringLiteral("R & D");
    prog->S.Aff.CadreSource = prog->S.NomSource;
    prog->rafraichit();
    for (const QGroupBox* c : {fp.CadreDXCC, fp.CadreSource}) {
        EXPECT_TRUE(QKeySequence::mnemonic(c->title()).isEmpty()) << c->title().toStdString();
        QString vu = c->title();
        vu.replace(QLatin1String("&&"), QLatin1String("&"));
        EXPECT_TRUE(vu == "DXCC : PY0S - St.Peter & Paul" || vu == "R & D") << vu.toStdString();
    }
}

// The sky-map horizon points' x, in double precision as the expression
// gives it (single precision gave 1985, 1770 and 1555 for i = 51, 54, 57).
TEST(CarteCiel, XDesPointsDHorizon)
{
    const std::pair<int, int> cas[] = {{0, 5640}, {1, 5568}, {51, 1984}, {54, 1769}, {57, 1554}, {71, 551}};
    for (const auto& [i, x] : cas)
        EXPECT_EQ(suivi::xHorizonCiel(i), x) << i;
}

} // namespace

namespace {
// Enlarged pictures of the main window's frames for a look by eye: run with
// --gtest_also_run_disabled_tests; they land in $TMPDIR (default /tmp).
TEST_F(Placement, DISABLED_Agrandissements)
{
    const QString dir = qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp"));
    demarre();
    FenetrePrincipale& fp = fenetres->fenetrePrincipale();
    fp.MenuFenetre->action(1)->trigger();
    dialogs.queueInput(QStringLiteral("PY0S"));
    fp.BoutonDXCC_Click();
    prog->S.Aff.AffExtraLoss = QStringLiteral("-2.24 dB");
    prog->S.Aff.LibellesDoppler = true;
    prog->rafraichit();
    for (QWidget* w : std::initializer_list<QWidget*>{fp.CadreFrequence, fp.CadreDXCC, fp.CadreSource, fp.CadreTraffic}) {
        const QImage i = w->grab().toImage();
        i.scaled(i.size() * 3).save(dir + "/zoom_" + w->objectName() + ".png");
    }
}
} // namespace
