// The program as production runs it, the drive controller on a thread of its
// own and the windows on this one, against the interface-box simulator on a
// real pseudo-terminal: boxes and menus hold the controller (no cycle while
// one is open, the running drives paused first, their stop bytes answered),
// a slow F1 and a menu held open raise no alarm, and menus opened at any
// moment of the exchanges, with the machine's cores busy, keep the protocol
// exactly and raise no port error for a sound box.

#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/BancBoitier.h"
#include "platform/testing/TestFiles.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QTest>
#include <QThread>

#include <atomic>
#include <random>
#include <thread>

namespace {

class Autonome : public suivi::test::DossierStation {
protected:
    void TearDown() override
    {
        fenetres.reset();
        prog.reset();
        if (serveur)
            suivi::test::sansViolation(*serveur);
        serveur.reset();
    }
    // home.dat on COM 1 in drive mode `mode`, the box turning at `vitesse`
    // degrees a second with `reponse` seconds of real time a reply, the
    // antenna at 100/20; the program started with its controller on its own
    // thread.
    void lance(int mode, double vitesse, double reponse = 0.0)
    {
        ASSERT_TRUE(platform::testing::writeBytes(
            chemin("home.dat"), suivi::test::stationModifiee({{28, "1"}, {42, QByteArray::number(mode)}})));
        boxsim::BoxConfig c = suivi::test::BancBoitier::boite(
            mode == suivi::ModeVitesse ? boxsim::DriveMode::Proportional : boxsim::DriveMode::Relay, vitesse);
        c.replyDelay = reponse;
        serveur = std::make_unique<boxsim::PtyServer>(c, suivi::test::ligne(0.005));
        ASSERT_NO_FATAL_FAILURE(suivi::test::brancheCom1(*serveur, dossier.path()));
        serveur->withBox([](boxsim::Box& b) {
            b.setAzimuth(100);
            b.setElevation(20);
        });
        prog = std::make_unique<Tracking>(dialogs, horloge, dossier.path());
        fenetres = std::make_unique<FenetresTracking>(*prog);
        prog->Autonome = true;
        prog->AttenteSansPortMs = 0;
        prog->DelaiReponse = 1000;
        prog->S.secondesMonotones = suivi::test::horlogeDe(*serveur);
        prog->Main();
        QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        ASSERT_TRUE(prog->S.PortOuvert);
        dialogs.clear(); // the missing "track.ini"
        prog->executer(3);
    }
    int verrous()
    {
        return serveur->withBox([](boxsim::Box& b) {
            return static_cast<int>(std::count(b.log().begin(), b.log().end(), suivi::octet::Verrou));
        });
    }
    // The controller holds: over `ms` of real time no cycle begins.
    bool tenu(int ms = 60)
    {
        const int avant = verrous();
        QThread::msleep(static_cast<unsigned long>(ms));
        return verrous() == avant;
    }
    // Events until `fin` holds (30 s of real time at most).
    bool jusqua(const std::function<bool()>& fin)
    {
        QElapsedTimer t;
        t.start();
        while (!fin() && t.elapsed() < 30000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::usleep(200);
        }
        return fin();
    }
    bool relaisAuRepos()
    {
        return serveur->withBox([](boxsim::Box& b) {
            return b.azimuthState().relay == 0 && b.elevationState().relay == 0 && !b.azimuthState().enabled &&
                   !b.elevationState().enabled;
        });
    }
    double az() { return serveur->withBox([](boxsim::Box& b) { return b.azimuth(); }); }
    double el() { return serveur->withBox([](boxsim::Box& b) { return b.elevation(); }); }
    std::vector<platform::DialogEvent> alarmes() const
    {
        std::vector<platform::DialogEvent> a;
        for (const auto& m : dialogs.messages())
            if (m.title == "Antenna Drive Error" || m.title == "Communication Port Error")
                a.push_back(m);
        return a;
    }
    FenetrePrincipale& fp() { return fenetres->fenetrePrincipale(); }
    FenetreInterface& fi() { return fenetres->fenetreInterface(); }

    suivi::test::DialoguesEspion dialogs;
    platform::ManualClock horloge{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    std::unique_ptr<boxsim::PtyServer> serveur;
    std::unique_ptr<Tracking> prog;
    std::unique_ptr<FenetresTracking> fenetres;
};

} // namespace

// F1 typed over 5 s (each box held 2.5 s of the operator's time) while a
// relay runs, then Antenna > Parking after the menu stood open 5 s: while a
// box or the menu is open no cycle runs and the relay is off at the box; the
// moves arrive with no alarm.
TEST_F(Autonome, BoitesEtMenusTiennentLePilote)
{
    ASSERT_NO_FATAL_FAILURE(lance(suivi::ModeRelais, 2));
    ASSERT_TRUE(jusqua([this] { return prog->S.Vu.c.MenuAntenne0Enabled; }));
    bool arrete = true, sansCycle = true;
    dialogs.avant = [&](const QString& titre) {
        if (titre != "AZIMUTH" && titre != "ELEVATION")
            return;
        arrete = arrete && relaisAuRepos();
        sansCycle = sansCycle && tenu();
        serveur->step(2.5);
    };
    dialogs.queueInput(QStringLiteral("120"));
    dialogs.queueInput(QStringLiteral("30"));
    QTest::keyClick(&fi(), Qt::Key_F1);
    EXPECT_TRUE(arrete);
    EXPECT_TRUE(sansCycle);
    ASSERT_TRUE(jusqua([this] { return !relaisAuRepos(); })) << "the move starts";
    // A menu held open 5 s of the operator's time in the middle of the move.
    emit fi().MenuAntenneP->aboutToShow();
    EXPECT_TRUE(relaisAuRepos()) << "paused before the menu shows";
    EXPECT_TRUE(tenu());
    serveur->step(5);
    emit fi().MenuAntenneP->aboutToHide();
    ASSERT_TRUE(jusqua([this] { return !relaisAuRepos(); })) << "restarted once it closed";
    ASSERT_TRUE(jusqua([this] { return relaisAuRepos() && !prog->S.Vu.AllerConsigneAz && !prog->S.Vu.AllerConsigneEl; }));
    EXPECT_NEAR(az(), 120, 1);
    EXPECT_NEAR(el(), 30, 1);

    emit fi().MenuAntenneP->aboutToShow();
    serveur->step(5);
    emit fi().MenuAntenneP->aboutToHide();
    fi().MenuAntenne->action(4)->trigger(); // Parking
    ASSERT_TRUE(jusqua([this] { return prog->S.Vu.ParkingDemande; }));
    ASSERT_TRUE(jusqua([this] { return !prog->S.Vu.ParkingDemande && relaisAuRepos(); }));
    EXPECT_NEAR(az(), 180, 2);
    EXPECT_TRUE(alarmes().empty()) << alarmes().front().text.toStdString();
}

// Menus opened and closed at random moments while relay tracking runs and
// the box takes 20 ms a reply (the controller is nearly always waiting for
// one), three threads keeping cores busy: the pause goes out only after the
// reply due, each menu finds the relays off, the cycles go on after each
// close, and no port error or alarm comes. Before, under load, a menu opened
// while a reply was due sent the pause bytes before that reply ("10 00"
// right after "80"), and runs ended in "Communication Port Error" with a
// sound box.
TEST_F(Autonome, MenusPendantLesReponsesSurUneMachineChargee)
{
    ASSERT_NO_FATAL_FAILURE(lance(suivi::ModeRelais, 1, 0.020));
    prog->ChoixSourceMenu(1); // the Sun, high in the south-east at 10:00 UTC in June
    QTest::keyClick(&fi(), Qt::Key_F3);
    ASSERT_TRUE(jusqua([this] { return !relaisAuRepos(); }));
    std::atomic<bool> fin{false};
    std::vector<std::thread> charge;
    for (int i = 0; i < 3; ++i)
        charge.emplace_back([&fin] {
            volatile unsigned long x = 0;
            while (!fin)
                x = x * 1664525u + 1013904223u;
        });
    std::mt19937 h(27);
    bool arrete = true, reprise = true;
    QMenu* menus[] = {fp().MenuTraficP, fi().MenuAntenneP, fp().MenuFenetreP};
    for (int i = 0; i < 30; ++i) {
        QThread::usleep(std::uniform_int_distribution<unsigned>(0, 30000)(h));
        QMenu* m = menus[i % 3];
        emit m->aboutToShow();
        arrete = arrete && relaisAuRepos();
        QThread::usleep(std::uniform_int_distribution<unsigned>(0, 20000)(h));
        emit m->aboutToHide();
        const int avant = verrous();
        reprise = reprise && jusqua([&] { return verrous() > avant + 1; });
    }
    fin = true;
    for (std::thread& t : charge)
        t.join();
    EXPECT_TRUE(arrete) << "a menu found a relay on";
    EXPECT_TRUE(reprise) << "the cycles went on after each menu";
    EXPECT_TRUE(alarmes().empty()) << alarmes().front().text.toStdString();
    EXPECT_TRUE(prog->S.Vu.PoursuiteActive);
    EXPECT_FALSE(prog->termine());
}
