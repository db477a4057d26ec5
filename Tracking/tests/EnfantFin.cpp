// A child process for the tests of the process's endings: Tracking with its
// endings installed as main installs them, the drive controller on its own
// thread as in production, on the station folder argv[1]
// (home.dat on COM 1), starts a long move (argv[2]: the drive mode, "0", "1"
// or "2"), says "en marche" on its standard output and runs until it ends.
// It starts with every signal at its default action, as a program started
// from a desktop or a terminal does, except SIGHUP with argv[3] "nohup"
// (ignored, as nohup starts a program), and in a process group of its own,
// as a shell with job control starts a job (so that SIGTSTP stops it).
// Every message box the program shows is written on its standard output as
// "message TITLE: TEXT" (CR as a blank).
// A line on its standard input is an end the program does not control, or
// a fault that must end nothing: "exit" calls exit(1) from the window event
// queue, as Qt does when the display goes away; "terminate" calls
// std::terminate, as an error no one traps does; "tube" writes to a pipe
// whose reader has gone and says "tube EPIPE" once the write has failed.

#include "Tracking/FenetresTracking.h"
#include "Tracking/Terminaison.h"
#include "Tracking/Tracking.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace {
struct DialoguesAffiches : platform::ScriptedDialogs {
    platform::Answer message(const QString& text, platform::Buttons buttons, platform::Icon icon,
                             const QString& title) override
    {
        std::cout << "message " << title.toStdString() << ": " << QString(text).replace('\r', ' ').toStdString()
                  << std::endl;
        return ScriptedDialogs::message(text, buttons, icon, title);
    }
};
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    for (int n = 1; n < NSIG; ++n)
        if (n != SIGKILL && n != SIGSTOP)
            std::signal(n, SIG_DFL);
    if (argc > 3 && std::string(argv[3]) == "nohup")
        std::signal(SIGHUP, SIG_IGN);
    ::setpgid(0, 0);
    // The fatal signals end this process without leaving core files behind.
    const rlimit sansCore {0, 0};
    ::setrlimit(RLIMIT_CORE, &sansCore);
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    DialoguesAffiches dialogs;
    platform::ManualClock horloge(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
    Tracking programme(dialogs, horloge, QString::fromLocal8Bit(argv[1]), [] { std::exit(0); });
    FenetresTracking fenetres(programme);
    programme.DelaiReponse = 1000; // the parent's box shares a loaded machine
    programme.Autonome = true;
    Terminaison fins(programme);
    programme.AttenteSansPortMs = 0;
    programme.Main();
    programme.FichierStation = QStringLiteral("home.dat");
    programme.LectureFichierStationTrack();
    programme.executer(3);
    if (std::string(argv[2]) == "2") {
        programme.BasculeMoteurs();
        programme.S.Pilotage.demande(suivi::Pilote::Demande::Consigne, 0, 350, 80);
    } else {
        int droite = 39;
        programme.CommandeManuelle(droite);
    }
    programme.executer(2);
    QSocketNotifier entree(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&entree, &QSocketNotifier::activated, [] {
        char ligne[64] = {};
        const ssize_t n = ::read(STDIN_FILENO, ligne, sizeof ligne - 1);
        const std::string commande(ligne, n > 0 ? static_cast<size_t>(n) : 0);
        if (commande.rfind("exit", 0) == 0)
            std::exit(1);
        if (commande.rfind("terminate", 0) == 0)
            std::terminate();
        if (commande.rfind("tube", 0) == 0) {
            int tube[2];
            if (::pipe(tube) != 0)
                return;
            ::close(tube[0]);
            const char b = 0;
            if (::write(tube[1], &b, 1) < 0 && errno == EPIPE)
                std::cout << "tube EPIPE" << std::endl;
            ::close(tube[1]);
        }
    });
    std::cout << "en marche" << std::endl;
    programme.executer();
    return 0;
}
