#pragma once
// The overflow rule of the suite's filtered boxes as one table of cases,
// run through real key events against every filtered box a program names,
// and against the cells of a grid that filters its keys: a refused key, a
// paste ending in a refused character, one more character into a full box,
// the keys typed right after a full box passed the focus on to it, and Undo
// and Redo (the keys and the context menu) after the operator's own edit of
// a box and an overflow into it, each leave the box's value as it was (text,
// cursor and selection), beep once per refused key and show the refusal
// sign only then. The same holds for the buttons a full box passes the
// focus on to: the first Space, Return or Enter after the move is refused,
// the next one presses the button.

#include "platform/Dialogs.h"
#include "platform/widgets/FilteredBox.h"
#include "platform/widgets/Window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRect>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace platform::testing {

// One filtered box, as the table drives it.
struct FilteredBoxUnderTest {
    const char* name;
    QLineEdit* box;
    QString full;    // a value the box keeps, as long as the box holds
    QString refused; // a character the box refuses wherever it stands; empty: it takes every character
    // The box whose filter passes the focus on to this one, and the keys
    // that make it do so typed over its whole text; none when no box does.
    QLineEdit* before = nullptr;
    QString fillBefore = {};
    std::function<void()> show = [] {}; // brings the box into view (its tab, its panel)
};

// One cell of a grid whose key filter is under the rule.
struct GridCellUnderTest {
    const char* name;
    QWidget* keys; // the control that takes the grid's keys
    QWidget* sign; // the widget the refusal sign shows on
    QRect area;    // the cell, in `sign`'s coordinates
    QString full;    // a value the cell keeps, as long as the cell holds
    QString refused; // a character the cell refuses wherever it stands
    std::function<QString()> value; // the cell's text
    // Puts `full` into the cell and chooses the cell as a click does (the
    // next key replaces the value).
    std::function<void()> choose;
};

// A button that a full box passes the focus on to.
struct ButtonUnderTest {
    const char* name;
    QAbstractButton* button;
    QLineEdit* before; // the box that passes the focus on to it
    QString fillBefore; // the keys that make it do so, typed over its whole text
    // Brings the window where the box passes the focus on to the button (its
    // tab, the state that sends the move there); run before each case, since
    // the button's press changes it.
    std::function<void()> prepare = [] {};
};

// Opens the context menu of the box with the focus from the keyboard (no
// mouse press) and triggers its Undo, then closes the menu.
inline void undoFromTheContextMenu()
{
    QWidget* w = QApplication::focusWidget();
    QContextMenuEvent ev(QContextMenuEvent::Keyboard, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(w, &ev);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    bool found = false;
    for (QAction* a : menu->actions()) {
        if (a->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Undo")) {
            found = true;
            a->trigger(); // a disabled action does nothing
        }
    }
    EXPECT_TRUE(found);
    menu->close();
    QApplication::processEvents();
}

// Types `keys` into whichever control has the focus, key by key, the events
// of each key handled before the next, as a keyboard does. '<' is Backspace,
// '^' Ctrl+V, '{' Ctrl+Z, '}' Ctrl+Shift+Z, '|' Ctrl+Y, '@' the context
// menu's Undo.
inline void typeKeys(const QString& keys)
{
    for (QChar k : keys) {
        QWidget* w = QApplication::focusWidget();
        switch (k.unicode()) {
        case '<': QTest::keyClick(w, Qt::Key_Backspace); break;
        case '^': QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier); break;
        case '{': QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier); break;
        case '}': QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); break;
        case '|': QTest::keyClick(w, Qt::Key_Y, Qt::ControlModifier); break;
        case '@': undoFromTheContextMenu(); break;
        default: QTest::keyClick(w, k.toLatin1()); break;
        }
        QApplication::processEvents();
    }
}

namespace overflow {

// AfterMove: the keys typed right after a full box passed the focus on to
// the box; AfterOwnEditAndMove: the same once the operator had edited the
// box himself (its last character taken away and typed again, two steps an
// Undo could give back).
enum class Where { End, All, Inside, AfterMove, AfterOwnEditAndMove };

// In the keys and the pasted text: R the box's refused character, A the
// last character of its full value (which fits it, but not once more).
struct Case {
    const char* name;
    Where where;
    const char* keys;
    const char* pasted;
    int beeps = -1; // the keys refused, each with a beep; -1: every key
};

inline const std::vector<Case>& cases()
{
    static const std::vector<Case> table = {
        {"a refused character at the end", Where::End, "R", ""},
        {"a refused character over the whole text", Where::All, "R", ""},
        {"a refused character inside", Where::Inside, "R", ""},
        {"a paste ending in a refused character", Where::End, "^", "AR"},
        {"one more character into the full box", Where::End, "A", ""},
        {"keys after a full box passed the focus on", Where::AfterMove, "AR<^", "A"},
        {"Undo and Redo with nothing of the operator's to undo", Where::End, "{}|", "", 0},
        {"Ctrl+Z after an own edit and an overflow", Where::AfterOwnEditAndMove, "{", ""},
        {"Ctrl+Shift+Z after an own edit and an overflow", Where::AfterOwnEditAndMove, "}", ""},
        {"Ctrl+Y after an own edit and an overflow", Where::AfterOwnEditAndMove, "|", ""},
        // The history is gone with the move: the menu's Undo is off.
        {"the context menu's Undo after an own edit and an overflow", Where::AfterOwnEditAndMove, "@", "", 0},
    };
    return table;
}

inline bool afterMove(Where w) { return w == Where::AfterMove || w == Where::AfterOwnEditAndMove; }

inline QString expand(const char* s, const QString& refused, const QString& full)
{
    QString t = QString::fromLatin1(s);
    t.replace(QLatin1Char('R'), refused);
    t.replace(QLatin1Char('A'), full.right(1));
    return t;
}

} // namespace overflow

inline void checkOverflowRule(const std::vector<FilteredBoxUnderTest>& boxes, ScriptedDialogs& dialogs)
{
    using overflow::Where;
    for (const FilteredBoxUnderTest& b : boxes) {
        for (const overflow::Case& c : overflow::cases()) {
            const QString keys = overflow::expand(c.keys, b.refused, b.full);
            if (keys.isEmpty() || (overflow::afterMove(c.where) && !b.before))
                continue;
            SCOPED_TRACE(std::string(b.name) + ": " + c.name);
            b.show();
            QApplication::setActiveWindow(b.box->window());
            // Each case starts afresh: what an earlier case's move left on the
            // box ends with the focus it had.
            if (b.box->hasFocus())
                b.box->clearFocus();
            b.box->setText(b.full);
            ASSERT_EQ(b.box->text(), b.full);
            if (c.where == Where::AfterOwnEditAndMove) {
                b.box->setFocus(Qt::MouseFocusReason);
                b.box->end(false);
                typeKeys(QStringLiteral("<") + b.full.right(1));
                ASSERT_EQ(b.box->text(), b.full);
            }
            if (overflow::afterMove(c.where)) {
                b.before->setFocus(Qt::MouseFocusReason);
                QTest::keyClick(b.before, Qt::Key_A, Qt::ControlModifier);
                typeKeys(b.fillBefore);
                ASSERT_EQ(QApplication::focusWidget(), b.box);
            } else {
                b.box->setFocus(Qt::MouseFocusReason);
                if (c.where == Where::All)
                    b.box->selectAll();
                else
                    b.box->setCursorPosition(c.where == Where::End ? int(b.full.size()) : 1);
            }
            const int cursor = b.box->cursorPosition();
            const QString selected = b.box->selectedText();
            QApplication::clipboard()->setText(overflow::expand(c.pasted, b.refused, b.full));
            dialogs.clear();
            typeKeys(keys);
            const int beeps = c.beeps < 0 ? int(keys.size()) : c.beeps;
            EXPECT_EQ(b.box->text(), b.full);
            EXPECT_EQ(b.box->cursorPosition(), cursor);
            EXPECT_EQ(b.box->selectedText(), selected);
            EXPECT_EQ(dialogs.beeps(), beeps);
            EXPECT_EQ(refusalShown(b.box), beeps > 0);
        }
    }
}

// The buttons a full box passes the focus on to: Space, Return and Enter
// right after the move are refused with the sign and a beep, the same key
// once more presses the button. Return and Enter press a focused button in
// every program (platform::pressFocusedButtonOnReturn), as here.
inline void checkOverflowRule(const std::vector<ButtonUnderTest>& buttons, ScriptedDialogs& dialogs)
{
    pressFocusedButtonOnReturn();
    const struct {
        const char* name;
        Qt::Key key;
    } keys[] = {{"Space", Qt::Key_Space}, {"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter}};
    for (const ButtonUnderTest& b : buttons) {
        for (const auto& k : keys) {
            SCOPED_TRACE(std::string(b.name) + ": " + k.name + " after a full box passed the focus on");
            b.prepare();
            QApplication::setActiveWindow(b.button->window());
            b.before->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(b.before, Qt::Key_A, Qt::ControlModifier);
            typeKeys(b.fillBefore);
            ASSERT_EQ(QApplication::focusWidget(), b.button);
            QSignalSpy pressed(b.button, &QAbstractButton::clicked);
            dialogs.clear();
            QTest::keyClick(b.button, k.key);
            QApplication::processEvents();
            EXPECT_EQ(pressed.count(), 0);
            EXPECT_EQ(dialogs.beeps(), 1);
            EXPECT_TRUE(refusalShown(b.button));
            QTest::keyClick(b.button, k.key);
            QApplication::processEvents();
            EXPECT_EQ(pressed.count(), 1);
        }
    }
}

// The same table on grid cells. A cell has no cursor inside its text: right
// after it is chosen a key replaces its value (the whole text selected), and
// once a key was taken the keys go to its end; so the case of a character
// inside does not apply. No box passes the focus on to a grid, so neither
// does the case of the keys after such a move.
inline void checkOverflowRule(const std::vector<GridCellUnderTest>& cells, ScriptedDialogs& dialogs)
{
    using overflow::Where;
    for (const GridCellUnderTest& cell : cells) {
        for (const overflow::Case& c : overflow::cases()) {
            const QString keys = overflow::expand(c.keys, cell.refused, cell.full);
            if (keys.isEmpty() || c.where == Where::Inside || overflow::afterMove(c.where))
                continue;
            SCOPED_TRACE(std::string(cell.name) + ": " + c.name);
            QApplication::setActiveWindow(cell.keys->window());
            cell.choose();
            ASSERT_EQ(cell.value(), cell.full);
            if (c.where == Where::End) {
                // The full value typed into the chosen cell: its keys replace
                // the value, then go to its end.
                typeKeys(cell.full);
                ASSERT_EQ(cell.value(), cell.full);
            }
            QApplication::clipboard()->setText(overflow::expand(c.pasted, cell.refused, cell.full));
            dialogs.clear();
            typeKeys(keys);
            const int beeps = c.beeps < 0 ? int(keys.size()) : c.beeps;
            EXPECT_EQ(cell.value(), cell.full);
            EXPECT_EQ(dialogs.beeps(), beeps);
            EXPECT_EQ(refusalShown(cell.sign), beeps > 0);
            const QWidget* s = cell.sign->findChild<QWidget*>(QStringLiteral("refusalSign"));
            if (beeps > 0 && s) {
                EXPECT_EQ(s->geometry(), cell.area);
            }
        }
    }
}

} // namespace platform::testing
