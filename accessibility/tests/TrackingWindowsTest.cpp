// Every window of Tracking walked as a screen reader sees it (Walk.h), each while
// it is shown, and its main task from the keyboard alone (Keyboard.h), against
// the interface-box simulator.
#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/Ecran.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/Keyboard.h"
#include "accessibility/tests/Walk.h"

#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using accessibility::chooseFirstEntry;
using accessibility::press;
using accessibility::report;
using accessibility::switchTo;
using accessibility::tabTo;
using accessibility::walk;
using accessibility::WindowWalk;

// Tracking on COM 1 against the box simulator in the proportional mode (every
// button of the interface window shown) with the measurement display on: the
// chooser, the main window and the antenna interface window. Each test ends
// with no byte the protocol forbids.
class TrackingWindows : public suivi::test::ProgrammeEcran {
protected:
    void demarreTout()
    {
        ASSERT_NO_FATAL_FAILURE(demarre(suivi::ModeVitesse, suivi::test::trackIni(0, 6000, 3600, 0, true)));
    }
};

TEST_F(TrackingWindows, EveryWindow)
{
    std::vector<WindowWalk> walks;
    ASSERT_NO_FATAL_FAILURE(demarreTout());
    walks.push_back(walk(&fenetres->feuilleChoixFichier()));
    QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
    prog->executer(3);
    ASSERT_TRUE(fp().isVisible());
    ASSERT_TRUE(fi().isVisible());
    ASSERT_TRUE(fi().ImgMot->isVisibleTo(&fi()) && fi().ImgSignal->isVisibleTo(&fi()));
    walks.push_back(walk(&fp()));
    walks.push_back(walk(&fi()));
    report("Tracking", walks);
}

// The station from the chooser, a source by its button, the world map and a
// DX point by its prefix, tracking on and off, then park; each control
// reached by Tab or a menu key and pressed with Space or Enter.
TEST_F(TrackingWindows, KeyboardOnlyStationSourceDXPointTrackingAndPark)
{
    ASSERT_NO_FATAL_FAILURE(demarreTout());
    FeuilleChoixFichier& choix = fenetres->feuilleChoixFichier();
    ASSERT_TRUE(switchTo(&choix));
    ASSERT_TRUE(chooseFirstEntry(choix.ListeFichier, choix.BoutonOK));
    ASSERT_TRUE(prog->S.PortOuvert);
    prog->executer(3);
    ASSERT_TRUE(fp().isVisible() && fi().isVisible());
    suivi::Suivi& s = prog->S;

    // The Sun by its button: Tab to it, Space.
    ASSERT_TRUE(switchTo(&fp()));
    ASSERT_EQ(s.CodeSource, 0);
    ASSERT_TRUE(tabTo(fp().ImgSoleil));
    ASSERT_TRUE(press(Qt::Key_Space));
    prog->executer(2);
    EXPECT_EQ(s.CodeSource, 1);
    EXPECT_TRUE(fp().ImgSoleil->isPressedShown());

    // The world map (Display, its first item), then a DX point by its
    // prefix: the keyboard's way to the point a click on the map places.
    ASSERT_TRUE(press(Qt::Key_D, Qt::AltModifier));
    ASSERT_EQ(QApplication::activePopupWidget(), fp().MenuFenetreP);
    QAction* carte = fp().MenuFenetre->action(1);
    for (int i = 0; i < 4 && fp().MenuFenetreP->activeAction() != carte; ++i)
        ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_EQ(fp().MenuFenetreP->activeAction(), carte);
    ASSERT_TRUE(press(Qt::Key_Return));
    ASSERT_TRUE(fp().BoutonDXCC->isVisibleTo(&fp()));
    ASSERT_TRUE(tabTo(fp().BoutonDXCC));
    dialogs.queueInput(QStringLiteral("PY0S"));
    ASSERT_TRUE(press(Qt::Key_Space));
    EXPECT_TRUE(s.PointDXPlace);
    EXPECT_EQ(s.Aff.CadreDXCC, "DXCC : PY0S - St.Peter & Paul");
    // The arrow keys still step the antenna with the button focused.
    ASSERT_EQ(QApplication::focusWidget(), fp().BoutonDXCC);
    ASSERT_TRUE(press(Qt::Key_Right));
    prog->executer(1); // the step goes out in the drive step of the next cycle
    EXPECT_TRUE(s.Drive.MoteurAzActif);
    prog->executer(2);
    for (int i = 0; i < 400 && !fi().ImgPark->isEnabled(); ++i)
        prog->executer(1);

    // Tracking on and off by its button in the interface window.
    ASSERT_TRUE(switchTo(&fi()));
    ASSERT_TRUE(fi().ImgTrack->isEnabled());
    ASSERT_TRUE(tabTo(fi().ImgTrack));
    ASSERT_TRUE(press(Qt::Key_Space));
    EXPECT_TRUE(s.Drive.PoursuiteActive);
    EXPECT_TRUE(fi().ImgTrack->isPressedShown());
    prog->executer(3);
    ASSERT_EQ(QApplication::focusWidget(), fi().ImgTrack);
    ASSERT_TRUE(press(Qt::Key_Space));
    EXPECT_FALSE(s.Drive.PoursuiteActive);
    EXPECT_FALSE(fi().ImgTrack->isPressedShown());

    // Park, once the drive has come to rest.
    for (int i = 0; i < 400 && !fi().ImgPark->isEnabled(); ++i)
        prog->executer(1);
    ASSERT_TRUE(fi().ImgPark->isEnabled());
    ASSERT_TRUE(tabTo(fi().ImgPark));
    ASSERT_TRUE(press(Qt::Key_Space));
    prog->executer(1);
    EXPECT_TRUE(s.Drive.ParkingDemande);
    for (int i = 0; i < 600 && s.Drive.ParkingDemande; ++i)
        prog->executer(1);
    EXPECT_FALSE(s.Drive.ParkingDemande) << "the park move never arrived";
    EXPECT_NEAR(s.AzimutAntenne, s.Station.ParkAz, 2.5);
}
