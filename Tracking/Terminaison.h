#pragma once
// Every way the process ends, short of SIGKILL and a power cut, stops the
// drives first, through the program's one stop path
// (Suivi::ArretMoteursEtPort: the stop bytes, each as an exchange, then the
// port closed):
// - SIGTERM, SIGINT, SIGHUP, SIGQUIT (a shutdown, a logout, Ctrl+C or the
//   quit key in a terminal): the handler only writes the signal's number into a pipe;
//   the window event queue reads it (at the next yield of the loop, or inside
//   a box's or a wait's own event handling) and runs the stop path, then the
//   signal ends the process as it would have. A second signal while the first
//   waits ends the process at once.
// - exit() called by someone else (Qt ends the program with exit(1) when the
//   display goes away), or main returning: an exit-time hook runs the stop
//   path.
// - std::terminate (an error no one traps): the stop path, then abort.
// - A fatal signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT): the program's
//   state may be broken, so the handler itself sends both stop bytes (0x10,
//   0x00) on the port, each waiting its reply up to the reply limit, with
//   nothing but async-signal-safe calls; then the signal ends the process.
// One object for the life of `main`; the program must outlive it.

#include <QObject>
#include <memory>

class QSocketNotifier;
class Tracking;

class Terminaison : public QObject {
public:
    explicit Terminaison(Tracking& programme);
    ~Terminaison() override;
    Terminaison(const Terminaison&) = delete;
    Terminaison& operator=(const Terminaison&) = delete;

    // The stop path for an end the program does not control (the exit hook,
    // std::terminate): nothing once the program has gone.
    static void arretSiActif();

private:
    void signalRecu();

    Tracking& programme_;
    int tube_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> lecteur_;
};
