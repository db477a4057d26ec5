// accessibility_probe: a small AT-SPI client that talks to a running program
// through the accessibility bus as a screen reader does, one call at a time,
// and measures how fast the program answers.
//
//   accessibility_probe STEP...
//
// Steps, run in order (times in seconds):
//   app NAME [WAIT]        the application to talk to, by its accessible name
//                          ("Tracking", "Planner"); waits up to WAIT (default
//                          30) until it is on the bus
//   press NAME [WAIT]      does the first action (Press) of the control named
//                          NAME, waiting up to WAIT (default 30) until it is
//                          there; prints how long finding it took
//   wait NAME [WAIT]       waits until a shown window's name starts with NAME
//   sleep S                waits S seconds
//   calls S [LABEL]        sequential calls for S seconds, as a screen reader
//                          following the focus makes them (Name, GetRole,
//                          GetState, ChildCount, GetChildAtIndex) on the shown
//                          windows and their controls; prints the calls
//                          answered per second and the slowest answer
//   read [LABEL]           reads every shown window whole (each node's name,
//                          role, state and children); prints per window the
//                          nodes, the calls and the time
//   listen S               registers for every object, window and focus event
//                          as a listening screen reader does and counts the
//                          events for S seconds (0: until SIGTERM or SIGINT)
//
// Each figure is one line on standard output:
//   calls LABEL: 2345 in 5.00 s = 469.0/s, slowest 0.021 s
//   read LABEL "Window name": 212 nodes, 1060 calls in 0.41 s
//   press "Park": found in 0.12 s
//   listen: 5123 events in 60.0 s
// A failure prints "error: ..." on standard error and ends with status 1.
//
// It needs the session's D-Bus and the AT-SPI bus (at-spi-bus-launcher), and
// the program started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (or any
// listening client): see bench/tracking_accessible.sh and
// bench/planner_accessible.sh.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const QString Accessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString Action = QStringLiteral("org.a11y.atspi.Action");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr int CallTimeoutMs = 120000; // a busy program may take long; a dead one is an error
constexpr int MaxNodes = 50000;       // bounds on a walk, against a tree that never ends
constexpr int MaxDepth = 64;
constexpr unsigned StateShowing = 25; // AT-SPI state bit

[[noreturn]] void fail(const QString& text)
{
    std::fprintf(stderr, "error: %s\n", qPrintable(text));
    std::exit(1);
}

// One accessible object: the bus name of its application and its path.
struct Node {
    QString service;
    QString path;
};

// The calls a screen reader makes, each one blocking until answered, counted
// and timed.
class Client {
public:
    explicit Client(const QDBusConnection& bus) : bus_(bus) {}

    long long calls() const { return calls_; }
    double slowest() const { return slowest_; }
    void resetCounts()
    {
        calls_ = 0;
        slowest_ = 0;
    }

    QString name(const Node& n) { return property(n, QStringLiteral("Name")).toString(); }
    int childCount(const Node& n) { return property(n, QStringLiteral("ChildCount")).toInt(); }
    unsigned role(const Node& n) { return call(n, Accessible, QStringLiteral("GetRole")).toUInt(); }
    // The state set, two 32-bit words.
    std::vector<unsigned> state(const Node& n)
    {
        const QDBusArgument arg = call(n, Accessible, QStringLiteral("GetState")).value<QDBusArgument>();
        std::vector<unsigned> words;
        arg.beginArray();
        while (!arg.atEnd()) {
            unsigned w = 0;
            arg >> w;
            words.push_back(w);
        }
        arg.endArray();
        return words;
    }
    bool showing(const Node& n)
    {
        const std::vector<unsigned> s = state(n);
        return s.size() > StateShowing / 32 && (s[StateShowing / 32] >> (StateShowing % 32) & 1u);
    }
    Node child(const Node& n, int index)
    {
        const QDBusArgument arg =
            call(n, Accessible, QStringLiteral("GetChildAtIndex"), {index}).value<QDBusArgument>();
        Node c;
        QDBusObjectPath path;
        arg.beginStructure();
        arg >> c.service >> path;
        arg.endStructure();
        c.path = path.path();
        return c;
    }
    bool doAction(const Node& n, int index)
    {
        return call(n, Action, QStringLiteral("DoAction"), {index}).toBool();
    }

private:
    QVariant property(const Node& n, const QString& name)
    {
        return call(n, Properties, QStringLiteral("Get"), {Accessible, name}).value<QDBusVariant>().variant();
    }
    QVariant call(const Node& n, const QString& interface, const QString& method, const QVariantList& args = {})
    {
        QDBusMessage m = QDBusMessage::createMethodCall(n.service, n.path, interface, method);
        m.setArguments(args);
        QElapsedTimer t;
        t.start();
        const QDBusMessage reply = bus_.call(m, QDBus::Block, CallTimeoutMs);
        ++calls_;
        slowest_ = std::max(slowest_, double(t.nsecsElapsed()) * 1e-9);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            fail(QStringLiteral("%1 on %2 %3: %4").arg(method, n.service, n.path, reply.errorMessage()));
        return reply.arguments().at(0);
    }

    QDBusConnection bus_;
    long long calls_ = 0;
    double slowest_ = 0;
};

QDBusConnection accessibilityBus()
{
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        fail(QStringLiteral("no D-Bus session bus"));
    const QDBusMessage reply = session.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus"),
        QStringLiteral("GetAddress")));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        fail(QStringLiteral("no accessibility bus: ") + reply.errorMessage());
    QDBusConnection bus =
        QDBusConnection::connectToBus(reply.arguments().at(0).toString(), QStringLiteral("accessibility"));
    if (!bus.isConnected())
        fail(QStringLiteral("cannot connect to the accessibility bus"));
    return bus;
}

const Node Registry {QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/accessible/root")};

double seconds(const QElapsedTimer& t) { return double(t.nsecsElapsed()) * 1e-9; }

void sleepSeconds(double s)
{
    QThread::usleep(static_cast<unsigned long>(std::clamp(std::isfinite(s) ? s : 0.0, 0.0, 3600.0) * 1e6));
}

// Counts the events a listening client receives.
class Listener : public QObject {
    Q_OBJECT
public:
    long long events = 0;
public slots:
    void event(const QDBusMessage&) { ++events; }
};

int signalPipe[2] = {-1, -1};
extern "C" void onSignal(int n)
{
    const char b = char(n);
    [[maybe_unused]] auto w = ::write(signalPipe[1], &b, 1);
}

class Probe {
public:
    Probe() : bus_(accessibilityBus()), client_(bus_) {}

    void app(const QString& name, double wait)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            const int n = client_.childCount(Registry);
            for (int i = 0; i < n; ++i) {
                const Node a = client_.child(Registry, i);
                if (client_.name(a) == name) {
                    app_ = a;
                    return;
                }
            }
            if (seconds(t) > wait)
                fail(QStringLiteral("no application named \"%1\" on the accessibility bus").arg(name));
            sleepSeconds(0.2);
        }
    }

    void press(const QString& name, double wait)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            Node found;
            walk(app(), MaxDepth, [&](const Node& n) {
                if (client_.name(n) != name)
                    return true;
                found = n;
                return false;
            });
            if (!found.path.isEmpty()) {
                std::printf("press \"%s\": found in %.2f s\n", qPrintable(name), seconds(t));
                std::fflush(stdout);
                client_.doAction(found, 0);
                return;
            }
            if (seconds(t) > wait)
                fail(QStringLiteral("no control named \"%1\"").arg(name));
            sleepSeconds(0.2);
        }
    }

    void waitWindow(const QString& prefix, double wait)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            for (const Node& w : shownWindows())
                if (client_.name(w).startsWith(prefix))
                    return;
            if (seconds(t) > wait)
                fail(QStringLiteral("no shown window named \"%1...\"").arg(prefix));
            sleepSeconds(0.2);
        }
    }

    void calls(double duration, const QString& label)
    {
        // The shown windows and their controls, gathered before the timing.
        std::vector<Node> nodes;
        for (const Node& w : shownWindows())
            walk(w, 2, [&](const Node& n) {
                nodes.push_back(n);
                return nodes.size() < 500;
            });
        if (nodes.empty())
            fail(QStringLiteral("no shown window to call"));
        client_.resetCounts();
        QElapsedTimer t;
        t.start();
        for (std::size_t i = 0; seconds(t) < duration; ++i) {
            const Node& n = nodes[i % nodes.size()];
            client_.name(n);
            client_.role(n);
            client_.state(n);
            if (client_.childCount(n) > 0)
                client_.child(n, 0);
        }
        const double s = seconds(t);
        std::printf("calls %s: %lld in %.2f s = %.1f/s, slowest %.3f s\n", qPrintable(label), client_.calls(), s,
                    double(client_.calls()) / s, client_.slowest());
        std::fflush(stdout);
    }

    void read(const QString& label)
    {
        for (const Node& w : shownWindows()) {
            const QString title = client_.name(w);
            client_.resetCounts();
            QElapsedTimer t;
            t.start();
            int nodes = 0;
            walk(w, MaxDepth, [&](const Node& n) {
                ++nodes;
                client_.name(n);
                client_.role(n);
                client_.state(n);
                return true;
            });
            std::printf("read %s \"%s\": %d nodes, %lld calls in %.2f s, slowest %.3f s\n", qPrintable(label),
                        qPrintable(title), nodes, client_.calls(), seconds(t), client_.slowest());
            std::fflush(stdout);
        }
    }

    void listen(double duration)
    {
        // A listening screen reader tells the registry which events it wants;
        // the program's bridge sends only those.
        const Node registry {QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry")};
        for (const char* e : {"object:", "window:", "focus:"}) {
            QDBusMessage m = QDBusMessage::createMethodCall(registry.service, registry.path,
                                                            QStringLiteral("org.a11y.atspi.Registry"),
                                                            QStringLiteral("RegisterEvent"));
            m.setArguments({QString::fromLatin1(e)});
            bus_.call(m, QDBus::Block, CallTimeoutMs);
        }
        Listener listener;
        for (const char* kind : {"Object", "Window", "Focus"})
            bus_.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.") + QLatin1String(kind),
                         QString(), &listener, SLOT(event(QDBusMessage)));
        if (::pipe(signalPipe) != 0)
            fail(QStringLiteral("pipe"));
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
        QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(&notifier, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
        if (duration > 0)
            QTimer::singleShot(int(std::clamp(std::isfinite(duration) ? duration : 0.0, 0.0, 86400.0) * 1000), [] { QCoreApplication::quit(); });
        QElapsedTimer t;
        t.start();
        QCoreApplication::exec();
        std::printf("listen: %lld events in %.1f s\n", listener.events, seconds(t));
        std::fflush(stdout);
    }

private:
    const Node& app() const
    {
        if (app_.path.isEmpty())
            fail(QStringLiteral("no application: give \"app NAME\" first"));
        return app_;
    }

    std::vector<Node> shownWindows()
    {
        std::vector<Node> windows;
        const int n = client_.childCount(app());
        for (int i = 0; i < n; ++i) {
            const Node w = client_.child(app(), i);
            if (client_.showing(w))
                windows.push_back(w);
        }
        return windows;
    }

    // Breadth first from `root` (depth 0) down to `maxDepth`, as a screen
    // reader reads: each node's child count, then each child by its index.
    // `visit` returns false to end the walk there.
    void walk(const Node& root, int maxDepth, const std::function<bool(const Node&)>& visit)
    {
        std::deque<std::pair<Node, int>> queue {{root, 0}};
        int seen = 0;
        while (!queue.empty() && seen++ < MaxNodes) {
            const auto [n, depth] = queue.front();
            queue.pop_front();
            if (!visit(n))
                return;
            if (depth >= maxDepth)
                continue;
            const int count = client_.childCount(n);
            for (int i = 0; i < count; ++i)
                queue.push_back({client_.child(n, i), depth + 1});
        }
    }

    QDBusConnection bus_;
    Client client_;
    Node app_;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList a = application.arguments().mid(1);
    if (a.isEmpty() || a.first() == QLatin1String("--help")) {
        std::printf("usage: accessibility_probe STEP... (see the head of bench/accessibility_probe.cpp)\n"
                    "  app NAME [WAIT] | press NAME [WAIT] | wait NAME [WAIT] | sleep S |\n"
                    "  calls S [LABEL] | read [LABEL] | listen S\n");
        return a.isEmpty() ? 2 : 0;
    }
    Probe probe;
    // An optional number after a step's own arguments.
    auto number = [&](int& i, double otherwise) {
        bool ok = false;
        const double v = i + 1 < a.size() ? a[i + 1].toDouble(&ok) : 0.0;
        if (!ok)
            return otherwise;
        ++i;
        return v;
    };
    auto text = [&](int& i) {
        if (i + 1 >= a.size())
            fail(QStringLiteral("%1 needs an argument").arg(a[i]));
        return a[++i];
    };
    // A label: the next word unless it is a step.
    const QStringList steps {"app", "press", "wait", "sleep", "calls", "read", "listen"};
    auto label = [&](int& i) { return i + 1 < a.size() && !steps.contains(a[i + 1]) ? a[++i] : QString(); };
    for (int i = 0; i < a.size(); ++i) {
        const QString& step = a[i];
        if (step == QLatin1String("app")) {
            const QString name = text(i);
            probe.app(name, number(i, 30));
        } else if (step == QLatin1String("press")) {
            const QString name = text(i);
            probe.press(name, number(i, 30));
        } else if (step == QLatin1String("wait")) {
            const QString name = text(i);
            probe.waitWindow(name, number(i, 30));
        } else if (step == QLatin1String("sleep")) {
            sleepSeconds(number(i, 1));
        } else if (step == QLatin1String("calls")) {
            const double s = number(i, 5);
            probe.calls(s, label(i));
        } else if (step == QLatin1String("read")) {
            probe.read(label(i));
        } else if (step == QLatin1String("listen")) {
            probe.listen(number(i, 0));
        } else {
            fail(QStringLiteral("unknown step \"%1\"").arg(step));
        }
    }
    return 0;
}

#include "accessibility_probe.moc"
