// A listening client of the AT-SPI bus, as a screen reader is one: it
// registers for every object, window and focus event, so that the
// accessibility bridge of a program on the bus sends them all, and receives
// them. Runs until it is ended; on SIGTERM or SIGINT it prints how many
// events it received. Used by bench/planner_accessible.sh --listener.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int fin[2];

class Ecoute : public QObject {
    Q_OBJECT
public:
    long evenements = 0;
public slots:
    void evenement(const QDBusMessage&) { ++evenements; }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QDBusReply<QString> adresse =
        QDBusInterface(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus"))
            .call(QStringLiteral("GetAddress"));
    if (!adresse.isValid()) {
        std::fprintf(stderr, "atspi_listener: no AT-SPI bus on the session bus\n");
        return 1;
    }
    QDBusConnection bus = QDBusConnection::connectToBus(adresse.value(), QStringLiteral("a11y"));
    if (!bus.isConnected()) {
        std::fprintf(stderr, "atspi_listener: the AT-SPI bus cannot be reached\n");
        return 1;
    }
    Ecoute ecoute;
    // The events of every kind a screen reader follows.
    const char* const genres[] = {"Object", "Window", "Focus"};
    const char* const noms[] = {"PropertyChange", "StateChanged", "ChildrenChanged", "TextChanged",
                                "TextCaretMoved", "TextSelectionChanged", "BoundsChanged", "VisibleDataChanged",
                                "ActiveDescendantChanged", "SelectionChanged", "ModelChanged", "RowInserted",
                                "RowDeleted", "ColumnInserted", "ColumnDeleted", "Create", "Destroy", "Activate",
                                "Deactivate", "Minimize", "Restore", "Focus"};
    for (const char* g : genres)
        for (const char* n : noms)
            bus.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.") + QLatin1String(g),
                        QLatin1String(n), &ecoute, SLOT(evenement(QDBusMessage)));
    QDBusInterface registre(QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
                            QStringLiteral("org.a11y.atspi.Registry"), bus);
    for (const char* e : {"object:", "window:", "focus:"})
        registre.call(QStringLiteral("RegisterEvent"), QString::fromLatin1(e));
    std::printf("atspi_listener: registered for object, window and focus events\n");
    std::fflush(stdout);

    // Ended by a signal: the count, then the end.
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, fin) != 0)
        return 1;
    auto quitte = [](int) {
        const char c = 1;
        (void)!write(fin[0], &c, 1);
    };
    std::signal(SIGTERM, quitte);
    std::signal(SIGINT, quitte);
    QSocketNotifier n(fin[1], QSocketNotifier::Read);
    QObject::connect(&n, &QSocketNotifier::activated, &app, [&] {
        std::printf("atspi_listener: %ld events received\n", ecoute.evenements);
        std::fflush(stdout);
        app.quit();
    });
    return app.exec();
}

#include "atspi_listener.moc"
