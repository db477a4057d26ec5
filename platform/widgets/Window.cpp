#include "platform/widgets/Window.h"

#include "platform/Geometry.h"

#include <QAction>
#include <QKeyEvent>
#include <QPushButton>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QWidget>

#include <vector>

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

namespace {

// Lifts every override pointer for its lifetime and then sets them again,
// innermost last.
class PointerLifted {
public:
    PointerLifted()
    {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return;
        while (const QCursor* c = QApplication::overrideCursor()) {
            lifted_.push_back(*c);
            QApplication::restoreOverrideCursor();
        }
    }
    ~PointerLifted()
    {
        for (auto c = lifted_.rbegin(); c != lifted_.rend(); ++c)
            QApplication::setOverrideCursor(*c);
    }
    PointerLifted(const PointerLifted&) = delete;
    PointerLifted& operator=(const PointerLifted&) = delete;

private:
    std::vector<QCursor> lifted_;
};

} // namespace

Answer NormalPointerDialogs::message(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    PointerLifted normal;
    return inner_.message(text, buttons, icon, title);
}

QString NormalPointerDialogs::input(const QString& prompt, const QString& title, const QString& defaultText,
                                    std::optional<QPoint> position)
{
    PointerLifted normal;
    return inner_.input(prompt, title, defaultText, position);
}

namespace {

// Turns Return and Enter on a focused, enabled push button into a click.
class ReturnPressesButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) || k->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto* b = qobject_cast<QPushButton*>(watched);
        if (!b || !b->hasFocus() || !b->isEnabled())
            return false;
        b->click();
        return true;
    }
};

// Hands the arrow keys typed in a control to its window.
class ArrowsToWindow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)
            return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down)
            return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (window == watched)
            return false;
        QCoreApplication::sendEvent(window, e);
        return true;
    }
};

} // namespace

void leaveArrowKeysToWindow(QWidget* control)
{
    if (!control || control->findChild<ArrowsToWindow*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    control->setFocusPolicy(Qt::TabFocus);
    control->installEventFilter(new ArrowsToWindow(control));
}

void pressFocusedButtonOnReturn()
{
    static ReturnPressesButton* filtre = nullptr;
    if (!filtre && qApp) {
        filtre = new ReturnPressesButton(qApp);
        qApp->installEventFilter(filtre);
    }
}

} // namespace platform
