// Planner: planning tables and maps for an EME station. Started in the
// station folder: no command line, no environment.

#include "Planner/Planner.h"
#include "platform/widgets/Window.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::pressFocusedButtonOnReturn();
    app.setQuitOnLastWindowClosed(false);
    platform::QtDialogs dialogs;
    platform::SystemClock clock;
    Planner etat(dialogs, clock, QDir::currentPath(), [] { QCoreApplication::exit(0); });
    etat.Main();
    if (etat.ProgrammeTermine)
        return 0;
    return app.exec();
}
