#pragma once
// The overflow rule of the suite's filtered boxes as one table of cases,
// run through real key events against every filtered box a program names:
// a refused key, a paste ending in a refused character, one more character
// into a full box, and the keys typed right after a full box passed the
// focus on to it, each leave the box's value as it was (text, cursor and
// selection), beep once per key and show the refusal sign.

#include "platform/Dialogs.h"
#include "platform/widgets/FilteredBox.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
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

inline void checkOverflowRule(const std::vector<FilteredBoxUnderTest>& boxes, ScriptedDialogs& dialogs)
{
    enum class Where { End, All, Inside, AfterMove };
    // In the keys and the pasted text: R the box's refused character, A the
    // last character of its full value (which fits it, but not once more).
    const struct {
        const char* name;
        Where where;
        const char* keys;
        const char* pasted;
    } cases[] = {
        {"a refused character at the end", Where::End, "R", ""},
        {"a refused character over the whole text", Where::All, "R", ""},
        {"a refused character inside", Where::Inside, "R", ""},
        {"a paste ending in a refused character", Where::End, "^", "AR"},
        {"one more character into the full box", Where::End, "A", ""},
        {"keys after a full box passed the focus on", Where::AfterMove, "AR<^", "A"},
    };
    for (const FilteredBoxUnderTest& b : boxes) {
        for (const auto& c : cases) {
            const auto expand = [&](const char* s) {
                QString t = QString::fromLatin1(s);
                t.replace(QLatin1Char('R'), b.refused);
                t.replace(QLatin1Char('A'), b.full.right(1));
                return t;
            };
            const QString keys = expand(c.keys);
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
            QApplication::clipboard()->setText(expand(c.pasted));
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

} // namespace platform::testing
