// A child process for the tests of the process's endings: Tracking with its
// endings installed as main installs them, on the station folder argv[1]
// (home.dat on COM 1), starts a long move (argv[2]: the drive mode, "0", "1"
// or "2"), says "en marche" on its standard output and runs until it ends.
// A line on its standard input is an end the program does not control:
// "exit" calls exit(1) from the window event queue, as Qt does when the
// display goes away; "terminate" calls std::terminate, as an error no one
// traps does.

#include "Tracking/Terminaison.h"
#include "Tracking/Tracking.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QSocketNotifier>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    // The fatal signals end this process without leaving core files behind.
    const rlimit sansCore {0, 0};
    ::setrlimit(RLIMIT_CORE, &sansCore);
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    platform::ScriptedDialogs dialogs;
    platform::ManualClock horloge(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
    Tracking programme(dialogs, horloge, QString::fromLocal8Bit(argv[1]), [] { std::exit(0); });
    Terminaison fins(programme);
    programme.DelaiReponse = 1000; // the parent's box shares a loaded machine
    programme.AttenteSansPortMs = 0;
    programme.Main();
    programme.FichierStation = QStringLiteral("home.dat");
    programme.LectureFichierStationTrack();
    programme.executer(3);
    if (std::string(argv[2]) == "2") {
        programme.S.Drive.BasculeMoteurs();
        programme.S.Drive.ConsigneSaisie(350, 80);
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
    });
    std::cout << "en marche" << std::endl;
    programme.executer();
    return 0;
}
