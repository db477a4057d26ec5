// Corvinet's main task from the keyboard alone (Keyboard.h): open a station
// file, change a value, save it through the File menu; the Help item.
#include "Corvinet/Corvinet.h"
#include "Corvinet/FenetrePrincipale.h"
#include "Corvinet/FeuilleChoixFichier.h"
#include "accessibility/tests/Keyboard.h"
#include "accessibility/tests/StationFolder.h"
#include "platform/Files.h"

#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

using accessibility::press;
using accessibility::switchTo;
using accessibility::tabTo;
using accessibility::type;
using corvinet::Champ;

class CorvinetKeyboard : public accessibility::StationFolder {};

TEST_F(CorvinetKeyboard, OpenChangeAValueSaveAndHelp)
{
    ASSERT_NO_FATAL_FAILURE(copy({"home.dat", "logo.bmp"}));
    Corvinet prog(dialogs, clock, folder.path(), [] {});
    prog.Main();

    // Open: the first file of the list, then O.K.
    FeuilleChoixFichier& choix = prog.feuilleChoixFichier();
    ASSERT_TRUE(switchTo(&choix));
    ASSERT_TRUE(tabTo(choix.ListeFichier));
    ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_EQ(choix.ListeFichier->fileName(), "home.dat");
    ASSERT_TRUE(tabTo(choix.BoutonOK));
    ASSERT_TRUE(press(Qt::Key_Space));
    FenetrePrincipale& f = prog.fenetrePrincipale();
    ASSERT_TRUE(f.isVisible());

    // Change the location: Tab selects the box's text, the typing replaces it.
    ASSERT_TRUE(switchTo(&f));
    ASSERT_TRUE(tabTo(f.boite(Champ::Lieu)));
    ASSERT_TRUE(type("Parkes"));
    ASSERT_EQ(f.boite(Champ::Lieu)->text(), "Parkes");

    // Save: File (Alt+F), its second item, Enter; the replace question is
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
