// Every window of Correct walked as a screen reader sees it (Walk.h), each while
// it is shown, and its main task from the keyboard alone (Keyboard.h).
#include "CORRECT/Correct.h"
#include "CORRECT/FenetresCorrect.h"
#include "CORRECT/FeuilleChoixFichierDat.h"
#include "CORRECT/FeuilleChoixFichierTCV.h"
#include "CORRECT/FeuillePrincipale.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/Keyboard.h"
#include "accessibility/tests/StartWindow.h"
#include "accessibility/tests/StationFolder.h"
#include "accessibility/tests/Walk.h"
#include "platform/Files.h"

#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>
#include <memory>

using accessibility::chooseFirstEntry;
using accessibility::clickEntry;
using accessibility::press;
using accessibility::report;
using accessibility::switchTo;
using accessibility::tabTo;
using accessibility::type;
using accessibility::walk;
using accessibility::WindowWalk;

// Correct started on a copy of the default station folder: the table chooser.
class CorrectWindows : public accessibility::StationFolder {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(copy({"home.dat", "home.tcv", "logo.bmp"}));
        demarre();
    }
    void demarre()
    {
        TearDown();
        prog = std::make_unique<Correct>(dialogs, clock, folder.path());
        fenetres = std::make_unique<FenetresCorrect>(*prog);
        prog->finProgramme = [] {};
        prog->Main();
    }
    void TearDown() override
    {
        fenetres.reset();
        prog.reset();
    }
    std::unique_ptr<Correct> prog;
    std::unique_ptr<FenetresCorrect> fenetres;
};

// The start window: the chooser read under its own title, said once.
TEST_F(CorrectWindows, TheStartWindowIsReadUnderItsFinalTitle)
{
    accessibility::expectChooserReadUnderItsTitle([this] { demarre(); },
                                                  [this] { return &fenetres->feuilleChoixFichierTCV(); },
                                                  QStringLiteral("Selvane - T.C.V - Correction File"));
}

// The table chooser, the editor and the station-file chooser.
TEST_F(CorrectWindows, EveryWindow)
{
    std::vector<WindowWalk> walks;
    walks.push_back(walk(&fenetres->feuilleChoixFichierTCV()));
    ASSERT_NO_FATAL_FAILURE(clickEntry(fenetres->feuilleChoixFichierTCV().ListeFichierTCV, "home.tcv"));
    fenetres->feuilleChoixFichierTCV().BoutonFichierOK->click();
    ASSERT_TRUE(fenetres->feuillePrincipale().isVisible());
    walks.push_back(walk(&fenetres->feuillePrincipale()));
    fenetres->feuillePrincipale().BoutonSauve->click();
    ASSERT_TRUE(fenetres->feuilleChoixFichierDat().isVisible());
    walks.push_back(walk(&fenetres->feuilleChoixFichierDat()));
    report("Correct", walks);
}

// Open a table, change a correction, save it under a station file's name.
TEST_F(CorrectWindows, KeyboardOnlyOpenChangeAValueSave)
{
    FeuilleChoixFichierTCV& choix = fenetres->feuilleChoixFichierTCV();
    ASSERT_TRUE(switchTo(&choix));
    ASSERT_TRUE(chooseFirstEntry(choix.ListeFichierTCV, choix.BoutonFichierOK));
    FeuillePrincipale& editeur = fenetres->feuillePrincipale();
    ASSERT_TRUE(editeur.isVisible());

    // The azimuth correction at 10 degrees: one row down from the first
    // cell, the value typed over the cell's.
    ASSERT_TRUE(switchTo(&editeur));
    ASSERT_TRUE(tabTo(editeur.GrilleCorrection->table()));
    ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_TRUE(type("1.5"));
    ASSERT_EQ(editeur.GrilleCorrection->textMatrix(2, 1), "1.5");

    // Save: the station file it is named after, then OK; the old table is
    // replaced (the question answered Yes).
    ASSERT_TRUE(tabTo(editeur.BoutonSauve));
    ASSERT_TRUE(press(Qt::Key_Space));
    FeuilleChoixFichierDat& stations = fenetres->feuilleChoixFichierDat();
    ASSERT_TRUE(switchTo(&stations));
    dialogs.queueAnswer(platform::Answer::Yes);
    ASSERT_TRUE(chooseFirstEntry(stations.ListeFichierDat, stations.BoutonOKDat));
    const auto lignes = platform::readLines(folder.filePath("home.tcv"));
    ASSERT_TRUE(lignes && lignes->size() > 7);
    EXPECT_EQ((*lignes)[6], "[10]");
    EXPECT_EQ((*lignes)[7], "1.5");
}
