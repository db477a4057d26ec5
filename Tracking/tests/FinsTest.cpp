// However the process ends while a drive runs, the stop bytes reach the box
// first: the program runs as a child process against the simulator on a
// pseudo-terminal, a move under way in each drive mode, and is ended by a
// signal (a shutdown, a logout, Ctrl+C, a crash), by its X server going away
// (Qt then calls exit(1)), by exit(1) from its event queue or by
// std::terminate.

#include "Tracking/tests/BancBoitier.h"

#include <QProcess>

#include <csignal>

using suivi::test::Octets;

namespace {

struct Fin {
    const char* nom;
    int signal;           // sent to the process, or 0
    const char* commande; // written on its standard input, or null
    bool fatale;          // the handler sends both stop bytes itself
    bool affichage = false; // the process shows its windows on an X server, which is then ended
};

const Fin Fins[] = {
    {"SIGTERM", SIGTERM, nullptr, false}, {"SIGINT", SIGINT, nullptr, false},
    {"SIGHUP", SIGHUP, nullptr, false},   {"SIGQUIT", SIGQUIT, nullptr, false},
    {"exit(1)", 0, "exit\n", false},      {"std::terminate", 0, "terminate\n", false},
    {"SIGSEGV", SIGSEGV, nullptr, true},  {"SIGABRT", SIGABRT, nullptr, true},
    {"X server gone", 0, nullptr, false, true},
};

class FinsDuProcessus : public suivi::test::DossierStation {};

// Waits until `condition` holds or `ms` have passed; its last value.
template <class F>
bool attend(F condition, int ms = 20000)
{
    const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!condition() && std::chrono::steady_clock::now() < fin)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return condition();
}

} // namespace

TEST_F(FinsDuProcessus, LesOctetsDArretArriventAvantLaFin)
{
    for (const char* mode : {"0", "1", "2"}) {
        const bool vitesse = mode[0] == '2';
        for (const Fin& f : Fins) {
            const std::string cas = std::string("mode ") + mode + ", " + f.nom;
            SCOPED_TRACE(cas);
            ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"),
                                                      suivi::test::stationModifiee({{28, "1"}, {42, mode}})));
            // A real-time box turning 1 degree a second: the move lasts.
            boxsim::BoxConfig config = suivi::test::BancBoitier::boite(
                vitesse ? boxsim::DriveMode::Proportional : boxsim::DriveMode::Relay, 1);
            boxsim::PtyServer serveur(config);
            ASSERT_NO_FATAL_FAILURE(suivi::test::brancheCom1(serveur, dossier.path()));
            serveur.withBox([](boxsim::Box& b) {
                b.setAzimuth(100);
                b.setElevation(20);
            });

            // A display of its own: Xvfb names the free display it took.
            QProcess serveurX;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            if (f.affichage) {
                serveurX.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
                ASSERT_TRUE(serveurX.waitForStarted(20000)) << cas << ": Xvfb (scripts/setup installs it)";
                QByteArray numero;
                while (!numero.contains('\n') && serveurX.waitForReadyRead(20000))
                    numero += serveurX.readAllStandardOutput();
                ASSERT_TRUE(numero.contains('\n')) << cas;
                env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
                env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":") + QString::fromLatin1(numero.trimmed()));
                // and no session bus, as on that display.
                env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
            }
            QProcess enfant;
            enfant.setProcessEnvironment(env);
            enfant.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            enfant.start(QStringLiteral(TRACKING_ENFANT), {dossier.path(), QString::fromLatin1(mode)});
            ASSERT_TRUE(enfant.waitForStarted(20000)) << cas;
            QByteArray sortie;
            while (!sortie.contains("en marche") && enfant.waitForReadyRead(30000))
                sortie += enfant.readAllStandardOutput();
            ASSERT_TRUE(sortie.contains("en marche")) << cas;
            ASSERT_TRUE(attend([&] {
                return serveur.withBox([](boxsim::Box& b) { return b.azimuthVelocity() != 0; });
            })) << cas << ": the move runs";
            serveur.withBox([](boxsim::Box& b) { b.clearLog(); });

            if (f.signal)
                ::kill(static_cast<pid_t>(enfant.processId()), f.signal);
            else if (f.commande)
                enfant.write(f.commande);
            else
                serveurX.terminate();
            ASSERT_TRUE(enfant.waitForFinished(30000)) << cas;
            if (f.affichage)
                serveurX.waitForFinished(20000);
            if (f.affichage || (f.commande && f.commande[0] == 'e'))
                EXPECT_TRUE(enfant.exitStatus() == QProcess::NormalExit && enfant.exitCode() == 1) << cas;
            else
                EXPECT_EQ(enfant.exitStatus(), QProcess::CrashExit) << cas << ": ended by its signal";

            const Octets arret = f.fatale || vitesse ? Octets{0x10, 0x00} : Octets{0x00};
            const Octets o = suivi::test::journalFinissantPar(serveur, arret);
            ASSERT_GE(o.size(), arret.size()) << cas;
            EXPECT_EQ(Octets(o.end() - static_cast<long>(arret.size()), o.end()), arret) << cas;
            EXPECT_TRUE(serveur.withBox([](boxsim::Box& b) {
                return b.azimuthVelocity() == 0 && b.elevationVelocity() == 0 && b.azimuthState().relay == 0 &&
                       b.elevationState().relay == 0;
            })) << cas << ": the box at rest";
            suivi::test::sansViolation(serveur);
        }
    }
}
