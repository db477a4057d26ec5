// Veskaro's windows driven offscreen with scripted dialogs and a manual
// clock: start-up, the list and its padding, New with the ordered insert,
// Edit, Delete, Search, Save (with its faults), the field filters typed
// through real key events, the world-map check and quitting.

#include <gtest/gtest.h>

#include "platform/testing/DialogChecks.h"
#include "platform/testing/OverflowRule.h"
#include "platform/testing/QtTestApp.h"
#include "platform/testing/SourceDir.h"
#include "platform/testing/TestFiles.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "DXCC/BaseDXCC.h"
#include "DXCC/FeuilleChoixFichier.h"
#include "DXCC/Form2.h"
#include "DXCC/Veskaro.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/widgets/FilteredBox.h"

using platform::Answer;
using platform::Buttons;
using platform::Icon;

using platform::testing::application;
using platform::testing::isMessage;
using platform::testing::readBytes;
using platform::testing::writeBytes;

namespace {

const QByteArray SeptTabs("\t\t\t\t\t\t\t\r\n");

// Records "P<i>" ... sorted, `n` of them, as file bytes.
QByteArray liste(std::initializer_list<const char*> prefixes)
{
    QByteArray t;
    for (const char* p : prefixes)
        t += QByteArray(p) + "\tName " + p + "\t10\t20\tN\t30\t40\tE\r\n";
    return t;
}

const std::initializer_list<const char*> Quatorze = {"3A", "9A", "CT", "DL", "EA", "F", "G",
                                                     "I", "JA", "K", "LA", "OH", "VK", "ZL"};

class Fenetres : public ::testing::Test {
protected:
    Fenetres() : clock(QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0)))
    {
        application();
        etat = std::make_unique<Veskaro>(dialogs, clock, dir.path());
        etat->finProgramme = [this] { ++fins; };
    }

    QString chemin() const { return dir.filePath(QStringLiteral("DXCCPREF.DBR")); }
    void ecrire(const QByteArray& octets) { ASSERT_TRUE(writeBytes(chemin(), octets)); }
    // Starts the program: start window, then the editor on the list.
    Form2& demarrer()
    {
        etat->Main();
        Form2& f = etat->form2();
        f.activateWindow();
        QApplication::setActiveWindow(&f);
        QApplication::processEvents();
        return f;
    }
    std::vector<platform::DialogEvent> messages() const { return dialogs.messages(); }
    // Types key by key into whichever control has the focus, the events of
    // each key handled before the next, as a keyboard does.
    static void tape(const char* touches)
    {
        for (const char* t = touches; *t; ++t) {
            QTest::keyClick(QApplication::focusWidget(), *t);
            QApplication::processEvents();
        }
    }
    platform::DialogEvent dernier() const { return dialogs.messages().back(); }
    QString cellule(int r, int c = 0) { return etat->form2().GrilleDXCC->textMatrix(r, c); }
    int lignes() { return etat->form2().GrilleDXCC->rows(); }

    // New entry typed into the editor and confirmed.
    void nouvelle(Form2& f, const QString& indic, const QString& lieu = QStringLiteral("Somewhere"))
    {
        f.BtonNouveau->click();
        f.Indic->setText(indic);
        f.Lieu->setText(lieu);
        f.LatDeg->setText(QStringLiteral("1"));
        f.LatMin->setText(QStringLiteral("2"));
        f.LatSig->setText(QStringLiteral("n"));
        f.LonDeg->setText(QStringLiteral("3"));
        f.LonMin->setText(QStringLiteral("4"));
        f.LonSig->setText(QStringLiteral("w"));
        f.BtonOK->click();
    }

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::ManualClock clock;
    std::unique_ptr<Veskaro> etat;
    int fins = 0;
};

TEST_F(Fenetres, StartsWithTheLogoThenTheListLoaded)
{
    ecrire(liste({"F", "G"}));
    const QDateTime debut = clock.now();
    Form2& f = demarrer();
    EXPECT_EQ(etat->feuilleChoixFichier().windowTitle(), QStringLiteral("Selvane - DXCC Editor"));
    EXPECT_FALSE(etat->feuilleChoixFichier().isVisible());
    EXPECT_GE(debut.secsTo(clock.now()), 2); // the logo's 2 seconds
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Selvane V4.3.08 - DXCC Data Base Editor"));
    EXPECT_TRUE(f.FenetreListe->isVisible());
    EXPECT_FALSE(f.FenetreEditeur->isVisible());
    EXPECT_FALSE(f.FenetreCarte->isVisible());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(lignes(), 14);
    EXPECT_EQ(cellule(0, 0), QStringLiteral("Prefix"));
    EXPECT_EQ(cellule(0, 1), QStringLiteral("DXCC"));
    EXPECT_EQ(cellule(0, 5), QStringLiteral("Long"));
    EXPECT_EQ(cellule(2, 1), QStringLiteral("Name G"));
    EXPECT_EQ(f.GrilleDXCC->row(), 0);
    EXPECT_EQ(f.GrilleDXCC->colWidth(1), 1800);
}

TEST_F(Fenetres, NoFileThenANewEntryAfterTheEmptyRowsSavedAndReadBack)
{
    Form2& f = demarrer();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(isMessage(dernier(), "DXCC DataBase was not read !", "Selvane : Read Error", Icon::Critical));
    EXPECT_EQ(lignes(), 14);

    nouvelle(f, QStringLiteral("K"));
    EXPECT_EQ(lignes(), 15);
    EXPECT_EQ(cellule(14), QStringLiteral("K"));
    EXPECT_EQ(cellule(14, 4), QStringLiteral("N")); // letters stored upper case
    EXPECT_EQ(cellule(14, 7), QStringLiteral("W"));

    dialogs.queueAnswer(Answer::Yes);
    f.BtonSauve->click();
    EXPECT_TRUE(
        isMessage(dernier(), "Replace the old file ?", "- DXCC Data Base -", Icon::Critical, Buttons::YesNo));
    QByteArray attendu;
    for (int i = 0; i < 13; ++i)
        attendu += SeptTabs;
    attendu += "K\tSomewhere\t1\t2\tN\t3\t4\tW\r\n";
    EXPECT_EQ(readBytes(chemin()), attendu);

    const dxcc::LectureDXCC relu = dxcc::lireBaseDXCC(dir.path());
    EXPECT_EQ(relu.lignes.size(), 14u);
    EXPECT_EQ(relu.lignes[13][0], QStringLiteral("K"));
}

TEST_F(Fenetres, FiveRecordsArePaddedAndSavedAsThirteenLines)
{
    ecrire(liste({"A", "B", "C", "D", "E"}));
    Form2& f = demarrer();
    EXPECT_EQ(lignes(), 14);
    dialogs.queueAnswer(Answer::No);
    f.BtonSauve->click(); // No writes nothing
    EXPECT_EQ(readBytes(chemin()), liste({"A", "B", "C", "D", "E"}));
    dialogs.queueAnswer(Answer::Yes);
    f.BtonSauve->click();
    QByteArray attendu = liste({"A", "B", "C", "D", "E"});
    for (int i = 0; i < 8; ++i)
        attendu += SeptTabs;
    EXPECT_EQ(readBytes(chemin()), attendu);
    EXPECT_EQ(messages().size(), 2u); // no message on success
}

TEST_F(Fenetres, AnEmptyLineDoesNotEndTheReadingAndTheSaveLosesNothing)
{
    ecrire(liste({"A", "B"}) + "\r\n" + liste({"C"}));
    Form2& f = demarrer();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(cellule(3), QString());
    EXPECT_EQ(cellule(4), QStringLiteral("C"));
    dialogs.queueAnswer(Answer::Yes);
    f.BtonSauve->click();
    QByteArray attendu = liste({"A", "B"}) + SeptTabs + liste({"C"});
    for (int i = 0; i < 9; ++i)
        attendu += SeptTabs;
    EXPECT_EQ(readBytes(chemin()), attendu);
}

TEST_F(Fenetres, OrderedInsertAtTheEndFirstAndMiddleWithItsScroll)
{
    ecrire(liste(Quatorze));
    Form2& f = demarrer();
    nouvelle(f, QStringLiteral("ZS"));
    EXPECT_EQ(lignes(), 16);
    EXPECT_EQ(cellule(15), QStringLiteral("ZS"));
    EXPECT_EQ(f.GrilleDXCC->topRow(), lignes() - 11); // among the last 11 rows
    EXPECT_EQ(f.GrilleDXCC->row(), 0);
    EXPECT_EQ(f.ModeNouveau, 0);
    EXPECT_TRUE(f.BtonSauve->isEnabled());
    EXPECT_TRUE(f.FenetreListe->isVisible());

    nouvelle(f, QStringLiteral("1A"));
    EXPECT_EQ(cellule(1), QStringLiteral("1A"));
    EXPECT_EQ(cellule(2), QStringLiteral("3A"));
    EXPECT_EQ(f.GrilleDXCC->topRow(), 1);

    nouvelle(f, QStringLiteral("hb"));
    EXPECT_EQ(cellule(8), QStringLiteral("G"));
    EXPECT_EQ(cellule(9), QStringLiteral("hb")); // the prefix keeps its case
    EXPECT_EQ(cellule(10), QStringLiteral("I"));
    EXPECT_EQ(lignes(), 18);
    EXPECT_TRUE(messages().empty());
    // No entry is selected after O.K.
    dialogs.clear();
    f.BtonEdit->click();
    EXPECT_TRUE(isMessage(dernier(), "Select a dxcc prefix !!!", " - DXCC Data Base - ", Icon::Exclamation));
    EXPECT_EQ(dialogs.beeps(), 1);
}

TEST_F(Fenetres, ANewPrefixThatExistsAsksBeforeReplacingEvenInAPaddedList)
{
    // Three records and ten empty rows: the bisection alone would pass K by.
    ecrire(liste({"F", "K", "VK"}));
    Form2& f = demarrer();
    dialogs.queueAnswer(Answer::No);
    nouvelle(f, QStringLiteral("k"), QStringLiteral("Other"));
    EXPECT_TRUE(isMessage(dernier(), "This DXCC exists. Replace ?", "- DXCC Data Base -", Icon::Exclamation,
                           Buttons::YesNo));
    EXPECT_TRUE(f.FenetreEditeur->isVisible()); // No: the editor stays open
    EXPECT_EQ(f.ModeNouveau, 1);
    EXPECT_EQ(cellule(2, 1), QStringLiteral("Name K"));

    dialogs.queueAnswer(Answer::Yes);
    f.BtonOK->click();
    EXPECT_EQ(lignes(), 14); // replaced in place, nothing inserted
    EXPECT_EQ(cellule(2, 0), QStringLiteral("k"));
    EXPECT_EQ(cellule(2, 1), QStringLiteral("Other"));
    EXPECT_TRUE(f.FenetreListe->isVisible());
}

TEST_F(Fenetres, EditAndDoubleClickOpenTheRowAndOKAsksBeforeReplacing)
{
    ecrire(liste({"F", "G", "K"}) + "X\tStored 95\t95\t7\tq\t400\t1\tz\r\n");
    Form2& f = demarrer();
    f.GrilleDXCC->setRow(4);
    f.BtonEdit->click();
    // Stored fields that break the filters are shown unchanged and silently.
    EXPECT_EQ(f.LatDeg->text(), QStringLiteral("95"));
    EXPECT_EQ(f.LonSig->text(), QStringLiteral("z"));
    EXPECT_EQ(dialogs.beeps(), 0);
    EXPECT_TRUE(f.FenetreEditeur->isVisible());
    EXPECT_FALSE(f.FenetreListe->isVisible());
    EXPECT_FALSE(f.BtonSauve->isEnabled());
    EXPECT_FALSE(f.BtonNouveau->isEnabled());
    EXPECT_TRUE(f.BtonQuitter->isEnabled());
    EXPECT_TRUE(f.BtonEffacer->isEnabled());
    EXPECT_EQ(f.ModeNouveau, 0);
    f.BtonAnnuler->click(); // Cancel changes nothing
    EXPECT_EQ(cellule(4, 2), QStringLiteral("95"));
    EXPECT_EQ(f.GrilleDXCC->row(), 0);

    // Double-click on the header row does nothing; on a data row it opens it.
    f.GrilleDXCC->setRow(0);
    f.GrilleDXCC_DblClick();
    EXPECT_FALSE(f.FenetreEditeur->isVisible());
    EXPECT_TRUE(messages().empty());
    f.GrilleDXCC->setRow(2);
    f.GrilleDXCC_DblClick();
    ASSERT_TRUE(f.FenetreEditeur->isVisible());
    EXPECT_EQ(f.Indic->text(), QStringLiteral("G"));

    f.Indic->setText(QStringLiteral("ZZ")); // a new prefix keeps the row
    f.LatSig->setText(QStringLiteral("s"));
    dialogs.queueAnswer(Answer::No);
    f.BtonOK->click();
    EXPECT_EQ(dernier().text, QStringLiteral("Replace the old DXCC ?"));
    EXPECT_EQ(dernier().title, QStringLiteral("- DXCC Data Base -"));
    EXPECT_TRUE(f.FenetreEditeur->isVisible());
    EXPECT_EQ(cellule(2), QStringLiteral("G"));
    dialogs.queueAnswer(Answer::Yes);
    f.BtonOK->click();
    EXPECT_EQ(cellule(2), QStringLiteral("ZZ"));
    EXPECT_EQ(cellule(2, 4), QStringLiteral("S"));
    EXPECT_EQ(cellule(3), QStringLiteral("K"));
    EXPECT_EQ(lignes(), 14);

    // An empty row opened and confirmed takes the entry in place.
    f.GrilleDXCC->setRow(9);
    f.BtonEdit->click();
    f.Indic->setText(QStringLiteral("3A"));
    f.Lieu->setText(QStringLiteral("Monaco"));
    for (QLineEdit* b : {f.LatDeg, f.LatMin, f.LonDeg, f.LonMin})
        b->setText(QStringLiteral("1"));
    f.LatSig->setText(QStringLiteral("N"));
    f.LonSig->setText(QStringLiteral("E"));
    dialogs.queueAnswer(Answer::Yes);
    f.BtonOK->click();
    EXPECT_EQ(cellule(9), QStringLiteral("3A"));
    EXPECT_EQ(lignes(), 14);
}

TEST_F(Fenetres, OKAndWorldMapWantEveryBox)
{
    Form2& f = demarrer();
    dialogs.clear();
    f.BtonNouveau->click();
    EXPECT_FALSE(f.BtonEffacer->isEnabled());
    f.Indic->setText(QStringLiteral("K"));
    f.Lieu->setText(QStringLiteral("USA"));
    f.LatDeg->setText(QStringLiteral("38"));
    f.BtonOK->click();
    EXPECT_EQ(dialogs.beeps(), 2); // the full "38" beeped, then the missing minutes
    EXPECT_TRUE(f.LatMin->hasFocus());
    EXPECT_TRUE(platform::refusalShown(f.LatMin));
    EXPECT_TRUE(f.FenetreEditeur->isVisible());
    EXPECT_EQ(lignes(), 14);
    QTest::mouseClick(f.Lieu, Qt::LeftButton); // the operator's click takes the sign away
    ASSERT_FALSE(platform::refusalShown(f.LatMin));
    f.BtonCarte->click();
    EXPECT_EQ(dialogs.beeps(), 3);
    EXPECT_TRUE(f.LatMin->hasFocus());
    EXPECT_TRUE(platform::refusalShown(f.LatMin));
    EXPECT_FALSE(f.FenetreCarte->isVisible());
    EXPECT_TRUE(messages().empty());
}

TEST_F(Fenetres, DeleteRemovesTheRowAndTheLastRowIsEmptiedInstead)
{
    ecrire(liste({"F", "G", "K"}));
    Form2& f = demarrer();
    f.GrilleDXCC->setRow(2);
    f.BtonEdit->click();
    dialogs.queueAnswer(Answer::Cancel);
    f.BtonEffacer->click();
    EXPECT_TRUE(isMessage(dernier(), "Click OK to remove this DXCC or Cancel !", "- DXCC Data Base -",
                           Icon::Exclamation, Buttons::OkCancel));
    EXPECT_TRUE(f.FenetreEditeur->isVisible());
    EXPECT_EQ(lignes(), 14);
    f.BtonEffacer->click(); // OK
    EXPECT_EQ(lignes(), 13);
    EXPECT_EQ(cellule(2), QStringLiteral("K"));
    EXPECT_TRUE(f.FenetreListe->isVisible());
    EXPECT_EQ(f.GrilleDXCC->row(), 0);

    // Down to one data row: deleting it leaves one empty row.
    while (lignes() > 2) {
        f.GrilleDXCC->setRow(1);
        f.BtonEdit->click();
        f.BtonEffacer->click();
    }
    EXPECT_EQ(cellule(1), QString()); // the empty rows were the last ones
    f.GrilleDXCC->setTextMatrix(1, 0, QStringLiteral("ZL"));
    f.GrilleDXCC->setRow(1);
    f.BtonEdit->click();
    EXPECT_EQ(f.Indic->text(), QStringLiteral("ZL"));
    f.BtonEffacer->click();
    EXPECT_EQ(lignes(), 2);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(cellule(1, c), QString());
    EXPECT_TRUE(f.FenetreListe->isVisible());
    EXPECT_FALSE(f.FenetreEditeur->isVisible());
}

TEST_F(Fenetres, SearchHitMissAndTooLong)
{
    ecrire(liste(Quatorze));
    Form2& f = demarrer();
    dialogs.queueInput(QStringLiteral("TOOLONG")); // 7 characters: asked again, no message
    dialogs.queueInput(QStringLiteral("ja"));
    f.BtonRecherche->click();
    ASSERT_EQ(dialogs.events().size(), 2u);
    EXPECT_EQ(dialogs.events()[0].kind, platform::DialogEvent::Kind::Input);
    EXPECT_EQ(dialogs.events()[0].text, QStringLiteral("Enter the DXXC prefix !"));
    EXPECT_EQ(dialogs.events()[0].title, QStringLiteral("Common Window : Station <=> DX"));
    EXPECT_EQ(dialogs.events()[0].defaultText, QString());
    EXPECT_EQ(f.GrilleDXCC->row(), 9);
    EXPECT_EQ(f.GrilleDXCC->topRow(), 4); // Rows - 11
    f.BtonEdit->click(); // the found entry opens
    EXPECT_EQ(f.Indic->text(), QStringLiteral("JA"));
    f.BtonAnnuler->click();

    dialogs.clear();
    dialogs.queueInput(QStringLiteral("VP8")); // missing, then Cancel
    f.BtonRecherche->click();
    ASSERT_EQ(dialogs.events().size(), 3u);
    EXPECT_EQ(dialogs.events()[1].text, QStringLiteral("DXCC prefix not found !!!"));
    EXPECT_EQ(dialogs.events()[1].title, QStringLiteral("DXCC Data Base"));
    EXPECT_EQ(dialogs.events()[1].icon, Icon::Exclamation);
    EXPECT_EQ(dialogs.events()[2].kind, platform::DialogEvent::Kind::Input); // asked again
    // After a miss the last row is current, and Edit opens it.
    EXPECT_EQ(f.GrilleDXCC->row(), 14);
    f.BtonEdit->click();
    EXPECT_EQ(f.Indic->text(), QStringLiteral("ZL"));
}

TEST_F(Fenetres, AFailedSaveShowsTheWriteErrorAndLeavesTheFileWhole)
{
    ecrire(liste({"F"}));
    Form2& f = demarrer();
    nouvelle(f, QStringLiteral("G"));
    etat->fautesSauvegarde.failOnRename = true;
    dialogs.queueAnswer(Answer::Yes);
    f.BtonSauve->click();
    EXPECT_TRUE(isMessage(dernier(),
                          "Write Error : DXCCPREF.DBR was not saved !\rThe disk reported an input/output error.\r"
                          "The old file is unchanged.",
                          "Selvane - DXCC Data Base", Icon::Critical));
    EXPECT_EQ(readBytes(chemin()), liste({"F"}));
    EXPECT_EQ(cellule(14), QStringLiteral("G")); // the list is unchanged
}

TEST_F(Fenetres, AfterAPartialReadSaveAsksOnceMore)
{
    const QByteArray ancien = liste(Quatorze);
    ecrire(ancien);
    etat->fautesLecture.echecApresOctets = 100;
    Form2& f = demarrer();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(dernier().text, QStringLiteral("DXCC DataBase was not read !"));
    EXPECT_EQ(cellule(1), QStringLiteral("3A")); // what was read stays
    EXPECT_EQ(lignes(), 14);

    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueAnswer(Answer::No);
    f.BtonSauve->click();
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_TRUE(dernier().text.startsWith(QStringLiteral("DXCC DataBase was not read completely !")));
    EXPECT_EQ(dernier().icon, Icon::Critical);
    EXPECT_EQ(dernier().buttons, Buttons::YesNo);
    EXPECT_EQ(readBytes(chemin()), ancien);

    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueAnswer(Answer::Yes);
    f.BtonSauve->click();
    EXPECT_NE(readBytes(chemin()), ancien);
    // Once saved, the file holds the list: the next save asks only the usual question.
    dialogs.clear();
    dialogs.queueAnswer(Answer::Yes);
    f.BtonSauve->click();
    EXPECT_EQ(messages().size(), 1u);
}

// The filters through real keys: a refused key or paste leaves the box as
// it was with a beep and the refusal sign; a full box beeps and moves on.
TEST_F(Fenetres, FiltersTypedInTheEditor)
{
    Form2& f = demarrer();
    dialogs.clear();
    f.BtonNouveau->click();
    ASSERT_TRUE(f.Indic->hasFocus());
    tape("VP2VABC"); // the 7th character is refused and the focus moves on
    EXPECT_EQ(f.Indic->text(), QStringLiteral("VP2VAB"));
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(platform::refusalShown(f.Indic));
    EXPECT_TRUE(f.Lieu->hasFocus());

    tape("Anguilla");
    // Pasted: TAB, CR, LF and what Latin-1 cannot hold never enter.
    f.Lieu->insert(QStringLiteral("\tX\r\n\u0141Y"));
    EXPECT_EQ(f.Lieu->text(), QStringLiteral("Anguilla"));
    EXPECT_EQ(dialogs.beeps(), 2);

    f.LatDeg->setFocus();
    tape("95");
    EXPECT_EQ(f.LatDeg->text(), QStringLiteral("9"));
    EXPECT_EQ(dialogs.beeps(), 3);
    EXPECT_TRUE(f.LatDeg->hasFocus());
    QTest::keyClick(f.LatDeg, Qt::Key_Backspace);
    tape("45");
    EXPECT_EQ(dialogs.beeps(), 4); // full: a beep and the next box
    EXPECT_TRUE(f.LatMin->hasFocus());
    tape("x");
    EXPECT_EQ(f.LatMin->text(), QString());
    EXPECT_EQ(dialogs.beeps(), 5);
    tape("30");
    EXPECT_TRUE(f.LatSig->hasFocus());
    tape("n");
    EXPECT_TRUE(f.LonDeg->hasFocus());
    EXPECT_EQ(dialogs.beeps(), 7);
    tape("50");
    EXPECT_TRUE(f.LonDeg->hasFocus());
    tape("0");
    EXPECT_TRUE(f.LonDeg->hasFocus()); // "500" is refused: 360 or more
    EXPECT_EQ(f.LonDeg->text(), QStringLiteral("50"));
    EXPECT_EQ(dialogs.beeps(), 8);
    QTest::keyClick(f.LonDeg, Qt::Key_Backspace);
    QTest::keyClick(f.LonDeg, Qt::Key_Backspace);
    tape("06304w");
    EXPECT_TRUE(f.BtonOK->hasFocus());
    EXPECT_EQ(f.LonSig->text(), QStringLiteral("w"));
    f.BtonOK->click();
    EXPECT_EQ(cellule(14, 0), QStringLiteral("VP2VAB"));
    EXPECT_EQ(cellule(14, 1), QStringLiteral("Anguilla"));
    EXPECT_EQ(cellule(14, 5), QStringLiteral("063"));
    EXPECT_EQ(cellule(14, 7), QStringLiteral("W"));
}

// Keys typed past a full box go nowhere: the box the focus moved to keeps
// its value, and O.K. stores what the boxes show.
TEST_F(Fenetres, KeysTypedPastAFullBoxNeverChangeTheNextValue)
{
    ecrire("XX9\tMacao\t22\t6\tN\t113\t33\tE\r\n");
    Form2& f = demarrer();
    f.GrilleDXCC->setRow(1);
    f.BtonEdit->click();
    const auto selectionneEtTape = [&](QLineEdit* boite, const char* touches) {
        boite->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(boite, Qt::Key_A, Qt::ControlModifier);
        dialogs.clear();
        tape(touches);
    };
    selectionneEtTape(f.LatDeg, "221");
    EXPECT_EQ(f.LatDeg->text(), QStringLiteral("22"));
    EXPECT_EQ(f.LatMin->text(), QStringLiteral("6"));
    EXPECT_TRUE(f.LatMin->hasFocus());
    EXPECT_TRUE(platform::refusalShown(f.LatMin));
    EXPECT_EQ(dialogs.beeps(), 2); // the full box, then the refused "1"

    selectionneEtTape(f.Indic, "XX9ABCDE");
    EXPECT_EQ(f.Indic->text(), QStringLiteral("XX9ABC"));
    EXPECT_EQ(f.Lieu->text(), QStringLiteral("Macao"));
    EXPECT_TRUE(f.Lieu->hasFocus());
    EXPECT_EQ(dialogs.beeps(), 2); // "D" and "E", each refused

    // A full E/W passes the focus to O.K.: a space typed on does not press
    // it (no question, the editor stays); the next Space does.
    selectionneEtTape(f.LonSig, "E ");
    EXPECT_TRUE(f.BtonOK->hasFocus());
    EXPECT_TRUE(f.FenetreEditeur->isVisible());
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(platform::refusalShown(f.BtonOK));
    EXPECT_EQ(dialogs.beeps(), 2); // the full box, then the refused space
    dialogs.queueAnswer(Answer::Yes);
    tape(" ");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Replace the old DXCC ?");
    EXPECT_TRUE(f.FenetreListe->isVisible());
    EXPECT_EQ(cellule(1, 0), QStringLiteral("XX9ABC"));
    EXPECT_EQ(cellule(1, 1), QStringLiteral("Macao"));
    EXPECT_EQ(cellule(1, 2), QStringLiteral("22"));
    EXPECT_EQ(cellule(1, 3), QStringLiteral("6"));
}

// The suite's overflow rule, one table of cases run against every box.
TEST_F(Fenetres, TheOverflowRuleInEveryBox)
{
    Form2& f = demarrer();
    f.BtonNouveau->click();
    using platform::testing::FilteredBoxUnderTest;
    const std::vector<FilteredBoxUnderTest> boites = {
        {"Indic", f.Indic, "XX9ABC", ""},
        {"Lieu", f.Lieu, "Trinidad and To", "", f.Indic, "XX9ABCD"},
        {"LatDeg", f.LatDeg, "22", "x", f.Lieu, "Trinidad and Tob"},
        {"LatMin", f.LatMin, "06", "x", f.LatDeg, "22"},
        {"LatSig", f.LatSig, "N", "x", f.LatMin, "06"},
        {"LonDeg", f.LonDeg, "113", "x", f.LatSig, "N"},
        {"LonMin", f.LonMin, "33", "x", f.LonDeg, "113"},
        {"LonSig", f.LonSig, "E", "x", f.LonMin, "33"},
    };
    platform::testing::checkOverflowRule(boites, dialogs);
    // A full E/W passes the focus on to O.K.
    const auto nouvelleEntree = [&f] {
        f.BtonNouveau->click();
        QLineEdit* const b[] = {f.Indic, f.Lieu, f.LatDeg, f.LatMin, f.LatSig, f.LonDeg, f.LonMin};
        const char* valeurs[] = {"XX9", "Macao", "22", "06", "N", "113", "33"};
        for (size_t i = 0; i < 7; ++i)
            b[i]->setText(QString::fromLatin1(valeurs[i]));
    };
    platform::testing::checkOverflowRule({{"BtonOK", f.BtonOK, f.LonSig, "E", nouvelleEntree}}, dialogs);
}

// Tab right after an automatic move moves on as any Tab: counting Tabs by
// ear, the operator lands where he counted, and the value the move reached
// is kept.
TEST_F(Fenetres, TabAfterAnAutomaticMoveMovesOn)
{
    ecrire("XX9\tMacao\t22\t6\tN\t113\t33\tE\r\n");
    Form2& f = demarrer();
    f.GrilleDXCC->setRow(1);
    f.BtonEdit->click();
    f.LatDeg->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(f.LatDeg, Qt::Key_A, Qt::ControlModifier);
    tape("22");
    ASSERT_TRUE(f.LatMin->hasFocus());
    QTest::keyClick(f.LatMin, Qt::Key_Tab);
    EXPECT_TRUE(f.LatSig->hasFocus());
    EXPECT_EQ(f.LatMin->text(), QStringLiteral("6"));
    // The same from a full E/W on O.K.: one Tab leaves it.
    f.LonSig->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(f.LonSig, Qt::Key_A, Qt::ControlModifier);
    tape("W");
    ASSERT_TRUE(f.BtonOK->hasFocus());
    QTest::keyClick(f.BtonOK, Qt::Key_Tab);
    EXPECT_FALSE(f.BtonOK->hasFocus());
    EXPECT_TRUE(f.FenetreEditeur->isVisible());
}

// Return and Enter after a full E/W passed the focus to O.K. do not press it
// though Return presses a focused button in every window: an edited entry is
// neither replaced nor asked about behind the operator's back; the next
// Return asks the question, and the file saved holds what he confirmed.
TEST_F(Fenetres, ReturnAfterAFullBoxDoesNotPressOK)
{
    platform::pressFocusedButtonOnReturn(); // as every program's start does
    const QByteArray avant = "XX9\tMacao\t22\t6\tN\t113\t33\tE\r\n";
    ecrire(avant);
    Form2& f = demarrer();
    f.GrilleDXCC->setRow(1);
    f.BtonEdit->click();
    f.LonSig->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(f.LonSig, Qt::Key_A, Qt::ControlModifier);
    dialogs.clear();
    tape("W");
    ASSERT_TRUE(f.BtonOK->hasFocus());
    QTest::keyClick(f.BtonOK, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(f.FenetreEditeur->isVisible());
    EXPECT_TRUE(platform::refusalShown(f.BtonOK));
    EXPECT_EQ(cellule(1, 7), QStringLiteral("E"));
    // Seen the sign, he presses again: the question comes, answered No.
    dialogs.queueAnswer(Answer::No);
    QTest::keyClick(f.BtonOK, Qt::Key_Return);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Replace the old DXCC ?");
    EXPECT_EQ(cellule(1, 7), QStringLiteral("E"));
    f.BtonAnnuler->click();
    f.BtonSauve->click();
    EXPECT_EQ(readBytes(chemin()), avant + SeptTabs.repeated(12)); // the list padded to 13 rows

    // A new entry: Enter does not store it at once either.
    f.BtonNouveau->click();
    QLineEdit* const b[] = {f.Indic, f.Lieu, f.LatDeg, f.LatMin, f.LatSig, f.LonDeg, f.LonMin};
    const char* valeurs[] = {"ZZ1", "Nowhere", "10", "20", "S", "030", "40"};
    for (size_t i = 0; i < 7; ++i)
        b[i]->setText(QString::fromLatin1(valeurs[i]));
    f.LonSig->setFocus(Qt::MouseFocusReason);
    const int lignesAvant = lignes();
    tape("w");
    ASSERT_TRUE(f.BtonOK->hasFocus());
    QTest::keyClick(f.BtonOK, Qt::Key_Enter);
    EXPECT_EQ(lignes(), lignesAvant);
    EXPECT_TRUE(f.FenetreEditeur->isVisible());
}

TEST_F(Fenetres, TheWorldMapShowsTheRedPoint)
{
    Form2& f = demarrer();
    ASSERT_FALSE(f.Map->picture().isNull()) << "world map picture not compiled in";
    f.BtonNouveau->click();
    const QStringList position = {"0", "0", "N", "0", "0", "E"};
    QLineEdit* boites[] = {f.LatDeg, f.LatMin, f.LatSig, f.LonDeg, f.LonMin, f.LonSig};
    for (int i = 0; i < 6; ++i)
        boites[i]->setText(position[i]);
    f.BtonCarte->click();
    EXPECT_TRUE(f.FenetreCarte->isVisible());
    EXPECT_FALSE(f.FenetreEditeur->isVisible());
    EXPECT_FALSE(f.BtonSauve->isEnabled());
    EXPECT_EQ(f.Map->drawWidth(), 3);
    EXPECT_EQ(f.Map->point(2646, 1787), 255);

    f.BoutonFinCarte->click();
    EXPECT_TRUE(f.FenetreEditeur->isVisible());
    EXPECT_EQ(f.LonSig->text(), QStringLiteral("E")); // values untouched
    EXPECT_EQ(f.ModeNouveau, 1);

    // A new check erases the old point; 77 W 50 N is drawn at (1433, 945).
    f.LatDeg->setText(QStringLiteral("50"));
    f.LonDeg->setText(QStringLiteral("77"));
    f.LonSig->setText(QStringLiteral("W"));
    f.BtonCarte->click();
    EXPECT_EQ(f.Map->point(1433, 945), 255);
    EXPECT_NE(f.Map->point(2646, 1787), 255);

    if (const QByteArray captures = qgetenv("VESKARO_CAPTURES"); !captures.isEmpty()) {
        f.grab().save(QString::fromLocal8Bit(captures) + QStringLiteral("/carte.png"));
        f.BoutonFinCarte->click();
        f.grab().save(QString::fromLocal8Bit(captures) + QStringLiteral("/editeur.png"));
        f.BtonAnnuler->click();
        f.grab().save(QString::fromLocal8Bit(captures) + QStringLiteral("/liste.png"));
    }
}

// A screen reader names each box of the editor by its own label, with its
// frame where the label alone is shared.
TEST_F(Fenetres, ScreenReaderNamesOfTheEditorBoxes)
{
    Form2& f = demarrer();
    f.BtonNouveau->click();
    const std::pair<QLineEdit*, const char*> cas[] = {
        {f.Indic, "Callsign"},
        {f.Lieu, "Location"},
        {f.LatDeg, "Latitude degrees"},
        {f.LatMin, "Latitude minutes"},
        {f.LatSig, "Latitude N/S"},
        {f.LonDeg, "Longitude degrees"},
        {f.LonMin, "Longitude minutes"},
        {f.LonSig, "Longitude E/W"},
    };
    for (const auto& [boite, nom] : cas) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(boite);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(i->text(QAccessible::Name), QString::fromLatin1(nom)) << boite->objectName().toStdString();
    }
}

// The keyboard after "World map" and "Exit...": the focus is on the control
// used next, never on "Quit ...", so Space goes back and then confirms; the
// map is read as the position it shows.
TEST_F(Fenetres, TheKeyboardGoesBackFromTheMapAndConfirms)
{
    Form2& f = demarrer();
    f.BtonNouveau->click();
    const QStringList entree = {"ZZ9", "Testland", "10", "0", "N", "20", "0", "E"};
    QLineEdit* boites[] = {f.Indic, f.Lieu, f.LatDeg, f.LatMin, f.LatSig, f.LonDeg, f.LonMin, f.LonSig};
    for (int i = 0; i < 8; ++i)
        boites[i]->setText(entree[i]);
    f.BtonCarte->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_TRUE(f.FenetreCarte->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), f.BoutonFinCarte);
    // The map is read as the position it shows.
    EXPECT_EQ(platform::testing::accessibleName(f.Map),
              QString::fromUtf8("World map: ZZ9 Testland at 10\u00b0 0' N, 20\u00b0 0' E, marked"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_TRUE(f.FenetreEditeur->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), f.BtonOK);
    dialogs.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(dialogs.messages().empty()); // no quit question
    EXPECT_TRUE(f.FenetreListe->isVisible());
    EXPECT_EQ(fins, 0);
}

// At start, after O.K. on a new entry and after Cancel the focus is on the
// list, no entry selected: Space, Space neither quits nor saves.
TEST_F(Fenetres, TheFocusReturnsToTheList)
{
    ecrire(liste({"F", "G"}));
    Form2& f = demarrer();
    const auto espaceEspace = [&](const char* quand) {
        SCOPED_TRACE(quand);
        EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(f.GrilleDXCC->table()));
        EXPECT_EQ(f.GrilleDXCC->row(), 0);
        dialogs.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_TRUE(dialogs.messages().empty());
        EXPECT_EQ(fins, 0);
        EXPECT_TRUE(f.FenetreListe->isVisible());
    };
    espaceEspace("at start");
    nouvelle(f, QStringLiteral("K"));
    espaceEspace("after O.K. on a new entry");
    f.BtonNouveau->click();
    f.BtonAnnuler->click();
    espaceEspace("after Cancel");
    f.GrilleDXCC->setRow(1);
    f.BtonEdit->click();
    dialogs.queueAnswer(Answer::Yes);
    f.BtonOK->click();
    espaceEspace("after O.K. on an opened entry");
}

TEST_F(Fenetres, QuitAsksAndTheCloseButtonAsksToo)
{
    Form2& f = demarrer();
    dialogs.clear();
    dialogs.queueAnswer(Answer::No);
    f.close();
    EXPECT_TRUE(isMessage(dernier(), "Are you sure you wish to quit ?", "Selvane - DXCC Data Base", Icon::Critical,
                           Buttons::YesNo));
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(fins, 0);

    // Changes that are not saved are named in the quit question: a new row
    // in the list, and an entry typed in the editor.
    const QString perte =
        QStringLiteral("The changes to DXCCPREF.DBR are not saved !\r\rAre you sure you wish to quit ?");
    nouvelle(f, QStringLiteral("K"));
    dialogs.queueAnswer(Answer::No);
    f.BtonQuitter->click();
    EXPECT_TRUE(isMessage(dernier(), perte, "Selvane - DXCC Data Base", Icon::Critical, Buttons::YesNo));
    dialogs.queueAnswer(Answer::Yes);
    f.BtonSauve->click();
    dialogs.queueAnswer(Answer::No);
    f.BtonQuitter->click();
    EXPECT_EQ(dernier().text, QStringLiteral("Are you sure you wish to quit ?"));
    f.BtonNouveau->click();
    f.Indic->setText(QStringLiteral("ZZ"));
    dialogs.queueAnswer(Answer::No);
    f.close();
    EXPECT_EQ(dernier().text, perte);
    f.BtonAnnuler->click();

    dialogs.queueAnswer(Answer::Yes);
    f.BtonQuitter->click();
    EXPECT_EQ(fins, 1);
    EXPECT_TRUE(etat->ProgrammeTermine);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(Fenetres, TheStationDatabaseLoadsAndItsEntriesOpenAndShow)
{
    const QString station = platform::testing::sourcePath(QStringLiteral("station"));
    ASSERT_TRUE(QFile::copy(QDir(station).filePath(QStringLiteral("DXCCPREF.DBR")), chemin()));
    Form2& f = demarrer();
    EXPECT_TRUE(messages().empty());
    EXPECT_GE(lignes(), 331);
    dialogs.queueInput(QStringLiteral("vk"));
    f.BtonRecherche->click();
    if (const QByteArray captures = qgetenv("VESKARO_CAPTURES"); !captures.isEmpty())
        f.grab().save(QString::fromLocal8Bit(captures) + QStringLiteral("/liste_vk.png"));
    f.BtonEdit->click();
    EXPECT_EQ(f.Lieu->text(), QStringLiteral("Australia"));
    EXPECT_EQ(dialogs.beeps(), 0);
    f.BtonCarte->click();
    EXPECT_TRUE(f.FenetreCarte->isVisible());
    if (const QByteArray captures = qgetenv("VESKARO_CAPTURES"); !captures.isEmpty())
        f.grab().save(QString::fromLocal8Bit(captures) + QStringLiteral("/carte_vk.png"));
    f.BoutonFinCarte->click();
    f.BtonAnnuler->click();
    // A new entry lands in order in the real list.
    const int avant = lignes();
    nouvelle(f, QStringLiteral("VK0Z"));
    EXPECT_EQ(lignes(), avant + 1);
    for (int r = 2; r < lignes(); ++r)
        ASSERT_LT(dxcc::comparePrefixes(cellule(r - 1), cellule(r)), 0) << r;
}

} // namespace
