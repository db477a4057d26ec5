#pragma once
// Picture box with a persistent canvas: everything drawn stays on an image
// the size of the box until cls(), so covering the window loses nothing.
// An optional background picture (for example the world map) lies under the
// drawing; cls() erases the drawing, the picture stays, and the current point
// goes back to (0, 0).
//
// Coordinates are in twips by default (ScaleMode::Twips, converted with
// platform::twipsToPixels), or in pixels of the canvas (ScaleMode::Pixels).
// Colours are colour values as the programs give them: 0xBBGGRR, so red is
// 255 (0x0000FF), white 0xFFFFFF, black 0.
//
// Drawing state: foreColor (default black), backColor (default white),
// drawWidth in pixels (default 1), drawStyle (Solid or Dot; dotted lines are
// drawn with width 1), fillStyle (Transparent by default, or Solid) with
// fillColor for box outlines and circles; currentX/currentY, the current
// point, moved to the end of every line and to every point set.

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <optional>

namespace platform {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class ScaleMode { Twips, Pixels };
    enum class DrawStyle { Solid = 0, Dash = 1, Dot = 2 };
    enum class FillStyle { Solid = 0, Transparent = 1 };
    enum class LineKind { Line, Box, FilledBox }; // Line, B, BF

    explicit PictureBox(QWidget* parent = nullptr);

    // Background picture, drawn at the top-left at its size in device-
    // independent pixels (a 2x picture with devicePixelRatio 2 fills the same
    // area). Setting it clears the drawing. An empty image removes it.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    // Loads a picture file (name matched without regard to case in its
    // folder); false when it cannot be read.
    bool loadPicture(const QString& path);
    // Sizes the box to its picture (in pixels).
    void fitToPicture();

    ScaleMode scaleMode() const { return scaleMode_; }
    void setScaleMode(ScaleMode m) { scaleMode_ = m; }
    // Width and height of the drawing area in the current scale.
    double scaleWidth() const;
    double scaleHeight() const;

    quint32 foreColor() const { return foreColor_; }
    void setForeColor(quint32 c) { foreColor_ = c; }
    quint32 backColor() const { return backColor_; }
    void setBackColor(quint32 c); // repaints the background, keeps nothing drawn
    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    DrawStyle drawStyle() const { return drawStyle_; }
    void setDrawStyle(DrawStyle s) { drawStyle_ = s; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle s) { fillStyle_ = s; }
    quint32 fillColor() const { return fillColor_; }
    void setFillColor(quint32 c) { fillColor_ = c; }
    double currentX() const { return curX_; }
    double currentY() const { return curY_; }
    void setCurrentX(double x) { curX_ = x; }
    void setCurrentY(double y) { curY_ = y; }

    // Erases the drawing (background colour, then the picture); current
    // point (0, 0).
    void cls();
    // One point in `color` (default foreColor); with drawWidth > 1 a filled
    // disc of that diameter in pixels. Moves the current point there.
    void pset(double x, double y, std::optional<quint32> color = std::nullopt);
    // Line from (x1, y1) to (x2, y2); Box draws the rectangle with those
    // corners (filled by fillStyle/fillColor), FilledBox fills it with the
    // line colour. The current point moves to (x2, y2).
    void line(double x1, double y1, double x2, double y2, std::optional<quint32> color = std::nullopt,
              LineKind kind = LineKind::Line);
    // Line from the current point to (x2, y2).
    void lineTo(double x2, double y2, std::optional<quint32> color = std::nullopt);
    // Circle of centre (x, y) and radius r (horizontal scale units).
    void circle(double x, double y, double r, std::optional<quint32> color = std::nullopt);
    // Colour value of the canvas at (x, y); -1 outside the canvas.
    qint64 point(double x, double y) const;

    // The canvas (picture and drawing), for tests and for copying. It holds
    // the box's pixels at the screen's pixel ratio (its devicePixelRatio()):
    // twice as many each way on a dense screen, so draw it into a rectangle
    // of the box's size, or read it through point().
    const QImage& canvas() const
    {
        syncCanvasSize();
        return canvas_;
    }

    static QColor toQColor(quint32 value);
    static quint32 fromQColor(const QColor& c);

signals:
    // Mouse events in the current scale (twips by default); button and shift
    // codes as ImageButton's.
    void mouseDown(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    QPointF toPixels(double x, double y) const;
    double toPixelLength(double v) const;
    QPointF fromPixels(QPointF p) const;
    void resetCanvas(QSize size);
    // The pixel ratio of the screen the box is on (1 on an ordinary screen).
    qreal ratio() const;
    // Background colour and picture at `logical` box pixels, in device pixels.
    QImage blankCanvas(QSize logical) const;
    void preparePainter(QPainter& painter) const;
    // The canvas follows the box's size, also before the box is first shown
    // (a hidden widget gets its resize event only when shown).
    void syncCanvasSize() const;
    QPen pen(quint32 color) const;

    mutable QImage canvas_;
    mutable QSize canvasSize_; // the canvas in box pixels
    QImage picture_;
    ScaleMode scaleMode_ = ScaleMode::Twips;
    quint32 foreColor_ = 0;
    quint32 backColor_ = 0xFFFFFF;
    quint32 fillColor_ = 0;
    int drawWidth_ = 1;
    DrawStyle drawStyle_ = DrawStyle::Solid;
    FillStyle fillStyle_ = FillStyle::Transparent;
    double curX_ = 0, curY_ = 0;
};

} // namespace platform
