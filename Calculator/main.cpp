// Brulvane, the EME link-budget calculator. Started in the station folder:
// no command line, no environment.

#include "Calculator/Brulvane.h"
#include "platform/widgets/Window.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::pressFocusedButtonOnReturn();
    // The program ends only through Brulvane::FinProgramme.
    app.setQuitOnLastWindowClosed(false);
    platform::QtDialogs dialogs;
    platform::SystemClock clock;
    Brulvane etat(dialogs, clock, QDir::currentPath(), [] { QCoreApplication::exit(0); });
    etat.Main();
    if (etat.ProgrammeTermine)
        return 0;
    return app.exec();
}
