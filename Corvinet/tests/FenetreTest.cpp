// The program through its windows, offscreen: opening and saving files byte
// for byte, read and write errors, the file-name boxes, the quit question, the
// save checks as the window carries them out, help buttons, mode toggles, and
// typing into the boxes with real key events.
#include "Corvinet/Corvinet.h"
#include "Corvinet/FenetrePrincipale.h"
#include "Corvinet/FeuilleChoixFichier.h"
#include "Outils.h"
#include "platform/testing/OverflowRule.h"
#include "platform/widgets/FilteredBox.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/testing/SourceDir.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

using corvinet::Champ;
using outils::isMessage;
using platform::Answer;
using platform::DialogEvent;
using platform::Icon;

namespace {

class Fenetre : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        prog = std::make_unique<Corvinet>(dialogs, horloge, dossier.path(), [this] { ++fins; });
    }

    QString chemin(const QString& nom) const { return QDir(dossier.path()).filePath(nom); }
    void copie(const char* fixture, const QString& nom)
    {
        ASSERT_TRUE(QFile::copy(outils::fixture(fixture), chemin(nom)));
        QFile::setPermissions(chemin(nom), QFile::ReadOwner | QFile::WriteOwner);
    }
    void ecrit(const QString& nom, const QByteArray& octets)
    {
        ASSERT_TRUE(platform::testing::writeBytes(chemin(nom), octets));
    }
    FenetrePrincipale& f() { return prog->fenetrePrincipale(); }
    FeuilleChoixFichier& choix() { return prog->feuilleChoixFichier(); }
    QLineEdit* boite(Champ c) { return f().boite(c); }
    QString texte(Champ c) { return boite(c)->text(); }

    // Chooses `nom` in the list and presses O.K.
    void ouvre(const QString& nom)
    {
        if (prog->feuilleChoixCreee()) prog->MenuOpen();
        else prog->Main();
        platform::FileList* l = choix().ListeFichier;
        int i = 0;
        while (i < l->listCount() && l->entry(i) != nom) ++i;
        ASSERT_LT(i, l->listCount()) << nom.toStdString();
        l->setListIndex(i);
        choix().ListeFichier_Click();
        choix().BoutonOK->click();
        QApplication::setActiveWindow(&f());
        QCoreApplication::processEvents();
    }
    // Opens the window on a new, empty station "nouveau.dat".
    void ouvreNouveau()
    {
        dialogs.queueInput("nouveau.dat");
        prog->Main();
        choix().BoutonNouvFichier->click();
        QApplication::setActiveWindow(&f());
        QCoreApplication::processEvents();
    }
    void remplit(const corvinet::ValeursStation& v)
    {
        for (const auto& info : corvinet::champs())
            if (boite(info.champ)) f().setTexte(info.champ, v[info.champ]);
    }
    std::vector<DialogEvent> messages() const { return dialogs.messages(); }
    // The bytes of a file of the station folder, and of a fixture file.
    QByteArray octets(const QString& nom) const { return outils::readBytes(chemin(nom)); }
    static QByteArray octetsFixture(const char* fixture) { return outils::readBytes(outils::fixture(fixture)); }
    // File > Save, stopped by the completeness check at the drive mode: tab 1
    // with the focus on the first mode button, one beep and no box; the file
    // `nom` still holds `avant`.
    void sauveRefuseeAuMode(const QString& nom, const QByteArray& avant)
    {
        dialogs.clear();
        prog->MenuSave();
        EXPECT_FALSE(prog->SaisieOk);
        EXPECT_EQ(f().Feuillet_Setup->currentIndex(), 1);
        EXPECT_EQ(focus(), f().SpeedControl[0]);
        EXPECT_EQ(dialogs.beeps(), 1);
        EXPECT_TRUE(messages().empty());
        EXPECT_EQ(octets(nom), avant);
    }
    // Copies a fixture file into the station folder as `nom` and opens it.
    void ouvreCopie(const char* fixture, const QString& nom)
    {
        copie(fixture, nom);
        ouvre(nom);
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    // Types `touches` key by key into whichever control has the focus at
    // each key, as a keyboard does.
    void tape(const QString& touches)
    {
        for (QChar c : touches) QTest::keyClick(focus(), c.toLatin1());
    }

    QTemporaryDir dossier;
    platform::ScriptedDialogs dialogs;
    platform::ManualClock horloge{QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0))};
    std::unique_ptr<Corvinet> prog;
    int fins = 0;
};

} // namespace

TEST_F(Fenetre, StartShowsTheChooserAfterThePicture)
{
    copie("station_port1.dat", "home.dat");
    copie("station_port0.dat", "Other.DAT");
    ecrit("notes.txt", "x");
    prog->Main();
    EXPECT_TRUE(choix().isVisible());
    EXPECT_FALSE(f().isVisible());
    EXPECT_EQ(choix().windowTitle(), "Corvinet - Data file");
    EXPECT_FALSE(choix().ImageLogo->isVisible());
    EXPECT_TRUE(choix().ListeFichier->isVisible());
    EXPECT_FALSE(choix().BoutonOK->isEnabled());
    ASSERT_EQ(choix().ListeFichier->listCount(), 2);
    EXPECT_EQ(choix().ListeFichier->entry(0), "home.dat");
    EXPECT_EQ(choix().ListeFichier->entry(1), "Other.DAT");
    EXPECT_EQ(choix().BoutonOK->text(), "O.K.");
    EXPECT_EQ(choix().BoutonNouvFichier->text(), "New file");
    EXPECT_EQ(choix().BoutonAnnuler->text(), "Cancel");
    EXPECT_TRUE(dialogs.events().empty());

    // A double click opens the entry at once.
    choix().ListeFichier->setListIndex(1);
    emit choix().ListeFichier->dblClick();
    EXPECT_TRUE(f().isVisible());
    EXPECT_EQ(f().windowTitle(), "Selvane Parameters - Set Up - Other.DAT"); // as the file is named
    EXPECT_EQ(texte(Champ::Indic), "W1ABC");
}

// A screen reader names each box by its own label, or by its frame when the
// box has no label of its own, and with its frame where its label alone is
// shared ("Deg", "Start", "Range"); each help button by the frame it
// explains; the buttons whose caption is a value by what they set and their
// value, which the Press action switches as a click does.
TEST_F(Fenetre, ScreenReaderNamesOfTheBoxes)
{
    ouvreNouveau();
    const std::pair<QWidget*, const char*> cas[] = {
        {boite(Champ::Indic), "Callsign"}, {boite(Champ::Lieu), "Location"},
        {boite(Champ::Altitude), "Height (asl)"}, {boite(Champ::LatDeg), "Latitude degrees"},
        {boite(Champ::LonSig), "Longitude e/w"}, {boite(Champ::DecHor), "UTC"},
        {boite(Champ::PortCom), "Port n\u00b0"}, {boite(Champ::Off8b), "8 bits binary input offset"},
        {boite(Champ::AngDecr), "Decreasing below (\u00b0)"}, {boite(Champ::ManVit), "Man. speed (0.2 to 1)"},
        {boite(Champ::AzimOf), "Azimuth drive hysteresis stop"}, {boite(Champ::ButeeD), "Azimuth end stop CW"},
        {boite(Champ::ParkAz), "Azimuth parking"}, {boite(Champ::OffEl), "Elevation position offset"},
        {boite(Champ::RangEl), "Elevation encoder range"}, {boite(Champ::Freq), "Frequency"},
        {boite(Champ::Power), "Power Output"}, {boite(Champ::Band), "Bandwith"}, {boite(Champ::Gain), "Gain"},
        {f().AideGenerale, "Help: computer time"}, {f().AideTracking[7], "Help: elevation encoder"},
        {f().ElStop, "Elevation encoder without stop"}, {f().BoutonBinAz, "Azimuth encoder format BIN"},
        {f().BoutonInput, "Measurement input Signal meas."},
    };
    for (const auto& [w, nom] : cas) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(i->text(QAccessible::Name), QString::fromUtf8(nom)) << w->objectName().toStdString();
    }
    QAccessibleInterface* format = QAccessible::queryAccessibleInterface(f().BoutonBinAz);
    format->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(f().BoutonBinAz->text(), "BCD");
    EXPECT_EQ(format->text(QAccessible::Name), "Azimuth encoder format BCD");
    EXPECT_FALSE(boite(Champ::RangAz)->isVisibleTo(&f()));
}

// The chooser opens with the focus on the file list, also after File > Open
// when O.K. was last pressed with the mouse.
TEST_F(Fenetre, TheChooserOpensOnTheFileList)
{
    copie("station_port1.dat", "home.dat");
    prog->Main();
    EXPECT_EQ(choix().focusWidget(), choix().ListeFichier);
    choix().ListeFichier->setListIndex(0);
    choix().ListeFichier_Click();
    QTest::mouseClick(choix().BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(f().isVisible());
    f().MenuOpen->trigger();
    ASSERT_TRUE(choix().isVisible());
    EXPECT_EQ(choix().focusWidget(), choix().ListeFichier);
}

TEST_F(Fenetre, OpenShowsEveryValueAndSaveWritesTheSameBytes)
{
    for (const char* fixture : {"station_port1.dat", "station_port0.dat"}) {
        SCOPED_TRACE(fixture);
        copie(fixture, fixture);
        ouvre(fixture);
        EXPECT_TRUE(f().isVisible());
        EXPECT_FALSE(choix().isVisible());
        EXPECT_EQ(f().windowTitle(), QString("Selvane Parameters - Set Up - ") + fixture);
        EXPECT_EQ(f().Feuillet_Setup->currentIndex(), 0);
        EXPECT_EQ(focus(), boite(Champ::Indic));
        EXPECT_TRUE(messages().empty());
        dialogs.clear();

        dialogs.queueAnswer(Answer::Yes);
        prog->MenuSave();
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_TRUE(isMessage(messages()[0], QString("Replace the old file %1 ?").arg(fixture), "- Setup of Selvane -",
                              Icon::Exclamation));
        EXPECT_EQ(messages()[0].buttons, platform::Buttons::YesNo);
        EXPECT_EQ(dialogs.beeps(), 0);
        EXPECT_EQ(octets(fixture), octetsFixture(fixture));
        dialogs.clear();
    }
    // The values as the boxes show them.
    ouvre("station_port1.dat");
    const corvinet::ValeursStation v = f().valeurs();
    for (const auto& info : corvinet::champs()) EXPECT_EQ(v[info.champ], outils::valeursPort1()[info.champ]) << info.nom;
    EXPECT_TRUE(boite(Champ::AutoVit)->isEnabled()); // drive mode 1
    EXPECT_FALSE(boite(Champ::RangAz)->isHidden());
    ouvre("station_port0.dat");
    EXPECT_EQ(f().modeChoisi(), 2);
    EXPECT_TRUE(boite(Champ::RangAz)->isHidden()); // BCD
    EXPECT_TRUE(f().EtiqAzimRange->isHidden());
    EXPECT_EQ(f().BoutonInput->text(), "Polar meas.");
    EXPECT_EQ(texte(Champ::DecHor), "-5");
    EXPECT_TRUE(f().AzStop->isChecked());
    EXPECT_FALSE(f().ElStop->isChecked());
}

TEST_F(Fenetre, UtcOffsetIsShownSignedAndSavedAgainUnchanged)
{
    QByteArray b = octetsFixture("station_port1.dat");
    for (const char* lu : {"12", "2", "-14"}) {
        SCOPED_TRACE(lu);
        QByteArray t = b;
        t.replace("\r\n+ 2\r\n", QByteArray("\r\n") + lu + "\r\n");
        ecrit("tz.dat", t);
        ouvre("tz.dat");
        const QString attendu = QString(lu) == "12" ? "+12" : QString(lu) == "2" ? "+ 2" : "-14";
        EXPECT_EQ(texte(Champ::DecHor), attendu);
        dialogs.queueAnswer(Answer::Yes);
        prog->MenuSave();
        QByteArray ecrit = t;
        ecrit.replace(QByteArray("\r\n") + lu + "\r\n", ("\r\n" + attendu + "\r\n").toLatin1());
        EXPECT_EQ(octets("tz.dat"), ecrit);
    }
}

// The caption and every message name the file as it is spelled on the disk;
// a save keeps that name.
TEST_F(Fenetre, TheFileIsNamedAsOnTheDisk)
{
    ouvreCopie("station_port1.dat", "PARKES.DAT");
    EXPECT_EQ(prog->FichierStation, "parkes.dat");
    EXPECT_EQ(f().windowTitle(), "Selvane Parameters - Set Up - PARKES.DAT");
    f().setTexte(Champ::Gain, "20");
    dialogs.clear();
    dialogs.queueAnswer(Answer::Yes);
    prog->MenuSave();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Replace the old file PARKES.DAT ?");
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList{"PARKES.DAT"});
    const QByteArray lu = octets("PARKES.DAT");
    EXPECT_TRUE(lu.endsWith("Antenna Gain:\r\n20\r\n"));
    EXPECT_EQ(f().windowTitle(), "Selvane Parameters - Set Up - PARKES.DAT");

    f().setTexte(Champ::Gain, "21");
    prog->DefautsEcriture.failAfterBytes = 10;
    dialogs.clear();
    dialogs.queueAnswer(Answer::Yes);
    prog->MenuSave();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text, "Write Error : PARKES.DAT was not saved !\rNo space left on the disk.\r"
                                  "The old file is unchanged.");
    EXPECT_EQ(octets("PARKES.DAT"), lu);
    dialogs.clear();
    dialogs.queueAnswer(Answer::No);
    prog->ConfirmeQuitter();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("PARKES.DAT")) << messages()[0].text.toStdString();

    // A read error too.
    ecrit("SHORT.DAT", octetsFixture("station_port1.dat").left(40));
    dialogs.clear();
    ouvre("SHORT.DAT");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Read Error : SHORT.DAT had some errors !");
    EXPECT_EQ(f().windowTitle(), "Selvane Parameters - Set Up - SHORT.DAT");
}

TEST_F(Fenetre, ReadErrorsKeepWhatWasRead)
{
    ouvreCopie("station_port1.dat", "good.dat");
    QByteArray b = octetsFixture("station_port1.dat");

    // 98 lines: the gain keeps the text it held.
    ecrit("short.dat", b.left(b.lastIndexOf("34.5")));
    QByteArray autre = b;
    autre.replace("\r\n1296\r\n", "\r\n432\r\n");
    ecrit("short.dat", autre.left(autre.lastIndexOf("34.5")));
    dialogs.clear();
    ouvre("short.dat");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(isMessage(messages()[0], "Read Error : short.dat had some errors !", "Corvinet", Icon::Critical));
    EXPECT_EQ(texte(Champ::Freq), "432");
    EXPECT_EQ(texte(Champ::Gain), "34.5");
    EXPECT_TRUE(f().isVisible());

    // A drive mode of 3: no option is selected, and saving stops there.
    QByteArray mode = b;
    mode.replace("Speed control\r\n 1\r\n", "Speed control\r\n3\r\n");
    ecrit("mode.dat", mode);
    dialogs.clear();
    ouvre("mode.dat");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Read Error : mode.dat had some errors !");
    EXPECT_EQ(f().modeChoisi(), -1);
    for (QRadioButton* r : f().SpeedControl) EXPECT_FALSE(r->isChecked());
    sauveRefuseeAuMode("mode.dat", mode);

    // A missing file.
    dialogs.clear();
    prog->FichierStation = "gone.dat";
    prog->NomReel.clear();
    prog->NouveauFichier = false;
    prog->OuvreFenetrePrincipale();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Read Error : gone.dat had some errors !");
}

TEST_F(Fenetre, WriteFailureKeepsTheOldFileAndTheCaption)
{
    ouvreCopie("station_port1.dat", "station.dat");
    f().setTexte(Champ::Gain, "20");
    prog->FichierStation = "station.dat";
    f().setWindowTitle("caption before");
    // A write that fails part-way (a full disk), a rename that fails, a
    // read-only file: the message says which, and that the old file stays.
    const char* raisons[] = {"No space left on the disk.", "The disk reported an input/output error.",
                             "The file is read-only."};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(raisons[k]);
        prog->DefautsEcriture = {};
        if (k == 0) prog->DefautsEcriture.failAfterBytes = 100;
        if (k == 1) prog->DefautsEcriture.failOnRename = true;
        if (k == 2) QFile::setPermissions(chemin("station.dat"), QFile::ReadOwner | QFile::ReadGroup);
        dialogs.clear();
        dialogs.queueAnswer(Answer::Yes);
        prog->MenuSave();
        ASSERT_EQ(messages().size(), 2u);
        const QString attendu =
            QStringLiteral("Write Error : station.dat was not saved !\r%1\rThe old file is unchanged.").arg(raisons[k]);
        EXPECT_TRUE(isMessage(messages()[1], attendu, "Corvinet", Icon::Critical));
        EXPECT_EQ(octets("station.dat"), octetsFixture("station_port1.dat"));
        EXPECT_EQ(f().windowTitle(), "caption before");
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"station.dat"});
    }
}

TEST_F(Fenetre, NewFileAsksUntilTheNameIsAcceptedAndSaveAsksToReplace)
{
    ouvreCopie("station_port1.dat", "home.dat");
    prog->MenuOpen();
    EXPECT_TRUE(choix().isVisible());
    for (const char* n : {"ab.da", "abcdefghi.dat", ".dat", "../ab.dat", "a:b.dat", "AB.DAT"}) dialogs.queueInput(n);
    dialogs.clear();
    choix().BoutonNouvFichier->click();
    ASSERT_EQ(dialogs.events().size(), 6u);
    EXPECT_EQ(dialogs.events()[0].kind, DialogEvent::Kind::Input);
    EXPECT_EQ(dialogs.events()[0].text, "New Setup Filename ?\"");
    EXPECT_EQ(dialogs.events()[0].text.size(), 21);
    EXPECT_EQ(dialogs.events()[0].title, "Selvane");
    EXPECT_EQ(dialogs.events()[0].defaultText, ".dat");
    EXPECT_EQ(f().windowTitle(), "Selvane Parameters - Set Up - ab.dat");
    // Nothing was read: the window keeps the values of the file edited before.
    EXPECT_EQ(texte(Champ::Indic), "F6XYZ");

    dialogs.clear();
    prog->MenuSave();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(octets("ab.dat"), octetsFixture("station_port1.dat"));

    f().setTexte(Champ::Gain, "20");
    dialogs.queueAnswer(Answer::No);
    prog->MenuSave();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text, "Replace the old file ab.dat ?");
    EXPECT_TRUE(isMessage(messages()[1], "Use the menu 'File - Save As ...'", "- Setup of Selvane -", Icon::Critical));
    EXPECT_EQ(octets("ab.dat"), octetsFixture("station_port1.dat"));

    // An empty answer leaves the chooser open with O.K. disabled.
    prog->MenuOpen();
    dialogs.clear();
    choix().BoutonNouvFichier->click();
    EXPECT_TRUE(choix().isVisible());
    EXPECT_FALSE(choix().BoutonOK->isEnabled());
    EXPECT_TRUE(prog->FichierStation.isEmpty());
}

TEST_F(Fenetre, SaveAsNamesAndReplaces)
{
    copie("station_port1.dat", "home.dat");
    copie("station_port0.dat", "other.dat");
    ouvre("home.dat");
    dialogs.clear();
    dialogs.queueInput("bad");
    dialogs.queueInput("New.DAT");
    prog->MenuSaveAs();
    ASSERT_EQ(dialogs.events().size(), 2u);
    EXPECT_EQ(dialogs.events()[0].text, "New Set-Up FileName ?");
    EXPECT_EQ(dialogs.events()[0].title, "- Setup of Selvane -");
    EXPECT_EQ(dialogs.events()[0].defaultText, ".dat");
    EXPECT_EQ(dialogs.events()[0].position, QPoint(2000, 2000));
    EXPECT_EQ(f().windowTitle(), "Selvane Parameters - Set Up - new.dat");
    EXPECT_EQ(octets("new.dat"), octetsFixture("station_port1.dat"));

    // To an existing name answered Yes: written, the name and the caption changed.
    dialogs.clear();
    dialogs.queueInput("OTHER.dat");
    dialogs.queueAnswer(Answer::Yes);
    prog->MenuSaveAs();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(isMessage(messages()[0], "The file other.dat exists. Replace ?", "- Setup of Selvane -",
                          Icon::Exclamation));
    EXPECT_EQ(octets("other.dat"), octetsFixture("station_port1.dat"));
    EXPECT_EQ(f().windowTitle(), "Selvane Parameters - Set Up - other.dat");
    EXPECT_EQ(prog->FichierStation, "other.dat");
}

// Save As to an existing name answered No keeps the name in force: the next
// Save asks to replace, and replaces, the file being edited, not the other.
TEST_F(Fenetre, SaveAsAnsweredNoKeepsTheOldName)
{
    copie("station_port1.dat", "home.dat");
    copie("station_port0.dat", "Other.dat");
    ouvre("home.dat");
    f().setTexte(Champ::Gain, "20");
    dialogs.clear();
    dialogs.queueInput("other.dat");
    dialogs.queueAnswer(Answer::No);
    prog->MenuSaveAs();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "The file Other.dat exists. Replace ?");
    EXPECT_EQ(octets("Other.dat"), octetsFixture("station_port0.dat"));
    EXPECT_EQ(prog->FichierStation, "home.dat");
    EXPECT_EQ(f().windowTitle(), "Selvane Parameters - Set Up - home.dat");

    dialogs.clear();
    dialogs.queueAnswer(Answer::Yes);
    prog->MenuSave();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(isMessage(messages()[0], "Replace the old file home.dat ?", "- Setup of Selvane -", Icon::Exclamation));
    EXPECT_EQ(octets("Other.dat"), octetsFixture("station_port0.dat"));
    EXPECT_TRUE(octets("home.dat").endsWith("Antenna Gain:\r\n20\r\n"));

    // A write that fails keeps the old name too.
    prog->DefautsEcriture.failOnRename = true;
    dialogs.clear();
    dialogs.queueInput("third.dat");
    prog->MenuSaveAs();
    EXPECT_EQ(messages().back().text, "Write Error : third.dat was not saved !\r"
                                      "The disk reported an input/output error.\rNo file was written.");
    EXPECT_EQ(prog->FichierStation, "home.dat");
    EXPECT_EQ(f().windowTitle(), "Selvane Parameters - Set Up - home.dat");
}

TEST_F(Fenetre, QuitQuestionFromTheCloseBoxesAndCancel)
{
    ouvreCopie("station_port1.dat", "home.dat");
    dialogs.clear();
    dialogs.queueAnswer(Answer::No);
    f().close();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(isMessage(messages()[0], "Are you sure you wish to quit ?", "- Selvane - Set Up -", Icon::Critical));
    EXPECT_TRUE(f().isVisible());
    EXPECT_EQ(texte(Champ::Indic), "F6XYZ");
    EXPECT_EQ(fins, 0);

    // File > Open, then Cancel, then No: the chooser stays, the main window hidden.
    prog->MenuOpen();
    dialogs.queueAnswer(Answer::No);
    choix().BoutonAnnuler->click();
    EXPECT_TRUE(choix().isVisible());
    EXPECT_FALSE(f().isVisible());
    // The chooser's close box is Cancel.
    dialogs.clear();
    dialogs.queueAnswer(Answer::Yes);
    choix().close();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Are you sure you wish to quit ?");
    EXPECT_EQ(fins, 1);
    EXPECT_TRUE(prog->termine());
}

// A quit that would lose changes says so in the quit question: from the
// close box, and from the chooser after File > Open; after a save it does not.
TEST_F(Fenetre, QuitWithUnsavedChangesSaysSo)
{
    ouvreCopie("station_port1.dat", "home.dat");
    const QString perte =
        "The changes to home.dat are not saved !\r\rAre you sure you wish to quit ?";
    dialogs.queueAnswer(Answer::No);
    f().close();
    EXPECT_TRUE(isMessage(messages().back(), "Are you sure you wish to quit ?", "- Selvane - Set Up -", Icon::Critical));

    f().Feuillet_Setup->setCurrentIndex(4);
    boite(Champ::Gain)->setFocus();
    boite(Champ::Gain)->selectAll();
    tape("20");
    dialogs.queueAnswer(Answer::No);
    f().close();
    EXPECT_TRUE(isMessage(messages().back(), perte, "- Selvane - Set Up -", Icon::Critical));
    prog->MenuOpen();
    dialogs.queueAnswer(Answer::No);
    choix().BoutonAnnuler->click();
    EXPECT_EQ(messages().back().text, perte);
    EXPECT_EQ(fins, 0);

    // Saved: nothing to lose.
    choix().ListeFichier->setListIndex(0);
    choix().ListeFichier_Click();
    prog->NouveauFichier = true; // back to the window as it was, nothing read
    prog->OuvreFenetrePrincipale();
    f().setTexte(Champ::Gain, "21");
    dialogs.queueAnswer(Answer::Yes);
    prog->MenuSave();
    dialogs.queueAnswer(Answer::No);
    f().close();
    EXPECT_EQ(messages().back().text, "Are you sure you wish to quit ?");
}

TEST_F(Fenetre, AxisRuleEmptiesTheBoxesShowsTheFaultAndFocuses)
{
    ouvreCopie("station_port1.dat", "home.dat");
    f().setTexte(Champ::ButeeB, "10");
    f().setTexte(Champ::ButeeH, "10");
    dialogs.clear();
    prog->MenuSave();
    EXPECT_FALSE(prog->CoherenceOk);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(isMessage(messages()[0], "The error was :\r\rEndstop : Low >= High\r\rEnter new value !!!",
                           " - Data Error - ", Icon::Exclamation));
    EXPECT_EQ(texte(Champ::ButeeB), "");
    EXPECT_EQ(texte(Champ::ButeeH), "");
    EXPECT_EQ(f().Feuillet_Setup->currentIndex(), 3);
    EXPECT_EQ(focus(), boite(Champ::ButeeB));
    // The rule's beep, then the high stop's own filter on its empty text.
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_EQ(dialogs.events()[0].kind, DialogEvent::Kind::Beep);
    EXPECT_EQ(octets("home.dat"), octetsFixture("station_port1.dat"));

    // Equal azimuth stops: the mended rule right after the CW stop.
    ouvre("home.dat");
    f().setTexte(Champ::ButeeD, "300");
    dialogs.clear();
    prog->MenuSave();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "The error was :\r\rEndstop : CCW = CW\r\rEnter new value !!!");
    EXPECT_EQ(f().Feuillet_Setup->currentIndex(), 2);
    EXPECT_EQ(focus(), boite(Champ::ButeeG));
    EXPECT_EQ(texte(Champ::ButeeG), "");
    EXPECT_EQ(texte(Champ::ButeeD), "");

    // All rules pass with a port set: tab 0 is shown after the save.
    ouvre("home.dat");
    dialogs.queueAnswer(Answer::Yes);
    prog->MenuSave();
    EXPECT_EQ(f().Feuillet_Setup->currentIndex(), 0);
}

TEST_F(Fenetre, PortZeroSavesWithEmptyAxesAndTabFourStays)
{
    ouvreNouveau();
    corvinet::ValeursStation v = outils::valeursPort1();
    v[Champ::PortCom] = "0";
    for (Champ c : {Champ::Range8b, Champ::Off8b, Champ::AutoVit, Champ::AngDecr, Champ::ManVit, Champ::AzimOf,
                    Champ::AzimOn, Champ::ButeeG, Champ::ButeeD, Champ::ParkAz, Champ::OffAz, Champ::RangAz,
                    Champ::ElevOf, Champ::ElevOn, Champ::ButeeB, Champ::ParkEl, Champ::OffEl, Champ::RangEl})
        v[c].clear();
    remplit(v);
    f().setTexte(Champ::ButeeH, ""); // the high stop refuses an empty text with a beep
    dialogs.clear();
    prog->MenuSave();
    EXPECT_TRUE(prog->SaisieOk);
    EXPECT_TRUE(prog->CoherenceOk);
    EXPECT_EQ(f().Feuillet_Setup->currentIndex(), 4);
    EXPECT_TRUE(messages().empty());
    const QStringList l = QString::fromLatin1(octets("nouveau.dat")).split("\r\n");
    ASSERT_EQ(l.size(), 100);
    EXPECT_EQ(l[27], "0");
    for (int ligne : {32, 34, 45, 49, 57, 66, 72, 78}) EXPECT_EQ(l[ligne - 1], "") << ligne;
    EXPECT_EQ(l[41], " 0");
}

TEST_F(Fenetre, HelpButtonsShowTheirBoxAndMoveTheFocus)
{
    ouvreCopie("station_port1.dat", "home.dat");
    f().Feuillet_Setup->setCurrentIndex(2);
    dialogs.clear();
    f().AideTracking[2]->click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, " Format - Range - Unit ?");
    EXPECT_EQ(messages()[0].icon, Icon::Information);
    EXPECT_EQ(focus(), boite(Champ::RangAz));

    f().BoutonBinAz->click();
    EXPECT_EQ(f().BoutonBinAz->text(), "BCD");
    boite(Champ::ParkAz)->setFocus();
    f().AideTracking[2]->click();
    EXPECT_EQ(focus(), boite(Champ::ParkAz)); // the hidden range box does not take it
    EXPECT_TRUE(boite(Champ::RangAz)->isHidden());
    EXPECT_EQ(texte(Champ::RangAz), "360");
    f().BoutonBinAz->click();
    EXPECT_FALSE(boite(Champ::RangAz)->isHidden());
    EXPECT_EQ(texte(Champ::RangAz), "360");

    // Mode 0 greys the speed boxes with their values; their help leaves the focus.
    f().Feuillet_Setup->setCurrentIndex(1);
    f().SpeedControl[0]->click();
    EXPECT_FALSE(boite(Champ::AutoVit)->isEnabled());
    EXPECT_FALSE(f().EtiqInterface[1]->isEnabled());
    EXPECT_EQ(texte(Champ::AutoVit), "0.5");
    boite(Champ::PortCom)->setFocus();
    dialogs.clear();
    f().AideInterface_Click(2);
    EXPECT_EQ(messages()[0].title, " Speed control ?");
    EXPECT_EQ(focus(), boite(Champ::PortCom));
    f().SpeedControl[2]->click();
    EXPECT_TRUE(boite(Champ::AutoVit)->isEnabled());

    dialogs.clear();
    f().MenuHelp->trigger();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, " - HELP -");
}

TEST_F(Fenetre, ModeButtonsSwitchCaptions)
{
    ouvreCopie("station_port1.dat", "home.dat");
    f().BoutonInput->click();
    EXPECT_EQ(f().BoutonInput->text(), "Polar meas.");
    EXPECT_EQ(texte(Champ::Range8b), "");
    f().setTexte(Champ::Range8b, "45");
    f().BoutonInput->click();
    EXPECT_EQ(f().BoutonInput->text(), "Signal meas.");
    EXPECT_EQ(texte(Champ::Range8b), "");
    EXPECT_EQ(texte(Champ::Off8b), "");
    f().BoutonUnitAz->click();
    EXPECT_EQ(f().BoutonUnitAz->text(), "Grd");
    f().BoutonUnitEl->click();
    EXPECT_EQ(f().BoutonUnitEl->text(), "Deg");
    // A full offset moves the focus to the format button when the range box is hidden.
    f().BoutonBinEl->click();
    f().Feuillet_Setup->setCurrentIndex(3);
    boite(Champ::OffEl)->setFocus();
    f().setTexte(Champ::OffEl, "-10.5");
    EXPECT_EQ(focus(), f().BoutonBinEl);
}

// A box that passes the focus on by itself must not let the next keys
// destroy the value of the box it passed it to.
TEST_F(Fenetre, KeysAfterAnAutomaticMoveKeepTheNextValue)
{
    ouvreNouveau();
    f().setTexte(Champ::Altitude, "392");
    boite(Champ::Lieu)->setFocus();
    tape("Parkes NSW");
    dialogs.clear();
    // The comma is dropped with a beep; the 18th character moves the focus to
    // the height, where "ia" are refused one by one with a beep each.
    tape(", Australia");
    EXPECT_EQ(texte(Champ::Lieu), "Parkes NSW Austral");
    EXPECT_EQ(focus(), boite(Champ::Altitude));
    EXPECT_EQ(texte(Champ::Altitude), "392");
    EXPECT_EQ(dialogs.beeps(), 3);

    // The same for a letter box and a box holding a range.
    f().setTexte(Champ::LatSig, "N");
    boite(Champ::LatSec)->setFocus();
    tape("16x");
    EXPECT_EQ(focus(), boite(Champ::LatSig));
    EXPECT_EQ(texte(Champ::LatSig), "N");

    // Tab right after the automatic move moves on as any Tab, and leaves the
    // value where it was.
    f().Feuillet_Setup->setCurrentIndex(1);
    f().SpeedControl_Click(1);
    f().setTexte(Champ::ManVit, "0.8");
    boite(Champ::AngDecr)->setFocus();
    tape("10");
    ASSERT_EQ(focus(), boite(Champ::ManVit));
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_NE(focus(), boite(Champ::ManVit));
    EXPECT_EQ(texte(Champ::ManVit), "0.8");
}

// Keys typed past a full box go nowhere: the box the focus moved to keeps
// its value (neither replaced, nor prefixed, nor emptied), each key is
// refused with a beep and the sign, and the station saved is the one shown.
TEST_F(Fenetre, KeysTypedPastAFullBoxNeverChangeTheNextValue)
{
    ouvreNouveau();
    corvinet::ValeursStation v = outils::valeursPort1();
    v[Champ::Indic] = "VK2EME";
    v[Champ::Lieu] = "Parkes NSW";
    v[Champ::Altitude] = "392";
    v[Champ::LatDeg] = "32";
    v[Champ::LatSig] = "S";
    v[Champ::LonDeg] = "148";
    remplit(v);
    f().BoutonInput->click(); // polar measurement: an offset of -1.5 passes
    f().setTexte(Champ::Range8b, "360");
    f().setTexte(Champ::Off8b, "-1.5");
    const auto selectionneEtTape = [&](Champ c, const char* touches) {
        f().Feuillet_Setup->setCurrentIndex(corvinet::filtre(c)->onglet);
        boite(c)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(boite(c), Qt::Key_A, Qt::ControlModifier);
        dialogs.clear();
        tape(touches);
        QCoreApplication::processEvents(); // the leave checks
    };

    selectionneEtTape(Champ::Lieu, "Parkes Radio Telescope 64m");
    EXPECT_EQ(texte(Champ::Lieu), "Parkes Radio Teles");
    EXPECT_EQ(texte(Champ::Altitude), "392");
    EXPECT_EQ(texte(Champ::LatDeg), "32");
    EXPECT_EQ(focus(), boite(Champ::Altitude));
    EXPECT_EQ(dialogs.beeps(), 8); // "cope 64m", one by one
    EXPECT_TRUE(platform::refusalShown(boite(Champ::Altitude)));

    selectionneEtTape(Champ::Indic, "VK2EME/QRP");
    EXPECT_EQ(texte(Champ::Indic), "VK2EME/Q");
    EXPECT_EQ(texte(Champ::Lieu), "Parkes Radio Teles");
    EXPECT_EQ(dialogs.beeps(), 2);

    selectionneEtTape(Champ::LatSig, "S48");
    EXPECT_EQ(texte(Champ::LonDeg), "148");
    selectionneEtTape(Champ::Off8b, "-1.52");
    EXPECT_EQ(texte(Champ::Off8b), "-1.5");
    EXPECT_EQ(texte(Champ::PortCom), "1");
    EXPECT_EQ(focus(), boite(Champ::PortCom));

    dialogs.clear();
    prog->MenuSave();
    EXPECT_TRUE(messages().empty());
    const QStringList l = QString::fromLatin1(octets("nouveau.dat")).split("\r\n");
    ASSERT_EQ(l.size(), 100);
    EXPECT_EQ(l[4], "Parkes Radio Teles");
    EXPECT_EQ(l.mid(l.indexOf("Height:") + 1, 1), QStringList{"392"});
}

// The suite's overflow rule, one table of cases run against every box.
TEST_F(Fenetre, TheOverflowRuleInEveryBox)
{
    ouvreNouveau();
    f().BoutonInput->click(); // polar measurement: 360 and -1.5 pass their leave checks
    f().SpeedControl_Click(1); // the speed boxes enabled
    // A full value of each box, one that passes its leave check too.
    const std::map<Champ, QString> plein = {
        {Champ::Indic, "VK2EMEAB"}, {Champ::Lieu, "Parkes Radio Teles"}, {Champ::Altitude, "1234"},
        {Champ::LatDeg, "32"}, {Champ::LatMin, "59"}, {Champ::LatSec, "30"}, {Champ::LatSig, "S"},
        {Champ::LonDeg, "148"}, {Champ::LonMin, "15"}, {Champ::LonSec, "45"}, {Champ::LonSig, "E"},
        {Champ::DecHor, "+10"}, {Champ::PortCom, "1"}, {Champ::Range8b, "360"}, {Champ::Off8b, "-1.5"},
        {Champ::AutoVit, "0.55"}, {Champ::AngDecr, "15"}, {Champ::ManVit, "0.75"}, {Champ::AzimOn, "0.85"},
        {Champ::AzimOf, "0.45"}, {Champ::ButeeG, "300"}, {Champ::ButeeD, "060"}, {Champ::ParkAz, "330"},
        {Champ::OffAz, "180.5"}, {Champ::RangAz, "360.5"}, {Champ::ElevOn, "0.65"}, {Champ::ElevOf, "0.25"},
        {Champ::ButeeB, "-10"}, {Champ::ButeeH, "80"}, {Champ::ParkEl, "-10"}, {Champ::OffEl, "-10.5"},
        {Champ::RangEl, "100.5"}, {Champ::Freq, "10368"}, {Champ::Power, "500.5"}, {Champ::TxLoss, "0.55"},
        {Champ::RxLoss, "0.35"}, {Champ::Noise, "0.65"}, {Champ::Band, "25000"}, {Champ::Gain, "34.55"},
    };
    std::vector<platform::testing::FilteredBoxUnderTest> boites;
    for (const auto& [c, valeur] : plein) {
        const corvinet::Filtre* r = corvinet::filtre(c);
        platform::testing::FilteredBoxUnderTest b{corvinet::info(c).nom, boite(c), valeur,
                                                  r->permis ? "x" : ","};
        for (const auto& [avant, valeurAvant] : plein)
            if (corvinet::filtre(avant)->suivant == c) {
                b.before = boite(avant);
                b.fillBefore = valeurAvant;
            }
        b.show = [this, r] { f().Feuillet_Setup->setCurrentIndex(r->onglet); };
        boites.push_back(b);
    }
    ASSERT_EQ(boites.size(), 39u);
    platform::testing::checkOverflowRule(boites, dialogs);
    // A full offset passes the focus on to the format button while BCD hides
    // the range box.
    const auto enBCD = [this](int onglet, QPushButton* format) {
        return [this, onglet, format] {
            f().Feuillet_Setup->setCurrentIndex(onglet);
            if (format->text() == "BIN") format->click();
        };
    };
    platform::testing::checkOverflowRule(
        {{"BoutonBinAz", f().BoutonBinAz, boite(Champ::OffAz), "180.5", enBCD(2, f().BoutonBinAz)},
         {"BoutonBinEl", f().BoutonBinEl, boite(Champ::OffEl), "-10.5", enBCD(3, f().BoutonBinEl)}},
        dialogs);
}

// Undo and Redo after an automatic move never reach the next box's own
// earlier edit: the slip into the full height is refused, the latitude the
// operator corrected stays, and the file saved holds what he typed.
TEST_F(Fenetre, UndoAfterAnAutomaticMoveKeepsTheNextBoxsOwnEdit)
{
    QByteArray station = octetsFixture("station_port1.dat");
    ASSERT_TRUE(station.contains("Latitude Deg:\r\n45\r\n"));
    station.replace("Latitude Deg:\r\n45\r\n", "Latitude Deg:\r\n32\r\n");
    ecrit("vk2eme.dat", station);
    ouvre("vk2eme.dat");
    ASSERT_EQ(texte(Champ::LatDeg), "32");
    // Latitude degrees corrected from 32 to 33, in two steps.
    boite(Champ::LatDeg)->setFocus(Qt::MouseFocusReason);
    boite(Champ::LatDeg)->end(false);
    QTest::keyClick(focus(), Qt::Key_Backspace);
    tape("3");
    ASSERT_EQ(texte(Champ::LatDeg), "33");
    // The height typed one digit too long: full at 1234, the focus moves to
    // latitude degrees, where the 5 is refused.
    boite(Champ::Altitude)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(focus(), Qt::Key_A, Qt::ControlModifier);
    tape("12345");
    QCoreApplication::processEvents();
    ASSERT_EQ(focus(), boite(Champ::LatDeg));
    const struct {
        const char* nom;
        Qt::Key touche;
        Qt::KeyboardModifiers modif;
    } touches[] = {{"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier},
                   {"Ctrl+Z again", Qt::Key_Z, Qt::ControlModifier},
                   {"Ctrl+Shift+Z", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
                   {"Ctrl+Y", Qt::Key_Y, Qt::ControlModifier}};
    for (const auto& t : touches) {
        SCOPED_TRACE(t.nom);
        dialogs.clear();
        QTest::keyClick(focus(), t.touche, t.modif);
        QCoreApplication::processEvents();
        EXPECT_EQ(focus(), boite(Champ::LatDeg));
        EXPECT_EQ(texte(Champ::LatDeg), "33");
        EXPECT_EQ(texte(Champ::Altitude), "1234");
        EXPECT_EQ(dialogs.beeps(), 1);
        EXPECT_TRUE(platform::refusalShown(boite(Champ::LatDeg)));
    }
    dialogs.clear();
    prog->MenuSave(); // the replace question, answered Yes
    ASSERT_EQ(messages().size(), 1u);
    QByteArray attendu = station;
    attendu.replace("Latitude Deg:\r\n32\r\n", "Latitude Deg:\r\n33\r\n");
    attendu.replace("Height:\r\n625\r\n", "Height:\r\n1234\r\n");
    EXPECT_EQ(octets("vk2eme.dat"), attendu);
}

TEST_F(Fenetre, TypingRunsTheFiltersThroughRealKeyEvents)
{
    ouvreNouveau();
    ASSERT_EQ(focus(), boite(Champ::Indic));

    // Call sign: a comma is dropped with a beep; the 8th character moves on.
    QTest::keyClicks(boite(Champ::Indic), "F6,XYZAB");
    EXPECT_EQ(texte(Champ::Indic), "F6XYZAB");
    EXPECT_EQ(dialogs.beeps(), 1);
    QTest::keyClicks(boite(Champ::Indic), "C");
    EXPECT_EQ(texte(Champ::Indic), "F6XYZABC");
    EXPECT_EQ(focus(), boite(Champ::Lieu));

    // Latitude degrees: 5 then x beeps and keeps the 5; 9 then 0 beeps and
    // keeps the 9; 4 then 5 moves on.
    boite(Champ::LatDeg)->setFocus();
    dialogs.clear();
    QTest::keyClicks(boite(Champ::LatDeg), "5x");
    EXPECT_EQ(texte(Champ::LatDeg), "5");
    EXPECT_EQ(dialogs.beeps(), 1);
    QTest::keyClick(boite(Champ::LatDeg), Qt::Key_Backspace);
    dialogs.clear();
    QTest::keyClicks(boite(Champ::LatDeg), "90");
    EXPECT_EQ(texte(Champ::LatDeg), "9");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(platform::refusalShown(boite(Champ::LatDeg)));
    EXPECT_EQ(focus(), boite(Champ::LatDeg));
    QTest::keyClick(boite(Champ::LatDeg), Qt::Key_Backspace);
    QTest::keyClicks(boite(Champ::LatDeg), "45");
    EXPECT_EQ(texte(Champ::LatDeg), "45");
    EXPECT_EQ(focus(), boite(Champ::LatMin));

    // The high stop has no valid empty state: deleting its text is refused.
    f().Feuillet_Setup->setCurrentIndex(3);
    boite(Champ::ButeeH)->setFocus();
    QTest::keyClicks(boite(Champ::ButeeH), "8");
    dialogs.clear();
    QTest::keyClick(boite(Champ::ButeeH), Qt::Key_Backspace);
    EXPECT_EQ(texte(Champ::ButeeH), "8");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(focus(), boite(Champ::ButeeH));
    // A refused character beeps once and leaves the value typed before it.
    QTest::keyClicks(boite(Champ::ButeeH), "x");
    EXPECT_EQ(texte(Champ::ButeeH), "8");
    EXPECT_EQ(dialogs.beeps(), 2);

    // Tab 1: the Tab key follows the ring; 100 in Range8b moves on, then the
    // leave check takes the focus back and empties the box.
    f().Feuillet_Setup->setCurrentIndex(1);
    boite(Champ::PortCom)->setFocus();
    QTest::keyClicks(boite(Champ::PortCom), "1");
    EXPECT_EQ(focus(), boite(Champ::Range8b));
    dialogs.clear();
    QTest::keyClicks(boite(Champ::Range8b), "100");
    EXPECT_EQ(focus(), boite(Champ::Off8b));
    QCoreApplication::processEvents();
    EXPECT_EQ(texte(Champ::Range8b), "");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(focus(), boite(Champ::Range8b));
    QTest::keyClicks(boite(Champ::Range8b), "45");
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(texte(Champ::Range8b), "45");
    EXPECT_EQ(focus(), boite(Champ::Off8b));
    // Mode 0 keeps the speed boxes disabled: the Tab key passes them by.
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_NE(focus(), boite(Champ::AutoVit));
    // With mode 1 a speed of 0.1 is refused on leaving by the Tab key, but
    // not when the menu saves.
    f().SpeedControl_Click(1);
    boite(Champ::Off8b)->setFocus();
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_EQ(focus(), boite(Champ::AutoVit));
    QTest::keyClicks(boite(Champ::AutoVit), "0.1");
    dialogs.clear();
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(texte(Champ::AutoVit), "");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(focus(), boite(Champ::AutoVit));

    remplit(outils::valeursPort1());
    f().Feuillet_Setup->setCurrentIndex(1);
    boite(Champ::AutoVit)->setFocus();
    boite(Champ::AutoVit)->selectAll();
    QTest::keyClicks(boite(Champ::AutoVit), "0.1");
    dialogs.clear();
    f().MenuSave->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(prog->SaisieOk);
    EXPECT_EQ(texte(Champ::AutoVit), "0.1");
    EXPECT_EQ(f().Feuillet_Setup->currentIndex(), 1);
    EXPECT_EQ(focus(), boite(Champ::AutoVit));
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(platform::refusalShown(boite(Champ::AutoVit))); // the save check's stop shows too
    EXPECT_FALSE(QFile::exists(chemin("nouveau.dat")));

    // The focus leaving for a message box or a menu does not run the leave
    // check; leaving by the mouse does.
    for (Qt::FocusReason raison : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::OtherFocusReason}) {
        QFocusEvent sortie(QEvent::FocusOut, raison);
        QCoreApplication::sendEvent(boite(Champ::AutoVit), &sortie);
        QCoreApplication::processEvents();
        EXPECT_EQ(texte(Champ::AutoVit), "0.1") << raison;
    }
    QFocusEvent souris(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(boite(Champ::AutoVit), &souris);
    QCoreApplication::processEvents();
    EXPECT_EQ(texte(Champ::AutoVit), "");
    EXPECT_EQ(dialogs.beeps(), 2);
}

TEST_F(Fenetre, LeavingForAnotherTabBringsARefusedBoxBackWithItsTab)
{
    ouvreCopie("station_port1.dat", "home.dat");
    QTabBar* onglets = f().Feuillet_Setup->tabBar();
    // Every box with a leave check, with a value it refuses whatever the
    // measurement input; the refusal shows on the box, not by the beep alone.
    const std::pair<Champ, const char*> refuses[] = {
        {Champ::AutoVit, "0.1"}, {Champ::ManVit, "0.1"}, {Champ::AngDecr, "4"},
        {Champ::Range8b, "5"},   {Champ::Off8b, "-200"},
    };
    for (const auto& [c, valeur] : refuses) {
        // Leaving by a click on the tab bar, then by Ctrl+Tab.
        for (int k = 0; k < 2; ++k) {
            SCOPED_TRACE(std::to_string(corvinet::indice(c)) + (k == 0 ? " click" : " Ctrl+Tab"));
            f().Feuillet_Setup->setCurrentIndex(1);
            boite(c)->setFocus(Qt::MouseFocusReason);
            boite(c)->selectAll();
            QTest::keyClicks(boite(c), valeur);
            ASSERT_EQ(texte(c), valeur);
            dialogs.clear();
            if (k == 0) QTest::mouseClick(onglets, Qt::LeftButton, {}, onglets->tabRect(2).center());
            else QTest::keyClick(boite(c), Qt::Key_Tab, Qt::ControlModifier);
            QCoreApplication::processEvents();
            EXPECT_EQ(texte(c), "");
            EXPECT_EQ(dialogs.beeps(), 1);
            EXPECT_TRUE(platform::refusalShown(boite(c)));
            EXPECT_EQ(focus(), boite(c));
            EXPECT_EQ(f().Feuillet_Setup->currentIndex(), 1);
            EXPECT_TRUE(boite(c)->isVisible());
            f().setTexte(c, QString());
        }
    }
    // A value that passes lets the other tab stay.
    boite(Champ::AutoVit)->setText("0.5");
    QTest::mouseClick(onglets, Qt::LeftButton, {}, onglets->tabRect(2).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(f().Feuillet_Setup->currentIndex(), 2);
    EXPECT_EQ(texte(Champ::AutoVit), "0.5");
}

TEST_F(Fenetre, DisabledSpeedOutOfRangeStillStopsTheSave)
{
    ouvreCopie("station_port1.dat", "home.dat");
    f().setTexte(Champ::AutoVit, "0.1");
    f().SpeedControl[0]->click();
    EXPECT_FALSE(boite(Champ::AutoVit)->isEnabled());
    sauveRefuseeAuMode("home.dat", octetsFixture("station_port1.dat"));

    // A file with drive mode 0 opens with the speed boxes disabled.
    QByteArray b = octetsFixture("station_port1.dat");
    b.replace("Speed control\r\n 1\r\n", "Speed control\r\n 0\r\n");
    ecrit("mode0.dat", b);
    ouvre("mode0.dat");
    EXPECT_EQ(f().modeChoisi(), 0);
    for (Champ c : {Champ::AutoVit, Champ::ManVit, Champ::AngDecr}) EXPECT_FALSE(boite(c)->isEnabled());
    EXPECT_EQ(texte(Champ::AutoVit), "0.5");
}

// Not a check: with CORVINET_CAPTURES set to a folder, saves a picture of
// every tab and of the chooser there, to look at the layout.
TEST_F(Fenetre, Captures)
{
    const QByteArray dossierCaptures = qgetenv("CORVINET_CAPTURES");
    if (dossierCaptures.isEmpty()) GTEST_SKIP() << "CORVINET_CAPTURES not set";
    QFile::copy(platform::testing::sourcePath("station/logo.bmp"), chemin("logo.bmp"));
    ouvreCopie("station_port1.dat", "home.dat");
    for (int i = 0; i < 5; ++i) {
        f().Feuillet_Setup->setCurrentIndex(i);
        QCoreApplication::processEvents();
        f().grab().save(QString("%1/onglet%2.png").arg(QString(dossierCaptures)).arg(i));
    }
    prog->MenuOpen();
    QCoreApplication::processEvents();
    choix().grab().save(QString(dossierCaptures) + "/choix.png");
}
