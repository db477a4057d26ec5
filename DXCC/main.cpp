// Veskaro: edits the prefix database "DXCCPREF.DBR" of the current folder.

#include <QApplication>
#include <QDir>

#include "DXCC/Veskaro.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/widgets/Window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::pressFocusedButtonOnReturn();
    // Windows are hidden and shown, never closed; only the quit question ends the program.
    app.setQuitOnLastWindowClosed(false);
    platform::QtDialogs dialogs;
    platform::SystemClock clock;
    Veskaro veskaro(dialogs, clock, QDir::currentPath());
    veskaro.Main();
    if (veskaro.ProgrammeTermine)
        return 0;
    return app.exec();
}
