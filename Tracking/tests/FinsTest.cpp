// However the process ends while a drive runs, the stop bytes reach the box
// first: the program runs as a child process against the simulator on a
// pseudo-terminal, a move under way in each drive mode, and is ended by a
// signal (a shutdown, a logout, Ctrl+C, a crash, one that the program never
// expects, two at once), by its X server going away (Qt then calls exit(1)),
// by exit(1) from its event queue or by std::terminate. Ctrl+Z stops the
// drives before the process, and what must end nothing (a write to a dead
// pipe, a hang-up under nohup) ends nothing.

#include "Tracking/tests/BancBoitier.h"

#include <QFile>
#include <QProcess>

#include <csignal>
#include <memory>

using suivi::test::Octets;

namespace {

// Which stop bytes end the box's log.
enum class Arret {
    Chemin,   // the stop path's: those of the running drives
    Traitant, // the handler's own: both, 0x10 then 0x00
};

struct Fin {
    const char* nom;
    std::vector<int> signaux; // sent to the process one right after the other
    const char* commande;     // written on its standard input, or null
    Arret arret;
    bool affichage = false; // the process shows its windows on an X server, which is then ended
    // Before the end, what must end nothing: a line on its standard input
    // and the reply it waits for, or a signal under the option the process
    // starts with.
    const char* avant = nullptr;
    const char* reponseAvant = nullptr;
    int signalAvant = 0;
    const char* option = nullptr;
};

const Fin Fins[] = {
    {"SIGTERM", {SIGTERM}, nullptr, Arret::Chemin},
    {"SIGINT", {SIGINT}, nullptr, Arret::Chemin},
    {"SIGHUP", {SIGHUP}, nullptr, Arret::Chemin},
    {"SIGQUIT", {SIGQUIT}, nullptr, Arret::Chemin},
    {"SIGUSR1", {SIGUSR1}, nullptr, Arret::Chemin},
    {"SIGXCPU", {SIGXCPU}, nullptr, Arret::Chemin},
    // A logout's two signals, and Ctrl+C twice: the second comes before the
    // event queue has taken the first (or finds the stop path under way).
    {"SIGTERM then SIGHUP", {SIGTERM, SIGHUP}, nullptr, Arret::Chemin},
    {"SIGINT twice", {SIGINT, SIGINT}, nullptr, Arret::Chemin},
    {"exit(1)", {}, "exit\n", Arret::Chemin},
    {"std::terminate", {}, "terminate\n", Arret::Chemin},
    {"SIGSEGV", {SIGSEGV}, nullptr, Arret::Traitant},
    {"SIGABRT", {SIGABRT}, nullptr, Arret::Traitant},
    {"SIGTRAP", {SIGTRAP}, nullptr, Arret::Traitant},
    {"X server gone", {}, nullptr, Arret::Chemin, true},
    {"a write to a dead pipe, then SIGTERM", {SIGTERM}, nullptr, Arret::Chemin, false, "tube\n", "tube EPIPE"},
    {"SIGHUP under nohup, then SIGTERM", {SIGTERM}, nullptr, Arret::Chemin, false, nullptr, nullptr, SIGHUP,
     "nohup"},
};

// Waits until `condition` holds or `ms` have passed; its last value.
template <class F>
bool attend(F condition, int ms = 20000)
{
    const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!condition() && std::chrono::steady_clock::now() < fin)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return condition();
}

class FinsDuProcessus : public suivi::test::DossierStation {
protected:
    // Tracking as a child process in drive mode `mode` ("0", "1", "2")
    // against a real-time box turning 1 degree a second (the move lasts),
    // the antenna at 100/20, until its move runs; with `affichage` on an X
    // server of its own. Call it under ASSERT_NO_FATAL_FAILURE.
    void lance(const char* mode, bool affichage = false, const char* option = nullptr)
    {
        vitesse = mode[0] == '2';
        ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"),
                                                  suivi::test::stationModifiee({{28, "1"}, {42, mode}})));
        serveur = std::make_unique<boxsim::PtyServer>(
            suivi::test::BancBoitier::boite(vitesse ? boxsim::DriveMode::Proportional : boxsim::DriveMode::Relay, 1),
            boxsim::ServerOptions{true, false, 0.0, suivi::test::MaintienReponses});
        ASSERT_NO_FATAL_FAILURE(suivi::test::brancheCom1(*serveur, dossier.path()));
        serveur->withBox([](boxsim::Box& b) {
            b.setAzimuth(100);
            b.setElevation(20);
        });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (affichage) {
            // A display of its own: Xvfb names the free display it took.
            serveurX.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            ASSERT_TRUE(serveurX.waitForStarted(20000)) << "Xvfb (scripts/setup installs it)";
            QByteArray numero;
            while (!numero.contains('\n') && serveurX.waitForReadyRead(20000))
                numero += serveurX.readAllStandardOutput();
            ASSERT_TRUE(numero.contains('\n'));
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":") + QString::fromLatin1(numero.trimmed()));
            // and no session bus, as on that display.
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
        }
        enfant.setProcessEnvironment(env);
        enfant.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{dossier.path(), QString::fromLatin1(mode)};
        if (option)
            arguments << QString::fromLatin1(option);
        enfant.start(QStringLiteral(TRACKING_ENFANT), arguments);
        ASSERT_TRUE(enfant.waitForStarted(20000));
        ASSERT_TRUE(dit("en marche"));
        ASSERT_TRUE(attend([&] { return deplacement(); })) << "the move runs";
        serveur->withBox([](boxsim::Box& b) { b.clearLog(); });
    }
    // The child has written `texte` on its standard output (within 30 s).
    bool dit(const char* texte)
    {
        while (!sortie.contains(texte) && enfant.waitForReadyRead(30000))
            sortie += enfant.readAllStandardOutput();
        return sortie.contains(texte);
    }
    pid_t pid() const { return static_cast<pid_t>(enfant.processId()); }
    // The state letter of the child in /proc ('T' stopped), or 0.
    char etat() const
    {
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid()));
        if (!f.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray l = f.readAll();
        const int i = l.lastIndexOf(')');
        return i >= 0 && i + 2 < l.size() ? l.at(i + 2) : 0;
    }
    bool deplacement()
    {
        return serveur->withBox([](boxsim::Box& b) { return b.azimuthVelocity() != 0; });
    }
    bool auRepos()
    {
        return serveur->withBox([](boxsim::Box& b) {
            return b.azimuthVelocity() == 0 && b.elevationVelocity() == 0 && b.azimuthState().relay == 0 &&
                   b.elevationState().relay == 0;
        });
    }
    // The cycles the box has seen since its log was last cleared (one 0x96
    // each).
    int cycles() { return suivi::test::compte(suivi::test::journal(*serveur), suivi::octet::Verrou); }
    // The stop bytes of the drives the move runs (relay modes: the azimuth's).
    Octets arretDuChemin() const { return vitesse ? Octets{0x10, 0x00} : Octets{0x00}; }
    // The box's log ends with `arret` and the box is at rest.
    void finitPar(const Octets& arret)
    {
        const Octets o = suivi::test::journalFinissantPar(*serveur, arret);
        ASSERT_GE(o.size(), arret.size());
        EXPECT_EQ(Octets(o.end() - static_cast<long>(arret.size()), o.end()), arret);
        EXPECT_TRUE(auRepos()) << "the box at rest";
    }
    // The case's end: nothing the protocol forbids reached the box.
    void termine()
    {
        if (serveur)
            suivi::test::sansViolation(*serveur);
        serveur.reset();
        sortie.clear();
    }
    void TearDown() override { termine(); }

    bool vitesse = false;
    std::unique_ptr<boxsim::PtyServer> serveur;
    QProcess serveurX;
    QProcess enfant;
    QByteArray sortie;
};

} // namespace

TEST_F(FinsDuProcessus, LesOctetsDArretArriventAvantLaFin)
{
    for (const char* mode : {"0", "1", "2"}) {
        for (const Fin& f : Fins) {
            const std::string cas = std::string("mode ") + mode + ", " + f.nom;
            SCOPED_TRACE(cas);
            ASSERT_NO_FATAL_FAILURE(lance(mode, f.affichage, f.option));
            if (f.avant) {
                enfant.write(f.avant);
                ASSERT_TRUE(dit(f.reponseAvant));
            }
            if (f.signalAvant)
                ::kill(pid(), f.signalAvant);
            if (f.avant || f.signalAvant) {
                // It ended nothing: the cycles go on and the move runs.
                const int avant = cycles();
                EXPECT_TRUE(attend([&] { return cycles() >= avant + 10; }));
                EXPECT_EQ(enfant.state(), QProcess::Running);
                EXPECT_TRUE(deplacement());
            }

            for (const int s : f.signaux)
                ::kill(pid(), s);
            if (f.commande)
                enfant.write(f.commande);
            if (f.affichage)
                serveurX.terminate();
            ASSERT_TRUE(enfant.waitForFinished(30000));
            if (f.affichage)
                serveurX.waitForFinished(20000);
            if (f.affichage || (f.commande && std::string(f.commande) == "exit\n"))
                EXPECT_TRUE(enfant.exitStatus() == QProcess::NormalExit && enfant.exitCode() == 1);
            else
                EXPECT_EQ(enfant.exitStatus(), QProcess::CrashExit) << "ended by its signal";
            finitPar(f.arret == Arret::Traitant ? Octets{0x10, 0x00} : arretDuChemin());
            termine();
        }
    }
}

// The process stopped (SIGSTOP, as a debugger or a suspended session does:
// nothing in the program runs) for 2 s with a drive on, then continued: the
// drives get their stop bytes at once and the program says the drive ran
// unattended and the antenna may be past its stop; no port error, the
// program goes on. Before, the operator read "Error on the serial port" (or
// nothing), with no word of the drive that ran on.
TEST_F(FinsDuProcessus, ArreteDeuxSecondesPuisRepris)
{
    for (const char* mode : {"0", "1", "2"}) {
        SCOPED_TRACE(std::string("mode ") + mode);
        ASSERT_NO_FATAL_FAILURE(lance(mode));
        ::kill(pid(), SIGSTOP);
        EXPECT_TRUE(attend([&] { return etat() == 'T'; })) << "the process stopped";
        std::this_thread::sleep_for(std::chrono::seconds(2));
        EXPECT_FALSE(auRepos()) << "the drive runs on while the program is stopped";
        ::kill(pid(), SIGCONT);
        EXPECT_TRUE(attend([&] { return auRepos(); }, 5000)) << "stopped at once";
        ASSERT_TRUE(dit(" drive was on for ")) << sortie.constData();
        EXPECT_TRUE(sortie.contains("message Antenna Drive Error: The azimuth drive was on for "))
            << sortie.constData();
        EXPECT_TRUE(sortie.contains(" s while the program was held: the antenna may be past its stop"))
            << sortie.constData();
        EXPECT_FALSE(sortie.contains("Communication Port Error")) << sortie.constData();
        const int avant = cycles();
        EXPECT_TRUE(attend([&] { return cycles() >= avant + 10; })) << "the cycles go on";
        EXPECT_EQ(enfant.state(), QProcess::Running);
        ::kill(pid(), SIGTERM);
        ASSERT_TRUE(enfant.waitForFinished(30000));
        termine();
    }
}

// Ctrl+Z: the drives' stop bytes, then the process stops; once continued
// the cycles go on with the drives stopped (no start byte), until the
// operator starts them again.
TEST_F(FinsDuProcessus, CtrlZArreteLesMoteursPuisLeProcessus)
{
    for (const char* mode : {"0", "1", "2"}) {
        SCOPED_TRACE(std::string("mode ") + mode);
        ASSERT_NO_FATAL_FAILURE(lance(mode));
        ::kill(pid(), SIGTSTP);
        EXPECT_TRUE(attend([&] { return etat() == 'T'; })) << "the process stopped";
        finitPar(arretDuChemin());
        serveur->withBox([](boxsim::Box& b) { b.clearLog(); });

        ::kill(pid(), SIGCONT);
        EXPECT_TRUE(attend([&] { return cycles() >= 10; })) << "the cycles go on";
        EXPECT_NE(etat(), 'T');
        const Octets o = suivi::test::journal(*serveur);
        for (const uint8_t depart : {suivi::octet::AzHoraire, suivi::octet::AzAntiHoraire, suivi::octet::ElHaut,
                                     suivi::octet::ElBas})
            EXPECT_EQ(suivi::test::compte(o, depart), 0) << "no start byte " << int(depart);
        EXPECT_TRUE(auRepos());

        ::kill(pid(), SIGTERM);
        ASSERT_TRUE(enfant.waitForFinished(30000));
        EXPECT_EQ(enfant.exitStatus(), QProcess::CrashExit);
        EXPECT_TRUE(auRepos());
        termine();
    }
}
