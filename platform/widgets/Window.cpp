#include "platform/widgets/Window.h"

#include "platform/Geometry.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

namespace platform {

void setTwipsGeometry(QWidget* w, int left, int top, int width, int height)
{
    w->move(twipsToPixels(left), twipsToPixels(top));
    w->resize(twipsToPixels(width), twipsToPixels(height));
}

void moveTwips(QWidget* w, int left, int top) { w->move(twipsToPixels(left), twipsToPixels(top)); }

void resizeTwips(QWidget* w, int width, int height) { w->resize(twipsToPixels(width), twipsToPixels(height)); }

void resizeClientTwips(QWidget* w, int width, int height) { resizeTwips(w, width, height); }

void setMenuEnabled(QMenu* menu, bool enabled)
{
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}

bool isMenuEnabled(const QMenu* menu) { return menu->menuAction()->isEnabled(); }

BusyPointer::BusyPointer()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
}

} // namespace platform
