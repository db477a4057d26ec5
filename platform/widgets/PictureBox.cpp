#include "platform/widgets/PictureBox.h"

#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/widgets/ImageButton.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace platform {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resetCanvas(QSize(1, 1));
}

QColor PictureBox::toQColor(quint32 v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }

quint32 PictureBox::fromQColor(const QColor& c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

void PictureBox::resetCanvas(QSize size)
{
    if (size.isEmpty())
        size = QSize(1, 1);
    canvas_ = QImage(size, QImage::Format_RGB32);
    canvas_.fill(toQColor(backColor_));
    if (!picture_.isNull()) {
        QPainter p(&canvas_);
        p.drawImage(QPointF(0, 0), picture_);
    }
    update();
}

void PictureBox::syncCanvasSize() const
{
    const QSize want = size().isEmpty() ? QSize(1, 1) : size();
    if (want == canvas_.size())
        return;
    // A new size keeps what is drawn where it lies; new area gets the
    // background colour and the picture.
    QImage img(want, QImage::Format_RGB32);
    img.fill(toQColor(backColor_));
    QPainter p(&img);
    if (!picture_.isNull())
        p.drawImage(QPointF(0, 0), picture_);
    p.drawImage(QPoint(0, 0), canvas_);
    p.end();
    canvas_ = img;
}

void PictureBox::resizeEvent(QResizeEvent*) { syncCanvasSize(); }

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!picture.isNull())
        picture_.setDevicePixelRatio(picture.devicePixelRatio());
    resetCanvas(size());
}

bool PictureBox::loadPicture(const QString& path)
{
    const QFileInfo fi(path);
    QImageReader reader(resolvePath(fi.absolutePath(), fi.fileName()));
    const QImage img = reader.read();
    if (img.isNull())
        return false;
    setPicture(img);
    return true;
}

void PictureBox::fitToPicture()
{
    if (!picture_.isNull())
        resize(picture_.deviceIndependentSize().toSize());
}

void PictureBox::setBackColor(quint32 c)
{
    backColor_ = c;
    resetCanvas(size());
}

double PictureBox::scaleWidth() const
{
    syncCanvasSize();
    return scaleMode_ == ScaleMode::Pixels ? canvas_.width() : canvas_.width() / pixelsPerTwip();
}

double PictureBox::scaleHeight() const
{
    syncCanvasSize();
    return scaleMode_ == ScaleMode::Pixels ? canvas_.height() : canvas_.height() / pixelsPerTwip();
}

QPointF PictureBox::toPixels(double x, double y) const
{
    if (scaleMode_ == ScaleMode::Pixels)
        return QPointF(x, y);
    const double f = pixelsPerTwip();
    return QPointF(x * f, y * f);
}

double PictureBox::toPixelLength(double v) const { return scaleMode_ == ScaleMode::Pixels ? v : v * pixelsPerTwip(); }

QPointF PictureBox::fromPixels(QPointF p) const
{
    if (scaleMode_ == ScaleMode::Pixels)
        return p;
    const double f = pixelsPerTwip();
    return QPointF(p.x() / f, p.y() / f);
}

QPen PictureBox::pen(quint32 color) const
{
    QPen p(toQColor(color));
    if (drawStyle_ == DrawStyle::Solid || drawWidth_ > 1) {
        p.setWidth(drawWidth_);
        p.setCapStyle(drawWidth_ > 1 ? Qt::RoundCap : Qt::SquareCap);
    } else {
        // Dotted and dashed lines are one pixel wide: every other pixel set
        // for a dot, runs of 6 on 3 off for a dash.
        p.setWidth(1);
        p.setDashPattern(drawStyle_ == DrawStyle::Dot ? QList<qreal>{1, 1} : QList<qreal>{6, 3});
        p.setCapStyle(Qt::FlatCap);
    }
    return p;
}

// Aliased drawing in Qt sets the pixel right of and below a whole-number
// point, so points are taken to whole pixels and lines get square caps to
// include their last pixel.
static QPointF pixelOf(QPointF p) { return QPointF(std::floor(p.x()), std::floor(p.y())); }

void PictureBox::cls()
{
    resetCanvas(size());
    curX_ = curY_ = 0;
}

void PictureBox::pset(double x, double y, std::optional<quint32> color)
{
    syncCanvasSize();
    const quint32 c = color.value_or(foreColor_);
    const QPointF p = toPixels(x, y);
    // A disc of drawWidth pixels across: the pixels whose centres lie within
    // half the width of the point's pixel centre (width 3 gives 3 x 3).
    const int px = int(std::floor(p.x())), py = int(std::floor(p.y()));
    const double r = drawWidth_ / 2.0;
    const int reach = int(r);
    const QColor qc = toQColor(c);
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (dx * dx + dy * dy <= r * r + 1e-9 && canvas_.rect().contains(px + dx, py + dy))
                canvas_.setPixelColor(px + dx, py + dy, qc);
    curX_ = x;
    curY_ = y;
    update();
}

void PictureBox::line(double x1, double y1, double x2, double y2, std::optional<quint32> color, LineKind kind)
{
    syncCanvasSize();
    const quint32 c = color.value_or(foreColor_);
    QPainter painter(&canvas_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPointF a = pixelOf(toPixels(x1, y1)), b = pixelOf(toPixels(x2, y2));
    if (kind == LineKind::Line) {
        painter.setPen(pen(c));
        if (a == b)
            painter.drawPoint(a);
        else
            painter.drawLine(a, b);
    } else {
        const QRectF r = QRectF(a, b).normalized();
        if (kind == LineKind::FilledBox) {
            painter.setPen(pen(c));
            painter.setBrush(toQColor(c));
        } else {
            painter.setPen(pen(c));
            painter.setBrush(fillStyle_ == FillStyle::Solid ? QBrush(toQColor(fillColor_)) : QBrush(Qt::NoBrush));
        }
        painter.drawRect(r);
    }
    curX_ = x2;
    curY_ = y2;
    update();
}

void PictureBox::lineTo(double x2, double y2, std::optional<quint32> color) { line(curX_, curY_, x2, y2, color); }

void PictureBox::circle(double x, double y, double r, std::optional<quint32> color)
{
    syncCanvasSize();
    const quint32 c = color.value_or(foreColor_);
    QPainter painter(&canvas_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen(c));
    painter.setBrush(fillStyle_ == FillStyle::Solid ? QBrush(toQColor(fillColor_)) : QBrush(Qt::NoBrush));
    const double rp = toPixelLength(r);
    painter.drawEllipse(pixelOf(toPixels(x, y)), rp, rp);
    curX_ = x;
    curY_ = y;
    update();
}

qint64 PictureBox::point(double x, double y) const
{
    syncCanvasSize();
    const QPointF p = toPixels(x, y);
    const int px = int(std::floor(p.x())), py = int(std::floor(p.y()));
    if (!canvas_.rect().contains(px, py))
        return -1;
    return qint64(fromQColor(canvas_.pixelColor(px, py)));
}

void PictureBox::paintEvent(QPaintEvent*)
{
    syncCanvasSize();
    QPainter p(this);
    p.drawImage(QPoint(0, 0), canvas_);
}

void PictureBox::mousePressEvent(QMouseEvent* e)
{
    const QPointF q = fromPixels(e->position());
    emit mouseDown(mouseButtonCode(e->button()), shiftCode(e->modifiers()), q.x(), q.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e)
{
    const QPointF q = fromPixels(e->position());
    emit mouseUp(mouseButtonCode(e->button()), shiftCode(e->modifiers()), q.x(), q.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* e)
{
    const QPointF q = fromPixels(e->position());
    int buttons = 0;
    if (e->buttons() & Qt::LeftButton)
        buttons |= 1;
    if (e->buttons() & Qt::RightButton)
        buttons |= 2;
    if (e->buttons() & Qt::MiddleButton)
        buttons |= 4;
    emit mouseMove(buttons, shiftCode(e->modifiers()), q.x(), q.y());
}

} // namespace platform
