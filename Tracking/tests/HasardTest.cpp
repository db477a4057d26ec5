// Seeded random runs of the whole program as production runs it (the drive
// controller on its own thread, the windows on this one) against the
// interface-box simulator on a real pseudo-terminal: each seed a station
// (drive mode, stops across north or not, offsets, BIN or BCD encoders, a slow
// or a fast rotator, now and then a slow box), an operator with human timings
// (F1 typed over 0.5 to 10 s, menus held 0 to 10 s, arrows, park, tracking on
// and off, keys during the "Parking" notice, boxes opened mid-move) and one
// fault of the box at a random time. Watched from the box's side throughout:
// the antenna never passes a soft stop by more than a degree or a cycle's run
// at the rotator's speed; no byte reaches the box while a reply is due; a
// sound box (before its fault) never gets an alarm or a port error; every
// stop names its cause; the drives are at rest once the program has ended.
// The time is the box's: its clock is the program's monotonic clock, and a
// box or a menu held open moves it on by the operator's time.
//
// Seeds 1 to 6; HASARD_GRAINES=n runs seeds 1 to n (a longer search by hand,
// e.g. with the machine's cores loaded).

#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/BancBoitier.h"
#include "platform/Text.h"
#include "platform/testing/TestFiles.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <random>
#include <sstream>

namespace {

enum class Panne {
    Aucune,
    MoteurInverse,
    CodeurInverse,
    CodeurFuyant,
    CodeurFige,
    Charabia,
    SansReponse, // one byte left unanswered
    Muette,      // answers nothing, still acts
};
const char* nom(Panne p)
{
    static const char* n[] = {"none", "motor reversed", "encoder reversed", "encoder running away", "frozen encoder",
                              "garbage", "one byte unanswered", "mute"};
    return n[static_cast<int>(p)];
}

struct Scenario {
    int mode = 0;
    bool nord = false;
    int g = 5, d = 355, b = 0, h = 90;
    float offAz = 0, offEl = 0;
    bool bcd = false;
    double vitesse = 2;
    double secondesParOctet = 0.005;
    double dureeTotale = 60; // seconds of the box's time
    Panne panne = Panne::Aucune;
    bool elevation = false; // the fault on the elevation axis
    double instantPanne = 0;
    double fuite = 0;
    double charabia = 0;
    std::string texte() const
    {
        std::ostringstream o;
        o << "mode " << mode << ", stops " << g << ".." << d << (nord ? " across north" : "") << " / " << b << ".."
          << h << ", offsets " << offAz << " " << offEl << (bcd ? ", BCD" : ", BIN") << ", " << vitesse
          << " deg/s, " << secondesParOctet * 1000 << " ms a byte, fault " << nom(panne)
          << (elevation ? " (elevation)" : " (azimuth)") << " at " << instantPanne << " s";
        return o.str();
    }
};

class Hasard : public suivi::test::DossierStation {
protected:
    void TearDown() override
    {
        fenetres.reset();
        prog.reset();
        serveur.reset();
    }

    void lance(const Scenario& s, std::mt19937& h)
    {
        sc = s;
        boites = std::make_unique<suivi::test::DialoguesEspion>();
        auto reel = [&h](double a, double b) { return std::uniform_real_distribution<double>(a, b)(h); };
        const int parcAz = static_cast<int>(std::lround(reel(s.g + 3, (s.nord ? s.d + 360 : s.d) - 3))) % 360;
        const int parcEl = static_cast<int>(std::lround(reel(s.b + 3, s.h - 3)));
        const auto n = [](double x) { return QByteArray::number(x, 'f', 1); };
        const QByteArray format = s.bcd ? "BCD" : "BIN";
        std::vector<std::pair<int, QByteArray>> lignes = {
            {28, "1"},
            {36, n(reel(0.3, 1))},
            {38, QByteArray::number(static_cast<int>(reel(5, 30)))},
            {40, n(reel(0.3, 1))},
            {42, QByteArray::number(s.mode)},
            {45, n(reel(0, 0.8))},
            {47, n(reel(1, 3))},
            {49, QByteArray::number(s.g)},
            {51, QByteArray::number(s.d)},
            {53, QByteArray::number(parcAz)},
            {55, n(s.offAz)},
            {59, format},
            {66, n(reel(0, 0.8))},
            {68, n(reel(1, 3))},
            {70, QByteArray::number(s.b)},
            {72, QByteArray::number(s.h)},
            {74, QByteArray::number(parcEl)},
            {76, n(s.offEl)},
            {80, format},
        };
        ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), suivi::test::stationModifiee(lignes)));
        boxsim::BoxConfig c;
        c.mode = s.mode == suivi::ModeVitesse ? boxsim::DriveMode::Proportional : boxsim::DriveMode::Relay;
        c.azimuth.rate = c.elevation.rate = s.vitesse;
        c.azimuth.encoder.offset = s.offAz;
        c.elevation.encoder.offset = s.offEl;
        c.azimuth.encoder.format = c.elevation.encoder.format =
            s.bcd ? boxsim::EncoderFormat::Bcd : boxsim::EncoderFormat::Bin;
        c.seed = static_cast<uint32_t>(h());
        serveur = std::make_unique<boxsim::PtyServer>(c, suivi::test::ligne(s.secondesParOctet));
        ASSERT_NO_FATAL_FAILURE(suivi::test::brancheCom1(*serveur, dossier.path()));
        // The antenna somewhere inside its travel.
        azDepart = reel(s.g + 5, (s.nord ? s.d + 360 : s.d) - 5);
        elDepart = reel(s.b + 5, s.h - 5);
        serveur->withBox([&](boxsim::Box& b) {
            b.setAzimuth(azDepart >= 360 ? azDepart - 360 : azDepart);
            b.setElevation(elDepart);
        });
        angleAz0 = serveur->withBox([](boxsim::Box& b) { return b.azimuthState().angle; });
        angleEl0 = serveur->withBox([](boxsim::Box& b) { return b.elevationState().angle; });

        prog = std::make_unique<Tracking>(*boites, horloge, dossier.path(), [this] { ++fins; });
        fenetres = std::make_unique<FenetresTracking>(*prog);
        prog->Autonome = true;
        prog->AttenteSansPortMs = 0;
        prog->DelaiReponse = 1000; // a loaded machine
        prog->RafraichissementMs = 0;
        prog->S.secondesMonotones = suivi::test::horlogeDe(*serveur);
        dialogs().avant = [this](const QString& titre) {
            // A box stays open the operator's time: the box's clock moves on.
            if (tenueBoite > 0 && titre != "Antenna Drive Error" && titre != "Communication Port Error")
                serveur->step(tenueBoite);
        };
        prog->Main();
        QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        ASSERT_TRUE(prog->S.PortOuvert) << s.texte();
        dialogs().clear(); // the missing "track.ini"
        prog->executer(2);
    }

    // The antenna's true position, azimuth on the extended scale of the start.
    double az() { return azDepart + serveur->withBox([](boxsim::Box& b) { return b.azimuthState().angle; }) - angleAz0; }
    double el() { return elDepart + serveur->withBox([](boxsim::Box& b) { return b.elevationState().angle; }) - angleEl0; }

    // Lets the program run `secondes` of the box's time, watching it.
    void attend(double secondes)
    {
        const double fin = serveur->simulatedSeconds() + secondes;
        QElapsedTimer garde;
        garde.start();
        while (serveur->simulatedSeconds() < fin && !prog->termine() && garde.elapsed() < 30000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            surveille();
            QThread::usleep(300);
        }
    }

    // What the box shows now: the antenna inside its travel but for a
    // degree or a cycle's run, the cycle's time measured between two 0x96.
    void surveille()
    {
        const double t = serveur->simulatedSeconds();
        const int verrous = serveur->withBox([](boxsim::Box& b) {
            return static_cast<int>(std::count(b.log().begin(), b.log().end(), suivi::octet::Verrou));
        });
        if (verrous != verrousVus) {
            if (verrousVus > 0 && verrous == verrousVus + 1)
                cycleMax = std::max(cycleMax, t - tVerrou);
            verrousVus = verrous;
            tVerrou = t;
        }
        // A garbage reply the program cannot tell from the truth (within the
        // jump it accepts) may mislead it by that much.
        const double mensonge = sc.panne == Panne::Charabia && t >= sc.instantPanne ? 4.0 : 0.0;
        const double marge = std::max(1.0, sc.vitesse * std::max(cycleMax, 0.05)) + 0.05 + mensonge;
        const double a = az(), e = el();
        const double dMax = sc.nord ? sc.d + 360 : sc.d;
        const bool dedans = a >= sc.g - marge && a <= dMax + marge && e >= sc.b - marge && e <= sc.h + marge;
        depassementMax = std::max({depassementMax, sc.g - a, a - dMax, sc.b - e, e - sc.h});
        if (!dedans && !horsCourse) {
            horsCourse = true;
            ADD_FAILURE() << sc.texte() << ": the antenna at " << a << " / " << e << " (margin " << marge
                          << ") at " << t << " s";
        }
        // A sound box never gets an alarm or a port error.
        if (!panneFaite) {
            for (const auto& m : dialogs().messages())
                if (m.title == "Antenna Drive Error" || m.title == "Communication Port Error") {
                    ADD_FAILURE() << sc.texte() << ": a sound box got \"" << m.title.toStdString() << "\": "
                                  << m.text.toStdString() << " at " << t << " s";
                    panneFaite = true; // said once
                }
        }
        if (!panneFaite && t >= sc.instantPanne)
            injecte();
        // Keys during the "Parking" notice.
        if (prog->S.Vu.c.AntenEtiq[2] && !toucheParking) {
            toucheParking = true;
            int k = 37 + static_cast<int>(hasard() % 4);
            prog->CommandeManuelle(k);
        }
        if (!prog->S.Vu.c.AntenEtiq[2])
            toucheParking = false;
    }

    void injecte()
    {
        panneFaite = true;
        const bool sEl = sc.elevation;
        const Panne p = sc.panne;
        const double fuite = sc.fuite, charabia = sc.charabia;
        serveur->withBox([=](boxsim::Box& b) {
            boxsim::AxisFaults& f = sEl ? b.config().elevation.faults : b.config().azimuth.faults;
            switch (p) {
            case Panne::Aucune: break;
            case Panne::MoteurInverse: f.motorReversed = true; break;
            case Panne::CodeurInverse: f.encoderReversed = true; break;
            case Panne::CodeurFuyant: f.encoderRunaway = fuite; break;
            case Panne::CodeurFige: f.encoderFrozen = true; break;
            case Panne::Charabia: b.config().garbageShare = charabia; break;
            case Panne::SansReponse: b.leaveUnanswered(3); break;
            case Panne::Muette: b.setFault(boxsim::Fault::Mute); break;
            }
        });
    }

    // One operator action.
    void agit(std::mt19937& h)
    {
        auto entier = [&h](int a, int b) { return std::uniform_int_distribution<int>(a, b)(h); };
        auto reel = [&h](double a, double b) { return std::uniform_real_distribution<double>(a, b)(h); };
        const suivi::EtatPilote& v = prog->S.Vu;
        const double dMax = sc.nord ? sc.d + 360 : sc.d;
        switch (entier(0, 8)) {
        case 0:
        case 1: { // an arrow, or its button
            QWidget* boutons[4] = {fi().ImgGauche, fi().ImgHaut, fi().ImgDroit, fi().ImgBas};
            if (entier(0, 1))
                QTest::keyClick(&fi(), static_cast<Qt::Key>(Qt::Key_Left + entier(0, 3)));
            else
                QTest::mouseClick(boutons[entier(0, 3)], Qt::LeftButton);
            break;
        }
        case 2: { // F1 typed over 0.5 to 10 s, now and then a value refused first
            if (!v.c.MenuAntenne0Enabled)
                break;
            const double a = reel(sc.g, dMax), e = reel(sc.b, sc.h);
            if (entier(0, 3) == 0)
                dialogs().queueInput(QStringLiteral("999"));
            dialogs().queueInput(platform::Format(a >= 360 ? a - 360 : a, "##0.0"));
            dialogs().queueInput(platform::Format(e, "##0.0"));
            tenueBoite = reel(0.5, 10) / 2;
            QTest::keyClick(&fi(), Qt::Key_F1);
            tenueBoite = 0;
            break;
        }
        case 3: { // a menu held 0 to 10 s, an item chosen now and then
            QMenu* menus[] = {fp().MenuFichierP, fp().MenuSourceP, fp().MenuTraficP, fp().MenuFenetreP,
                              fi().MenuAntenneP, fi().MenuMesureP};
            QMenu* m = menus[entier(0, 5)];
            if (!m->isEnabled())
                break;
            emit m->aboutToShow();
            serveur->step(reel(0, 10));
            emit m->aboutToHide();
            if (m == fi().MenuAntenneP && entier(0, 1)) {
                const int item[] = {2, 4, 6};
                fi().MenuAntenne_Click(item[entier(0, 2)]);
            } else if (m == fp().MenuSourceP && entier(0, 1) && !v.PoursuiteActive) {
                fp().MenuSource_Click(entier(0, 1)); // the Moon or the Sun
            }
            break;
        }
        case 4: // park
            QTest::mouseClick(fi().ImgPark, Qt::LeftButton);
            break;
        case 5:
        case 6: // tracking on or off, a source first now and then
            if (!v.PoursuiteActive && prog->S.CodeSource != 9 && entier(0, 2) == 0) {
                dialogs().queueInput(QStringLiteral("Beacon"));
                dialogs().queueInput(platform::Format(reel(0, 23.9), "#0.00"));
                dialogs().queueInput(platform::Format(reel(-30, 85), "#0.0"));
                fp().MenuSource_Click(11);
            }
            QTest::keyClick(&fi(), Qt::Key_F3);
            break;
        case 7: // the speed mode's drive switch
            QTest::mouseClick(fi().ImgMot, Qt::LeftButton);
            break;
        default: // a box opened mid-move: the quit question, answered No after a while
            dialogs().queueAnswer(platform::Answer::No);
            tenueBoite = reel(0, 10);
            fp().MenuFichier_Click(2);
            tenueBoite = 0;
            break;
        }
    }

    void run(unsigned graine)
    {
        std::mt19937 h(graine * 2654435761u);
        hasard = [&h] { return static_cast<unsigned>(h()); };
        auto entier = [&h](int a, int b) { return std::uniform_int_distribution<int>(a, b)(h); };
        auto reel = [&h](double a, double b) { return std::uniform_real_distribution<double>(a, b)(h); };
        Scenario s;
        s.mode = entier(0, 2);
        s.nord = entier(0, 1) == 1;
        s.g = s.nord ? entier(200, 330) : entier(0, 60);
        s.d = s.nord ? entier(20, 150) : entier(250, 359);
        s.offAz = static_cast<float>(s.nord ? entier(s.d, s.g) : entier(0, 1) ? entier(0, s.g) : entier(s.d, 359));
        s.b = entier(-5, 10);
        s.h = entier(60, 90);
        s.offEl = static_cast<float>(s.b - entier(0, 10));
        s.bcd = entier(0, 3) == 0;
        s.vitesse = entier(0, 1) ? reel(0.3, 1) : reel(2, 10);
        // Now and then a slow box: up to 60 ms of the box's time a byte.
        s.secondesParOctet = entier(0, 4) == 0 ? reel(0.03, 0.06) : 0.005;
        s.dureeTotale = s.secondesParOctet > 0.01 ? 90 : 60;
        s.panne = static_cast<Panne>(entier(0, 7));
        s.elevation = entier(0, 1) == 1;
        s.instantPanne = s.panne == Panne::Aucune ? 1e9 : reel(5, s.dureeTotale - 10);
        // An encoder running away at least half as fast again as the motor
        // turns (a slower drift against the motion only looks like a slower
        // motor: a check of the motion cannot tell it).
        s.fuite = (entier(0, 1) ? 1 : -1) * reel(std::min(1.5 * s.vitesse, 49.0), 50);
        s.charabia = reel(0.05, 0.5);
        SCOPED_TRACE(testing::Message() << "seed " << graine << ": " << s.texte());
        ASSERT_NO_FATAL_FAILURE(lance(s, h));
        while (serveur->simulatedSeconds() < s.dureeTotale && !prog->termine()) {
            agit(h);
            attend(reel(0.2, 5));
        }
        // Every stop names its cause.
        for (const auto& m : dialogs().messages()) {
            if (m.title == "Antenna Drive Error") {
                EXPECT_TRUE(m.text.contains("both drives are stopped.\r\rVerify ") ||
                            m.text.contains("both drives are stopped.\r\rThe azimuth moves against its command") ||
                            m.text.contains("both drives are stopped.\r\rThe elevation moves against its command"))
                    << m.text.toStdString();
            } else if (m.title == "Communication Port Error") {
                EXPECT_TRUE(m.text.startsWith("Error on the serial port  1\r")) << m.text.toStdString();
            }
            if (qEnvironmentVariableIsSet("HASARD_BAVARD"))
                std::fprintf(stderr, "  %s: %s\n", qPrintable(m.title), qPrintable(m.text.left(90)));
        }
        if (qEnvironmentVariableIsSet("HASARD_BAVARD"))
            std::fprintf(stderr, "seed %u: %s; %d cycles, %.1f s, ended %d, furthest past a stop %.2f deg\n", graine,
                         s.texte().c_str(), verrousVus, serveur->simulatedSeconds(), prog->termine(),
                         depassementMax);
        // The program ends (or has ended): the drives at rest at the box.
        if (!prog->termine()) {
            dialogs().queueAnswer(platform::Answer::Yes);
            fp().MenuFichier_Click(2);
        }
        EXPECT_TRUE(prog->termine());
        fenetres.reset();
        prog.reset();
        const bool auRepos = serveur->withBox([](boxsim::Box& b) {
            return b.azimuthState().relay == 0 && b.elevationState().relay == 0 && !b.azimuthState().enabled &&
                   !b.elevationState().enabled;
        });
        EXPECT_TRUE(auRepos) << "the drives at rest once the program has ended";
        suivi::test::sansViolation(*serveur);
        serveur.reset();
    }

    FenetrePrincipale& fp() { return fenetres->fenetrePrincipale(); }
    FenetreInterface& fi() { return fenetres->fenetreInterface(); }

    Scenario sc;
    std::unique_ptr<suivi::test::DialoguesEspion> boites;
    suivi::test::DialoguesEspion& dialogs() { return *boites; }
    platform::ManualClock horloge{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    std::unique_ptr<boxsim::PtyServer> serveur;
    std::unique_ptr<Tracking> prog;
    std::unique_ptr<FenetresTracking> fenetres;
    std::function<unsigned()> hasard;
    int fins = 0;
    double azDepart = 0, elDepart = 0, angleAz0 = 0, angleEl0 = 0;
    double tenueBoite = 0;
    double cycleMax = 0, tVerrou = 0;
    // Degrees the antenna went furthest past a soft stop in this run (0 inside).
    double depassementMax = 0;
    int verrousVus = 0;
    bool horsCourse = false, panneFaite = false, toucheParking = false;
};

} // namespace

TEST_F(Hasard, SequencesDOperateurEtPannes)
{
    const int n = std::max(6, qEnvironmentVariableIntValue("HASARD_GRAINES"));
    for (int graine = 1; graine <= n; ++graine) {
        run(static_cast<unsigned>(graine));
        horsCourse = panneFaite = toucheParking = false;
        cycleMax = tVerrou = depassementMax = 0;
        verrousVus = 0;
        if (HasFatalFailure())
            return;
    }
}
