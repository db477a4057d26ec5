#pragma once
// The start of a program of the suite, the same for each: one application
// that a closed window does not end (windows are hidden and shown, never
// closed; only the quit question ends a program), Return pressing the focused
// button, the screen-reader layer, the Qt dialogs and the system clock.

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/widgets/ScreenReader.h"
#include "platform/widgets/Window.h"

#include <QApplication>

namespace platform {

// `make(dialogs, clock)` builds the program's state object (a unique_ptr),
// whose Main() shows the start window; `ended(state)` says whether the
// program already ended inside Main(). Returns the exit code.
template <class Make, class Ended>
int runProgram(int argc, char** argv, Make make, Ended ended)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    pressFocusedButtonOnReturn();
    installScreenReaderLayer();
    QtDialogs dialogs;
    SystemClock clock;
    auto programme = make(dialogs, clock);
    programme->Main();
    if (ended(*programme))
        return 0;
    return app.exec();
}

} // namespace platform
