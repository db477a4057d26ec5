#pragma once
// The program's windows under a real window manager: the test executable
// starts its own virtual X display (Xvfb) and a light window manager
// (openbox) on it, and runs on that display. The window manager's own
// minimise, restore and close are asked of it as a task bar asks them (the
// messages of the X window-manager conventions), so the program sees them
// exactly as when the operator uses a title bar.

#include <QString>

class QWidget;

namespace gestionnaire {

// True while the display and the window manager run and the application is
// on them; else false, and raison() says why (the tests are then skipped).
bool actif();
QString raison();

// Through the window manager: minimise `w`, restore it (activate it from
// the task bar), close it (its close box). Each waits, within a few seconds,
// until the program has received what the window manager did.
void minimise(QWidget* w);
void restaure(QWidget* w);
void ferme(QWidget* w);

// Serves the event queue until the X server and the window manager have
// nothing more for the program (the effects of the last action are in).
void calme();

} // namespace gestionnaire
