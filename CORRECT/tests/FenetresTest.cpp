// Correct's windows driven offscreen: start, open, new file, the cell filter
// through real key events on the grid, saving through the station-file
// chooser, and quitting.

#include <gtest/gtest.h>

#include "platform/testing/DialogChecks.h"
#include "platform/testing/OverflowRule.h"
#include "platform/testing/QtTestApp.h"
#include "platform/testing/TestFiles.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>

#include "CORRECT/Correct.h"
#include "CORRECT/FenetresCorrect.h"
#include "CORRECT/FeuilleChoixFichierDat.h"
#include "CORRECT/FeuilleChoixFichierTCV.h"
#include "CORRECT/FeuillePrincipale.h"
#include "CORRECT/FichierCorrection.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/widgets/FilteredBox.h"

using platform::Answer;
using platform::Icon;

using platform::testing::application;
using platform::testing::isMessage;
using platform::testing::readBytes;
using platform::testing::writeBytes;

namespace {

// Clicks entry `nom` of a file list as the operator would.
void cliquerEntree(platform::FileList* liste, const QString& nom, bool double_ = false)
{
    const QList<QListWidgetItem*> items = liste->findItems(nom, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << nom.toStdString();
    const QPoint centre = liste->visualItemRect(items[0]).center();
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, centre);
    if (double_)
        QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, centre);
}

// A manual clock that notes, at every wait, what the start window shows.
class HorlogeEspion : public platform::ManualClock {
public:
    using ManualClock::ManualClock;
    std::function<void()> pendantAttente;
    double attendu = 0;
    void wait(double seconds) override
    {
        if (pendantAttente)
            pendantAttente();
        attendu += seconds;
        ManualClock::wait(seconds);
    }
};

} // namespace

class Fenetres : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::ScriptedDialogs d;
    platform::ManualClock horloge{QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0))};
    std::unique_ptr<Correct> etat;
    std::unique_ptr<FenetresCorrect> fenetres;
    int fins = 0;

    void SetUp() override
    {
        application();
        ASSERT_TRUE(writeBytes(dir.filePath("home.dat"), "station\r\n"));
        ASSERT_TRUE(writeBytes(dir.filePath("dx.dat"), "station\r\n"));
    }
    void demarrer()
    {
        etat = std::make_unique<Correct>(d, horloge, dir.path());
        fenetres = std::make_unique<FenetresCorrect>(*etat);
        etat->finProgramme = [this] { ++fins; };
        etat->Main();
    }
    FeuilleChoixFichierTCV& choix() { return fenetres->feuilleChoixFichierTCV(); }
    FeuillePrincipale& editeur() { return fenetres->feuillePrincipale(); }
    FeuilleChoixFichierDat& choixDat() { return fenetres->feuilleChoixFichierDat(); }
    platform::Grid& grille() { return *editeur().GrilleCorrection; }
    void nouveauFichier() { QTest::mouseClick(choix().BoutonNouveauFichier, Qt::LeftButton); }
    void taper(const QString& touches)
    {
        for (QChar c : touches) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(grille().table(), Qt::Key_Backspace);
            else
                QTest::keyClick(grille().table(), c.toLatin1());
        }
    }
    // Clicks cell (r, c) of the grid.
    void cliquerCellule(int r, int c)
    {
        QTableView* t = grille().table();
        const QRect rect = t->visualRect(t->model()->index(r - 1, c));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // Saves through the station-file chooser with a click on `station` and OK.
    void sauverSous(const QString& station)
    {
        QTest::mouseClick(editeur().BoutonSauve, Qt::LeftButton);
        cliquerEntree(choixDat().ListeFichierDat, station);
        QTest::mouseClick(choixDat().BoutonOKDat, Qt::LeftButton);
    }
};

TEST_F(Fenetres, StartShowsTheTableChooserWithOkDisabled)
{
    ASSERT_TRUE(writeBytes(dir.filePath("b.tcv"), ""));
    ASSERT_TRUE(writeBytes(dir.filePath("A.TCV"), ""));
    ASSERT_TRUE(writeBytes(dir.filePath("home.dat"), ""));
    demarrer();
    EXPECT_TRUE(choix().isVisible());
    EXPECT_EQ(choix().windowTitle(), "Selvane - T.C.V - Correction File");
    EXPECT_FALSE(choix().ImageLogo->isVisible());
    EXPECT_TRUE(choix().ListeFichierTCV->isVisible());
    EXPECT_TRUE(choix().Etiq_On->isVisible());
    EXPECT_EQ(choix().Etiq_On->text(), "Select a \".tcv\" file or a new file");
    EXPECT_EQ(choix().BoutonNouveauFichier->text(), "New file ...");
    EXPECT_FALSE(choix().BoutonFichierOK->isEnabled());
    ASSERT_EQ(choix().ListeFichierTCV->listCount(), 2);
    EXPECT_EQ(choix().ListeFichierTCV->entry(0), "A.TCV");
    EXPECT_EQ(choix().ListeFichierTCV->entry(1), "b.tcv");
    EXPECT_FALSE(fenetres->feuillePrincipaleChargee());
    EXPECT_EQ(choix().focusWidget(), choix().ListeFichierTCV); // the keys choose a table at once

    cliquerEntree(choix().ListeFichierTCV, "b.tcv");
    EXPECT_TRUE(choix().BoutonFichierOK->isEnabled());
    EXPECT_EQ(etat->FichierTCV, "b.tcv");
}

TEST(FenetreDemarrage, StartPictureAloneForTwoSeconds)
{
    application();
    QTemporaryDir dir;
    QImage logo(200, 100, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    ASSERT_TRUE(logo.save(dir.filePath("logo.bmp")));
    platform::ScriptedDialogs d;
    // 23:59:59.4 rounds to 23:59:59; the wait runs on past midnight.
    HorlogeEspion horloge(QDateTime(QDate(2024, 3, 1), QTime(23, 59, 59, 400)));
    Correct etat(d, horloge, dir.path());
    FenetresCorrect fenetres(etat);
    int passes = 0;
    horloge.pendantAttente = [&] {
        FeuilleChoixFichierTCV& f = fenetres.feuilleChoixFichierTCV();
        ++passes;
        // Closing the window while the picture shows asks nothing.
        if (passes == 2)
            f.close();
        EXPECT_TRUE(d.events().empty());
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.ImageLogo->geometry().center(), f.rect().center());
        EXPECT_EQ(f.windowTitle(), "Selvane - T.C.V.");
        EXPECT_TRUE(f.ImageLogo->isVisible());
        EXPECT_TRUE(f.ImageLogo->hasPicture());
        EXPECT_FALSE(f.ListeFichierTCV->isVisible());
        EXPECT_FALSE(f.BoutonFichierOK->isVisible());
        EXPECT_FALSE(f.BoutonNouveauFichier->isVisible());
        EXPECT_FALSE(f.BoutonAnnuler->isVisible());
        EXPECT_FALSE(f.Etiq_On->isVisible());
    };
    etat.Main();
    EXPECT_GT(passes, 0);
    EXPECT_NEAR(horloge.attendu, 1.6, 0.06); // until 00:00:01 of the next day
    EXPECT_EQ(fenetres.feuilleChoixFichierTCV().windowTitle(), "Selvane - T.C.V - Correction File");
    EXPECT_FALSE(etat.programmeTermine());

    // Afterwards closing it is the quit question.
    d.queueAnswer(Answer::No);
    fenetres.feuilleChoixFichierTCV().close();
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_EQ(d.messages()[0].text, "Are you sure you wish to quit ?");
    EXPECT_TRUE(fenetres.feuilleChoixFichierTCV().isVisible());
}

// Each window opens horizontally centred with a third of the free height above.
TEST_F(Fenetres, WindowsAreCentredWithAThirdAbove)
{
    demarrer();
    nouveauFichier();
    QTest::mouseClick(editeur().BoutonSauve, Qt::LeftButton);
    const QRect ecran = choix().screen()->availableGeometry();
    for (QWidget* w : std::initializer_list<QWidget*>{&choix(), &editeur(), &choixDat()}) {
        EXPECT_EQ(w->x() - ecran.left(), (ecran.width() - w->width()) / 2) << w->windowTitle().toStdString();
        EXPECT_EQ(w->y() - ecran.top(), (ecran.height() - w->height()) / 3) << w->windowTitle().toStdString();
        EXPECT_GT(w->y() - ecran.top(), 0) << w->windowTitle().toStdString();
    }
}

TEST_F(Fenetres, NewFileOpensTheEditorOnTheDefaultTable)
{
    demarrer();
    nouveauFichier();
    EXPECT_FALSE(choix().isVisible());
    ASSERT_TRUE(editeur().isVisible());
    EXPECT_EQ(editeur().windowTitle(), "Selvane 4.3.08 - TCV Editor - *.tcv");
    EXPECT_TRUE(editeur().BoutonSauve->isVisible());
    EXPECT_EQ(grille().rows(), 37);
    EXPECT_EQ(grille().cols(), 3);
    EXPECT_EQ(grille().textMatrix(0, 0), "Azimut Meas.");
    EXPECT_EQ(grille().textMatrix(0, 1), "Azim. correct.");
    EXPECT_EQ(grille().textMatrix(0, 2), "Elev. correct.");
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(grille().colWidth(c), 1600);
        EXPECT_EQ(grille().colAlignment(c), 2);
        EXPECT_EQ(grille().fixedAlignment(c), 2);
    }
    EXPECT_EQ(grille().textMatrix(1, 0), " 0");
    EXPECT_EQ(grille().textMatrix(36, 0), " 350");
    EXPECT_EQ(grille().textMatrix(36, 2), " 0");
    EXPECT_EQ(grille().row(), 1);
    EXPECT_EQ(grille().col(), 1);
    EXPECT_TRUE(etat->PremiereTouche);
}

TEST_F(Fenetres, OpeningAGoodTableFillsTheGrid)
{
    QByteArray b = "'[Azimuth value]    (Step=10deg)\r\n'Azimuth correction     (Max : +/- 5 deg)\r\n"
                   "'Elevation correction   (Max : +/- 5 deg)\r\n";
    for (int k = 0; k < 36; ++k)
        b += "[" + QByteArray::number(10 * k) + "]\r\n" + (k == 2 ? "-1.25" : "0") + "\r\n" + (k == 35 ? "" : "0.5") + "\r\n";
    ASSERT_TRUE(writeBytes(dir.filePath("home.tcv"), b));
    demarrer();
    cliquerEntree(choix().ListeFichierTCV, "home.tcv");
    QTest::mouseClick(choix().BoutonFichierOK, Qt::LeftButton);

    EXPECT_TRUE(d.events().empty());
    ASSERT_TRUE(editeur().isVisible());
    EXPECT_FALSE(choix().isVisible());
    EXPECT_EQ(editeur().windowTitle(), "Selvane 4.3.08 - TCV Editor - home.tcv");
    EXPECT_EQ(grille().textMatrix(3, 0), "20");
    EXPECT_EQ(grille().textMatrix(3, 1), "-1.25");
    EXPECT_EQ(grille().textMatrix(3, 2), "0.5");
    EXPECT_EQ(grille().textMatrix(36, 2), "");
    EXPECT_EQ(grille().row(), 1);
    EXPECT_EQ(grille().col(), 1);
    EXPECT_TRUE(editeur().BoutonSauve->isVisible());

    // Saved back unchanged under the same station, the bytes are the same.
    d.queueAnswer(Answer::Yes);
    sauverSous("home.dat");
    EXPECT_EQ(readBytes(dir.filePath("home.tcv")), b);
}

// One bad value costs only itself: the 35 good records open as they are, the
// message names the bad one, the file stays as it is until the operator saves,
// and a save writes the good records back.
TEST_F(Fenetres, ATableWithABadValueOpensWithItsGoodRecords)
{
    QByteArray b = "'[Azimuth value]    (Step=10deg)\r\n'Azimuth correction     (Max : +/- 5 deg)\r\n"
                   "'Elevation correction   (Max : +/- 5 deg)\r\n";
    for (int k = 0; k < 36; ++k)
        b += "[" + QByteArray::number(10 * k) + "]\r\n" + (k == 1 ? "5.01" : "1.5") + "\r\n-0.25\r\n";
    ASSERT_TRUE(writeBytes(dir.filePath("home.tcv"), b));
    demarrer();
    cliquerEntree(choix().ListeFichierTCV, "home.tcv", true);
    const auto m = d.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(isMessage(m[0],
                          "Correction file failed\r\rAzimuth 10, line 8: azimuth correction \"5.01\"\r\rShown as "
                          "0: each correction that failed, and the whole record where the label failed. home.tcv "
                          "stays as it is unless you save.",
                          "Selvane : Correction values", Icon::Critical));
    ASSERT_TRUE(editeur().isVisible());
    EXPECT_EQ(editeur().windowTitle(), "Selvane 4.3.08 - TCV Editor - home.tcv");
    EXPECT_EQ(grille().textMatrix(2, 1), " 0");
    EXPECT_EQ(grille().textMatrix(2, 2), "-0.25");
    for (int r : {1, 3, 36}) {
        EXPECT_EQ(grille().textMatrix(r, 1), "1.5") << r;
        EXPECT_EQ(grille().textMatrix(r, 2), "-0.25") << r;
    }
    EXPECT_EQ(readBytes(dir.filePath("home.tcv")), b);

    // Quitting without a save leaves the file as it was, and asks nothing
    // about changes: the operator changed nothing.
    d.clear();
    d.queueAnswer(Answer::No);
    QTest::mouseClick(editeur().BoutonQuitter, Qt::LeftButton);
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_EQ(d.messages()[0].text, "Are you sure you wish to quit ?");
    EXPECT_EQ(readBytes(dir.filePath("home.tcv")), b);

    // Saved after the message, the good records are written back.
    d.queueAnswer(Answer::Yes);
    sauverSous("home.dat");
    QByteArray apres = b;
    apres.replace("[10]\r\n5.01\r\n", "[10]\r\n0\r\n");
    EXPECT_EQ(readBytes(dir.filePath("home.tcv")), apres);
}

// The filter as the operator meets it: real key presses on the grid. A
// refused key leaves the cell as it was and shows the refusal sign over that
// cell, as every filtered box of the suite does.
TEST_F(Fenetres, KeysTypedIntoTheGrid)
{
    demarrer();
    nouveauFichier();
    QWidget* vue = grille().table()->viewport();
    struct Cas {
        const char* nom;
        int ligne, colonne;
        QString avant;   // cell text before (set, then the cell is clicked)
        QString touches;
        QString apres;
        int bips;
        int messages;
        bool signe;      // the refusal sign shows after the last key
    };
    const Cas cas[] = {
        {"digits replace a clicked cell", 1, 1, "1.5", "2", "2", 0, 0, false},
        {"minus typed over 1.5 starts a negative value", 2, 1, "1.5", "-0.4", "-0.4", 0, 0, false},
        {"minus typed over -0.3 keeps its sign", 13, 2, "-0.3", "-0.6", "-0.6", 0, 0, false},
        {"minus refused once a point is typed", 14, 1, "1.5", "2.-", "2.", 1, 0, true},
        {"six is refused, the cell keeps its value", 3, 2, "1.5", "6", "1.5", 1, 1, true},
        {"45 gives the cell back its value", 15, 1, "1.5", "45", "1.5", 1, 1, true},
        {"a key after a refused value starts a new one", 17, 2, "1.5", "253", "3", 1, 1, false},
        {"minus five accepted", 4, 2, " 0", "-5", "-5", 0, 0, false},
        {"fifth key beeps, sixth refused", 5, 1, " 0", "4.5512", "4.551", 2, 0, true},
        {"sixth key on 5.000 keeps it", 6, 1, " 0", "5.0001", "5.000", 2, 0, true},
        {"sixth key on -5.00 keeps it", 7, 2, " 0", "-5.001", "-5.00", 2, 0, true},
        {"an edit that starts with backspace edits", 8, 1, "0.2", "\b3", "0.3", 0, 0, false},
        {"backspace on one character", 9, 1, "3", "\b", "", 0, 0, false},
        {"a letter is refused", 10, 1, "1", "x", "1", 1, 0, true},
        {"a key after a refused one is taken", 16, 1, "1", "x2", "2", 1, 0, false},
        {"a point replaces, a second point is refused", 12, 2, "0", ".5.", ".5", 1, 0, true},
        {"azimuth column ignores keys", 11, 0, "100", "5\b", "100", 0, 0, false},
    };
    for (const Cas& c : cas) {
        grille().setTextMatrix(c.ligne, c.colonne, c.avant);
        cliquerCellule(c.ligne, c.colonne);
        ASSERT_EQ(grille().row(), c.ligne) << c.nom;
        ASSERT_EQ(grille().col(), c.colonne) << c.nom;
        d.clear();
        taper(c.touches);
        EXPECT_EQ(grille().textMatrix(c.ligne, c.colonne), c.apres) << c.nom;
        EXPECT_EQ(d.beeps(), c.bips) << c.nom;
        EXPECT_EQ(platform::refusalShown(vue), c.signe) << c.nom;
        const auto m = d.messages();
        EXPECT_EQ(int(m.size()), c.messages) << c.nom;
        for (const auto& e : m)
            EXPECT_TRUE(isMessage(e, QString::fromUtf8("Must be +/- 5\xC2\xB0 max"), "Selvane : Correction values",
                                   Icon::Critical))
                << c.nom;
    }

    // The sign covers the refused cell, and the operator's next key takes it away.
    cliquerCellule(20, 2);
    taper("x");
    const QWidget* signe = vue->findChild<QWidget*>("refusalSign");
    ASSERT_NE(signe, nullptr);
    EXPECT_TRUE(signe->isVisible());
    EXPECT_EQ(signe->geometry(), grille().cellRect(20, 2));
    taper("1");
    EXPECT_FALSE(platform::refusalShown(vue));
    EXPECT_EQ(grille().textMatrix(20, 2), "1");

    // The title row ignores keys too.
    grille().setRow(0);
    grille().setCol(1);
    d.clear();
    taper("5");
    EXPECT_EQ(grille().textMatrix(0, 1), "Azim. correct.");
    EXPECT_EQ(d.events().size(), 0u);
}

// A paste into a cell is one edit: taken when the value it makes is valid
// (replacing a chosen cell's value, or added to what was typed), refused
// whole otherwise; the table saved holds what the cells show.
TEST_F(Fenetres, APasteIntoACellIsOneEdit)
{
    demarrer();
    nouveauFichier();
    QWidget* vue = grille().table()->viewport();
    const struct {
        const char* nom;
        int ligne, colonne;
        const char* tape; // typed before the paste
        const char* colle;
        const char* apres;
        int bips;
        int messages;
    } cas[] = {
        {"a valid value", 1, 1, "", "0.3", "0.3", 0, 0},
        {"a value copied from a table, line end and blanks around", 2, 2, "", " -1.25\r\n", "-1.25", 1, 0}, // full
        {"added to a value typed", 3, 1, "1", ".5", "1.5", 0, 0},
        {"a letter in it", 4, 1, "", "0.3a", " 0", 1, 0},
        {"two values", 5, 2, "", "0.3\t0.4", " 0", 1, 0},
        {"out of range", 6, 1, "", "12", " 0", 1, 1},
        {"out of range with what was typed", 7, 2, "2", "5", " 0", 1, 1},
        {"too long", 8, 1, "", "0.1234", " 0", 1, 0},
        {"nothing but blanks", 9, 1, "", "  ", " 0", 1, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        cliquerCellule(c.ligne, c.colonne);
        taper(QString::fromLatin1(c.tape));
        QApplication::clipboard()->setText(QString::fromLatin1(c.colle));
        d.clear();
        QTest::keyClick(grille().table(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(grille().textMatrix(c.ligne, c.colonne), QString::fromLatin1(c.apres));
        EXPECT_EQ(d.beeps(), c.bips);
        EXPECT_EQ(int(d.messages().size()), c.messages);
        EXPECT_EQ(platform::refusalShown(vue), c.bips > 0 && QString::fromLatin1(c.apres) != "-1.25");
    }
    sauverSous("home.dat");
    const QList<QByteArray> l = readBytes(dir.filePath("home.tcv")).split('\n');
    ASSERT_GE(l.size(), 30);
    EXPECT_EQ(l[4], "0.3\r");         // azimuth correction at 0
    EXPECT_EQ(l[8], "-1.25\r");       // elevation correction at 10
    EXPECT_EQ(l[10], "1.5\r");        // azimuth correction at 20
    for (int k = 3; k <= 8; ++k) {
        EXPECT_EQ(l[3 * k + 4], "0\r") << k;
        EXPECT_EQ(l[3 * k + 5], "0\r") << k;
    }
}

// A value typed beyond -5..+5 is refused whole: after the warning the cell
// holds what it held before the value was typed, its entry starts afresh, and
// the focus is back in that cell. The table saved holds the old value.
TEST_F(Fenetres, ARefusedValueLeavesTheCellAsItWas)
{
    // A message box takes the focus while it is open, as a real one does.
    class BoiteQuiPrendLeFocus : public platform::ScriptedDialogs {
    public:
        QWidget* ailleurs = nullptr;
        Answer message(const QString& t, platform::Buttons b, Icon i, const QString& titre) override
        {
            if (ailleurs)
                ailleurs->setFocus(Qt::OtherFocusReason);
            return ScriptedDialogs::message(t, b, i, titre);
        }
    } boites;
    etat = std::make_unique<Correct>(boites, horloge, dir.path());
    fenetres = std::make_unique<FenetresCorrect>(*etat);
    etat->Main();
    nouveauFichier();
    QApplication::setActiveWindow(&editeur());
    boites.ailleurs = editeur().BoutonQuitter;
    cliquerCellule(4, 1);
    taper("0.3");
    cliquerCellule(4, 1);
    taper("25");
    EXPECT_EQ(grille().textMatrix(4, 1), "0.3");
    ASSERT_EQ(boites.messages().size(), 1u);
    EXPECT_EQ(boites.messages()[0].text, QString::fromUtf8("Must be +/- 5\xC2\xB0 max"));
    EXPECT_EQ(QApplication::focusWidget(), grille().table());
    EXPECT_EQ(grille().row(), 4);
    EXPECT_EQ(grille().col(), 1);
    // The next key starts a new value in the same cell.
    taper("4");
    EXPECT_EQ(grille().textMatrix(4, 1), "4");
    taper("9");
    EXPECT_EQ(grille().textMatrix(4, 1), "0.3");
    boites.ailleurs = nullptr;
    sauverSous("home.dat");
    const QList<QByteArray> l = readBytes(dir.filePath("home.tcv")).split('\n');
    ASSERT_GE(l.size(), 14);
    EXPECT_EQ(l[12], "[30]\r");
    EXPECT_EQ(l[13], "0.3\r");
    fenetres.reset();
    etat.reset();
}

// The suite's overflow rule, the same table of cases as for every filtered
// box, run on every correction cell of the grid.
TEST_F(Fenetres, TheOverflowRuleInEveryCell)
{
    demarrer();
    nouveauFichier();
    QWidget* vue = grille().table()->viewport();
    std::vector<std::string> noms;
    for (int ligne = 1; ligne <= correction::NombreEnregistrements; ++ligne)
        for (int colonne = 1; colonne <= 2; ++colonne)
            noms.push_back("cell " + std::to_string(ligne) + "," + std::to_string(colonne));
    std::vector<platform::testing::GridCellUnderTest> cellules;
    size_t n = 0;
    for (int ligne = 1; ligne <= correction::NombreEnregistrements; ++ligne) {
        for (int colonne = 1; colonne <= 2; ++colonne) {
            const QString plein = colonne == 1 ? QStringLiteral("-4.99") : QStringLiteral("4.995");
            cellules.push_back({noms[n++].c_str(), grille().table(), vue, grille().cellRect(ligne, colonne), plein,
                                QStringLiteral("x"), [this, ligne, colonne] { return grille().textMatrix(ligne, colonne); },
                                [this, ligne, colonne, plein] {
                                    grille().setTextMatrix(ligne, colonne, plein);
                                    cliquerCellule(ligne, colonne);
                                    ASSERT_EQ(grille().row(), ligne);
                                    ASSERT_EQ(grille().col(), colonne);
                                }});
        }
    }
    platform::testing::checkOverflowRule(cellules, d);
}

// A screen reader's "Toggle" on an entry of the table list chooses it as a
// click does: OK is enabled for that table.
TEST_F(Fenetres, AccessibleToggleOfAnEntryActsAsAClick)
{
    ASSERT_TRUE(writeBytes(dir.filePath("home.tcv"), ""));
    demarrer();
    QAccessibleInterface* liste = QAccessible::queryAccessibleInterface(choix().ListeFichierTCV);
    ASSERT_NE(liste, nullptr);
    ASSERT_GE(liste->childCount(), 1);
    QAccessibleInterface* entree = liste->child(0);
    ASSERT_EQ(entree->text(QAccessible::Name), "home.tcv");
    ASSERT_NE(entree->actionInterface(), nullptr);
    entree->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(choix().BoutonFichierOK->isEnabled());
    EXPECT_EQ(etat->FichierTCV, "home.tcv");
}

TEST_F(Fenetres, SavingUnderTwoStationsAndTheReplaceQuestion)
{
    demarrer();
    nouveauFichier();
    taper("1.5");

    QTest::mouseClick(editeur().BoutonSauve, Qt::LeftButton);
    EXPECT_FALSE(editeur().isVisible());
    ASSERT_TRUE(choixDat().isVisible());
    EXPECT_EQ(choixDat().windowTitle(), "Selvane - Setup file");
    EXPECT_EQ(choixDat().Etiq_On->text(), "Select a \".dat\" with wich the \".tcv\" file will be associated");
    EXPECT_FALSE(choixDat().BoutonOKDat->isEnabled());
    EXPECT_EQ(choixDat().focusWidget(), choixDat().ListeFichierDat);
    cliquerEntree(choixDat().ListeFichierDat, "home.dat");
    EXPECT_TRUE(choixDat().BoutonOKDat->isEnabled());
    EXPECT_EQ(etat->FichierStation, "home.dat");
    QTest::mouseClick(choixDat().BoutonOKDat, Qt::LeftButton);

    EXPECT_TRUE(d.messages().empty());
    EXPECT_FALSE(choixDat().isVisible());
    EXPECT_EQ(choixDat().ListeFichierDat->listIndex(), -1);
    ASSERT_TRUE(editeur().isVisible());
    EXPECT_EQ(editeur().windowTitle(), "Tracking Correction Values - home.tcv");
    EXPECT_EQ(etat->FichierTCV, "home.tcv");
    EXPECT_TRUE(readBytes(dir.filePath("home.tcv")).contains("[0]\r\n1.5\r\n0\r\n[10]\r\n0\r\n"));

    // A double click on a second station saves at once, without a question.
    QTest::mouseClick(editeur().BoutonSauve, Qt::LeftButton);
    cliquerEntree(choixDat().ListeFichierDat, "dx.dat", true);
    EXPECT_TRUE(d.messages().empty());
    EXPECT_EQ(editeur().windowTitle(), "Tracking Correction Values - dx.tcv");
    EXPECT_EQ(readBytes(dir.filePath("dx.tcv")), readBytes(dir.filePath("home.tcv")));

    // The first station again, while the caption names dx.tcv: the question
    // names the table it would replace; No writes nothing.
    const QByteArray avant = readBytes(dir.filePath("home.tcv"));
    cliquerCellule(1, 1);
    taper("\b\b\b-2"); // a sign is refused while the text holds a point
    d.queueAnswer(Answer::No);
    sauverSous("home.dat");
    auto m = d.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, "Replace the old file home.tcv ?");
    EXPECT_EQ(etat->Reponse, Answer::No);
    EXPECT_EQ(readBytes(dir.filePath("home.tcv")), avant);
    EXPECT_FALSE(choixDat().isVisible());
    EXPECT_EQ(choixDat().ListeFichierDat->listIndex(), -1);
    EXPECT_TRUE(editeur().isVisible());
    EXPECT_EQ(grille().textMatrix(1, 1), "-2");

    // Yes replaces it.
    d.clear();
    d.queueAnswer(Answer::Yes);
    sauverSous("home.dat");
    EXPECT_EQ(d.messages().size(), 1u);
    EXPECT_TRUE(readBytes(dir.filePath("home.tcv")).contains("[0]\r\n-2\r\n"));
}

// A Ctrl+click takes the selection away: OK must not act on an empty name
// (it would open "" or save the table as ".tcv").
TEST_F(Fenetres, CtrlClickKeepsTheChosenNameAndOK)
{
    // A Ctrl+click on the chosen entry must not leave O.K. enabled with no
    // name behind it (that once saved a table called ".tcv").
    ASSERT_TRUE(writeBytes(dir.filePath("home.tcv"), ""));
    demarrer();
    struct Cas {
        const char* nom;
        platform::FileList* liste;
        QPushButton* ok;
        const QString* choisi;
    };
    auto ctrlClic = [](const Cas& c, const QString& entree) {
        cliquerEntree(c.liste, entree);
        ASSERT_TRUE(c.ok->isEnabled()) << c.nom;
        EXPECT_EQ(*c.choisi, entree) << c.nom;
        const QList<QListWidgetItem*> items = c.liste->findItems(entree, Qt::MatchExactly);
        QTest::mouseClick(c.liste->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          c.liste->visualItemRect(items[0]).center());
        EXPECT_EQ(c.liste->fileName(), entree) << c.nom;
        EXPECT_TRUE(c.ok->isEnabled()) << c.nom;
        EXPECT_EQ(*c.choisi, entree) << c.nom;
    };
    ctrlClic({"table chooser", choix().ListeFichierTCV, choix().BoutonFichierOK, &etat->FichierTCV}, "home.tcv");
    EXPECT_TRUE(choix().isVisible());

    nouveauFichier();
    QTest::mouseClick(editeur().BoutonSauve, Qt::LeftButton);
    ctrlClic({"station chooser", choixDat().ListeFichierDat, choixDat().BoutonOKDat, &etat->FichierStation},
             "home.dat");
    QTest::mouseClick(choixDat().BoutonOKDat, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(dir.filePath(".tcv")));
    EXPECT_TRUE(QFile::exists(dir.filePath("home.tcv")));
}

TEST_F(Fenetres, AWriteErrorKeepsTheStationChooserOpen)
{
    // A folder where the table would go: the save cannot replace it.
    ASSERT_TRUE(QDir(dir.path()).mkdir("home.tcv"));
    demarrer();
    nouveauFichier();
    sauverSous("home.dat");
    const auto m = d.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(isMessage(m[0],
                          "Write Error : home.tcv was not saved !\rThe name is that of a folder, not of a file.\r"
                          "The old file is unchanged.",
                          "Selvane - TCV Editor", Icon::Critical));
    EXPECT_TRUE(choixDat().isVisible());
    EXPECT_EQ(choixDat().ListeFichierDat->fileName(), "home.dat");
    EXPECT_FALSE(editeur().isVisible());

    // Cancel goes back to the editor with every value kept.
    grille().setTextMatrix(5, 2, "-3.5");
    QTest::mouseClick(choixDat().BoutonAnnulerDat, Qt::LeftButton);
    EXPECT_FALSE(choixDat().isVisible());
    EXPECT_EQ(choixDat().ListeFichierDat->listIndex(), -1);
    EXPECT_TRUE(editeur().isVisible());
    EXPECT_EQ(grille().textMatrix(5, 2), "-3.5");
}

TEST_F(Fenetres, QuitQuestion)
{
    demarrer();
    // Cancel in the chooser, answered No: the chooser stays.
    d.queueAnswer(Answer::No);
    QTest::mouseClick(choix().BoutonAnnuler, Qt::LeftButton);
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_TRUE(isMessage(d.messages()[0], "Are you sure you wish to quit ?", "Selvane - T.C.V", Icon::Critical,
                           platform::Buttons::YesNo));
    EXPECT_TRUE(choix().isVisible());
    EXPECT_FALSE(etat->programmeTermine());

    nouveauFichier();
    // Closing the editor is cancelled and asks the question.
    d.queueAnswer(Answer::No);
    editeur().close();
    EXPECT_TRUE(editeur().isVisible());
    EXPECT_EQ(d.messages().size(), 2u);
    // Quit, answered Yes, ends the program.
    d.queueAnswer(Answer::Yes);
    QTest::mouseClick(editeur().BoutonQuitter, Qt::LeftButton);
    EXPECT_TRUE(etat->programmeTermine());
    EXPECT_EQ(fins, 1);
    EXPECT_FALSE(editeur().isVisible());
}

// Quitting with changes that are not saved says so in the quit question;
// without them the question is the plain one. The changes are judged by what
// a save would write.
TEST_F(Fenetres, QuittingWithUnsavedChangesSaysSo)
{
    const QString question = "Are you sure you wish to quit ?";
    const QString nonEnregistre = "The changes to the new table are not saved !\r\r" + question;
    auto quitterEtNon = [&](const std::function<void()>& quitter) {
        d.clear();
        d.queueAnswer(Answer::No);
        quitter();
        EXPECT_EQ(d.messages().size(), 1u);
        EXPECT_TRUE(editeur().isVisible());
        EXPECT_FALSE(etat->programmeTermine());
        return d.messages().empty() ? QString() : d.messages()[0].text;
    };
    auto quitter = [&] { QTest::mouseClick(editeur().BoutonQuitter, Qt::LeftButton); };

    demarrer();
    nouveauFichier();
    EXPECT_EQ(quitterEtNon(quitter), question);

    taper("0.2");
    EXPECT_EQ(quitterEtNon(quitter), nonEnregistre);
    EXPECT_EQ(quitterEtNon([&] { editeur().close(); }), nonEnregistre);
    EXPECT_EQ(grille().textMatrix(1, 1), "0.2");
    EXPECT_TRUE(isMessage(d.messages()[0], nonEnregistre, "Selvane - T.C.V", Icon::Critical, platform::Buttons::YesNo));

    // Back to what the table held ("0" writes as " 0" does): no change.
    cliquerCellule(1, 1);
    taper("0");
    EXPECT_EQ(quitterEtNon(quitter), question);

    // Cancel in the station chooser saves nothing; a save does.
    taper("\b-1");
    QTest::mouseClick(editeur().BoutonSauve, Qt::LeftButton);
    QTest::mouseClick(choixDat().BoutonAnnulerDat, Qt::LeftButton);
    EXPECT_EQ(quitterEtNon(quitter), nonEnregistre);
    sauverSous("home.dat");
    EXPECT_EQ(quitterEtNon(quitter), question);

    // Once saved, the question names the table's file. Yes ends the program,
    // changes or not.
    cliquerCellule(5, 2);
    taper("3");
    d.clear();
    d.queueAnswer(Answer::Yes);
    quitter();
    EXPECT_EQ(d.messages()[0].text, "The changes to home.tcv are not saved !\r\r" + question);
    EXPECT_TRUE(etat->programmeTermine());
    EXPECT_EQ(fins, 1);
}
