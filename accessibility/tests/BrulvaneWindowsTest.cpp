// Every window of Brulvane walked as a screen reader sees it (Walk.h), each while
// it is shown.
#include "Calculator/Brulvane.h"
#include "Calculator/FenetresBrulvane.h"
#include "Calculator/F_Brulvane.h"
#include "Calculator/F_NoiseCalc.h"
#include "Calculator/FeuilleChoixFichier.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/StationFolder.h"
#include "accessibility/tests/Walk.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using accessibility::clickEntry;
using accessibility::report;
using accessibility::walk;
using accessibility::WindowWalk;

// Brulvane: the chooser, the EME calculator and the (never shown) noise
// calculator.
class BrulvaneWindows : public accessibility::StationFolder {};

TEST_F(BrulvaneWindows, EveryWindow)
{
    ASSERT_NO_FATAL_FAILURE(copy({"home.dat", "brulvane.ini", "logo.bmp"}));
    Brulvane prog(dialogs, clock, folder.path(), [] {});
    FenetresBrulvane fenetres(prog);
    std::vector<WindowWalk> walks;
    prog.Main();
    walks.push_back(walk(fenetres.feuilleChoixFichier()));
    ASSERT_NO_FATAL_FAILURE(clickEntry(fenetres.feuilleChoixFichier()->ListeFichier, "home.dat"));
    QTest::mouseClick(fenetres.feuilleChoixFichier()->BoutonBrulvane, Qt::LeftButton);
    ASSERT_TRUE(fenetres.f_Brulvane()->isVisible());
    walks.push_back(walk(fenetres.f_Brulvane()));
    walks.push_back(walk(fenetres.f_NoiseCalc()));
    report("Brulvane", walks);
}
