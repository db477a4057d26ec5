// Every window of Brulvane walked as a screen reader sees it (Walk.h), each while
// it is shown, and its main task from the keyboard alone (Keyboard.h).
#include "Calculator/Brulvane.h"
#include "Calculator/F_Brulvane.h"
#include "Calculator/F_NoiseCalc.h"
#include "Calculator/FenetresBrulvane.h"
#include "Calculator/FeuilleChoixFichier.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/Keyboard.h"
#include "accessibility/tests/StartWindow.h"
#include "accessibility/tests/StationFolder.h"
#include "accessibility/tests/Walk.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
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
using brulvane::Resultat;

// Brulvane started on a copy of the default station folder: the chooser.
class BrulvaneWindows : public accessibility::StationFolder {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(copy({"home.dat", "brulvane.ini", "logo.bmp"}));
        demarre();
    }
    void demarre()
    {
        TearDown();
        prog = std::make_unique<Brulvane>(dialogs, clock, folder.path(), [] {});
        fenetres = std::make_unique<FenetresBrulvane>(*prog);
        prog->Main();
    }
    void TearDown() override
    {
        fenetres.reset();
        prog.reset();
    }
    std::unique_ptr<Brulvane> prog;
    std::unique_ptr<FenetresBrulvane> fenetres;
};

// The start window: the chooser read under its own title, said once.
TEST_F(BrulvaneWindows, TheStartWindowIsReadUnderItsFinalTitle)
{
    accessibility::expectChooserReadUnderItsTitle([this] { demarre(); },
                                                  [this] { return fenetres->feuilleChoixFichier(); },
                                                  QStringLiteral("EME Calculators - Setup File"));
}

// The chooser, the EME calculator and the (never shown) noise calculator.
TEST_F(BrulvaneWindows, EveryWindow)
{
    std::vector<WindowWalk> walks;
    walks.push_back(walk(fenetres->feuilleChoixFichier()));
    ASSERT_NO_FATAL_FAILURE(clickEntry(fenetres->feuilleChoixFichier()->ListeFichier, "home.dat"));
    QTest::mouseClick(fenetres->feuilleChoixFichier()->BoutonBrulvane, Qt::LeftButton);
    ASSERT_TRUE(fenetres->f_Brulvane()->isVisible());
    walks.push_back(walk(fenetres->f_Brulvane()));
    walks.push_back(walk(fenetres->f_NoiseCalc()));
    report("Brulvane", walks);
}

// Open a station in the EME calculator, change a value, compute.
TEST_F(BrulvaneWindows, KeyboardOnlyOpenAStationChangeAValueCompute)
{
    FeuilleChoixFichier* choix = fenetres->feuilleChoixFichier();
    ASSERT_TRUE(switchTo(choix));
    ASSERT_TRUE(chooseFirstEntry(choix->ListeFichier, choix->BoutonBrulvane));
    F_Brulvane* calc = fenetres->f_Brulvane();
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
