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

#include <QPixmap>
#include <QWidget>

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

private:
    QPixmap released_;
    QPixmap pressed_;
    Behaviour behaviour_ = Behaviour::Manual;
    bool pressedShown_ = false;
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
