#pragma once
// Image button: a picture that acts as a button, with a released and a
// pressed picture. These stand in for the hidden …Up / …Dn twins of the
// windows: releasedPicture() is the …Up twin, pressedPicture() the …Dn twin,
// and "the button takes the picture of ImgXDn" is showPressed().
//
// Behaviours:
//  - Manual (default): the button changes no picture by itself; the window's
//    mouseDown / mouseUp handlers call showPressed() / showReleased() as
//    their rules say (the source buttons, whose pictures depend on state).
//  - ActOnce: mouse-down shows the pressed picture, then emits mouseDown;
//    mouse-up shows the released picture, then emits mouseUp and activated().
//  - Toggle: mouse-down flips between the two pictures, then emits mouseDown
//    and toggled(isPressedShown()); mouse-up emits mouseUp only.
// Any mouse button acts. A disabled button (or one inside a disabled parent)
// receives no mouse events at all. mouseUp comes to the button that got the
// mouseDown, wherever the pointer is released.
//
// Keyboard and screen readers: the button is a push button to assistive
// technology, named by its accessibleName (the window's table of names,
// platform/widgets/Accessible.h; no name is guessed from the frame it lies
// in), with the Press action, which is a click. It takes the focus by the Tab
// key only (a mouse click leaves the focus where it was). Once the keyboard
// is in use in its window (the operator has moved the focus with it there)
// or a screen reader runs, the focused button shows a frame, Space acts as
// the left mouse button held and let go, and Return and Enter as a click.
// Before that, the focus a window gives its first button when it opens is
// neither shown nor acted on: a mouse user sees what was there before, and a
// stray Space presses no button that nobody can see is focused. Every other
// key (arrows, function keys) goes on to the window, which may handle it
// itself.

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace platform {

class ImageButton : public QWidget {
    Q_OBJECT
public:
    enum class Behaviour { Manual, ActOnce, Toggle };

    explicit ImageButton(QWidget* parent = nullptr);
    ImageButton(const QPixmap& released, const QPixmap& pressed, Behaviour b = Behaviour::Manual,
                QWidget* parent = nullptr);

    void setPictures(const QPixmap& released, const QPixmap& pressed);
    const QPixmap& releasedPicture() const { return released_; }
    const QPixmap& pressedPicture() const { return pressed_; }

    void setBehaviour(Behaviour b) { behaviour_ = b; }
    Behaviour behaviour() const { return behaviour_; }

    // Copy the released / pressed picture into the button.
    void showReleased();
    void showPressed();
    // True while the button shows its pressed picture (the picture of the
    // …Dn twin); false while it shows the released one.
    bool isPressedShown() const { return pressedShown_; }

    // A button whose pressed picture says that something is on: screen
    // readers then read it as a toggle, checked while the pressed picture
    // shows; a check box for a thing switched on and off (tracking), a radio
    // button for one choice of several (the current source). A change of
    // its state while the focus is elsewhere is said as a notice ("Tracking
    // on", "Sun chosen"; platform::announce), unless the program says the
    // change itself (setSaysStateChanges(false): a choice that the program
    // says in one notice with what follows from it, or that it makes
    // without any of its buttons).
    enum class StateKind { OnOff, OneOfMany };
    void setShowsState(bool on, StateKind kind = StateKind::OnOff);
    bool showsState() const { return showsState_; }
    StateKind stateKind() const { return stateKind_; }
    void setSaysStateChanges(bool on) { saysStateChanges_ = on; }

    // A button that switches between choices (the traffic period, the
    // period's length): read as its name and the choice in force that
    // `text` returns ("Traffic period: first"). `text` must stay callable
    // as long as the button exists.
    void setStateText(std::function<QString()> text);
    QString stateText() const { return stateText_ ? stateText_() : QString(); }

    // A click as the left mouse button gives it (mouseDown, then mouseUp, at
    // the button's centre), for the keyboard and the Press action. Nothing
    // when the button is disabled.
    void click();

    QSize sizeHint() const override;

signals:
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt;
    // x, y: position in the button in twips.
    void mouseDown(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void activated();         // ActOnce: after the release
    void toggled(bool pressed); // Toggle: after the press

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // The two halves of a click, shared by the mouse and the keyboard.
    void press(int button, int shift, QPointF position);
    void release(int button, int shift, QPointF position);
    // The keyboard moved the focus in this window, or a screen reader runs.
    bool keyboardInUse() const;
    // Repaints and tells screen readers when the picture shown changed.
    void pictureChanged(bool before);
    QPixmap released_;
    QPixmap pressed_;
    Behaviour behaviour_ = Behaviour::Manual;
    bool pressedShown_ = false;
    bool showsState_ = false;
    bool saysStateChanges_ = true;
    StateKind stateKind_ = StateKind::OnOff;
    std::function<QString()> stateText_;
    bool spaceHeld_ = false; // Space went down on this button and is not up yet
};

// A blank picture of `size` device-independent pixels made at the pixel ratio
// of the screen (twice as many pixels each way on a dense screen), for the
// pictures the programs draw in code: a QPainter on it draws in
// device-independent pixels, and the picture stays sharp wherever it is shown
// (image buttons, labels, icons). Fill it before drawing.
QPixmap pictureCanvas(QSize size);

// Mouse button and shift codes of a Qt mouse event, as the handlers take them.
int mouseButtonCode(Qt::MouseButton b);
int shiftCode(Qt::KeyboardModifiers m);

} // namespace platform
