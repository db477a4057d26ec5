// Every window of Correct walked as a screen reader sees it (Walk.h), each while
// it is shown.
#include "CORRECT/Correct.h"
#include "CORRECT/FenetresCorrect.h"
#include "CORRECT/FeuilleChoixFichierDat.h"
#include "CORRECT/FeuilleChoixFichierTCV.h"
#include "CORRECT/FeuillePrincipale.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/StationFolder.h"
#include "accessibility/tests/Walk.h"

#include <QPushButton>
#include <gtest/gtest.h>

using accessibility::clickEntry;
using accessibility::report;
using accessibility::walk;
using accessibility::WindowWalk;

// Correct: the table chooser, the editor and the station-file chooser.
class CorrectWindows : public accessibility::StationFolder {};

TEST_F(CorrectWindows, EveryWindow)
{
    ASSERT_NO_FATAL_FAILURE(copy({"home.dat", "home.tcv", "logo.bmp"}));
    Correct prog(dialogs, clock, folder.path());
    FenetresCorrect fenetres(prog);
    prog.finProgramme = [] {};
    std::vector<WindowWalk> walks;
    prog.Main();
    walks.push_back(walk(&fenetres.feuilleChoixFichierTCV()));
    ASSERT_NO_FATAL_FAILURE(clickEntry(fenetres.feuilleChoixFichierTCV().ListeFichierTCV, "home.tcv"));
    fenetres.feuilleChoixFichierTCV().BoutonFichierOK->click();
    ASSERT_TRUE(fenetres.feuillePrincipale().isVisible());
    walks.push_back(walk(&fenetres.feuillePrincipale()));
    fenetres.feuillePrincipale().BoutonSauve->click();
    ASSERT_TRUE(fenetres.feuilleChoixFichierDat().isVisible());
    walks.push_back(walk(&fenetres.feuilleChoixFichierDat()));
    report("Correct", walks);
}
