#include "platform/widgets/PictureBox.h"

#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/widgets/ImageButton.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
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

qreal PictureBox::ratio() const
{
    const qreal r = devicePixelRatioF();
    return r > 0 ? r : 1.0;
}

QImage PictureBox::blankCanvas(QSize logical) const
{
    // The canvas holds device pixels: on a dense screen (pixel ratio 2) a
    // box of 378 x 185 has a canvas of 756 x 370, so a picture drawn for that
    // ratio (the "@2x" assets) keeps every pixel and lines stay sharp.
    const qreal r = ratio();
    const int w = int(std::ceil(std::min(logical.width() * r, 1.0e5)));
    const int h = int(std::ceil(std::min(logical.height() * r, 1.0e5)));
    QImage img(QSize(std::max(w, 1), std::max(h, 1)), QImage::Format_RGB32);
    img.setDevicePixelRatio(r);
    img.fill(toQColor(backColor_));
    if (!picture_.isNull()) {
        QPainter p(&img);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QPointF(0, 0), picture_);
    }
    return img;
}

void PictureBox::resetCanvas(QSize size)
{
    if (size.isEmpty())
        size = QSize(1, 1);
    canvas_ = blankCanvas(size);
    canvasSize_ = size;
    update();
}

void PictureBox::syncCanvasSize() const
{
    const QSize want = size().isEmpty() ? QSize(1, 1) : size();
    if (want == canvasSize_ && ratio() == canvas_.devicePixelRatio())
        return;
    // A new size (or pixel ratio) keeps what is drawn where it lies; new area
    // gets the background colour and the picture.
    QImage img = blankCanvas(want);
    QPainter p(&img);
    p.drawImage(QPointF(0, 0), canvas_);
    p.end();
    canvas_ = img;
    canvasSize_ = want;
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
    return scaleMode_ == ScaleMode::Pixels ? canvasSize_.width() : canvasSize_.width() / pixelsPerTwip();
}

double PictureBox::scaleHeight() const
{
    syncCanvasSize();
    return scaleMode_ == ScaleMode::Pixels ? canvasSize_.height() : canvasSize_.height() / pixelsPerTwip();
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

// True when (x, y), in pixels of the box, lies far enough inside the range of
// an int to be taken to a whole pixel.
static bool inIntRange(QPointF p) { return std::abs(p.x()) < 1.0e6 && std::abs(p.y()) < 1.0e6; }

void PictureBox::preparePainter(QPainter& painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    // On a canvas of more device pixels than box pixels a pen of one box
    // pixel spans several device pixels centred on the point; half a box
    // pixel to the right and down puts it on the box pixel right of and below
    // the point, where a one-pixel pen draws on an ordinary screen.
    if (canvas_.devicePixelRatio() != 1.0)
        painter.translate(0.5, 0.5);
}

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
    curX_ = x;
    curY_ = y;
    if (!inIntRange(p))
        return;
    // A disc of drawWidth pixels across: the pixels whose centres lie within
    // half the width of the point's pixel centre (width 3 gives 3 x 3). Each
    // box pixel covers all of its device pixels.
    const int px = int(std::floor(p.x())), py = int(std::floor(p.y()));
    const double r = drawWidth_ / 2.0;
    const int reach = int(r);
    const QColor qc = toQColor(c);
    const QRect inside(QPoint(0, 0), canvasSize_);
    QPainter painter(&canvas_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (dx * dx + dy * dy <= r * r + 1e-9 && inside.contains(px + dx, py + dy))
                painter.fillRect(QRectF(px + dx, py + dy, 1, 1), qc);
    painter.end();
    update();
}

void PictureBox::line(double x1, double y1, double x2, double y2, std::optional<quint32> color, LineKind kind)
{
    syncCanvasSize();
    const quint32 c = color.value_or(foreColor_);
    QPainter painter(&canvas_);
    preparePainter(painter);
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
    preparePainter(painter);
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
    if (!inIntRange(p))
        return -1;
    const int px = int(std::floor(p.x())), py = int(std::floor(p.y()));
    if (!QRect(QPoint(0, 0), canvasSize_).contains(px, py))
        return -1;
    // The top-left device pixel of the box pixel.
    const qreal r = canvas_.devicePixelRatio();
    const int dx = std::min(int(std::floor(px * r)), canvas_.width() - 1);
    const int dy = std::min(int(std::floor(py * r)), canvas_.height() - 1);
    return qint64(fromQColor(canvas_.pixelColor(dx, dy)));
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
