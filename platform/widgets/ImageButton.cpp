#include "platform/widgets/ImageButton.h"

#include "platform/Geometry.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QPainter>

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

ImageButton::ImageButton(QWidget* parent) : QWidget(parent) {}

ImageButton::ImageButton(const QPixmap& released, const QPixmap& pressed, Behaviour b, QWidget* parent)
    : QWidget(parent), behaviour_(b)
{
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
    pressedShown_ = false;
    update();
}

void ImageButton::showPressed()
{
    pressedShown_ = true;
    update();
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
    if (!pic.isNull())
        p.drawPixmap(rect(), pic);
}

void ImageButton::mousePressEvent(QMouseEvent* e)
{
    if (behaviour_ == Behaviour::ActOnce)
        showPressed();
    else if (behaviour_ == Behaviour::Toggle)
        pressedShown_ ? showReleased() : showPressed();
    repaint();
    const QPointF pos = e->position();
    emit mouseDown(mouseButtonCode(e->button()), shiftCode(e->modifiers()), pos.x() / pixelsPerTwip(),
                   pos.y() / pixelsPerTwip());
    if (behaviour_ == Behaviour::Toggle)
        emit toggled(pressedShown_);
    e->accept();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* e)
{
    if (behaviour_ == Behaviour::ActOnce)
        showReleased();
    repaint();
    const QPointF pos = e->position();
    emit mouseUp(mouseButtonCode(e->button()), shiftCode(e->modifiers()), pos.x() / pixelsPerTwip(),
                 pos.y() / pixelsPerTwip());
    if (behaviour_ == Behaviour::ActOnce)
        emit activated();
    e->accept();
}

} // namespace platform
