// Every window of Veskaro walked as a screen reader sees it (Walk.h), each while
// it is shown, and its main task from the keyboard alone (Keyboard.h).
#include "DXCC/FeuilleChoixFichier.h"
#include "DXCC/Form2.h"
#include "DXCC/Veskaro.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/Keyboard.h"
#include "accessibility/tests/StartWindow.h"
#include "accessibility/tests/StationFolder.h"
#include "accessibility/tests/Walk.h"
#include "platform/Files.h"

#include <QTableView>
#include <gtest/gtest.h>
#include <memory>

using accessibility::press;
using accessibility::report;
using accessibility::switchTo;
using accessibility::tabTo;
using accessibility::type;
using accessibility::walk;

// Veskaro started on a copy of the default prefix database: the editor window.
class VeskaroWindows : public accessibility::StationFolder {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(copy({"DXCCPREF.DBR", "logo.bmp"}));
        demarre();
    }
    void demarre()
    {
        prog.reset();
        prog = std::make_unique<Veskaro>(dialogs, clock, folder.path());
        prog->finProgramme = [] {};
        prog->Main();
    }
    std::unique_ptr<Veskaro> prog;
};

// After the picture, the editor window of its own, read under its title.
TEST_F(VeskaroWindows, TheStartWindowIsReadUnderItsFinalTitle)
{
    accessibility::expectChooserReadUnderItsTitle([this] { demarre(); }, [this] { return &prog->form2(); },
                                                  QStringLiteral("Selvane V4.3.08 - DXCC Data Base Editor"),
                                                  accessibility::AfterThePicture::NewWindow);
}

// The start window (the logo alone; closed once the editor opens) and the
// editor window (list, editor and map panels).
TEST_F(VeskaroWindows, EveryWindow)
{
    ASSERT_TRUE(prog->form2().isVisible());
    report("Veskaro", {walk(&prog->feuilleChoixFichier()), walk(&prog->form2())});
}

// Open an entry of the list, change a value, confirm it, save the database.
TEST_F(VeskaroWindows, KeyboardOnlyOpenAnEntryChangeAValueSave)
{
    Form2& f = prog->form2();
    ASSERT_TRUE(switchTo(&f));

    // Open: the first entry of the list, Enter.
    ASSERT_TRUE(tabTo(f.GrilleDXCC->table()));
    ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_TRUE(press(Qt::Key_Return));
    ASSERT_TRUE(f.FenetreEditeur->isVisible());
    ASSERT_EQ(f.Indic->text(), "1A");

    // Change the entity's name: Tab selects the box's text, the typing
    // replaces it; O.K. replaces the entry (the question answered Yes).
    ASSERT_TRUE(tabTo(f.Lieu));
    ASSERT_TRUE(type("Malta Order"));
    ASSERT_TRUE(tabTo(f.BtonOK));
    dialogs.queueAnswer(platform::Answer::Yes);
    ASSERT_TRUE(press(Qt::Key_Space));
    ASSERT_TRUE(f.FenetreListe->isVisible());
    ASSERT_EQ(f.GrilleDXCC->textMatrix(1, 1), "Malta Order");

    // Save, the old file replaced (the question answered Yes).
    ASSERT_TRUE(tabTo(f.BtonSauve));
    dialogs.queueAnswer(platform::Answer::Yes);
    ASSERT_TRUE(press(Qt::Key_Space));
    const auto lignes = platform::readLines(folder.filePath("DXCCPREF.DBR"));
    ASSERT_TRUE(lignes && !lignes->isEmpty());
    EXPECT_EQ(lignes->first(), "1A\tMalta Order\t41\t54\tN\t12\t26\tE");
}
