#pragma once
// The overflow rule of the suite's filtered boxes as one table of cases,
// run through real key events against every filtered box a program names,
// and against the cells of a grid that filters its keys: a refused key, a
// paste ending in a refused character, one more character into a full box,
// and the keys typed right after a full box passed the focus on to it, each
// leave the box's value as it was (text, cursor and selection), beep once
// per key and show the refusal sign.

#include "platform/Dialogs.h"
#include "platform/widgets/FilteredBox.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QRect>
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

// Types `keys` into whichever control has the focus, key by key, the events
// of each key handled before the next, as a keyboard does. '<' is Backspace,
// '^' Ctrl+V.
inline void typeKeys(const QString& keys)
{
    for (QChar k : keys) {
        QWidget* w = QApplication::focusWidget();
        if (k == QLatin1Char('<'))
            QTest::keyClick(w, Qt::Key_Backspace);
        else if (k == QLatin1Char('^'))
            QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        else
            QTest::keyClick(w, k.toLatin1());
        QApplication::processEvents();
    }
}

namespace overflow {

enum class Where { End, All, Inside, AfterMove };

// In the keys and the pasted text: R the box's refused character, A the
// last character of its full value (which fits it, but not once more).
struct Case {
    const char* name;
    Where where;
    const char* keys;
    const char* pasted;
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
    };
    return table;
}

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
            if (keys.isEmpty() || (c.where == Where::AfterMove && !b.before))
                continue;
            SCOPED_TRACE(std::string(b.name) + ": " + c.name);
            b.show();
            QApplication::setActiveWindow(b.box->window());
            b.box->setText(b.full);
            ASSERT_EQ(b.box->text(), b.full);
            if (c.where == Where::AfterMove) {
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
            EXPECT_EQ(b.box->text(), b.full);
            EXPECT_EQ(b.box->cursorPosition(), cursor);
            EXPECT_EQ(b.box->selectedText(), selected);
            EXPECT_EQ(dialogs.beeps(), int(keys.size()));
            EXPECT_TRUE(refusalShown(b.box));
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
            if (keys.isEmpty() || c.where == Where::Inside || c.where == Where::AfterMove)
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
            EXPECT_EQ(cell.value(), cell.full);
            EXPECT_EQ(dialogs.beeps(), int(keys.size()));
            EXPECT_TRUE(refusalShown(cell.sign));
            if (const QWidget* s = cell.sign->findChild<QWidget*>(QStringLiteral("refusalSign"))) {
                EXPECT_EQ(s->geometry(), cell.area);
            }
        }
    }
}

} // namespace platform::testing
