#include "Tracking/Terminaison.h"

#include "Tracking/Tracking.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <exception>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

namespace {

// The only way a signal handler, an exit hook and a terminate handler (which
// take no argument) reach the program: set by the one Terminaison while it
// lives, lock-free atomics so that a handler may read them.
std::atomic<Tracking*> programmeActif{nullptr};
std::atomic<const platform::SerialPort*> portActif{nullptr};
// Who holds the line: the handlers take it from the drive controller (after
// its exchange under way) before they send a byte.
std::atomic<suivi::Ligne*> ligneActive{nullptr};
std::atomic<int> tubeEcriture{-1};
std::atomic<int> delaiReponseMs{suivi::DelaiReponseMs};
// The thread that runs the program (and its stop path); written before any
// handler is installed.
pthread_t filPrincipal;

// Where an end by a signal stands.
enum EtatFin : int {
    Aucune,        // no end signal yet
    EnAttente,     // handed to the event queue, not taken yet
    ParLaFile,     // the event queue runs the stop path
    ParLeTraitant, // a handler sends the stop bytes itself
};
std::atomic<int> etatFin{Aucune};
// A SIGTSTP has been handed to the event queue and not carried out yet.
std::atomic<bool> suspensionEnAttente{false};

constexpr int SignauxDeFin[] = {SIGTERM, SIGINT,    SIGHUP,  SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM,
                                SIGVTALRM, SIGPROF, SIGIO,   SIGPWR,  SIGXCPU, SIGXFSZ};
constexpr int SignauxFatals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS};
constexpr int SignauxIgnores[] = {SIGPIPE, SIGTTIN, SIGTTOU};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

// Async-signal-safe calls only (sigaction, raise): the signal's own action,
// once the handler that calls this has returned (the signal is blocked
// while its handler runs).
void finitPar(int n)
{
    struct sigaction defaut {};
    defaut.sa_handler = SIG_DFL;
    sigemptyset(&defaut.sa_mask);
    ::sigaction(n, &defaut, nullptr);
    ::raise(n);
}

// Async-signal-safe calls only (those of Ligne, write, poll, read). Both stop
// bytes, each waiting its reply up to the reply limit; a relay or drive that
// is off already takes its stop byte as a no-op. The line is taken from the
// drive controller first: an exchange under way on its thread ends before,
// and it sends nothing after. The signal may have come in the middle of an
// exchange of this very thread: its reply is awaited first, so that no stop
// byte meets a box still busy with the byte before.
void envoieArretsDuTraitant()
{
    const platform::SerialPort* port = portActif.load();
    const int fd = port ? port->nativeHandle() : -1;
    if (fd < 0)
        return;
    const int delai = delaiReponseMs.load();
    if (suivi::Ligne* l = ligneActive.load())
        l->prendPourArret(3 * delai + 50);
    pollfd attente {fd, POLLIN, 0};
    unsigned char due[16];
    if (::poll(&attente, 1, delai) > 0)
        (void)!::read(fd, due, sizeof due);
    for (const unsigned char b : {static_cast<unsigned char>(0x10), static_cast<unsigned char>(0x00)}) {
        if (::write(fd, &b, 1) != 1)
            break;
        pollfd p {fd, POLLIN, 0};
        unsigned char reponse[16];
        if (::poll(&p, 1, delai) > 0 && ::read(fd, reponse, sizeof reponse) < 0)
            break;
    }
}

// Async-signal-safe calls only (write, pthread_self, pthread_kill, poll,
// read, sigaction, raise).
extern "C" void surSignalDeFin(int n)
{
    const int erreur = errno;
    int etat = Aucune;
    if (etatFin.compare_exchange_strong(etat, EnAttente)) {
        const unsigned char b = static_cast<unsigned char>(n);
        const int fd = tubeEcriture.load();
        if (fd >= 0 && ::write(fd, &b, 1) == 1) {
            errno = erreur;
            return;
        }
        etat = EnAttente; // no way to hand it over: this handler ends the process
    }
    if (etat == EnAttente) {
        // Asked again before the event queue came to it. The stop bytes go
        // from the main thread, stopped where it stands, so that no byte of
        // its own crosses them.
        if (!pthread_equal(pthread_self(), filPrincipal)) {
            pthread_kill(filPrincipal, n);
        } else if (etatFin.compare_exchange_strong(etat, ParLeTraitant)) {
            envoieArretsDuTraitant();
            finitPar(n);
        }
    }
    // Otherwise the stop path runs already: its end ends the process.
    errno = erreur;
}

// Async-signal-safe calls only (write).
extern "C" void surSuspension(int n)
{
    const int erreur = errno;
    const unsigned char b = static_cast<unsigned char>(n);
    const int fd = tubeEcriture.load();
    // While the process ends, or with a suspension under way, nothing more.
    if (etatFin.load() == Aucune && fd >= 0 && !suspensionEnAttente.exchange(true) && ::write(fd, &b, 1) != 1)
        suspensionEnAttente = false;
    errno = erreur;
}

// Async-signal-safe calls only (those of envoieArretsDuTraitant, sigaction,
// raise).
extern "C" void surSignalFatal(int n)
{
    envoieArretsDuTraitant();
    finitPar(n);
}

extern "C" void aLaSortie() { Terminaison::arretSiActif(); }

// The handler of signal `n`, its old action kept in `ancien`. With
// `siDefaut` a signal that is ignored or already has a handler is left so.
void installe(int n, void (*traitant)(int), int drapeaux, bool siDefaut, struct sigaction& ancien)
{
    ::sigaction(n, nullptr, &ancien);
    if (siDefaut && ancien.sa_handler != SIG_DFL)
        return;
    struct sigaction a {};
    a.sa_handler = traitant;
    // The handlers of the end do not run inside one another.
    sigemptyset(&a.sa_mask);
    for (const int s : SignauxDeFin)
        sigaddset(&a.sa_mask, s);
    sigaddset(&a.sa_mask, SIGTSTP);
    a.sa_flags = drapeaux;
    ::sigaction(n, &a, nullptr);
}

} // namespace

Terminaison::Terminaison(Tracking& programme) : programme_(programme)
{
    filPrincipal = pthread_self();
    programmeActif = &programme;
    portActif = &programme.port();
    ligneActive = &programme.S.Pilotage.ligne();
    delaiReponseMs = programme.DelaiReponse;
    etatFin = Aucune;
    suspensionEnAttente = false;
    if (::pipe2(tube_, O_CLOEXEC | O_NONBLOCK) == 0) {
        tubeEcriture = tube_[1];
        lecteur_ = std::make_unique<QSocketNotifier>(tube_[0], QSocketNotifier::Read);
        connect(lecteur_.get(), &QSocketNotifier::activated, this, [this] { signalRecu(); });
    }
    for (const int n : SignauxDeFin)
        installe(n, surSignalDeFin, SA_RESTART, true, anciens_[n]);
    installe(SIGTSTP, surSuspension, SA_RESTART, true, anciens_[SIGTSTP]);
    for (const int n : SignauxFatals)
        installe(n, surSignalFatal, SA_RESETHAND, false, anciens_[n]);
    for (const int n : SignauxIgnores) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(n, &ignore, &anciens_[n]);
    }
    // An exit hook cannot be taken back: it looks for the program each time.
    static const bool accroche = std::atexit(aLaSortie) == 0;
    (void)accroche;
    std::set_terminate([] {
        Terminaison::arretSiActif();
        std::abort();
    });
}

Terminaison::~Terminaison()
{
    for (const int n : SignauxDeFin)
        ::sigaction(n, &anciens_[n], nullptr);
    for (const int n : SignauxFatals)
        ::sigaction(n, &anciens_[n], nullptr);
    for (const int n : SignauxIgnores)
        ::sigaction(n, &anciens_[n], nullptr);
    ::sigaction(SIGTSTP, &anciens_[SIGTSTP], nullptr);
    std::set_terminate(nullptr);
    programmeActif = nullptr;
    portActif = nullptr;
    ligneActive = nullptr;
    tubeEcriture = -1;
    lecteur_.reset();
    for (const int fd : tube_)
        if (fd >= 0)
            ::close(fd);
}

void Terminaison::arretSiActif()
{
    if (Tracking* p = programmeActif.load())
        p->S.ArretMoteursEtPort();
}

void Terminaison::signalRecu()
{
    unsigned char n = 0;
    if (::read(tube_[0], &n, 1) != 1)
        return;
    if (n == SIGTSTP)
        return suspension();
    int etat = EnAttente;
    if (!etatFin.compare_exchange_strong(etat, ParLaFile))
        return;
    programme_.S.ArretMoteursEtPort();
    // Then the signal ends the process as it would have without us.
    finitPar(n);
    std::_Exit(128 + n);
}

void Terminaison::suspension()
{
    // The controller held while the process stands: after the stop bytes,
    // nothing more on the line.
    programme_.Tient();
    programme_.ArretComplet();
    suspensionEnAttente = false;
    if (etatFin.load() != Aucune || programme_.termine()) {
        programme_.Relache();
        return;
    }
    // The process stops as it would have (the shell sees the job stopped;
    // in a process group that no shell watches the system discards the stop
    // and the program goes on), and goes on from here once continued.
    struct sigaction defaut {}, notre {};
    defaut.sa_handler = SIG_DFL;
    sigemptyset(&defaut.sa_mask);
    ::sigaction(SIGTSTP, &defaut, &notre);
    ::raise(SIGTSTP);
    ::sigaction(SIGTSTP, &notre, nullptr);
    programme_.Relache();
}
