#pragma once
// Twips (1/1440 inch) to pixels and the placement rules of the start and main
// windows: horizontally centred, one third of the free height above.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace platform {

// Pixels per twip factor of the primary screen: 15 twips a pixel at 96 dpi,
// scaled with the screen's logical dpi.
double pixelsPerTwip();
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);
QSize twipsToPixels(QSize twips);
QRect twipsToPixels(QRect twips);
// The same at a given logical dpi or factor, independent of any screen.
double pixelsPerTwip(double logicalDpi);
int twipsToPixels(int twips, double pixelsPerTwip);
int pixelsToTwips(int pixels, double pixelsPerTwip);

// Top-left corner that places a window of `size` horizontally centred in
// `screen`, with one third of the free height above it.
QPoint centredThirdPosition(const QSize& size, const QRect& screen);
// Moves `w` there on its screen.
void placeCentredThird(QWidget* w);
// The top-left corner nearest to `topLeft` that keeps a window of `size`
// inside `screen` (its top-left corner on the screen when it is larger).
QPoint keptInside(const QPoint& topLeft, const QSize& size, const QRect& screen);

// The frame of top-level window `w` (pixels, frame included): its own once
// the window manager has framed it; before that (not shown yet, or shown and
// not framed yet) a frame of the margins of `framed`, a window of the program
// that is shown and framed, around its inside (none: the inside alone, as
// offscreen before a window is made).
QRect expectedFrame(const QWidget* w, const QWidget* framed = nullptr);
// Places top-level window `w` so that its frame's top-left corner is at
// `topLeft` (pixels), or at the nearest place that keeps the whole frame in
// the available area of the screen at that point (of the primary screen when
// none is there). A window not framed yet has its inside placed inside the
// frame margins of `framed`, so that the window manager frames it there.
void placeOnScreen(QWidget* w, QPoint topLeft, const QWidget* framed = nullptr);

} // namespace platform
