// Planner's 31-day, 1-minute Moon-location table through its windows: the
// time from O.K. in the period dialog to the last table window shown. Then,
// with the runs timed, how promptly the program answers during a run: the
// longest time the event queue went unserved (a 1 ms timer's largest gap),
// and File > New posted in the middle of a run: how late it was handled,
// when the run stopped and when the station chooser was shown.
//
// Without accessibility it runs offscreen. With accessibility it must run
// where a real accessibility bridge is active: the offscreen platform has
// none (QAccessible::isActive() asks the platform plugin, and
// QAccessible::setActive() only tells observers), so bench/planner_accessible.sh
// runs this program on a virtual X display (Xvfb, nothing shown) with a
// D-Bus session and the AT-SPI bus, as a screen reader's user has them; every
// accessibility event then goes through Qt's AT-SPI bridge onto the bus.
//
//   bench_planner [--visible] [--runs N]
//     --visible   rows only while the Moon is up (default: every minute)
//     --runs N    repetitions (default 3); the best and the median are printed

#include "Planner/FeuilleChoixDate.h"
#include "Planner/FeuilleChoixFichier.h"
#include "Planner/FenetrePrevision.h"
#include "Planner/Form2.h"
#include "Planner/Planner.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/Printer.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {

// Processor time of this thread, seconds: on a loaded machine the wall time
// also counts the time the process waited for a processor.
double tempsProcesseur()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

struct Mesure {
    double horloge, processeur;
};

// What is measured: O.K. in the period dialog until the last window is shown
// and painted (its show and first paint handled). A function of its own, so
// that a profiler can confine itself to it:
//   valgrind --tool=callgrind --toggle-collect='*okJusquALaDerniereFenetre*' bench_planner --runs 1
[[gnu::noinline]] void okJusquALaDerniereFenetre(FeuilleChoixDate* d)
{
    d->BoutonOK->click();
    QApplication::processEvents();
}

// The station chosen and the period dialog filled in, ready for O.K.
FeuilleChoixDate* prepare(Planner& etat, bool visible)
{
    etat.feuilleChoixFichier()->BoutonHome->click();
    FeuilleChoixDate* d = etat.feuilleChoixDate();
    d->EditDateDeb->setText(QStringLiteral("01-05-2001"));
    d->EditTimeDeb->setText(QStringLiteral("00:00"));
    d->EditDateFin->setText(QStringLiteral("31-05-2001"));
    d->EditTimeFin->setText(QStringLiteral("23:59"));
    d->AffStep->setText(QStringLiteral("1"));
    d->OptionLune[visible ? 1 : 0]->setChecked(true);
    QApplication::processEvents();
    return d;
}

Mesure unePeriode(Planner& etat, bool visible)
{
    FeuilleChoixDate* d = prepare(etat, visible);
    QElapsedTimer t;
    t.start();
    const double p0 = tempsProcesseur();
    okJusquALaDerniereFenetre(d);
    const Mesure m{t.nsecsElapsed() / 1e9, tempsProcesseur() - p0};
    int fenetres = 0;
    for (int i : etat.TablesPrevisionRemplies())
        fenetres += etat.fenetrePrevision(i)->isVisible();
    std::printf("    %.3f s (processor %.3f s), %d windows shown\n", m.horloge, m.processeur, fenetres);
    etat.form2()->MenuFichier_Click(1); // File > New: back to the station chooser
    return m;
}

// A whole run with a 1 ms precise timer: the gaps between its firings are
// the times the event queue went unserved.
void attentes(Planner& etat, bool visible)
{
    FeuilleChoixDate* d = prepare(etat, visible);
    QElapsedTimer t;
    std::vector<double> ecarts;
    qint64 precedent = -1;
    QTimer tic;
    tic.setTimerType(Qt::PreciseTimer);
    tic.setInterval(1);
    QObject::connect(&tic, &QTimer::timeout, [&] {
        const qint64 n = t.nsecsElapsed();
        if (precedent >= 0)
            ecarts.push_back((n - precedent) / 1e6);
        precedent = n;
    });
    t.start();
    tic.start();
    okJusquALaDerniereFenetre(d);
    tic.stop();
    std::sort(ecarts.begin(), ecarts.end());
    if (ecarts.empty())
        std::printf("  event queue: never served during the run\n");
    else
        std::printf("  event queue during a run: %zu passes of a 1 ms timer, gap median %.2f ms, longest %.2f ms\n",
                    ecarts.size() + 1, ecarts[ecarts.size() / 2], ecarts.back());
    etat.form2()->MenuFichier_Click(1);
}

// File > New due `au` ms after O.K.: when it is handled, when the run
// stops (O.K.'s handler returns) and when the station chooser has been shown
// with the tables gone.
void nouveauPendant(Planner& etat, bool visible, double au)
{
    FeuilleChoixDate* d = prepare(etat, visible);
    QElapsedTimer t;
    double traite = -1;
    QTimer::singleShot(int(au), Qt::PreciseTimer, etat.form2(), [&] {
        traite = t.nsecsElapsed() / 1e6;
        etat.form2()->MenuFichier_Click(1);
    });
    t.start();
    d->BoutonOK->click();
    const double arret = t.nsecsElapsed() / 1e6;
    QApplication::processEvents();
    const double montre = t.nsecsElapsed() / 1e6;
    int tables = 0;
    for (int i : etat.TablesPrevisionRemplies())
        tables += etat.fenetrePrevision(i)->isVisible();
    if (traite < 0)
        std::printf("  File > New at %.0f ms: not handled before the run ended (%.2f ms)\n", au, arret);
    else
        std::printf("  File > New due at %.0f ms: handled at %.2f ms, run stopped %.2f ms after it, station chooser %s "
                    "%.2f ms after it, %d tables shown\n",
                    au, traite, arret - traite, etat.feuilleChoixFichier()->isVisible() ? "shown" : "NOT shown",
                    montre - traite, tables);
    if (!etat.feuilleChoixFichier()->isVisible())
        etat.form2()->MenuFichier_Click(1);
}

void cas(const char* nom, Planner& etat, bool visible, int runs)
{
    std::printf("%s\n", nom);
    std::vector<double> t, p;
    for (int i = 0; i < runs; ++i) {
        const Mesure m = unePeriode(etat, visible);
        t.push_back(m.horloge);
        p.push_back(m.processeur);
    }
    std::sort(t.begin(), t.end());
    std::sort(p.begin(), p.end());
    std::printf("  best %.3f s, median %.3f s; processor best %.3f s, median %.3f s\n", t.front(), t[t.size() / 2],
                p.front(), p[p.size() / 2]);
    attentes(etat, visible);
    nouveauPendant(etat, visible, 1000 * t[t.size() / 2] / 2);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool visible = false;
    int runs = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--visible"))
            visible = true;
        else if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
    }
    QTemporaryDir dossier;
    for (const char* f : {"home.dat", "DXCCPREF.DBR", "Planner.ini"})
        QFile::copy(QStringLiteral(SELVANE_STATION_DIR "/") + QLatin1String(f), dossier.filePath(QLatin1String(f)));
    platform::ScriptedDialogs boites;
    platform::ManualClock horloge(QDateTime(QDate(2001, 5, 1), QTime(10, 30, 0)));
    platform::RecordingPrinter imprimante;
    Planner etat(boites, horloge, dossier.path(), [] {});
    etat.Imprimante = &imprimante;
    etat.Main();
    // The bridge of a running screen reader may take a moment to report
    // itself; the offscreen platform has none to wait for.
    QElapsedTimer attente;
    attente.start();
    while (QGuiApplication::platformName() != QLatin1String("offscreen") && !QAccessible::isActive() &&
           attente.elapsed() < 2000) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    std::printf("31 days at 1 minute, %s, platform %s, accessibility %s\n", visible ? "Moon visible" : "always",
                qPrintable(QGuiApplication::platformName()), QAccessible::isActive() ? "active" : "off");
    cas(QAccessible::isActive() ? "with accessibility active" : "without accessibility", etat, visible, runs);
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    std::printf("peak resident size %ld kB\n", r.ru_maxrss);
    return 0;
}
