#pragma once
// The operator at the keyboard alone: keys go where the keyboard focus is (an
// open menu, else the focus control of the active window), as a real key
// press does; the tests never click and never call a handler. Moving to
// another window is what the window manager does for Alt+Tab.

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

namespace accessibility {

// Makes `window` the active window, as the window manager does when the
// operator switches to it; false when it cannot be (hidden).
inline bool switchTo(QWidget* window)
{
    if (!window || !window->isVisible())
        return false;
    window->activateWindow();
    for (int pass = 0; pass < 100 && QApplication::activeWindow() != window; ++pass)
        QCoreApplication::processEvents();
    return QApplication::activeWindow() == window;
}

// Where a key pressed now goes: the open menu, else the focus control of the
// active window, else that window.
inline QWidget* keyTarget()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeWindow();
}

// One key pressed and released where the focus is; false when no window of
// the program has the keyboard.
inline bool press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = keyTarget();
    if (!target)
        return false;
    QTest::keyClick(target, key, modifiers);
    return true;
}

// Characters typed one by one where the focus is.
inline bool type(const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = keyTarget();
        if (!target)
            return false;
        QTest::keyClick(target, c.toLatin1());
    }
    return true;
}

// Tab pressed until `control` has the focus, at least once (a control that
// has the focus when its window opens is reached again round the chain, as
// the operator who wants it does); false when it is not reached within
// `most` presses (not in the Tab chain of the active window).
inline bool tabTo(QWidget* control, int most = 60)
{
    for (int i = 0; i < most; ++i) {
        if (!press(Qt::Key_Tab))
            return false;
        if (QApplication::focusWidget() == control)
            return true;
    }
    return false;
}

// The first entry of a list chosen with the Down key, then `button` pressed
// with Space, each reached by Tab.
inline bool chooseFirstEntry(QWidget* list, QWidget* button)
{
    return tabTo(list) && press(Qt::Key_Down) && tabTo(button) && press(Qt::Key_Space);
}

} // namespace accessibility
