#include "Tracking/Terminaison.h"

#include "Tracking/Tracking.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <exception>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// The only way a signal handler, an exit hook and a terminate handler (which
// take no argument) reach the program: set by the one Terminaison while it
// lives, lock-free atomics so that a handler may read them.
std::atomic<Tracking*> programmeActif{nullptr};
std::atomic<const platform::SerialPort*> portActif{nullptr};
std::atomic<int> tubeEcriture{-1};
// A signal of the ending set has been handed to the event queue.
volatile std::sig_atomic_t signalEnAttente = 0;

constexpr int SignauxDeFin[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
constexpr int SignauxFatals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// Async-signal-safe calls only (write, signal, raise).
extern "C" void surSignalDeFin(int n)
{
    const int erreur = errno;
    const unsigned char b = static_cast<unsigned char>(n);
    const int fd = tubeEcriture.load();
    if (signalEnAttente || fd < 0 || ::write(fd, &b, 1) != 1) {
        // Asked a second time (the program has not come to it), or no way to
        // hand it over: the signal's own action, at once.
        std::signal(n, SIG_DFL);
        std::raise(n);
    }
    signalEnAttente = 1;
    errno = erreur;
}

// Async-signal-safe calls only (write, poll, read, signal, raise). Both stop
// bytes, each waiting its reply up to the reply limit; a relay or drive that
// is off already takes its stop byte as a no-op. The signal may have come in
// the middle of an exchange: its reply is awaited first, so that no stop
// byte meets a box still busy with the byte before.
extern "C" void surSignalFatal(int n)
{
    const platform::SerialPort* port = portActif.load();
    const int fd = port ? port->nativeHandle() : -1;
    if (fd >= 0) {
        pollfd attente {fd, POLLIN, 0};
        unsigned char due[16];
        if (::poll(&attente, 1, suivi::DelaiReponseMs) > 0)
            (void)!::read(fd, due, sizeof due);
        for (const unsigned char b : {static_cast<unsigned char>(0x10), static_cast<unsigned char>(0x00)}) {
            if (::write(fd, &b, 1) != 1)
                break;
            pollfd p {fd, POLLIN, 0};
            unsigned char reponse[16];
            if (::poll(&p, 1, suivi::DelaiReponseMs) > 0 && ::read(fd, reponse, sizeof reponse) < 0)
                break;
        }
    }
    std::signal(n, SIG_DFL);
    std::raise(n);
}

extern "C" void aLaSortie() { Terminaison::arretSiActif(); }

template <std::size_t N>
void installe(const int (&signaux)[N], void (*traitant)(int), int drapeaux)
{
    struct sigaction a {};
    a.sa_handler = traitant;
    sigemptyset(&a.sa_mask);
    a.sa_flags = drapeaux;
    for (const int n : signaux)
        ::sigaction(n, &a, nullptr);
}

} // namespace

Terminaison::Terminaison(Tracking& programme) : programme_(programme)
{
    programmeActif = &programme;
    portActif = &programme.port();
    if (::pipe2(tube_, O_CLOEXEC | O_NONBLOCK) == 0) {
        tubeEcriture = tube_[1];
        lecteur_ = std::make_unique<QSocketNotifier>(tube_[0], QSocketNotifier::Read);
        connect(lecteur_.get(), &QSocketNotifier::activated, this, [this] { signalRecu(); });
    }
    installe(SignauxDeFin, surSignalDeFin, SA_RESTART);
    installe(SignauxFatals, surSignalFatal, SA_RESETHAND);
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
        std::signal(n, SIG_DFL);
    for (const int n : SignauxFatals)
        std::signal(n, SIG_DFL);
    std::set_terminate(nullptr);
    programmeActif = nullptr;
    portActif = nullptr;
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
    programme_.S.ArretMoteursEtPort();
    // Then the signal ends the process as it would have without us.
    std::signal(n, SIG_DFL);
    std::raise(n);
    std::_Exit(128 + n);
}
