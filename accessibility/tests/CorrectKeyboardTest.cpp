// Correct's main task from the keyboard alone (Keyboard.h): open a table,
// change a correction, save it under a station file's name.
#include "CORRECT/Correct.h"
#include "CORRECT/FenetresCorrect.h"
#include "CORRECT/FeuilleChoixFichierDat.h"
#include "CORRECT/FeuilleChoixFichierTCV.h"
#include "CORRECT/FeuillePrincipale.h"
#include "accessibility/tests/Keyboard.h"
#include "accessibility/tests/StationFolder.h"
#include "platform/Files.h"

#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using accessibility::press;
using accessibility::switchTo;
using accessibility::tabTo;
using accessibility::type;

class CorrectKeyboard : public accessibility::StationFolder {};

TEST_F(CorrectKeyboard, OpenChangeAValueSave)
{
    ASSERT_NO_FATAL_FAILURE(copy({"home.dat", "home.tcv", "logo.bmp"}));
    Correct prog(dialogs, clock, folder.path());
    FenetresCorrect fenetres(prog);
    prog.finProgramme = [] {};
    prog.Main();

    // Open: the first table of the list, then OK.
    FeuilleChoixFichierTCV& choix = fenetres.feuilleChoixFichierTCV();
    ASSERT_TRUE(switchTo(&choix));
    ASSERT_TRUE(tabTo(choix.ListeFichierTCV));
    ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_TRUE(tabTo(choix.BoutonFichierOK));
    ASSERT_TRUE(press(Qt::Key_Space));
    FeuillePrincipale& editeur = fenetres.feuillePrincipale();
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
    FeuilleChoixFichierDat& stations = fenetres.feuilleChoixFichierDat();
    ASSERT_TRUE(switchTo(&stations));
    ASSERT_TRUE(tabTo(stations.ListeFichierDat));
    ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_TRUE(tabTo(stations.BoutonOKDat));
    dialogs.queueAnswer(platform::Answer::Yes);
    ASSERT_TRUE(press(Qt::Key_Space));
    const auto lignes = platform::readLines(folder.filePath("home.tcv"));
    ASSERT_TRUE(lignes && lignes->size() > 7);
    EXPECT_EQ((*lignes)[6], "[10]");
    EXPECT_EQ((*lignes)[7], "1.5");
}
