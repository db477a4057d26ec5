#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/FilteredBox.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTimer>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using platform::MaskedEdit;

struct TypingCase {
    const char* mask;
    const char* start;  // text set first ("" = blank)
    int cursor;         // cursor position before typing
    const char* keys;   // typed characters; '<' Backspace, '~' Delete
    const char* result; // text afterwards
    int refused;        // validation errors reported
};

TEST(MaskedEdit, TypingFollowsTheMask)
{
    const TypingCase cases[] = {
        {"##-##-####", "", 0, "09032001", "09-03-2001", 0},
        {"##-##-####", "", 0, "09-03-2001", "09-03-2001", 0}, // typed separators just move on
        {"##-##-####", "", 0, "9a", "9_-__-____", 1},          // a letter does not fit
        {"##-##-####", "", 0, "0903200112", "09-03-2001", 2},  // nothing fits after the end
        {"##:##", "", 0, "0730", "07:30", 0},
        {"##:##", "", 0, "07.30", "07:30", 1},                 // "." is not the fixed ":"
        {"##:##", "07:30", 5, "<", "07:3_", 0},
        {"##:##", "07:30", 3, "<", "0_:30", 0},                // backspace skips the fixed ":"
        {"##:##", "07:30", 0, "~", "_7:30", 0},
        {"##:##", "07:30", 1, "5", "05:30", 0},                // overwrite in place
        {"##:##", "", 0, " ", "__:__", 1},
    };
    for (const auto& k : cases) {
        MaskedEdit e(QString::fromLatin1(k.mask));
        if (*k.start) {
            EXPECT_TRUE(e.setText(QString::fromLatin1(k.start)));
        }
        e.setCursorPosition(k.cursor);
        QSignalSpy refused(&e, &MaskedEdit::validationError);
        for (const char* p = k.keys; *p; ++p) {
            if (*p == '<')
                QTest::keyClick(&e, Qt::Key_Backspace);
            else if (*p == '~')
                QTest::keyClick(&e, Qt::Key_Delete);
            else
                QTest::keyClicks(&e, QString(QLatin1Char(*p)));
        }
        EXPECT_EQ(e.text(), QString::fromLatin1(k.result)) << k.mask << " " << k.keys;
        EXPECT_EQ(refused.count(), k.refused) << k.mask << " " << k.keys;
    }
}

TEST(MaskedEdit, ValidationErrorTellsTheRefusedInput)
{
    MaskedEdit e(QStringLiteral("##:##"));
    QSignalSpy refused(&e, &MaskedEdit::validationError);
    QTest::keyClicks(&e, QStringLiteral("1x"));
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.at(0).at(0).toString(), "1x:__");
    EXPECT_EQ(refused.at(0).at(1).toInt(), 1);
    // The suite's refusal sign shows on the box until the next key.
    EXPECT_TRUE(platform::refusalShown(&e));
    QTest::keyClicks(&e, QStringLiteral("2"));
    EXPECT_FALSE(platform::refusalShown(&e));
    EXPECT_EQ(e.text(), "12:__");
}

struct SetTextCase {
    const char* text;
    bool fits;
    const char* shown;
};

TEST(MaskedEdit, SetTextKeepsTheFixedCharacters)
{
    const SetTextCase cases[] = {
        {"09-03-2001", true, "09-03-2001"},
        {"09-0_-____", true, "09-0_-____"},
        {"9-3-2001", false, "9_-__-____"}, // does not fit the mask: rest blank
        {"09/03/2001", false, "09-__-____"},
        {"", true, "__-__-____"},
    };
    for (const auto& k : cases) {
        MaskedEdit e(QStringLiteral("##-##-####"));
        EXPECT_EQ(e.setText(QString::fromLatin1(k.text)), k.fits) << k.text;
        EXPECT_EQ(e.text(), QString::fromLatin1(k.shown)) << k.text;
    }
    MaskedEdit e(QStringLiteral("##-##-####"));
    e.setText(QStringLiteral("09-0_-2001"));
    EXPECT_EQ(e.clipText(), "090 2001");
    EXPECT_FALSE(e.isComplete());
}

TEST(MaskedEdit, WholeSelectionIsTypedOver)
{
    MaskedEdit e(QStringLiteral("##:##"));
    e.setText(QStringLiteral("07:30"));
    e.selectAll();
    QTest::keyClicks(&e, QStringLiteral("1"));
    EXPECT_EQ(e.text(), "1_:__");
}

TEST(MaskedEdit, LostFocusWhenTheFocusMovesAndTheFocusCanBeTakenBack)
{
    QWidget w;
    auto* lay = new QVBoxLayout(&w);
    auto* date = new MaskedEdit(QStringLiteral("##-##-####"));
    auto* time = new MaskedEdit(QStringLiteral("##:##"));
    lay->addWidget(date);
    lay->addWidget(time);
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    date->setFocus();
    QSignalSpy lost(date, &MaskedEdit::lostFocus);
    // The handler refuses the box and takes the focus back, as a date check does.
    QObject::connect(date, &MaskedEdit::lostFocus, date, [date] { date->setFocus(); });
    time->setFocus();
    EXPECT_EQ(lost.count(), 1);
    EXPECT_TRUE(date->hasFocus());
}

namespace {
// A box whose drop handler a test can call with a made-up drop.
struct BoxWithDrop : MaskedEdit {
    using MaskedEdit::MaskedEdit;
    void drop(QDropEvent* e) { dropEvent(e); }
    QPoint caretPoint() const { return cursorRect().center(); }
};
} // namespace

// Pasted, dropped and input-method text goes through the mask as typed keys
// do: the fixed characters are kept. It is one edit: a refused character
// anywhere in it leaves the box as it was, cursor included, with the sign.
TEST(MaskedEdit, PastedTextGoesThroughTheMask)
{
    struct Case {
        const char* mask;
        const char* start;
        int cursor;
        const char* pasted;
        const char* result;
        int refused;
    } cases[] = {
        {"##-##-####", "", 0, "12-05-2001", "12-05-2001", 0},
        {"##-##-####", "", 0, "12052001", "12-05-2001", 0},
        {"##-##-####", "", 0, "1a3", "__-__-____", 1},       // a letter: nothing is taken
        {"##-##-####", "", 0, "12-13-2001999", "__-__-____", 1}, // nothing fits after the end
        {"##:##", "", 0, "07:30\r\n", "07:30", 0},           // a line end does not print
        {"##:##", "07:30", 3, "45", "07:45", 0},
        {"##:##", "07:30", 3, "4x", "07:30", 1},             // the 4 is not kept either
        {"##:##", "", 0, "5000", "50:00", 0},
        {"##:##", "", 0, "-5", "__:__", 1},
    };
    QClipboard* clip = QGuiApplication::clipboard();
    enum Way { CtrlV, ShiftInsert, Drop, InputMethod, ContextMenu };
    for (Way way : {CtrlV, ShiftInsert, Drop, InputMethod, ContextMenu}) {
        for (const auto& k : cases) {
            BoxWithDrop e(QString::fromLatin1(k.mask));
            if (*k.start)
                e.setText(QString::fromLatin1(k.start));
            e.setCursorPosition(k.cursor);
            QSignalSpy refused(&e, &MaskedEdit::validationError);
            const QString text = QString::fromLatin1(k.pasted);
            clip->setText(text);
            if (way == CtrlV) {
                QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
            } else if (way == ShiftInsert) {
                QTest::keyClick(&e, Qt::Key_Insert, Qt::ShiftModifier);
            } else if (way == Drop) {
                QMimeData data;
                data.setText(text);
                const QPoint at = e.caretPoint();
                QDropEvent d(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                e.drop(&d);
            } else if (way == InputMethod) {
                QInputMethodEvent ime;
                ime.setCommitString(text);
                QApplication::sendEvent(&e, &ime);
            } else {
                // The context menu's Paste, chosen while the menu is open.
                e.show();
                QTimer::singleShot(0, &e, [] {
                    QWidget* popup = QApplication::activePopupWidget();
                    ASSERT_TRUE(popup);
                    QAction* paste = popup->findChild<QAction*>(QStringLiteral("edit-paste"));
                    for (QAction* a : popup->actions())
                        if (a->objectName() == QLatin1String("edit-paste"))
                            paste = a;
                    ASSERT_TRUE(paste);
                    paste->trigger();
                    popup->close();
                });
                QContextMenuEvent c(QContextMenuEvent::Mouse, QPoint(2, 2), e.mapToGlobal(QPoint(2, 2)));
                QApplication::sendEvent(&e, &c);
            }
            EXPECT_EQ(e.text(), QString::fromLatin1(k.result)) << int(way) << " " << k.mask << " " << k.pasted;
            EXPECT_EQ(refused.count(), k.refused) << int(way) << " " << k.mask << " " << k.pasted;
            EXPECT_EQ(platform::refusalShown(&e), k.refused > 0) << int(way) << " " << k.mask << " " << k.pasted;
            if (k.refused > 0 && way != Drop) { // a drop puts the cursor where it lands
                EXPECT_EQ(e.cursorPosition(), k.cursor) << int(way) << " " << k.mask << " " << k.pasted;
            }
        }
    }
}

// The middle button's selection, where the platform has one.
TEST(MaskedEdit, MiddleButtonPasteGoesThroughTheMask)
{
    QClipboard* clip = QGuiApplication::clipboard();
    if (!clip->supportsSelection())
        GTEST_SKIP() << "no selection clipboard on this platform";
    MaskedEdit e(QStringLiteral("##:##"));
    e.show();
    clip->setText(QStringLiteral("1x"), QClipboard::Selection);
    QSignalSpy refused(&e, &MaskedEdit::validationError);
    QTest::mouseClick(&e, Qt::MiddleButton, {}, QPoint(2, e.height() / 2));
    EXPECT_EQ(e.text(), "__:__");
    EXPECT_EQ(refused.count(), 1);
}
