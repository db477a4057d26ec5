// Speed of Tracking's cycle against the interface box: cycles per second in
// each drive mode with a drive running, the drive controller on its thread
// as the program runs it, against what the line allows at 9600 baud (two
// byte times, 2.08 ms, per exchange: the command and its reply), and again
// with a USB serial adapter's latency timer (16 ms per reply by default on
// common chips). The box is the simulator on a pseudo-terminal, answering
// after the line's two byte times (and the latency), its motors in real time.
//
// Run: build-*/bench/bench_tracking [seconds per run, default 3]

#include "Tracking/Suivi.h"
#include "Tracking/tests/StationEssai.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/serial/SerialPort.h"
#include "tools/boxsim/PtyServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using Horloge = std::chrono::steady_clock;

struct Mesure {
    double cyclesParSeconde = 0, octetsParCycle = 0, limiteLigne = 0;
    bool panne = false;
};

Mesure mesure(int16_t mode, double latence, double secondes)
{
    boxsim::BoxConfig config;
    config.mode = mode == 2 ? boxsim::DriveMode::Proportional : boxsim::DriveMode::Relay;
    config.azimuth.rate = config.elevation.rate = 1; // the move lasts the whole run
    config.replyDelay = latence;
    boxsim::PtyServer serveur(config, {true, true, 0.0});
    QTemporaryDir dossier;
    serveur.openPty();
    serveur.linkAs(dossier.path().toStdString(), 1);
    serveur.start();
    serveur.withBox([](boxsim::Box& b) {
        b.setAzimuth(100);
        b.setElevation(20);
    });
    platform::SerialPort port;
    port.open(1, dossier.path());
    platform::ScriptedDialogs dialogues;
    platform::ManualClock horloge(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
    suivi::Vue vue;
    suivi::Suivi s(dialogues, horloge, vue);
    s.Initialise(suivi::test::stationBox(mode), {});
    Mesure m;
    // A reply limit that a sound box never reaches, whatever the latency.
    suivi::LiaisonSerie liaison(port, 500, [&m] { m.panne = true; });
    s.Pilotage.delaiReponse = 0.5;
    s.setLiaison(liaison);
    s.PortOuvert = true;
    // The controller on its own thread, the drive started by a demand.
    s.DemarreAutonome();
    if (mode == 2) {
        s.Pilotage.demande(suivi::Pilote::Demande::BasculeMoteurs);
        s.Pilotage.demande(suivi::Pilote::Demande::Consigne, 0, 300, 60);
    } else {
        s.Pilotage.demande(suivi::Pilote::Demande::Fleche, 39);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const long long octets0 = serveur.bytesServed();
    const long cycles0 = s.Pilotage.etat().cycles;
    const auto debut = Horloge::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(secondes));
    const long cycles = s.Pilotage.etat().cycles - cycles0;
    const long long octets1 = serveur.bytesServed();
    const double duree = std::chrono::duration<double>(Horloge::now() - debut).count();
    s.ArretMoteursEtPort();
    s.ArreteAutonome();
    m.cyclesParSeconde = cycles / duree;
    m.octetsParCycle = double(octets1 - octets0) / cycles;
    const double echange = 2 * 10.0 / 9600 + latence; // command and reply, 10 bits a byte
    m.limiteLigne = 1 / (m.octetsParCycle * echange);
    return m;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const double secondes = argc > 1 ? std::atof(argv[1]) : 3.0;
    std::printf("drive mode  latency  cycles/s  bytes/cycle  line limit cycles/s  share of the limit\n");
    for (const double latence : {0.0, 0.016}) {
        for (const int16_t mode : {0, 1, 2}) {
            const Mesure m = mesure(mode, latence, secondes);
            std::printf("%10d  %5.0f ms  %8.1f  %11.2f  %19.1f  %17.0f %%%s\n", mode, latence * 1000,
                        m.cyclesParSeconde, m.octetsParCycle, m.limiteLigne, 100 * m.cyclesParSeconde / m.limiteLigne,
                        m.panne ? "  (the link failed)" : "");
        }
    }
    return 0;
}
