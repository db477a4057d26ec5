// Every window of Tracking walked as a screen reader sees it (Walk.h), each while
// it is shown.
#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/BancBoitier.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/Walk.h"
#include "platform/testing/TestFiles.h"
#include "tools/boxsim/PtyServer.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using accessibility::report;
using accessibility::walk;
using accessibility::WindowWalk;

// Tracking on COM1 against the interface-box simulator: the chooser, the
// main window and the antenna interface window.
class TrackingWindows : public suivi::test::DossierStation {
protected:
    void SetUp() override
    {
        DossierStation::SetUp();
        ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), suivi::test::stationModifiee({{28, "1"}})));
        ASSERT_NO_FATAL_FAILURE(suivi::test::brancheCom1(server, dossier.path()));
    }
    void TearDown() override
    {
        fenetres.reset();
        prog.reset();
    }

    boxsim::PtyServer server{boxsim::BoxConfig{}, boxsim::ServerOptions{false, false, 0.01}};
    platform::ScriptedDialogs dialogs;
    platform::ManualClock clock{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    std::unique_ptr<Tracking> prog;
    std::unique_ptr<FenetresTracking> fenetres;
};

TEST_F(TrackingWindows, EveryWindow)
{
    std::vector<WindowWalk> walks;
    prog = std::make_unique<Tracking>(dialogs, clock, dossier.path(), [] {});
    fenetres = std::make_unique<FenetresTracking>(*prog);
    prog->AttenteSansPortMs = 0;
    prog->Main();
    clock.set(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 3))); // after the start picture
    walks.push_back(walk(&fenetres->feuilleChoixFichier()));
    QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
    prog->executer(3);
    ASSERT_TRUE(fenetres->fenetrePrincipale().isVisible());
    ASSERT_TRUE(fenetres->fenetreInterface().isVisible());
    walks.push_back(walk(&fenetres->fenetrePrincipale()));
    walks.push_back(walk(&fenetres->fenetreInterface()));
    // Printed only (unless made fatal) until Tracking's windows are named.
    report("Tracking", walks, accessibility::Rule::AsConfigured);
}
