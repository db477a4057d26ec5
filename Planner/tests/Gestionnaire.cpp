#include "Gestionnaire.h"

#include "platform/testing/QtTestApp.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <fcntl.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <poll.h>
#include <sys/prctl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace gestionnaire {

namespace {

pid_t serveur = -1, gestionnaireFenetres = -1;
QString pourquoi = QStringLiteral("not started");
bool enMarche = false;

xcb_connection_t* connexion() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t racine(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

xcb_atom_t atome(xcb_connection_t* c, const char* nom) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(nom)), nom), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

// A message to the window manager about window `w`, sent to the root window
// as a task bar or pager sends it.
void message(QWidget* w, const char* type, uint32_t d0, uint32_t d1) {
    xcb_connection_t* c = connexion();
    if (!c)
        return;
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = xcb_window_t(w->winId());
    e.type = atome(c, type);
    e.data.data32[0] = d0;
    e.data.data32[1] = d1;
    xcb_send_event(c, 0, racine(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&e));
    xcb_flush(c);
}

// Serves the event queue until `fait` holds, 5 seconds at most (a loaded machine).
void attends(const std::function<bool()>& fait) {
    QElapsedTimer t;
    t.start();
    while (!fait() && t.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

// Starts `arguments` with its output on `sortie` (and the write end of a pipe
// as descriptor 3 when `tube` >= 0); the child ends with this process, even
// when this one is killed.
pid_t lance(const std::vector<std::string>& arguments, int tube) {
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(127);
    const int rien = open("/dev/null", O_RDWR);
    dup2(rien, 1);
    dup2(rien, 2);
    if (tube >= 0)
        dup2(tube, 3);
    execvp(argv[0], argv.data());
    _exit(127);
}

void arrete(pid_t& pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

// Xvfb on a free display, which it names on a pipe; then openbox on it; then
// the application there; then the window manager's sign that it runs.
void demarre() {
    int tube[2];
    if (pipe(tube) != 0) {
        pourquoi = QStringLiteral("no pipe");
        return;
    }
    serveur = lance({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, tube[1]);
    close(tube[1]);
    if (serveur < 0) {
        close(tube[0]);
        pourquoi = QStringLiteral("Xvfb cannot be started (is the xvfb package installed?)");
        return;
    }
    std::string numero;
    pollfd p{tube[0], POLLIN, 0};
    char car = 0;
    while (poll(&p, 1, 20000) > 0 && read(tube[0], &car, 1) == 1 && car != '\n')
        numero += car;
    close(tube[0]);
    if (numero.empty()) {
        pourquoi = QStringLiteral("Xvfb did not start a display (is the xvfb package installed?)");
        return;
    }
    const std::string affichage = ":" + numero;
    setenv("DISPLAY", affichage.c_str(), 1);
    gestionnaireFenetres = lance({"openbox", "--sm-disable"}, -1);
    if (gestionnaireFenetres < 0) {
        pourquoi = QStringLiteral("openbox cannot be started (is the openbox package installed?)");
        return;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    platform::testing::application();
    xcb_connection_t* c = connexion();
    if (!c) {
        pourquoi = QStringLiteral("the application is not on the X display ") + QString::fromStdString(affichage);
        return;
    }
    // A window manager that runs names its check window on the root window.
    const xcb_atom_t verif = atome(c, "_NET_SUPPORTING_WM_CHECK");
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20000) {
        xcb_get_property_reply_t* r =
            xcb_get_property_reply(c, xcb_get_property(c, 0, racine(c), verif, XCB_ATOM_WINDOW, 0, 1), nullptr);
        const bool pret = r && xcb_get_property_value_length(r) == 4;
        std::free(r);
        if (pret) {
            enMarche = true;
            return;
        }
        int etat = 0;
        if (waitpid(gestionnaireFenetres, &etat, WNOHANG) == gestionnaireFenetres) {
            gestionnaireFenetres = -1;
            pourquoi = QStringLiteral("openbox ended at its start (is the openbox package installed?)");
            return;
        }
        QThread::msleep(20);
    }
    pourquoi = QStringLiteral("openbox did not take the display within 20 seconds");
}

} // namespace

bool actif() { return enMarche; }
QString raison() { return pourquoi; }

void calme() {
    xcb_connection_t* c = connexion();
    QElapsedTimer t;
    t.start();
    // Three passes in a row with nothing to do, after a round trip to the
    // server each (what was asked of it is done), 3 seconds at most.
    for (int calmes = 0; calmes < 3 && t.elapsed() < 3000;) {
        if (c)
            std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        QThread::msleep(2);
        const bool fait = QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents);
        calmes = fait ? 0 : calmes + 1;
    }
}

// A window may go while the program handles what the window manager did
// (a table window closed): each waits on a guarded pointer.
void minimise(QWidget* fenetre) {
    const QPointer<QWidget> w(fenetre);
    message(w, "WM_CHANGE_STATE", 3 /* IconicState */, 0);
    attends([w] { return !w || w->isMinimized() || !w->isVisible(); });
    calme();
}

void restaure(QWidget* fenetre) {
    const QPointer<QWidget> w(fenetre);
    message(w, "_NET_ACTIVE_WINDOW", 2 /* from a task bar */, 0);
    attends([w] { return !w || !w->isMinimized(); });
    calme();
}

void ferme(QWidget* fenetre) {
    const QPointer<QWidget> w(fenetre);
    // Done when the close request has reached the window.
    struct Compte : QObject {
        int fermetures = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            fermetures += e->type() == QEvent::Close;
            return false;
        }
    } compte;
    w->installEventFilter(&compte);
    message(w, "_NET_CLOSE_WINDOW", 0, 2 /* from a task bar */);
    attends([&] { return !w || compte.fermetures > 0; });
    if (w)
        w->removeEventFilter(&compte);
    calme();
}

} // namespace gestionnaire

// The test executable's own start: the display and the window manager
// first, except when the tests are only listed.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    bool liste = false;
    for (int i = 1; i < argc; ++i)
        liste = liste || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    if (!liste)
        gestionnaire::demarre();
    const int r = RUN_ALL_TESTS();
    std::fflush(nullptr);
    gestionnaire::arrete(gestionnaire::gestionnaireFenetres);
    gestionnaire::arrete(gestionnaire::serveur);
    // The application, kept to the end, would now find its display gone:
    // the process ends without destroying it.
    std::_Exit(r);
}
