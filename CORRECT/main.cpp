// Correct: edits a station's tracking correction table in the current folder.

#include <QApplication>
#include <QDir>

#include "CORRECT/Correct.h"
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
    Correct correct(dialogs, clock, QDir::currentPath());
    correct.Main();
    if (correct.ProgrammeTermine)
        return 0;
    return app.exec();
}
