// Every window of Corvinet walked as a screen reader sees it (Walk.h), each while
// it is shown, and its main task from the keyboard alone (Keyboard.h).
#include "Corvinet/Corvinet.h"
#include "Corvinet/FenetrePrincipale.h"
#include "Corvinet/FeuilleChoixFichier.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/Keyboard.h"
#include "accessibility/tests/StartWindow.h"
#include "accessibility/tests/StationFolder.h"
#include "accessibility/tests/Walk.h"
#include "platform/Files.h"

#include <QMenu>
#include <QPushButton>
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
using corvinet::Champ;

// Corvinet started on a copy of the default station folder: the chooser.
class CorvinetWindows : public accessibility::StationFolder {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(copy({"home.dat", "logo.bmp"}));
        demarre();
    }
    void demarre()
    {
        prog.reset();
        prog = std::make_unique<Corvinet>(dialogs, clock, folder.path(), [] {});
        prog->Main();
    }
    std::unique_ptr<Corvinet> prog;
};

// The start window: the chooser read under its own title, said once.
TEST_F(CorvinetWindows, TheStartWindowIsReadUnderItsFinalTitle)
{
    accessibility::expectChooserReadUnderItsTitle([this] { demarre(); },
                                                  [this] { return &prog->feuilleChoixFichier(); },
                                                  QStringLiteral("Corvinet - Data file"));
}

// The chooser and the set-up window with its five tabs.
TEST_F(CorvinetWindows, EveryWindow)
{
    std::vector<WindowWalk> walks;
    walks.push_back(walk(&prog->feuilleChoixFichier()));
    ASSERT_NO_FATAL_FAILURE(clickEntry(prog->feuilleChoixFichier().ListeFichier, "home.dat"));
    prog->feuilleChoixFichier().BoutonOK->click();
    ASSERT_TRUE(prog->fenetrePrincipale().isVisible());
    walks.push_back(walk(&prog->fenetrePrincipale()));
    report("Corvinet", walks);
}

// Open a station file, change a value, save it through the File menu; the
// Help item of the menu bar.
TEST_F(CorvinetWindows, KeyboardOnlyOpenChangeAValueSaveAndHelp)
{
    FeuilleChoixFichier& choix = prog->feuilleChoixFichier();
    ASSERT_TRUE(switchTo(&choix));
    ASSERT_TRUE(chooseFirstEntry(choix.ListeFichier, choix.BoutonOK));
    FenetrePrincipale& f = prog->fenetrePrincipale();
    ASSERT_TRUE(f.isVisible());

    // Change the location: Tab selects the box's text, the typing replaces it.
    ASSERT_TRUE(switchTo(&f));
    ASSERT_TRUE(tabTo(f.boite(Champ::Lieu)));
    ASSERT_TRUE(type("Parkes"));
    ASSERT_EQ(f.boite(Champ::Lieu)->text(), "Parkes");

    // Save: File (Alt+F), down to Save, Enter; the replace question is
    // answered Yes.
    ASSERT_TRUE(press(Qt::Key_F, Qt::AltModifier));
    ASSERT_EQ(QApplication::activePopupWidget(), f.MenuFile);
    for (int i = 0; i < 4 && f.MenuFile->activeAction() != f.MenuSave; ++i)
        ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_EQ(f.MenuFile->activeAction(), f.MenuSave);
    dialogs.queueAnswer(platform::Answer::Yes);
    ASSERT_TRUE(press(Qt::Key_Return));
    ASSERT_FALSE(dialogs.messages().empty());
    EXPECT_EQ(dialogs.messages().back().text, "Replace the old file home.dat ?");
    const auto lignes = platform::readLines(folder.filePath("home.dat"));
    ASSERT_TRUE(lignes && lignes->size() > 5);
    EXPECT_EQ((*lignes)[4], "Parkes");

    // Help, a menu bar item of its own: from the File menu, Right, then Enter.
    ASSERT_TRUE(press(Qt::Key_F, Qt::AltModifier));
    ASSERT_TRUE(press(Qt::Key_Right));
    const size_t avant = dialogs.messages().size();
    ASSERT_TRUE(press(Qt::Key_Return));
    ASSERT_EQ(dialogs.messages().size(), avant + 1);
    EXPECT_EQ(dialogs.messages().back().title, " - HELP -");
}
