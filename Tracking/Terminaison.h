#pragma once
// Every way the process ends, short of SIGKILL and a power cut, stops the
// drives first, through the program's one stop path
// (Suivi::ArretMoteursEtPort: the stop bytes, each as an exchange, then the
// port closed):
// - The signals whose default ends the process (SIGTERM, SIGINT, SIGHUP,
//   SIGQUIT: a shutdown, a logout, Ctrl+C or the quit key in a terminal;
//   SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGIO, SIGPWR, SIGXCPU,
//   SIGXFSZ): the handler only writes the signal's number into a pipe; the
//   window event queue reads it (at the next yield of the loop, or inside a
//   box's or a wait's own event handling) and runs the stop path, then the
//   signal ends the process as it would have. One of them that the process
//   was started with ignored (nohup) stays ignored, and one that already has
//   a handler (a profiler's) keeps it.
// - A second one while the first waits for the event queue (a logout sends
//   SIGTERM and SIGHUP at once; Ctrl+C twice): the handler, on the main
//   thread (another thread hands it over), sends both stop bytes itself as
//   the fatal signals' handler does, then the signal ends the process. One
//   that comes while the stop path runs waits for its end, which ends the
//   process.
// - A handler that sends bytes itself first takes the line from the drive
//   controller (suivi::Ligne, lock-free): an exchange under way on the
//   controller's thread ends first, and the controller sends nothing after.
// - SIGTSTP (Ctrl+Z): through the pipe as well; the event queue holds the
//   drive controller and stops everything (tracking off, no target, no park,
//   the drives' stop bytes), then the process stops as it would have. Once
//   continued the cycle goes on with the drives stopped: they start again
//   only on the operator's order, since the process may have stood for any
//   time and may be continued by no one at the antenna (a shell's job
//   control, a script).
// - SIGPIPE, SIGTTIN, SIGTTOU are ignored: a write to a pipe with no reader
//   fails as a write and ends nothing, and a terminal never stops the
//   process (the program does not read the terminal).
// - exit() called by someone else (Qt ends the program with exit(1) when the
//   display goes away), or main returning: an exit-time hook runs the stop
//   path.
// - std::terminate (an error no one traps): the stop path, then abort.
// - A fatal signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP,
//   SIGSYS): the program's state may be broken, so the handler itself sends
//   both stop bytes (0x10, 0x00) on the port, each waiting its reply up to
//   the reply limit, with nothing but async-signal-safe calls; then the
//   signal ends the process.
// SIGSTOP stops the process and SIGKILL ends it with no way to act first.
// One object for the life of `main`, made on the main thread once the
// program's reply limit (Tracking::DelaiReponse) is set; the program must
// outlive it.

#include <QObject>
#include <csignal>
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
    // SIGTSTP taken from the pipe: everything stopped, then the process.
    void suspension();

    Tracking& programme_;
    int tube_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> lecteur_;
    // What each signal's action was before: put back at the end.
    struct sigaction anciens_[NSIG] {};
};
