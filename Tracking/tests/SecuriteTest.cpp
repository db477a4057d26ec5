// The stop-first rule of the whole program, through its windows and the real
// link to the interface-box simulator on a pseudo-terminal: every box that
// holds the cycle (the port error, the date error, the typed position, a
// database error under a source button) finds the running drives' stop bytes
// already on the line, and the program's end sends them again; a held key
// is one press; a station the drive cannot use is refused with the
// data-error message.

#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/BancBoitier.h"
#include "platform/testing/DialogChecks.h"
#include "platform/testing/QtTestApp.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>

using platform::Answer;
using suivi::test::journal;
using suivi::test::Octets;

namespace {

using suivi::test::DialoguesEspion;

// A drive mode (line 42 of home.dat), its box, and the stop bytes of a
// running azimuth drive in it.
struct ModeArret {
    QByteArray mode;
    boxsim::DriveMode boite;
    Octets arret;
};
const ModeArret ModesArret[] = {{"0", boxsim::DriveMode::Relay, {0x00}},
                                {"1", boxsim::DriveMode::Relay, {0x00}},
                                {"2", boxsim::DriveMode::Proportional, {0x10, 0x00}}};

class Securite : public suivi::test::DossierStation {
protected:
    void TearDown() override { debranche(); }

    // home.dat on COM1 with these lines replaced, and a box that drives its
    // motors at 20 degrees per second, antenna at azimuth 100, elevation 20.
    void branche(std::vector<std::pair<int, QByteArray>> lignes,
                 boxsim::DriveMode mode = boxsim::DriveMode::Relay)
    {
        lignes.insert(lignes.begin(), {28, "1"});
        ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), suivi::test::stationModifiee(lignes)));
        serveur = std::make_unique<boxsim::PtyServer>(suivi::test::BancBoitier::boite(mode), suivi::test::ligne(0.01));
        ASSERT_NO_FATAL_FAILURE(suivi::test::brancheCom1(*serveur, dossier.path()));
        serveur->withBox([](boxsim::Box& b) {
            b.setAzimuth(100);
            b.setElevation(20);
        });
    }
    void debranche()
    {
        fenetres.reset();
        prog.reset();
        if (serveur)
            suivi::test::sansViolation(*serveur);
        serveur.reset();
        dialogs.avant = nullptr;
        dialogs.clear();
        fins = 0;
    }
    // Starts, chooses home.dat and runs `cycles` cycles.
    void demarre(int cycles = 2)
    {
        prog = std::make_unique<Tracking>(dialogs, horloge, dossier.path(), [this] { ++fins; });
        fenetres = std::make_unique<FenetresTracking>(*prog);
        prog->AttenteSansPortMs = 0;
        prog->DelaiReponse = delaiReponse;
        if (serveur)
            prog->S.secondesMonotones = suivi::test::horlogeDe(*serveur);
        prog->Main();
        horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0)));
        QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        prog->executer(cycles);
    }
    // Drive mode `c` on its box, started, the azimuth running counter-clockwise.
    void enMouvement(const ModeArret& c)
    {
        branche({{42, c.mode}}, c.boite);
        demarre();
        QTest::keyClick(&fi(), Qt::Key_Left);
        prog->executer(3);
        ASSERT_TRUE(prog->S.Drive.MoteurAzActif) << c.mode.constData();
    }
    FenetrePrincipale& fp() { return fenetres->fenetrePrincipale(); }
    FenetreInterface& fi() { return fenetres->fenetreInterface(); }
    void videJournal()
    {
        serveur->withBox([](boxsim::Box& b) { b.clearLog(); });
    }
    // The line as the box titled `titre` opens (once the box has taken at
    // least `auMoins` bytes since the log was last emptied).
    void guette(const QString& titre, size_t auMoins)
    {
        vuALaBoite.clear();
        boiteVue = false;
        dialogs.avant = [this, titre, auMoins](const QString& t) {
            if (t == titre && !boiteVue) {
                boiteVue = true;
                vuALaBoite = journal(*serveur, auMoins);
            }
        };
    }
    bool moteursArretes()
    {
        return serveur->withBox([](boxsim::Box& b) {
            return b.azimuthVelocity() == 0 && b.elevationVelocity() == 0 && b.azimuthState().relay == 0 &&
                   b.elevationState().relay == 0;
        });
    }

    DialoguesEspion dialogs;
    platform::ManualClock horloge{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    std::unique_ptr<boxsim::PtyServer> serveur;
    std::unique_ptr<Tracking> prog;
    std::unique_ptr<FenetresTracking> fenetres;
    int fins = 0;
    int delaiReponse = 1000; // the reply limit, generous on a loaded machine
    Octets vuALaBoite;
    bool boiteVue = false;
};

// A box that falls silent mid-move (it still takes and acts on bytes, but
// answers none): the stop bytes of the running drives are on the line before
// the port error box opens, each waiting its reply up to the limit; left
// unanswered, they go again at the end, then the port is closed.
TEST_F(Securite, BoiteMuetteArreteLesMoteursAvantLaBoiteEtALaFin)
{
    delaiReponse = 200; // every stop byte waits its reply for as long
    for (const ModeArret& c : ModesArret) {
        ASSERT_NO_FATAL_FAILURE(enMouvement(c));
        ASSERT_FALSE(moteursArretes()) << c.mode.constData();
        serveur->withBox([](boxsim::Box& b) {
            b.setFault(boxsim::Fault::Mute);
            b.clearLog();
        });
        guette(QStringLiteral("Communication Port Error"), 1 + c.arret.size());
        prog->executer(5);
        ASSERT_TRUE(boiteVue) << c.mode.constData();
        EXPECT_TRUE(prog->termine());
        EXPECT_EQ(fins, 1);
        // The request that got no reply, then the stop bytes: before the box.
        ASSERT_EQ(vuALaBoite.size(), 1 + c.arret.size()) << c.mode.constData();
        EXPECT_EQ(Octets(vuALaBoite.begin() + 1, vuALaBoite.end()), c.arret) << c.mode.constData();
        // The end sends them once more and closes the port.
        const Octets fin = journal(*serveur, 1 + 2 * c.arret.size());
        ASSERT_EQ(fin.size(), 1 + 2 * c.arret.size()) << c.mode.constData();
        EXPECT_EQ(Octets(fin.end() - c.arret.size(), fin.end()), c.arret) << c.mode.constData();
        EXPECT_TRUE(moteursArretes()) << c.mode.constData();
        EXPECT_FALSE(prog->S.PortOuvert);
        debranche();
    }
}

// A PC date before 1999 found by a cycle: the stop byte goes out before the
// date error box; answered, it is not sent again at the end.
TEST_F(Securite, DateDuPCFausseArreteAvantLaBoite)
{
    branche({});
    demarre();
    QTest::keyClick(&fi(), Qt::Key_Left);
    prog->executer(1);
    ASSERT_TRUE(prog->S.Drive.MoteurAzActif);
    videJournal();
    guette(QStringLiteral(" - Computer Date ERROR -"), 1);
    horloge.set(QDateTime(QDate(1998, 12, 31), QTime(23, 0, 0)));
    prog->executer(1);
    ASSERT_TRUE(boiteVue);
    EXPECT_EQ(vuALaBoite, (Octets{0x00}));
    EXPECT_TRUE(prog->termine());
    EXPECT_EQ(journal(*serveur), (Octets{0x00}));
    EXPECT_TRUE(moteursArretes());
}

// A PC date before 1999 at start-up: the main window is on screen when the
// date box comes (its menus on), then the program ends and no window stays.
TEST_F(Securite, DateDuPCFausseAuDemarrageApresLaFenetre)
{
    prog = std::make_unique<Tracking>(dialogs, horloge, dossier.path(), [this] { ++fins; });
    fenetres = std::make_unique<FenetresTracking>(*prog);
    prog->AttenteSansPortMs = 0;
    prog->Main();
    horloge.set(QDateTime(QDate(1998, 12, 31), QTime(23, 0, 0)));
    bool boite = false, principale = false, menus = false;
    dialogs.avant = [&](const QString& titre) {
        if (titre == QLatin1String(" - Computer Date ERROR -")) {
            boite = true;
            principale = fp().isVisible();
            menus = fp().MenuFichierP->isEnabled();
        }
    };
    QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
    ASSERT_TRUE(boite);
    EXPECT_TRUE(principale);
    EXPECT_TRUE(menus);
    EXPECT_TRUE(prog->termine());
    EXPECT_EQ(fins, 1);
    EXPECT_FALSE(fp().isVisible());
    EXPECT_FALSE(fenetres->feuilleChoixFichier().isVisible());
}

// F1 in speed mode with the drives on: the drives are off before the first
// input box opens; Cancel, and the next cycle switches them on again.
TEST_F(Securite, PositionSaisieEnModeVitesseArreteDAbord)
{
    branche({{42, "2"}}, boxsim::DriveMode::Proportional);
    demarre();
    fi().MenuAntenne_Click(6); // Drive (motor) on
    prog->executer(3);
    ASSERT_TRUE(prog->S.Drive.MoteurAzActif && prog->S.Drive.MoteurElActif);
    ASSERT_TRUE(fi().MenuAntenne->enabled(0));
    videJournal();
    guette(QStringLiteral("AZIMUTH"), 2);
    QTest::keyClick(&fi(), Qt::Key_F1);
    ASSERT_TRUE(boiteVue);
    EXPECT_EQ(vuALaBoite, (Octets{0x10, 0x00})) << "the drives off, no speed byte outside a cycle";
    EXPECT_TRUE(prog->S.Drive.MoteursEnPause);
    prog->executer(1);
    EXPECT_FALSE(prog->S.Drive.MoteursEnPause);
    const Octets o = journal(*serveur);
    ASSERT_GE(o.size(), 2u);
    EXPECT_EQ(Octets(o.end() - 2, o.end()), (Octets{0x12, 0x01})) << "switched on again";
}

// A source button whose DX look-up finds no database, while a relay move
// runs: the relay is off before "DXCC DataBase was not read !" opens.
TEST_F(Securite, BoutonDeSourceArreteAvantLErreurDeLaBase)
{
    branche({});
    demarre();
    dialogs.queueInput(QStringLiteral("3A"));
    fp().BoutonDXCC_Click();
    ASSERT_EQ(prog->S.PrefixeDX, "3A");
    ASSERT_TRUE(QFile::remove(chemin("DXCCPREF.DBR")));
    QTest::keyClick(&fi(), Qt::Key_Left);
    prog->executer(1);
    ASSERT_TRUE(prog->S.Drive.MoteurAzActif);
    videJournal();
    guette(QStringLiteral("Selvane : Read Error"), 1);
    QTest::mousePress(fp().ImgSoleil, Qt::LeftButton);
    QTest::mouseRelease(fp().ImgSoleil, Qt::LeftButton);
    ASSERT_TRUE(boiteVue);
    EXPECT_EQ(vuALaBoite, (Octets{0x00}));
    prog->executer(1);
    EXPECT_EQ(suivi::test::compte(journal(*serveur), 0x02), 1) << "the move goes on after the box";
}

// Holding an arrow: the key's repeats are no presses, in either window; the
// relay stays on until the next real press (each press carried out in the
// next cycle's drive step).
TEST_F(Securite, ToucheTenueUneSeulePression)
{
    branche({});
    demarre();
    for (QWidget* w : {static_cast<QWidget*>(&fi()), static_cast<QWidget*>(&fp())}) {
        videJournal();
        QKeyEvent appui(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(w, &appui);
        for (int i = 0; i < 5; ++i) {
            QKeyEvent repetition(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(w, &repetition);
        }
        prog->executer(1);
        Octets o = journal(*serveur);
        EXPECT_EQ(suivi::test::compte(o, 0x02), 1) << w->objectName().toStdString();
        EXPECT_EQ(suivi::test::compte(o, 0x00), 0) << w->objectName().toStdString();
        EXPECT_TRUE(prog->S.Drive.MoteurAzActif);
        QKeyEvent second(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(w, &second);
        prog->executer(1);
        o = journal(*serveur);
        EXPECT_EQ(suivi::test::compte(o, 0x02), 1);
        EXPECT_EQ(suivi::test::compte(o, 0x00), 1);
        EXPECT_FALSE(prog->S.Drive.MoteurAzActif);
    }
}

// Values the drive or the measurement cannot use end the start-up with the
// data-error message; a number too large for its single-precision field is
// the read error.
TEST_F(Securite, StationInutilisableRefusee)
{
    struct Cas {
        std::vector<std::pair<int, QByteArray>> lignes;
        bool lecture; // read error rather than data error
    };
    const Cas cas[] = {
        {{{42, "3"}}, false},                      // drive mode 3
        {{{42, "1"}, {38, "0"}}, false},           // Ang Decr 0
        {{{42, "1"}, {38, ""}}, false},            // Ang Decr empty
        {{{42, "2"}, {38, "46"}}, false},          // Ang Decr above 45
        {{{32, "0"}}, false},                      // Range 0
        {{{42, "1"}, {36, "300"}}, false},         // Auto Speed 300
        {{{42, "1"}, {40, "259"}}, false},         // Man Speed 259
        {{{42, "2"}, {36, "600"}}, false},         // Auto Speed 600
        {{{42, "2"}, {40, "0.1"}}, false},         // Man Speed below 0.2
        {{{55, QByteArray(39, '9')}}, true},       // a 39-digit offset
        {{{76, "-" + QByteArray(40, '9')}}, true}, // a 41-character elevation offset
    };
    for (const Cas& c : cas) {
        std::vector<std::pair<int, QByteArray>> lignes = c.lignes;
        lignes.insert(lignes.begin(), {28, "1"});
        ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), suivi::test::stationModifiee(lignes)));
        demarre(0);
        const auto m = dialogs.messages();
        ASSERT_FALSE(m.empty()) << c.lignes.back().second.constData();
        if (c.lecture)
            EXPECT_EQ(m.front().text, "Read Error : home.dat was not read !") << c.lignes.back().first;
        else
            EXPECT_TRUE(platform::testing::isMessage(m.front(), "Verify Data !!!\r\rUse Corvinet", "Data Error",
                                                     platform::Icon::Critical))
                << c.lignes.back().first << " " << c.lignes.back().second.constData();
        EXPECT_TRUE(prog->termine());
        debranche();
    }
    // Empty speeds in relay mode 0 do not concern its drive.
    branche({{36, ""}, {38, ""}, {40, ""}});
    demarre(1);
    EXPECT_FALSE(prog->termine());
    EXPECT_TRUE(prog->boucleEnCours());
}

} // namespace

namespace {

// End stops outside the station file's ranges (azimuth 0..359, elevation
// -90..90) end the start-up with the data-error message, before any byte
// reaches the box. Before, stops 0/400 let a relay run through north.
TEST_F(Securite, ButeesHorsDeLeursPlagesRefusees)
{
    const std::vector<std::pair<int, QByteArray>> cas[] = {
        {{49, "0"}, {51, "400"}},
        {{51, "32767"}},
        {{49, "-20"}, {51, "340"}, {55, "350"}},
        {{70, "-90"}, {72, "180"}, {76, "-90"}},
        {{70, "-100"}, {76, "-100"}},
    };
    for (const auto& lignes : cas) {
        branche(lignes);
        demarre(2);
        const auto m = dialogs.messages();
        ASSERT_FALSE(m.empty()) << lignes.back().second.constData();
        EXPECT_TRUE(platform::testing::isMessage(m.front(), "Verify Data !!!\r\rUse Corvinet", "Data Error",
                                                 platform::Icon::Critical))
            << lignes.back().second.constData();
        EXPECT_TRUE(prog->termine());
        EXPECT_EQ(journal(*serveur), Octets{});
        debranche();
    }
}

// A pause is sent once: a second menu, then the quit question and the end,
// send nothing more once the box has answered the stop bytes; in speed mode
// the pause is the drives switched off (no speed byte outside a cycle).
TEST_F(Securite, UnePauseEstEnvoyeeUneFois)
{
    for (const ModeArret& c : ModesArret) {
        ASSERT_NO_FATAL_FAILURE(enMouvement(c));
        videJournal();
        emit fp().MenuTraficP->aboutToShow();
        emit fi().MenuAntenneP->aboutToShow();
        dialogs.queueAnswer(Answer::Yes);
        fp().MenuFichier_Click(2); // Quit
        ASSERT_TRUE(prog->termine()) << c.mode.constData();
        EXPECT_EQ(journal(*serveur), c.arret) << c.mode.constData();
        EXPECT_TRUE(moteursArretes()) << c.mode.constData();
        debranche();
    }
}

// Tracking switched off from the paused Antenna menu (relay mode, both relays
// running toward the Sun): the next cycle stops the drive without switching
// its relays on first. Before, it sent 12 01 00 10.
TEST_F(Securite, PoursuiteCoupeeEnPauseSansRelance)
{
    branche({});
    demarre();
    prog->ChoixSourceMenu(1); // the Sun, high in the south-east at 10:00 UTC in June
    QTest::keyClick(&fi(), Qt::Key_F3);
    prog->executer(3);
    ASSERT_TRUE(prog->S.Drive.MoteurAzActif && prog->S.Drive.MoteurElActif);
    videJournal();
    emit fi().MenuAntenneP->aboutToShow();
    EXPECT_EQ(journal(*serveur), (Octets{0x10, 0x00}));
    fi().MenuAntenne_Click(2); // AutoTrack off
    prog->executer(2);
    const Octets o = journal(*serveur);
    using namespace suivi::octet;
    for (const uint8_t depart : {AzHoraire, AzAntiHoraire, ElHaut, ElBas})
        EXPECT_EQ(suivi::test::compte(o, depart), 0) << int(depart);
    EXPECT_FALSE(prog->S.Drive.MoteurAzActif || prog->S.Drive.MoteurElActif);
    EXPECT_TRUE(moteursArretes());
}

} // namespace
