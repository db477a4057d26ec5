#include "platform/Geometry.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWindow>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace platform {

double pixelsPerTwip(double logicalDpi) { return logicalDpi / 1440.0; }

double pixelsPerTwip()
{
    double dpi = 96.0;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (const QScreen* s = QGuiApplication::primaryScreen())
            if (s->logicalDotsPerInch() > 0)
                dpi = s->logicalDotsPerInch();
    return pixelsPerTwip(dpi);
}

int twipsToPixels(int twips, double pixelsPerTwip) { return int(std::lround(twips * pixelsPerTwip)); }
int pixelsToTwips(int pixels, double pixelsPerTwip) { return int(std::lround(pixels / pixelsPerTwip)); }

int twipsToPixels(int twips) { return twipsToPixels(twips, pixelsPerTwip()); }
int pixelsToTwips(int pixels) { return pixelsToTwips(pixels, pixelsPerTwip()); }

QSize twipsToPixels(QSize twips)
{
    const double f = pixelsPerTwip();
    return QSize(twipsToPixels(twips.width(), f), twipsToPixels(twips.height(), f));
}

QRect twipsToPixels(QRect twips)
{
    const double f = pixelsPerTwip();
    return QRect(twipsToPixels(twips.x(), f), twipsToPixels(twips.y(), f), twipsToPixels(twips.width(), f),
                 twipsToPixels(twips.height(), f));
}

QPoint centredThirdPosition(const QSize& size, const QRect& screen)
{
    // A window larger than the screen keeps its top-left corner on it, so
    // that its title bar stays reachable.
    const int x = screen.left() + std::max(0, (screen.width() - size.width()) / 2);
    const int y = screen.top() + std::max(0, (screen.height() - size.height()) / 3);
    return QPoint(x, y);
}

QPoint keptInside(const QPoint& topLeft, const QSize& size, const QRect& screen)
{
    auto held = [](int v, int low, int room) { return std::max(low, std::min(v, low + std::max(0, room))); };
    return QPoint(held(topLeft.x(), screen.left(), screen.width() - size.width()),
                  held(topLeft.y(), screen.top(), screen.height() - size.height()));
}

namespace {
bool hasFrame(const QWidget* w) { return w->frameGeometry().size() != w->size(); }
// Frame margins (left, top, right, bottom) of `framed` when it has its frame.
QMargins marginsOf(const QWidget* framed)
{
    // Else those of any window of the program that the window manager has
    // framed: it frames them alike. They are looked for among its shown
    // native windows: QApplication::topLevelWidgets() walks every widget of
    // the program, thousands with a month of tables open.
    if (framed && (!framed->isVisible() || !hasFrame(framed))) {
        framed = nullptr;
        for (QWindow* n : QGuiApplication::topLevelWindows())
            if (n->isVisible())
                if (const QWidget* t = QWidget::find(n->winId());
                    t && t->isVisible() && hasFrame(t) && !t->isMinimized())
                    framed = t;
    }
    if (!framed)
        return {};
    const QRect f = framed->frameGeometry(), g = framed->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}
} // namespace

QRect expectedFrame(const QWidget* w, const QWidget* framed)
{
    if (hasFrame(w))
        return w->frameGeometry();
    // Not framed yet: its place is its inside's place (it will be framed
    // around it).
    return QRect(w->pos(), w->size()).marginsAdded(marginsOf(framed == w ? nullptr : framed));
}

void placeOnScreen(QWidget* w, QPoint topLeft, const QWidget* framed)
{
    const QScreen* s = QGuiApplication::screenAt(topLeft);
    if (!s)
        s = QGuiApplication::primaryScreen();
    if (s)
        topLeft = keptInside(topLeft, expectedFrame(w, framed).size(), s->availableGeometry());
    if (hasFrame(w)) {
        if (w->pos() != topLeft)
            w->move(topLeft);
        return;
    }
    // Before the window manager has framed it, a window's frame margins are
    // not known to it (a move would place its inside there, a title bar's
    // height too low): its inside is placed inside the margins of `framed`.
    const QMargins m = marginsOf(framed == w ? nullptr : framed);
    const QRect inside(topLeft + QPoint(m.left(), m.top()), w->size());
    if (w->geometry() != inside)
        w->setGeometry(inside);
}

void placeCentredThird(QWidget* w)
{
    if (!w)
        return;
    const QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    // The frame counts once the window has one; before it is shown the
    // client size is all there is.
    const QSize size = w->isVisible() ? w->frameGeometry().size() : w->size();
    w->move(centredThirdPosition(size, s->availableGeometry()));
}

} // namespace platform
