// Faults an operator or an installer meets, each as a fixed case through the
// program's windows against the interface-box simulator on a real
// pseudo-terminal: the operator's actions (keys, buttons, menus, boxes held
// for human times), the box's faults, and from the box's side where the
// antenna really goes. Time is the box's: the program's monotonic clock is
// the simulator's, and a box or menu held open moves it on by the
// operator's time.

#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/BancBoitier.h"
#include "platform/testing/TestFiles.h"

#include <QMenu>
#include <QTest>

#include <algorithm>
#include <memory>

using suivi::test::Octets;

namespace {

// A clock whose waits (the "Parking" notice's two seconds) let a test act
// while they last.
struct HorlogeAttente : platform::ManualClock {
    using ManualClock::ManualClock;
    std::function<void(double)> pendant;
    void wait(double secondes) override
    {
        if (pendant)
            pendant(secondes);
        ManualClock::wait(secondes);
    }
};

class Defauts : public suivi::test::DossierStation {
protected:
    void TearDown() override { arrete(); }
    void arrete()
    {
        fenetres.reset();
        prog.reset();
        if (serveur)
            suivi::test::sansViolation(*serveur);
        serveur.reset();
        dialogs.avant = nullptr;
        horloge.pendant = nullptr;
        dialogs.clear();
    }
    // home.dat on COM 1 in drive mode `mode` with `lignes` replaced, the box
    // `boite` (its clock moved on by `secondesParOctet` a byte), the antenna
    // at (az, el); the program started with its windows, home.dat chosen and
    // two cycles run.
    void lance(int mode, std::vector<std::pair<int, QByteArray>> lignes, boxsim::BoxConfig boite, double az,
               double el, double secondesParOctet = 0.005)
    {
        lignes.insert(lignes.begin(), {{28, "1"}, {42, QByteArray::number(mode)}});
        ASSERT_TRUE(
            platform::testing::writeBytes(chemin("home.dat"), suivi::test::stationModifiee(lignes)));
        boite.mode = mode == suivi::ModeVitesse ? boxsim::DriveMode::Proportional : boxsim::DriveMode::Relay;
        serveur = std::make_unique<boxsim::PtyServer>(boite, suivi::test::ligne(secondesParOctet));
        ASSERT_NO_FATAL_FAILURE(suivi::test::brancheCom1(*serveur, dossier.path()));
        serveur->withBox([&](boxsim::Box& b) {
            b.setAzimuth(az);
            b.setElevation(el);
        });
        prog = std::make_unique<Tracking>(dialogs, horloge, dossier.path(), [this] { ++fins; });
        fenetres = std::make_unique<FenetresTracking>(*prog);
        prog->AttenteSansPortMs = 0;
        prog->DelaiReponse = 1000; // generous on a loaded machine
        prog->S.secondesMonotones = suivi::test::horlogeDe(*serveur);
        prog->Main();
        horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0)));
        QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        ASSERT_TRUE(prog->S.PortOuvert);
        dialogs.clear(); // no "track.ini" in the folder: its read error
        angles_ = false;
        az0 = az;
        el0 = el;
        azMin = azMax = az;
        elMin = elMax = el;
        prog->executer(2);
        note();
    }
    static boxsim::BoxConfig boite(double vitesse)
    {
        boxsim::BoxConfig c;
        c.azimuth.rate = c.elevation.rate = vitesse;
        return c;
    }
    // The antenna's true position (the box's, the encoders' faults aside),
    // azimuth on the unwrapped scale of the start.
    double az()
    {
        return az0 + serveur->withBox([](boxsim::Box& b) { return b.azimuthState().angle; }) - angleAz0();
    }
    double el()
    {
        return el0 + serveur->withBox([](boxsim::Box& b) { return b.elevationState().angle; }) - angleEl0();
    }
    void note()
    {
        const double a = az(), e = el();
        azMin = std::min(azMin, a);
        azMax = std::max(azMax, a);
        elMin = std::min(elMin, e);
        elMax = std::max(elMax, e);
    }
    // Up to `n` cycles, the true position noted after each; `fin` ends them
    // early.
    void cycles(int n, const std::function<bool()>& fin = {})
    {
        for (int i = 0; i < n && !prog->termine(); ++i) {
            prog->executer(1);
            note();
            if (fin && fin())
                return;
        }
    }
    bool auRepos()
    {
        return serveur->withBox([](boxsim::Box& b) { return b.azimuthVelocity() == 0 && b.elevationVelocity() == 0; });
    }
    std::vector<platform::DialogEvent> messages() const { return dialogs.messages(); }
    bool messageContient(const char* texte) const
    {
        for (const auto& m : dialogs.messages())
            if (m.text.contains(QString::fromUtf8(texte)))
                return true;
        return false;
    }
    FenetrePrincipale& fp() { return fenetres->fenetrePrincipale(); }
    FenetreInterface& fi() { return fenetres->fenetreInterface(); }

    suivi::test::DialoguesEspion dialogs;
    HorlogeAttente horloge{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    std::unique_ptr<boxsim::PtyServer> serveur;
    std::unique_ptr<Tracking> prog;
    std::unique_ptr<FenetresTracking> fenetres;
    int fins = 0;
    double az0 = 0, el0 = 0;
    double azMin = 0, azMax = 0, elMin = 0, elMax = 0;

    bool angles_ = false;

private:
    double angleAz0()
    {
        if (!angles_) {
            angles_ = true;
            angleAz_ = serveur->withBox([](boxsim::Box& b) { return b.azimuthState().angle; });
            angleEl_ = serveur->withBox([](boxsim::Box& b) { return b.elevationState().angle; });
        }
        return angleAz_;
    }
    double angleEl0()
    {
        angleAz0();
        return angleEl_;
    }
    double angleAz_ = 0, angleEl_ = 0;
};

const char* const ContreCommande = "moves against its command: verify the motor wiring and the encoder direction !";

} // namespace

// Relay mode, a sound rotator at 2 degrees a second: F1 typed over 5 s (each
// box held 2.5 s of the operator's time), then Antenna > Parking chosen after
// the menu stood open 5 s. Each move arrives, and no box but the two inputs
// opens. Before, the next cycle stopped both drives with "The azimuth reading
// has not changed for 4 seconds while its drive was on": the watch's clock ran
// while the boxes held the cycle, and the drive was started from the handler
// with no reading since.
TEST_F(Defauts, SaisieLenteEtMenuOuvertSansFausseAlarme)
{
    ASSERT_NO_FATAL_FAILURE(lance(suivi::ModeRelais, {}, boite(2), 100, 20));
    dialogs.avant = [this](const QString& titre) {
        if (titre == "AZIMUTH" || titre == "ELEVATION")
            serveur->step(2.5);
    };
    dialogs.queueInput(QStringLiteral("120"));
    dialogs.queueInput(QStringLiteral("30"));
    QTest::keyClick(&fi(), Qt::Key_F1);
    suivi::Entrainement& d = prog->S.Drive;
    cycles(600, [&] { return fi().MenuAntenne->enabled(0); });
    EXPECT_TRUE(messages().empty()) << messages().front().text.toStdString();
    EXPECT_NEAR(az(), 120, 1);
    EXPECT_NEAR(el(), 30, 1);

    dialogs.avant = nullptr;
    emit fi().MenuAntenneP->aboutToShow();
    serveur->step(5);
    fi().MenuAntenne->action(4)->trigger(); // Parking
    emit fi().MenuAntenneP->aboutToHide();
    cycles(1200, [&] { return !d.ParkingDemande && !d.MoteurAzActif && !d.MoteurElActif; });
    EXPECT_TRUE(messages().empty()) << messages().front().text.toStdString();
    EXPECT_NEAR(az(), 180, 2);
    EXPECT_NEAR(el(), 0, 2);
    EXPECT_FALSE(prog->termine());
}

// A motor wired the wrong way round, an encoder counting the other way, an
// encoder running away at 50 degrees a second (just under the jump that is
// refused at 20 cycles a second), in each drive mode: the drive is stopped
// as its reading goes against its command, with the words that say what to
// check, and the antenna passes no stop by more than a degree. Before, the
// drive ran on through the stop on the other side without end (the relay
// step looks only at the stop in the commanded direction): 155 degrees past
// the CCW stop in relay mode, 48 degrees below the low stop for an "up"
// relay, 46 degrees past the CW stop with the runaway encoder.
TEST_F(Defauts, MoteurOuCodeurALEnvers)
{
    enum class Panne { MoteurAz, CodeurAz, MoteurEl, FuiteAz };
    struct Cas {
        Panne panne;
        double az, el;
        Qt::Key touche;
    };
    const Cas cas[] = {
        {Panne::MoteurAz, 10, 20, Qt::Key_Right}, // runs counter-clockwise toward the CCW stop (5)
        {Panne::CodeurAz, 350, 20, Qt::Key_Right}, // runs clockwise toward the CW stop (355), read the other way
        {Panne::MoteurEl, 100, 3, Qt::Key_Up},    // runs down toward the low stop (0)
        {Panne::FuiteAz, 350, 20, Qt::Key_Right}, // the reading runs counter-clockwise, the antenna clockwise
    };
    for (const int mode : {suivi::ModeRelais, suivi::ModeRelaisEcart, suivi::ModeVitesse}) {
        for (const Cas& c : cas) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", fault " << int(c.panne));
            boxsim::BoxConfig b = boite(2);
            b.azimuth.faults.motorReversed = c.panne == Panne::MoteurAz;
            b.azimuth.faults.encoderReversed = c.panne == Panne::CodeurAz;
            b.elevation.faults.motorReversed = c.panne == Panne::MoteurEl;
            ASSERT_NO_FATAL_FAILURE(lance(mode, {}, b, c.az, c.el));
            if (c.panne == Panne::FuiteAz) {
                // The runaway begins once the station is tracked.
                serveur->withBox([](boxsim::Box& x) { x.config().azimuth.faults.encoderRunaway = -50; });
            }
            if (mode == suivi::ModeVitesse) {
                QTest::mouseClick(fi().ImgMot, Qt::LeftButton); // the drives on
                cycles(2);
            }
            QTest::keyClick(&fi(), c.touche);
            cycles(400, [this] { return !messages().empty() && auRepos(); });
            ASSERT_FALSE(messages().empty());
            EXPECT_EQ(messages().front().title, "Antenna Drive Error");
            EXPECT_TRUE(messageContient(ContreCommande)) << messages().front().text.toStdString();
            EXPECT_TRUE(auRepos());
            EXPECT_GE(azMin, 5 - 1.0);
            EXPECT_LE(azMax, 355 + 1.0);
            EXPECT_GE(elMin, 0 - 1.0);
            EXPECT_FALSE(prog->termine());
            arrete();
        }
    }
}

// An encoder that freezes near the target, the drive still commanded:
// speed mode 14 steps from neutral (an error of 2.9 degrees at AutoVit 0.8),
// relay + speed mode 1.4 degrees off (speed byte 14 of 127) with its relay
// running at full speed. The drive is stopped before it has turned a degree;
// the antenna stays short of the CW stop (300) beyond the target (299).
// Before, speed mode ignored a drive below a quarter of full speed (27 degrees
// past the stop, still running), and relay + speed mode watched a slow byte
// for 30 s (14 degrees past the stop before it stopped).
TEST_F(Defauts, CodeurFigePresDeLaCible)
{
    struct Cas {
        int mode;
        double gel; // the reading freezes at this true azimuth
    };
    for (const Cas c : {Cas{suivi::ModeVitesse, 296.1}, Cas{suivi::ModeRelaisEcart, 297.6}}) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        ASSERT_NO_FATAL_FAILURE(lance(c.mode, {{51, "300"}}, boite(1), 280, 20));
        if (c.mode == suivi::ModeVitesse) {
            QTest::mouseClick(fi().ImgMot, Qt::LeftButton);
            cycles(2);
        }
        dialogs.queueInput(QStringLiteral("299"));
        dialogs.queueInput(QStringLiteral("20"));
        QTest::keyClick(&fi(), Qt::Key_F1);
        bool gele = false;
        int vitesse = 0;
        cycles(4000, [&] {
            if (!gele && az() >= c.gel) {
                gele = true;
                vitesse = prog->S.Drive.VitesseAz;
                serveur->withBox([](boxsim::Box& x) { x.config().azimuth.faults.encoderFrozen = true; });
            }
            return !messages().empty() && auRepos();
        });
        ASSERT_TRUE(gele);
        if (c.mode == suivi::ModeVitesse) {
            EXPECT_EQ(vitesse, 64 + 14) << "a quarter of full speed, no creep";
        } else {
            EXPECT_LT(vitesse, 32) << "a slow speed byte";
        }
        ASSERT_FALSE(messages().empty());
        EXPECT_EQ(messages().front().title, "Antenna Drive Error");
        EXPECT_TRUE(messageContient("reading moved")) << messages().front().text.toStdString();
        EXPECT_LE(azMax, c.gel + 1.0);
        EXPECT_LE(azMax, 300);
        arrete();
    }
}

// A slow box (replies 60 to 90 ms, within the reply limit) that also answers
// garbage to a quarter of its replies, while the elevation rises to its high
// stop (90) at 3 degrees a second: readings that jump further than the
// antenna can turn are not acted on, and no drive runs on blind toward the
// stop; the antenna passes it by no more than a degree or a cycle's run.
// Before, three ignored readings in a row let the drive run blind: 10.9
// degrees past the stop in relay + speed mode, 5.3 in speed mode, 1.4 in relay
// mode. And a sound box answering in 90 ms: a relay cycle then takes about half
// a second, and the relay at 3 degrees a second is stopped short rather than a
// cycle's run past the CW stop (300). Before, it stopped 1.6 degrees past.
TEST_F(Defauts, BoiteLenteEtCharabia)
{
    for (const int mode : {suivi::ModeRelais, suivi::ModeRelaisEcart, suivi::ModeVitesse}) {
        SCOPED_TRACE(testing::Message() << "mode " << mode << ", garbage");
        boxsim::BoxConfig b = boite(3);
        ASSERT_NO_FATAL_FAILURE(lance(mode, {}, b, 100, 80, 0.001));
        serveur->withBox([mode](boxsim::Box& x) {
            x.config().replyDelay = 0.060;
            x.config().replyDelayMax = 0.090;
            x.config().seed = 1234 + mode;
            x.setSeed(1234 + mode);
        });
        if (mode == suivi::ModeVitesse) {
            QTest::mouseClick(fi().ImgMot, Qt::LeftButton);
            cycles(2);
        }
        QTest::keyClick(&fi(), Qt::Key_Up);
        cycles(3);
        serveur->withBox([](boxsim::Box& x) { x.config().garbageShare = 0.25; });
        double cycleMax = 0;
        double avant = serveur->simulatedSeconds();
        cycles(60, [&] {
            const double t = serveur->simulatedSeconds();
            cycleMax = std::max(cycleMax, t - avant);
            avant = t;
            return prog->termine() || (!messages().empty() && auRepos());
        });
        EXPECT_TRUE(!messages().empty()) << "a stop with its cause";
        for (const auto& m : messages())
            EXPECT_TRUE(m.title == "Antenna Drive Error" || m.title == "Communication Port Error") << m.title.toStdString();
        EXPECT_LE(elMax, 90 + std::max(1.0, 3 * cycleMax)) << "cycles up to " << cycleMax << " s";
        arrete();
    }
    // The sound slow box: 16 ms of real time, 74 ms of the box's own.
    SCOPED_TRACE("relay mode, 90 ms replies");
    boxsim::BoxConfig b = boite(3);
    ASSERT_NO_FATAL_FAILURE(lance(suivi::ModeRelais, {{51, "300"}}, b, 285, 20, 0.074));
    serveur->withBox([](boxsim::Box& x) { x.config().replyDelay = 0.016; });
    QTest::keyClick(&fi(), Qt::Key_Right);
    cycles(120, [this] { return !prog->S.Drive.MoteurAzActif && az() > 290 && auRepos(); });
    EXPECT_TRUE(messages().empty());
    EXPECT_GE(azMax, 298) << "it came to the stop";
    EXPECT_LE(azMax, 300 + 1.0);
}

// An arrow pressed, or a position typed, during the 2-second "Parking"
// notice, the park position a degree short of the CW stop (355): nothing
// runs during the notice; the command is carried out after it, in a cycle,
// and the relay stops at the stop. Before, the arrow's relay started at once
// and no cycle looked until the wait ended: 3.7 degrees past the stop in
// relay mode, 3.2 in relay + speed.
TEST_F(Defauts, CommandePendantLAvisDeParking)
{
    for (const int mode : {suivi::ModeRelais, suivi::ModeRelaisEcart}) {
        for (const bool saisie : {false, true}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << (saisie ? ", typed position" : ", arrow"));
            ASSERT_NO_FATAL_FAILURE(lance(mode, {{53, "354"}, {74, "20"}}, boite(2), 345, 20));
            bool pendant = false;
            horloge.pendant = [&](double secondes) {
                if (pendant)
                    return;
                pendant = true;
                if (saisie) {
                    dialogs.queueInput(QStringLiteral("354.9"));
                    dialogs.queueInput(QStringLiteral("20"));
                    QTest::keyClick(&fi(), Qt::Key_F1);
                } else {
                    QTest::keyClick(&fi(), Qt::Key_Right);
                }
                serveur->step(secondes); // the box runs on while the notice waits
                note();
            };
            QTest::mouseClick(fi().ImgPark, Qt::LeftButton);
            cycles(400, [&] { return pendant && !prog->S.Drive.MoteurAzActif && auRepos(); });
            ASSERT_TRUE(pendant);
            cycles(200, [&] { return !prog->S.Drive.MoteurAzActif && auRepos(); });
            EXPECT_LE(azMax, 355 + 1.0);
            EXPECT_TRUE(messages().empty()) << messages().front().text.toStdString();
            arrete();
        }
    }
}

// The process held 14 s (a suspended session, a debugger, SIGSTOP) with a
// relay on: the box's clock moves 14 s between two cycles, the antenna with
// it, past the CW stop. On resume the stop byte goes out before any other,
// and the box says the drive ran unattended and the antenna may be past its
// stop; the program runs on (no port error). Before, nothing bounded a hold
// between two cycles: the next cycle took the reading past the stop as its
// end stop, and no one was told.
TEST_F(Defauts, ProgrammeTenuAvecUnRelaisEnMarche)
{
    ASSERT_NO_FATAL_FAILURE(lance(suivi::ModeRelais, {}, boite(1), 345, 20));
    QTest::keyClick(&fi(), Qt::Key_Right);
    cycles(10);
    ASSERT_TRUE(prog->S.Drive.MoteurAzActif);
    serveur->withBox([](boxsim::Box& b) { b.clearLog(); });
    serveur->step(14);
    cycles(1);
    const Octets o = suivi::test::journal(*serveur);
    ASSERT_FALSE(o.empty());
    EXPECT_EQ(o.front(), suivi::octet::AzArret) << "the stop byte first";
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, "Antenna Drive Error");
    EXPECT_TRUE(messageContient("drive was on for 14.")) << messages()[0].text.toStdString();
    EXPECT_TRUE(messageContient("s while the program was held: the antenna may be past its stop"))
        << messages()[0].text.toStdString();
    EXPECT_TRUE(auRepos());
    EXPECT_FALSE(prog->termine());
}

// Tracking started twice on one box: the second one finds the port held,
// says which port and that another program uses it, sends nothing and ends
// as a port failure does; the first goes on. Before, exclusive mode did not
// exclude root, and the second's start-up bytes landed inside the first's
// exchanges.
TEST_F(Defauts, DeuxProgrammesSurUneBoite)
{
    ASSERT_NO_FATAL_FAILURE(lance(suivi::ModeRelais, {}, boite(2), 100, 20));
    const size_t avant = suivi::test::journal(*serveur).size();
    platform::ScriptedDialogs dialogs2;
    platform::ManualClock horloge2(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0)));
    int fins2 = 0;
    {
        Tracking second(dialogs2, horloge2, dossier.path(), [&fins2] { ++fins2; });
        FenetresTracking fenetres2(second);
        second.AttenteSansPortMs = 0;
        second.Main();
        QTest::mouseClick(fenetres2.feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        second.executer(2);
        EXPECT_TRUE(second.termine());
        EXPECT_EQ(fins2, 1);
        ASSERT_FALSE(dialogs2.messages().empty());
        const auto m = dialogs2.messages().back();
        EXPECT_EQ(m.title, "Communication Port Error");
        EXPECT_TRUE(m.text.startsWith("Error on the serial port  1\r")) << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(QString::fromStdString(serveur->devicePath()) +
                                    QStringLiteral(" is used by another program !")))
            << m.text.toStdString();
        EXPECT_TRUE(m.text.endsWith("\r\rQuit the Tracking of Selvane !")) << m.text.toStdString();
    }
    EXPECT_EQ(suivi::test::journal(*serveur).size(), avant) << "no byte from the second program";
    // The first goes on.
    cycles(3);
    EXPECT_FALSE(prog->termine());
    EXPECT_TRUE(messages().empty());
    EXPECT_GT(suivi::test::journal(*serveur).size(), avant);
}
