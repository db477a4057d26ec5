#include "platform/widgets/ImageButton.h"

#include "platform/Geometry.h"
#include "platform/widgets/ButtonAccessible.h"
#include "platform/widgets/ScreenReader.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

namespace platform {

int mouseButtonCode(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

QPixmap pictureCanvas(QSize size)
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const qreal r = ecran ? ecran->devicePixelRatio() : 1.0;
    const QSize taille = size.expandedTo(QSize(1, 1));
    QPixmap p(QSize(int(std::ceil(std::min(taille.width() * r, 1.0e5))),
                    int(std::ceil(std::min(taille.height() * r, 1.0e5)))));
    p.setDevicePixelRatio(r);
    return p;
}

namespace {

// The image button as assistive technology sees it: a push button (a check
// box or a radio button when its pressed picture says "on") named by the
// program, whose Press action is a click.
class ImageButtonAccessible : public ButtonAccessible {
public:
    explicit ImageButtonAccessible(ImageButton* b) : ButtonAccessible(b) {}

    QAccessible::Role role() const override
    {
        if (!button()->showsState())
            return QAccessible::PushButton;
        return button()->stateKind() == ImageButton::StateKind::OneOfMany ? QAccessible::RadioButton
                                                                           : QAccessible::CheckBox;
    }
    QString text(QAccessible::Text t) const override
    {
        // Only the name the program gave (or the tool tip): never the title
        // of the frame the button lies in, which all its neighbours share.
        const QString state = button()->stateText();
        if (t == QAccessible::Name) {
            const QString name =
                widget()->accessibleName().isEmpty() ? widget()->toolTip() : widget()->accessibleName();
            return state.isEmpty() ? name : name + QStringLiteral(": ") + state;
        }
        if (t == QAccessible::Value)
            return state;
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (button()->showsState()) {
            s.checkable = true;
            s.checked = button()->isPressedShown();
        } else {
            s.pressed = button()->isPressedShown();
        }
        return s;
    }

protected:
    void press() override { button()->click(); }

private:
    ImageButton* button() const { return static_cast<ImageButton*>(widget()); }
};

QAccessibleInterface* imageButtonInterface(const QString&, QObject* object)
{
    auto* b = qobject_cast<ImageButton*>(object);
    return b ? new ImageButtonAccessible(b) : nullptr;
}

// Installed once, before the first image button can be asked for its
// interface; Qt keeps the factory for the life of the process.
void installAccessibleFactory()
{
    static const bool installed = (QAccessible::installFactory(imageButtonInterface), true);
    (void)installed;
}

} // namespace

ImageButton::ImageButton(QWidget* parent) : QWidget(parent)
{
    installAccessibleFactory();
    setFocusPolicy(Qt::TabFocus);
}

ImageButton::ImageButton(const QPixmap& released, const QPixmap& pressed, Behaviour b, QWidget* parent)
    : QWidget(parent), behaviour_(b)
{
    installAccessibleFactory();
    setFocusPolicy(Qt::TabFocus);
    setPictures(released, pressed);
}

void ImageButton::setPictures(const QPixmap& released, const QPixmap& pressed)
{
    released_ = released;
    pressed_ = pressed;
    if (size().isEmpty() || !testAttribute(Qt::WA_Resized))
        resize(sizeHint());
    update();
}

void ImageButton::showReleased()
{
    const bool before = pressedShown_;
    pressedShown_ = false;
    pictureChanged(before);
}

void ImageButton::showPressed()
{
    const bool before = pressedShown_;
    pressedShown_ = true;
    pictureChanged(before);
}

void ImageButton::pictureChanged(bool before)
{
    update();
    if (before == pressedShown_)
        return;
    QAccessible::State changed;
    (showsState_ ? changed.checked : changed.pressed) = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
    if (stateText_) {
        QAccessibleEvent named(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
    }
    // A reader says a state change of the control it is on; one made by a
    // key or a menu elsewhere (F3 switching tracking on) is said in words.
    if (showsState_ && saysStateChanges_ && isVisible() && !hasFocus() && QAccessible::isActive()) {
        const QString name = accessibleName().isEmpty() ? toolTip() : accessibleName();
        if (stateKind_ == StateKind::OnOff)
            announce(this, name + (pressedShown_ ? QStringLiteral(" on") : QStringLiteral(" off")));
        else if (pressedShown_)
            announce(this, name + QStringLiteral(" chosen"));
    }
}

void ImageButton::setStateText(std::function<QString()> text) { stateText_ = std::move(text); }

void ImageButton::setShowsState(bool on, StateKind kind)
{
    if (showsState_ == on && stateKind_ == kind)
        return;
    showsState_ = on;
    stateKind_ = kind;
    QAccessible::State changed;
    changed.checkable = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

QSize ImageButton::sizeHint() const
{
    const QPixmap& p = released_.isNull() ? pressed_ : released_;
    return p.isNull() ? twipsToPixels(QSize(360, 330)) : p.deviceIndependentSize().toSize();
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPixmap& pic = pressedShown_ ? pressed_ : released_;
    // A button that cannot act (off, or in a window part that is off) shows
    // its picture as the style draws a disabled icon: greyed.
    if (!pic.isNull() && !isEnabled()) {
        QStyleOption option;
        option.initFrom(this);
        p.drawPixmap(rect(), style()->generatedIconPixmap(QIcon::Disabled, pic, &option));
    } else if (!pic.isNull()) {
        p.drawPixmap(rect(), pic);
    }
    // The frame is a line two pixels wide in the highlight colour, plain on
    // any picture.
    if (hasFocus() && keyboardInUse()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void ImageButton::press(int button, int shift, QPointF position)
{
    if (behaviour_ == Behaviour::ActOnce)
        showPressed();
    else if (behaviour_ == Behaviour::Toggle)
        pressedShown_ ? showReleased() : showPressed();
    repaint();
    emit mouseDown(button, shift, position.x() / pixelsPerTwip(), position.y() / pixelsPerTwip());
    if (behaviour_ == Behaviour::Toggle)
        emit toggled(pressedShown_);
}

void ImageButton::release(int button, int shift, QPointF position)
{
    if (behaviour_ == Behaviour::ActOnce)
        showReleased();
    repaint();
    emit mouseUp(button, shift, position.x() / pixelsPerTwip(), position.y() / pixelsPerTwip());
    if (behaviour_ == Behaviour::ActOnce)
        emit activated();
}

void ImageButton::mousePressEvent(QMouseEvent* e)
{
    press(mouseButtonCode(e->button()), shiftCode(e->modifiers()), e->position());
    e->accept();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* e)
{
    release(mouseButtonCode(e->button()), shiftCode(e->modifiers()), e->position());
    e->accept();
}

void ImageButton::click()
{
    if (!isEnabled())
        return;
    const QPointF centre(width() / 2.0, height() / 2.0);
    press(1, 0, centre);
    // As with the mouse, a button that its own press switched off gets no
    // release.
    if (isEnabled())
        release(1, 0, centre);
}

bool ImageButton::keyboardInUse() const
{
    // Qt sets the window's keyboard-focus-change flag once the focus has moved
    // by the keyboard in it.
    return window()->testAttribute(Qt::WA_KeyboardFocusChange) || QAccessible::isActive();
}

void ImageButton::keyPressEvent(QKeyEvent* e)
{
    const bool plain = !(e->modifiers() & ~Qt::KeypadModifier) && keyboardInUse();
    if (plain && e->key() == Qt::Key_Space) {
        // A held key repeats its press: one press is one click.
        if (!e->isAutoRepeat() && !spaceHeld_) {
            spaceHeld_ = true;
            press(1, 0, QPointF(width() / 2.0, height() / 2.0));
        }
        e->accept();
    } else if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        if (!e->isAutoRepeat())
            click();
        e->accept();
    } else {
        QWidget::keyPressEvent(e); // not taken: the window's own keys reach it
    }
}

void ImageButton::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat() && spaceHeld_) {
        spaceHeld_ = false;
        release(1, 0, QPointF(width() / 2.0, height() / 2.0));
        e->accept();
    } else {
        QWidget::keyReleaseEvent(e);
    }
}

void ImageButton::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    update();
}

void ImageButton::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    // Space went down here and its release will go elsewhere: the press gets
    // its release now, as a mouse press always gets one (none when the
    // button was switched off meanwhile, as for the mouse).
    if (spaceHeld_) {
        spaceHeld_ = false;
        if (isEnabled())
            release(1, 0, QPointF(width() / 2.0, height() / 2.0));
    }
    update();
}

} // namespace platform
