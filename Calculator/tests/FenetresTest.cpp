// The program through its windows, offscreen: start window and chooser, the
// home station's reading and check, "brulvane.ini", typing into the boxes
// with key events, the result labels, units, help and quitting. Each test
// runs in a fresh station folder with scripted dialogs and a manual clock;
// the end of the program is observed through its seam.

#include "Calculator/Brulvane.h"
#include "Calculator/FenetresBrulvane.h"
#include "Calculator/F_Brulvane.h"
#include "Calculator/F_NoiseCalc.h"
#include "Calculator/Filtres.h"
#include "Calculator/FeuilleChoixFichier.h"
#include "Calculator/Stations.h"
#include "Calculator/TexteAide.h"
#include "platform/testing/OverflowRule.h"
#include "platform/testing/QtTestApp.h"
#include "platform/testing/SourceDir.h"
#include "platform/widgets/FilteredBox.h"
#include "platform/widgets/StartWindow.h"
#include "Outils.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using brulvane::Boite;
using brulvane::Resultat;
using platform::Answer;
using platform::Icon;
using outils::stationDat;

namespace {

// 10368 MHz, 100 W, feed losses 0.5 / 0.2 dB, NF 0.8 dB, 100 Hz, 50 dBi.
const QStringList station10G{"10368", "100", "0.5", "0.2", "0.8", "100", "50"};
const QStringList valeursDX10G{"100", "0.5", "0.2", "0.8", "100", "50"};

class Programme : public outils::DossierStation {
protected:
    platform::ScriptedDialogs dialogs;
    platform::ManualClock clock{QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0))};
    int fins = 0;
    std::unique_ptr<Brulvane> etat;
    std::unique_ptr<FenetresBrulvane> fenetres;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ecrit("home.dat", stationDat("F1ABC", "Paris", station10G));
    }
    void TearDown() override { fin(); }
    void fin() {
        fenetres.reset();
        etat.reset();
    }

    void demarre() {
        etat = std::make_unique<Brulvane>(dialogs, clock, dir.path(), [this] { ++fins; });
        fenetres = std::make_unique<FenetresBrulvane>(*etat);
        etat->Main();
    }
    FeuilleChoixFichier* choix() const { return fenetres->feuilleChoixFichier(); }
    F_Brulvane* calc() const { return fenetres->f_Brulvane(); }
    QLineEdit* boite(Boite b) const { return calc()->boite(b); }
    QString res(Resultat r) const { return calc()->resultat(r)->text(); }
    bool toutVide() const {
        for (int i = 0; i < brulvane::NombreResultats; ++i)
            if (!res(static_cast<Resultat>(i)).isEmpty())
                return false;
        return true;
    }
    void clique(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    // Clicks the list entry `nom` and then "EME Calculator".
    void choisit(const QString& nom) {
        platform::FileList* l = choix()->ListeFichier;
        const auto trouves = l->findItems(nom, Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1) << nom.toStdString();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(trouves[0]).center());
        ASSERT_TRUE(choix()->BoutonBrulvane->isEnabled());
        clique(choix()->BoutonBrulvane);
    }
    void tape(Boite b, const QString& texte) {
        boite(b)->setFocus();
        QTest::keyClicks(boite(b), texte);
    }
    std::vector<QString> textesMessages() const {
        std::vector<QString> t;
        for (const auto& m : dialogs.messages())
            t.push_back(m.text);
        return t;
    }
};

} // namespace

TEST_F(Programme, StartPictureThenChooser) {
    ecrit("Other.DAT", stationDat("G3Z", "", station10G));
    ecrit("notes.txt", "x");
    demarre();
    EXPECT_TRUE(choix()->isVisible());
    EXPECT_FALSE(calc()->isVisible());
    EXPECT_FALSE(fenetres->f_NoiseCalc()->isVisible());
    EXPECT_EQ(choix()->windowTitle(), "EME Calculators - Setup File");
    EXPECT_FALSE(choix()->ImageLogo->isVisible());
    EXPECT_TRUE(choix()->ListeFichier->isVisible());
    EXPECT_EQ(choix()->ListeFichier->listCount(), 2);
    EXPECT_EQ(choix()->Etiq_On->text(), "Select a \".dat\" file then a calculator");
    EXPECT_EQ(choix()->BoutonNoiseCalc->text(), "Noise Calculator (next version) ");
    EXPECT_FALSE(choix()->BoutonBrulvane->isEnabled());
    EXPECT_FALSE(choix()->BoutonNoiseCalc->isEnabled());
    // The 2-second hold ran on the injected clock.
    EXPECT_GE(clock.now(), QDateTime(QDate(2024, 3, 1), QTime(12, 0, 2)));
    EXPECT_TRUE(dialogs.events().empty());
    // The keys choose a file at once.
    EXPECT_EQ(choix()->focusWidget(), choix()->ListeFichier);
}

TEST_F(Programme, StationAndDXFileOpenTheCalculatorComputed) {
    ecrit("brulvane.ini", "DX Station parameters\r\nTx Power Output\r\n100\r\nTx Feed Loss\r\n0.5\r\n"
                          "Rx Feed Loss\r\n0.2\r\nRx Noise Figure\r\n0.8\r\nRx Bandwith\r\n100\r\n"
                          "Antenna gain\r\n50\r\n");
    demarre();
    choisit("home.dat");
    ASSERT_EQ(fins, 0);
    EXPECT_TRUE(dialogs.events().empty());
    EXPECT_FALSE(choix()->isVisible());
    EXPECT_TRUE(calc()->isVisible());
    EXPECT_EQ(calc()->windowTitle(), "Selvane V4.3.08a - EME Calculator - home.dat");
    EXPECT_EQ(calc()->Cadre_EME[1]->title(), "F1ABC");
    EXPECT_EQ(boite(Boite::HP_Frequence)->text(), "10368");
    EXPECT_EQ(boite(Boite::HP_AntGain)->text(), "50");
    EXPECT_EQ(boite(Boite::DP_RxNF)->text(), "0.8");
    EXPECT_EQ(boite(Boite::SkyTemp)->text(), "5");
    EXPECT_EQ(calc()->Range->currentText(), "Perigee");
    EXPECT_EQ(calc()->Etiq_EME[17]->text(), "dBm/Hz");
    for (size_t i = 0; i < calc()->Etiq_EME.size(); ++i)
        EXPECT_NE(calc()->Etiq_EME[i], nullptr) << i;
    EXPECT_FALSE(res(Resultat::PathEME).isEmpty());
    EXPECT_TRUE(res(Resultat::H_SystemNoise).startsWith('-'));

    // To kelvin: the worked example's noise values of both halves.
    clique(calc()->Bouton_Mode);
    EXPECT_EQ(etat->UniteBruit, "K");
    for (int i : {17, 15, 34, 36})
        EXPECT_EQ(calc()->Etiq_EME[i]->text(), "K") << i;
    EXPECT_EQ(res(Resultat::H_SystemNoise), "100.7");
    EXPECT_EQ(res(Resultat::H_MoonNoise), "3.39");
    EXPECT_EQ(res(Resultat::H_TotalNoise), "219.9");
    EXPECT_EQ(res(Resultat::D_SystemNoise), "100.7");
    EXPECT_EQ(res(Resultat::D_MoonNoise), "3.5");
    EXPECT_EQ(res(Resultat::D_TotalNoise), "226");
    EXPECT_EQ(res(Resultat::H_HomeSignal), res(Resultat::D_DXSignal));
}

// The default station folder as a newcomer gets it: the first start reads its
// home.dat and brulvane.ini without a word and shows a computed budget.
TEST_F(Programme, TheDefaultStationFolderComputesAtFirstStart) {
    const QDir station(platform::testing::sourcePath(QStringLiteral("station")));
    for (const char* nom : {"home.dat", "brulvane.ini"}) {
        QFile::remove(chemin(nom));
        ASSERT_TRUE(QFile::copy(station.filePath(nom), chemin(nom))) << nom;
    }
    demarre();
    choisit("home.dat");
    ASSERT_EQ(fins, 0);
    EXPECT_TRUE(dialogs.events().empty());
    EXPECT_TRUE(calc()->isVisible());
    EXPECT_EQ(boite(Boite::DP_TxPower)->text(), "400");
    EXPECT_EQ(boite(Boite::DP_AntGain)->text(), "19.5");
    for (int i = 0; i < brulvane::NombreResultats; ++i)
        EXPECT_FALSE(res(static_cast<Resultat>(i)).isEmpty()) << i;
    // A DX station on the home station's band: both echoes are heard.
    EXPECT_TRUE(res(Resultat::H_DXSignal).startsWith('-'));
    // Saving it again writes the same bytes.
    clique(calc()->Bouton_Save);
    QFile f(station.filePath("brulvane.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(lit("brulvane.ini"), f.readAll());
}

TEST_F(Programme, WithoutDXFileTheBoxesStartEmptyAndTypedValuesAreComputed) {
    demarre();
    choisit("home.dat");
    ASSERT_EQ(textesMessages(), std::vector<QString>{"Read Error : brulvane.ini was not read !"});
    EXPECT_EQ(dialogs.messages()[0].title, "Selvane");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Critical);
    for (Boite b : {Boite::DP_TxPower, Boite::DP_TxLoss, Boite::DP_RxLoss, Boite::DP_RxNF, Boite::DP_RxBW,
                    Boite::DP_AntGain})
        EXPECT_TRUE(boite(b)->text().isEmpty());
    // The opening computation refused: a beep, the focus on the first empty box.
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(calc()->focusWidget(), boite(Boite::DP_TxPower));
    EXPECT_TRUE(toutVide());

    dialogs.clear();
    const Boite dx[] = {Boite::DP_TxPower, Boite::DP_TxLoss, Boite::DP_RxLoss, Boite::DP_RxNF, Boite::DP_RxBW,
                        Boite::DP_AntGain};
    for (int i = 0; i < 6; ++i)
        tape(dx[i], valeursDX10G[i]);
    EXPECT_EQ(boite(Boite::DP_AntGain)->text(), "50");
    EXPECT_EQ(dialogs.beeps(), 0);
    EXPECT_TRUE(toutVide()); // typing only blanks
    clique(calc()->Bouton_Compute);
    EXPECT_EQ(res(Resultat::H_HomeSignal), res(Resultat::H_DXSignal));
    EXPECT_EQ(res(Resultat::D_HomeSignal), res(Resultat::D_DXSignal));
    EXPECT_FALSE(res(Resultat::D_SNDX).isEmpty());

    // Any edit blanks every result; a 0 refuses with the focus on it.
    boite(Boite::DP_TxLoss)->selectAll();
    QTest::keyClicks(boite(Boite::DP_TxLoss), "0");
    EXPECT_TRUE(toutVide());
    clique(calc()->Bouton_Compute);
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(calc()->focusWidget(), boite(Boite::DP_TxLoss));
    EXPECT_TRUE(toutVide());
}

TEST_F(Programme, BoxFiltersOnKeys) {
    demarre();
    choisit("home.dat");
    dialogs.clear();
    // A letter is refused with a beep and the sign: the box keeps its text.
    boite(Boite::DP_TxPower)->clear();
    tape(Boite::DP_TxPower, "1a");
    EXPECT_EQ(boite(Boite::DP_TxPower)->text(), "1");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(platform::refusalShown(boite(Boite::DP_TxPower)));
    // A sixth digit, a value too large: the same.
    boite(Boite::DP_RxBW)->clear();
    tape(Boite::DP_RxBW, "123456");
    EXPECT_EQ(boite(Boite::DP_RxBW)->text(), "12345");
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_EQ(calc()->focusWidget(), boite(Boite::DP_RxBW));
    boite(Boite::DP_AntGain)->clear();
    tape(Boite::DP_AntGain, "99.99");
    EXPECT_EQ(boite(Boite::DP_AntGain)->text(), "99.99");
    boite(Boite::DP_AntGain)->clear();
    tape(Boite::DP_AntGain, "100");
    EXPECT_EQ(boite(Boite::DP_AntGain)->text(), "10");
    EXPECT_EQ(dialogs.beeps(), 3);
    tape(Boite::DP_TxLoss, "9.99");
    EXPECT_EQ(boite(Boite::DP_TxLoss)->text(), "9.99");
    // The frequency box sets the sky temperature default as it changes.
    boite(Boite::HP_Frequence)->clear();
    EXPECT_EQ(boite(Boite::SkyTemp)->text(), "220");
    tape(Boite::HP_Frequence, "40");
    EXPECT_EQ(boite(Boite::SkyTemp)->text(), "220");
    tape(Boite::HP_Frequence, "0");
    EXPECT_EQ(boite(Boite::SkyTemp)->text(), "20");
    tape(Boite::HP_Frequence, "0");
    EXPECT_EQ(boite(Boite::SkyTemp)->text(), "5");
}

// "12a" pasted after a DX power of 1500 leaves the box, and the results
// computed from it, as they were.
TEST_F(Programme, APasteWithALetterLeavesTheBoxAsItWas) {
    demarre();
    choisit("home.dat");
    const Boite dx[] = {Boite::DP_TxPower, Boite::DP_TxLoss, Boite::DP_RxLoss, Boite::DP_RxNF, Boite::DP_RxBW,
                        Boite::DP_AntGain};
    for (int i = 0; i < 6; ++i)
        boite(dx[i])->setText(valeursDX10G[i]);
    boite(Boite::DP_TxPower)->setText("1500");
    clique(calc()->Bouton_Compute);
    const QString signal = res(Resultat::D_HomeSignal);
    ASSERT_FALSE(signal.isEmpty());
    dialogs.clear();
    QApplication::clipboard()->setText("12a");
    boite(Boite::DP_TxPower)->setFocus();
    boite(Boite::DP_TxPower)->end(false);
    QTest::keyClick(boite(Boite::DP_TxPower), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(boite(Boite::DP_TxPower)->text(), "1500");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(platform::refusalShown(boite(Boite::DP_TxPower)));
    EXPECT_EQ(res(Resultat::D_HomeSignal), signal);
}

// The suite's overflow rule, one table of cases run against every box.
TEST_F(Programme, TheOverflowRuleInEveryBox) {
    demarre();
    choisit("home.dat");
    std::vector<platform::testing::FilteredBoxUnderTest> boites;
    for (int i = 0; i < brulvane::NombreBoites; ++i) {
        const auto b = static_cast<Boite>(i);
        const brulvane::RegleBoite r = brulvane::RegleDe(b);
        // The longest text the box holds, within its largest value.
        const QString plein = !r.pointPermis ? "12345" : r.longueurMax == 4 ? "9.99" : r.valeurMax < 100 ? "99.99" : "123.5";
        boites.push_back({"", boite(b), plein, "x"});
    }
    const char* noms[] = {"HP_TxPower", "HP_TxLoss", "Hp_RxLoss", "HP_RxNF", "HP_RxBW", "HP_AntGain", "DP_TxPower",
                          "DP_TxLoss", "DP_RxLoss", "DP_RxNF", "DP_RxBW", "DP_AntGain", "HP_Frequence", "SkyTemp"};
    for (size_t i = 0; i < boites.size(); ++i)
        boites[i].name = noms[i];
    platform::testing::checkOverflowRule(boites, dialogs);
}

TEST_F(Programme, SaveThenDefaultValuesGivesBackTheSixTexts) {
    demarre();
    choisit("home.dat");
    const Boite dx[] = {Boite::DP_TxPower, Boite::DP_TxLoss, Boite::DP_RxLoss, Boite::DP_RxNF, Boite::DP_RxBW,
                        Boite::DP_AntGain};
    const QStringList saisis{"1500", "0.3", "", "0.45", "2500", "35.5"};
    for (int i = 0; i < 6; ++i)
        tape(dx[i], saisis[i]);
    dialogs.clear();
    clique(calc()->Bouton_Save);
    EXPECT_TRUE(dialogs.events().empty());
    EXPECT_EQ(lit("brulvane.ini"), QByteArray("DX Station parameters\r\nTx Power Output\r\n1500\r\n"
                                              "Tx Feed Loss\r\n0.3\r\nRx Feed Loss\r\n\r\n"
                                              "Rx Noise Figure\r\n0.45\r\nRx Bandwith\r\n2500\r\n"
                                              "Antenna gain\r\n35.5\r\n"));
    for (Boite b : dx) {
        boite(b)->selectAll();
        QTest::keyClicks(boite(b), "7");
    }
    clique(calc()->Bouton_DXDefaut);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(boite(dx[i])->text(), saisis[i]) << i;
    EXPECT_TRUE(dialogs.messages().empty());
    // Empty receive loss: refused, focus there, with the sign.
    EXPECT_EQ(calc()->focusWidget(), boite(Boite::DP_RxLoss));
    EXPECT_TRUE(platform::refusalShown(boite(Boite::DP_RxLoss)));
}

TEST_F(Programme, DefaultValuesReloadThroughTheFilters) {
    ASSERT_TRUE(brulvane::SauveStationDX(dir.filePath("brulvane.ini"), {"100", "0.5", "0.2", "0.8", "100", "50"}));
    demarre();
    choisit("home.dat");
    // The home reload runs the frequency box's filter although its text is
    // the same, so the sky temperature goes back to its default.
    boite(Boite::SkyTemp)->selectAll();
    QTest::keyClicks(boite(Boite::SkyTemp), "77");
    ASSERT_EQ(boite(Boite::SkyTemp)->text(), "77");
    clique(calc()->Bouton_Defaut);
    EXPECT_EQ(boite(Boite::SkyTemp)->text(), "5");
    EXPECT_FALSE(res(Resultat::H_SNHome).isEmpty());

    // A short DX file: the boxes read so far take the file's texts, the
    // others keep theirs; the read error is shown and the program goes on.
    ecrit("brulvane.ini", "DX Station parameters\r\nTx Power Output\r\n800\r\nTx Feed Loss\r\n0.4\r\nRx Feed Loss\r\n");
    dialogs.clear();
    clique(calc()->Bouton_DXDefaut);
    EXPECT_EQ(textesMessages(), std::vector<QString>{"Read Error : brulvane.ini was not read !"});
    EXPECT_EQ(boite(Boite::DP_TxPower)->text(), "800");
    EXPECT_EQ(boite(Boite::DP_TxLoss)->text(), "0.4");
    EXPECT_EQ(boite(Boite::DP_RxLoss)->text(), "0.2");
    EXPECT_EQ(boite(Boite::DP_AntGain)->text(), "50");
    EXPECT_FALSE(res(Resultat::D_SNDX).isEmpty()); // computed again
    EXPECT_EQ(fins, 0);

    // A DX file edited by hand with a power too long and a loss holding a
    // letter: those boxes are emptied, each with the refusal sign (the
    // power with its beep), and the computation stops at the first.
    ecrit("brulvane.ini", "DX Station parameters\r\nTx Power Output\r\n150000\r\nTx Feed Loss\r\n0.4x\r\n"
                          "Rx Feed Loss\r\n0.2\r\nRx Noise Figure\r\n0.8\r\nRx Bandwith\r\n100\r\n"
                          "Antenna gain\r\n50\r\n");
    dialogs.clear();
    clique(calc()->Bouton_DXDefaut);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(boite(Boite::DP_TxPower)->text(), "");
    EXPECT_EQ(boite(Boite::DP_TxLoss)->text(), "");
    EXPECT_EQ(boite(Boite::DP_RxLoss)->text(), "0.2");
    EXPECT_TRUE(platform::refusalShown(boite(Boite::DP_TxPower)));
    EXPECT_TRUE(platform::refusalShown(boite(Boite::DP_TxLoss)));
    EXPECT_FALSE(platform::refusalShown(boite(Boite::DP_RxLoss)));
    EXPECT_EQ(dialogs.beeps(), 2); // the power's filter, then the computation
    EXPECT_EQ(calc()->focusWidget(), boite(Boite::DP_TxPower));
    EXPECT_TRUE(toutVide());
}

TEST_F(Programme, FailedSaveKeepsTheOldFileAndSaysSo) {
    demarre();
    choisit("home.dat");
    for (Boite b : {Boite::DP_TxPower, Boite::DP_TxLoss, Boite::DP_RxLoss, Boite::DP_RxNF, Boite::DP_RxBW,
                    Boite::DP_AntGain})
        tape(b, "1");
    clique(calc()->Bouton_Save);
    const QByteArray avant = lit("brulvane.ini");
    tape(Boite::DP_TxPower, "2");
    dialogs.clear();
    etat->FautesSauvegarde.failAfterBytes = 20;
    clique(calc()->Bouton_Save);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              "Write Error : brulvane.ini was not saved !\rNo space left on the disk.\rThe old file is unchanged.");
    EXPECT_EQ(dialogs.messages()[0].title, "Selvane");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Critical);
    EXPECT_EQ(lit("brulvane.ini"), avant);
    // A read-only file: the message says so.
    etat->FautesSauvegarde = {};
    ASSERT_TRUE(QFile::setPermissions(chemin("brulvane.ini"), QFileDevice::ReadOwner));
    dialogs.clear();
    clique(calc()->Bouton_Save);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              "Write Error : brulvane.ini was not saved !\rThe file is read-only.\rThe old file is unchanged.");
    EXPECT_EQ(lit("brulvane.ini"), avant);
    EXPECT_EQ(fins, 0);
}

TEST_F(Programme, ShortUnreadableOrBadStationEndsTheProgram) {
    struct Cas {
        const char* nom;
        QByteArray contenu;
        std::vector<QString> messages;
        const char* titre;
    };
    QStringList freqZero = station10G;
    freqZero[0] = "0";
    QStringList bandeTrop = station10G;
    bandeTrop[5] = "123456"; // refused by the box: empty, then out of range
    const Cas cas[] = {
        {"court.dat", stationDat("F1ABC", "Paris", station10G, 98),
         {"Read Error : court.dat was not read !", "Quit the Brulvane program now !!!"}, "Selvane"},
        {"vide.dat", QByteArray(), {"Read Error : vide.dat was not read !", "Quit the Brulvane program now !!!"},
         "Selvane"},
        {"zero.dat", stationDat("F1ABC", "Paris", freqZero), {"Verify Data !!!\r\rUse Corvinet"}, "Data Error"},
        {"bande.dat", stationDat("F1ABC", "Paris", bandeTrop), {"Verify Data !!!\r\rUse Corvinet"}, "Data Error"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        ecrit(c.nom, c.contenu);
        dialogs.clear();
        fins = 0;
        demarre();
        choisit(c.nom);
        EXPECT_EQ(textesMessages(), c.messages);
        for (const auto& m : dialogs.messages()) {
            EXPECT_EQ(m.title, c.titre);
            EXPECT_EQ(m.icon, Icon::Critical);
        }
        EXPECT_EQ(fins, 1);
        EXPECT_TRUE(etat->programmeTermine());
        EXPECT_FALSE(calc()->isVisible());
        EXPECT_FALSE(choix()->isVisible());
        fin();
    }
}

TEST_F(Programme, ZeroFeedLossPassesTheCheckButTheComputationRefuses) {
    QStringList perteZero = station10G;
    perteZero[2] = "0";
    ecrit("zero.dat", stationDat("F1ABC", "Bonn, Germany", perteZero));
    demarre();
    choisit("zero.dat");
    EXPECT_EQ(fins, 0);
    EXPECT_EQ(boite(Boite::HP_TxPower)->text(), "100"); // the comma did not shift the values
    EXPECT_EQ(calc()->focusWidget(), boite(Boite::HP_TxLoss));
    EXPECT_TRUE(platform::refusalShown(boite(Boite::HP_TxLoss)));
    EXPECT_TRUE(toutVide());
    // Compute refuses it again the same way, after a click elsewhere.
    boite(Boite::DP_TxPower)->setFocus();
    QTest::mouseClick(boite(Boite::DP_TxPower), Qt::LeftButton);
    ASSERT_FALSE(platform::refusalShown(boite(Boite::HP_TxLoss)));
    dialogs.clear();
    clique(calc()->Bouton_Compute);
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(calc()->focusWidget(), boite(Boite::HP_TxLoss));
    EXPECT_TRUE(platform::refusalShown(boite(Boite::HP_TxLoss)));
    EXPECT_TRUE(toutVide());
}

TEST_F(Programme, QuitQuestionNewStationAndCancel) {
    ASSERT_TRUE(brulvane::SauveStationDX(dir.filePath("brulvane.ini"), {"100", "0.5", "0.2", "0.8", "100", "50"}));
    demarre();
    choisit("home.dat");
    // The close box asks; No keeps the window.
    dialogs.clear();
    dialogs.queueAnswer(Answer::No);
    calc()->close();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "Are you sure you wish to quit ?");
    EXPECT_EQ(dialogs.messages()[0].title, "Selvane - Calculators");
    EXPECT_EQ(dialogs.messages()[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Critical);
    EXPECT_TRUE(calc()->isVisible());
    EXPECT_EQ(fins, 0);

    // The unit survives "New home station" and a new choice.
    clique(calc()->Bouton_Mode);
    calc()->Range->setCurrentIndex(2);
    emit calc()->Range->activated(2);
    EXPECT_EQ(etat->DistanceLune, 406740000);
    clique(calc()->Bouton_New);
    EXPECT_FALSE(calc()->isVisible());
    EXPECT_TRUE(choix()->isVisible());
    EXPECT_FALSE(choix()->BoutonBrulvane->isEnabled());
    EXPECT_EQ(choix()->focusWidget(), choix()->ListeFichier);
    // Cancel goes back with Range at Perigee and the sky at its default.
    calc()->SkyTemp->setText("77");
    clique(choix()->BoutonAnnuler);
    EXPECT_TRUE(calc()->isVisible());
    EXPECT_EQ(calc()->Range->currentText(), "Perigee");
    EXPECT_EQ(etat->DistanceLune, brulvane::DistancePerigee);
    EXPECT_EQ(calc()->SkyTemp->text(), "5");
    EXPECT_EQ(calc()->Etiq_EME[36]->text(), "K");
    clique(calc()->Bouton_New);
    choisit("home.dat");
    EXPECT_EQ(etat->UniteBruit, "K");
    EXPECT_EQ(calc()->Etiq_EME[17]->text(), "K");
    EXPECT_EQ(res(Resultat::H_SystemNoise), "100.7");

    // Yes ends the program.
    dialogs.queueAnswer(Answer::Yes);
    clique(calc()->Bouton_Fin);
    EXPECT_EQ(fins, 1);
    EXPECT_FALSE(calc()->isVisible());
}

TEST_F(Programme, CancelBeforeAnyChoiceAsksToQuit) {
    demarre();
    dialogs.queueAnswer(Answer::No);
    clique(choix()->BoutonAnnuler);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(choix()->isVisible());
    EXPECT_EQ(fins, 0);
    dialogs.queueAnswer(Answer::Yes);
    clique(choix()->BoutonAnnuler);
    EXPECT_EQ(fins, 1);
    EXPECT_FALSE(choix()->isVisible());
}

TEST_F(Programme, HelpToggles) {
    demarre();
    choisit("home.dat");
    EXPECT_FALSE(calc()->Cadre_Aide->isVisible());
    clique(calc()->BoutonAide);
    EXPECT_TRUE(calc()->Cadre_Aide->isVisible());
    EXPECT_EQ(calc()->Aide->text(), brulvane::TexteAide());
    clique(calc()->BoutonAide);
    EXPECT_FALSE(calc()->Cadre_Aide->isVisible());
    clique(calc()->BoutonAide);
    clique(calc()->BoutonOK);
    EXPECT_FALSE(calc()->Cadre_Aide->isVisible());

    const QString t = brulvane::TexteAide();
    EXPECT_TRUE(t.startsWith("- The Antenna temp. includes the Sky temp., the Earth temp.\n"
                             "    and the side lobes, the rear lobe or spillover effects.\n\n"
                             "- The Syst\u00e8me temp. includes the Antenna temp.\n\n"));
    EXPECT_TRUE(t.endsWith("    the Sky temp., the Moon range and the frequency.\n\n"));
    EXPECT_EQ(t.count('\n'), 21);
}


// What a screen reader says: each box and result its station and its own
// caption (not the frame's call sign), each result with its value; the two
// "Default values" buttons their station; the Range list's and the file
// list's accessible "Toggle" act as a click.
TEST_F(Programme, ScreenReaderNamesAndActions) {
    ecrit("Other.dat", stationDat("A&B", "Paris", station10G));
    ASSERT_TRUE(brulvane::SauveStationDX(dir.filePath("brulvane.ini"), {"100", "0.5", "0.2", "0.8", "100", "50"}));
    demarre();
    // The chooser's entry, toggled: "EME Calculator" is enabled.
    platform::FileList* l = choix()->ListeFichier;
    QAccessibleInterface* liste = QAccessible::queryAccessibleInterface(l);
    ASSERT_NE(liste, nullptr);
    QAccessibleInterface* entree = nullptr;
    for (int i = 0; i < liste->childCount() && !entree; ++i)
        if (liste->child(i)->text(QAccessible::Name) == "home.dat")
            entree = liste->child(i);
    ASSERT_NE(entree, nullptr);
    ASSERT_NE(entree->actionInterface(), nullptr);
    ASSERT_TRUE(entree->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    entree->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(l->fileName(), "home.dat");
    EXPECT_TRUE(choix()->BoutonBrulvane->isEnabled());
    // A second toggle leaves it chosen.
    entree->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(l->fileName(), "home.dat");
    clique(choix()->BoutonBrulvane);
    ASSERT_TRUE(calc()->isVisible());

    EXPECT_EQ(platform::testing::accessibleName(boite(Boite::HP_TxPower)), "Home station, Tx Power Output");
    EXPECT_EQ(platform::testing::accessibleName(boite(Boite::DP_AntGain)), "DX station, Antenna Gain");
    EXPECT_EQ(platform::testing::accessibleName(boite(Boite::SkyTemp)), "Sky temp.");
    EXPECT_EQ(platform::testing::accessibleName(boite(Boite::HP_Frequence)), "Frequency");
    ASSERT_FALSE(res(Resultat::PathEME).isEmpty());
    EXPECT_EQ(platform::testing::accessibleName(calc()->resultat(Resultat::PathEME)), "Path Loss " + res(Resultat::PathEME));
    EXPECT_EQ(platform::testing::accessibleName(calc()->resultat(Resultat::D_SNHome)),
              "DX station, (S+N)/N Home " + res(Resultat::D_SNHome));
    EXPECT_EQ(platform::testing::accessibleName(calc()->Bouton_DXDefaut), "Default values, DX station");
    calc()->SkyTemp->setText("");
    EXPECT_EQ(platform::testing::accessibleName(calc()->resultat(Resultat::H_TotalNoise)),
              "Home station, Total Noise"); // blank: the caption alone

    // The Range list: toggling "Apogee" chooses it as a click does.
    QAccessibleInterface* range = QAccessible::queryAccessibleInterface(calc()->Range);
    ASSERT_NE(range, nullptr);
    QAccessibleInterface* apogee = nullptr;
    std::function<void(QAccessibleInterface*)> cherche = [&](QAccessibleInterface* i) {
        for (int k = 0; k < i->childCount() && !apogee; ++k) {
            QAccessibleInterface* c = i->child(k);
            if (c && c->text(QAccessible::Name) == "Apogee" && c->actionInterface() &&
                c->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()))
                apogee = c;
            else if (c)
                cherche(c);
        }
    };
    cherche(range);
    ASSERT_NE(apogee, nullptr);
    calc()->SkyTemp->setText("5");
    apogee->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(calc()->Range->currentText(), "Apogee");
    EXPECT_EQ(etat->DistanceLune, 406740000);
    EXPECT_FALSE(res(Resultat::PathEME).isEmpty());

    // A call sign with "&" stays as it is.
    clique(calc()->Bouton_New);
    choisit("Other.dat");
    EXPECT_EQ(calc()->Cadre_EME[1]->title(), "A&&B");
}

// Quitting with DX values that "brulvane.ini" does not hold says so in the
// quit question; the home values, which this program never saves, do not.
TEST_F(Programme, QuittingWithUnsavedDXValuesSaysSo) {
    const QString question = "Are you sure you wish to quit ?";
    const QString nonEnregistre = "The changes to brulvane.ini are not saved !\r\r" + question;
    auto quitterEtNon = [&](bool boutonFin) {
        dialogs.clear();
        dialogs.queueAnswer(Answer::No);
        if (boutonFin)
            clique(calc()->Bouton_Fin);
        else
            calc()->close();
        EXPECT_EQ(dialogs.messages().size(), 1u);
        EXPECT_TRUE(calc()->isVisible());
        EXPECT_EQ(fins, 0);
        return dialogs.messages().empty() ? QString() : dialogs.messages()[0].text;
    };
    auto remplace = [&](Boite b, const QString& texte) {
        boite(b)->selectAll();
        tape(b, texte);
    };

    ASSERT_TRUE(brulvane::SauveStationDX(dir.filePath("brulvane.ini"), {"100", "0.5", "0.2", "0.8", "100", "50"}));
    demarre();
    choisit("home.dat");
    EXPECT_EQ(quitterEtNon(true), question);

    remplace(Boite::DP_TxPower, "1500");
    EXPECT_EQ(quitterEtNon(true), nonEnregistre);
    EXPECT_EQ(quitterEtNon(false), nonEnregistre);
    EXPECT_EQ(dialogs.messages()[0].title, "Selvane - Calculators");
    EXPECT_EQ(boite(Boite::DP_TxPower)->text(), "1500");
    remplace(Boite::DP_TxPower, "100"); // as the file holds it
    EXPECT_EQ(quitterEtNon(true), question);

    remplace(Boite::DP_AntGain, "35.5");
    clique(calc()->Bouton_Save);
    EXPECT_EQ(quitterEtNon(true), question);
    remplace(Boite::HP_TxPower, "400");
    EXPECT_EQ(quitterEtNon(true), question);

    // Yes ends the program, changes or not.
    remplace(Boite::DP_RxNF, "0.5");
    dialogs.clear();
    dialogs.queueAnswer(Answer::Yes);
    clique(calc()->Bouton_Fin);
    EXPECT_EQ(dialogs.messages()[0].text, nonEnregistre);
    EXPECT_EQ(fins, 1);
}

// Without "brulvane.ini" every typed DX value is unsaved, also after "Default
// values" found no file to read them back from.
TEST_F(Programme, WithoutDXFileTypedValuesAreUnsaved) {
    demarre();
    choisit("home.dat");
    tape(Boite::DP_TxPower, "800");
    clique(calc()->Bouton_DXDefaut);
    ASSERT_EQ(boite(Boite::DP_TxPower)->text(), "800");
    dialogs.clear();
    dialogs.queueAnswer(Answer::No);
    clique(calc()->Bouton_Fin);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "The changes to brulvane.ini are not saved !\r\rAre you sure you wish to quit ?");
}
