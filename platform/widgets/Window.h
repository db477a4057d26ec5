#pragma once
// Small helpers shared by every window of the suite: geometry given in twips,
// the busy mouse pointer, and switching a whole top-level menu on and off.
// The placement rule of start and main windows (centred, one third of the
// free height above) is platform::placeCentredThird in platform/Geometry.h.

#include "platform/Dialogs.h"

class QWidget;
class QMenu;

namespace platform {

// Left, top, width and height in twips (1/1440 inch), converted by
// platform::twipsToPixels. Left and top are relative to the parent widget, or
// to the screen for a top-level window (its frame's top-left corner).
void setTwipsGeometry(QWidget* w, int left, int top, int width, int height);
void moveTwips(QWidget* w, int left, int top);
void resizeTwips(QWidget* w, int width, int height);
// A top-level window's client area of width x height twips.
void resizeClientTwips(QWidget* w, int width, int height);

// Enables or disables a top-level menu title (its whole menu). A disabled
// title does not open.
void setMenuEnabled(QMenu* menu, bool enabled);
bool isMenuEnabled(const QMenu* menu);

// Makes Return and Enter press the focused push button in every window of the
// application, as the Space bar does: a box that passes the focus on to
// "O.K." when it is full lets the operator confirm with one more key. Call
// once, after the application object exists.
void pressFocusedButtonOnReturn();

// Lets `control` take the keyboard focus (by the Tab key) in a window that
// handles the arrow keys itself (Tracking's manual steps): a focused push
// button would take the arrows to move the focus; with this, the arrows go on
// to the window's own key handler instead, and every other key stays with
// the control.
void leaveArrowKeysToWindow(QWidget* control);

// The busy ("hourglass") mouse pointer for the lifetime of the object.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Dialogs that show every box and input box with the normal mouse pointer:
// a busy pointer in force is lifted while the program waits for the
// operator, and set again when the box closes.
class NormalPointerDialogs : public Dialogs {
public:
    explicit NormalPointerDialogs(Dialogs& inner) : inner_(inner) {}
    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText,
                  std::optional<QPoint> position) override;
    void beep() override { inner_.beep(); }

private:
    Dialogs& inner_;
};

} // namespace platform
