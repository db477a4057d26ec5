// Brulvane's main task from the keyboard alone (Keyboard.h): open a station in
// the EME calculator, change a value, compute.
#include "Calculator/Brulvane.h"
#include "Calculator/F_Brulvane.h"
#include "Calculator/FenetresBrulvane.h"
#include "Calculator/FeuilleChoixFichier.h"
#include "accessibility/tests/Keyboard.h"
#include "accessibility/tests/StationFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using accessibility::press;
using accessibility::switchTo;
using accessibility::tabTo;
using accessibility::type;
using brulvane::Resultat;

class BrulvaneKeyboard : public accessibility::StationFolder {};

TEST_F(BrulvaneKeyboard, OpenAStationChangeAValueCompute)
{
    ASSERT_NO_FATAL_FAILURE(copy({"home.dat", "brulvane.ini", "logo.bmp"}));
    Brulvane prog(dialogs, clock, folder.path(), [] {});
    FenetresBrulvane fenetres(prog);
    prog.Main();

    // Open: the first file of the list, then "EME Calculator".
    FeuilleChoixFichier* choix = fenetres.feuilleChoixFichier();
    ASSERT_TRUE(switchTo(choix));
    ASSERT_TRUE(tabTo(choix->ListeFichier));
    ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_EQ(choix->ListeFichier->fileName(), "home.dat");
    ASSERT_TRUE(tabTo(choix->BoutonBrulvane));
    ASSERT_TRUE(press(Qt::Key_Space));
    F_Brulvane* calc = fenetres.f_Brulvane();
    ASSERT_TRUE(calc->isVisible());

    // A new DX power blanks the results; "Compute..." gives them for it.
    ASSERT_TRUE(switchTo(calc));
    ASSERT_TRUE(tabTo(calc->DP_TxPower));
    ASSERT_TRUE(type("1000"));
    ASSERT_EQ(calc->DP_TxPower->text(), "1000");
    QLabel* signal = calc->resultat(Resultat::H_DXSignal);
    ASSERT_TRUE(signal->text().isEmpty());
    ASSERT_TRUE(tabTo(calc->Bouton_Compute));
    ASSERT_TRUE(press(Qt::Key_Space));
    EXPECT_FALSE(signal->text().isEmpty());
    EXPECT_FALSE(calc->resultat(Resultat::PathEME)->text().isEmpty());
}
