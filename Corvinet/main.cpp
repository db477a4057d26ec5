// Corvinet, the station set-up editor: edits, checks and saves the station
// set-up files (*.dat) of the current folder.
#include "Corvinet/Corvinet.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/widgets/Window.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::pressFocusedButtonOnReturn();
    app.setQuitOnLastWindowClosed(false);
    platform::QtDialogs dialogs;
    platform::SystemClock clock;
    Corvinet programme(dialogs, clock, QDir::currentPath(), [] { QCoreApplication::exit(0); });
    programme.Main();
    if (programme.termine()) return 0;
    return app.exec();
}
