// Tracking, the real-time antenna control: follows the Moon, the Sun, a radio
// source or a typed position with the station's antenna through the
// interface box, in the current folder's station set-up.
#include "Tracking/FenetresTracking.h"
#include "Tracking/Terminaison.h"
#include "Tracking/Tracking.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/widgets/ScreenReader.h"

#include <QApplication>
#include <QDir>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    platform::installScreenReaderLayer();
    platform::QtDialogs dialogs;
    platform::SystemClock clock;
    // The program ends at once once the port is closed: no further window event runs.
    Tracking programme(dialogs, clock, QDir::currentPath(), [] { std::exit(0); });
    // The drive controller and the line on a thread of their own: the
    // windows answer at once while tracking, and a busy window cannot
    // stretch a cycle.
    programme.Autonome = true;
    // However else the process ends (a signal, the display going away, an
    // error no one traps, a crash), the drives get their stop bytes first.
    FenetresTracking fenetres(programme);
    Terminaison fins(programme);
    programme.Main();
    programme.executer();
    return 0;
}
