// Every window of Corvinet walked as a screen reader sees it (Walk.h), each while
// it is shown.
#include "Corvinet/Corvinet.h"
#include "Corvinet/FenetrePrincipale.h"
#include "Corvinet/FeuilleChoixFichier.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/StationFolder.h"
#include "accessibility/tests/Walk.h"

#include <QPushButton>
#include <gtest/gtest.h>

using accessibility::clickEntry;
using accessibility::report;
using accessibility::walk;
using accessibility::WindowWalk;

// Corvinet: the chooser and the set-up window with its five tabs.
class CorvinetWindows : public accessibility::StationFolder {};

TEST_F(CorvinetWindows, EveryWindow)
{
    ASSERT_NO_FATAL_FAILURE(copy({"home.dat", "logo.bmp"}));
    Corvinet prog(dialogs, clock, folder.path(), [] {});
    std::vector<WindowWalk> walks;
    prog.Main();
    walks.push_back(walk(&prog.feuilleChoixFichier()));
    ASSERT_NO_FATAL_FAILURE(clickEntry(prog.feuilleChoixFichier().ListeFichier, "home.dat"));
    prog.feuilleChoixFichier().BoutonOK->click();
    ASSERT_TRUE(prog.fenetrePrincipale().isVisible());
    walks.push_back(walk(&prog.fenetrePrincipale()));
    report("Corvinet", walks);
}
