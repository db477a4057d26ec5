#pragma once
// The one key rule of every filtered box of the suite.
//
// 1. A key changes only the box it was typed into. Every edit the operator
//    makes in a box under the rule (a key, Backspace, Delete, a paste, a
//    drop, an input method's text, the context menu) is judged by the box's
//    filter BEFORE the box takes it:
//
//        platform::FilteredBox::attach(box, dialogs, [](const QString& before, const QString& proposed) {
//            return allowed(proposed) ? platform::EditVerdict::accept(proposed) : platform::EditVerdict::refuse();
//        });
//
//    A refused edit leaves the box exactly as it was (text, cursor and
//    selection; no change signal), beeps through the dialogs seam and shows
//    the refusal sign on the box. An edit the filter cuts (accepted with a
//    shorter text) is taken cut, with the same beep and sign. The box's own
//    textChanged handlers see only accepted texts; a text the program sets
//    (setText) is not judged here: the program's change handler filters it.
//
// 2. The refusal sign, the same in every program because a bell alone is
//    never heard on many desktops: a red frame over a light red tint across
//    the box (or across a part of it, a grid's cell), shown until the
//    operator's next key or mouse press, wherever it goes. Tests read it with
//    refusalShown(). signalRefusal() gives the beep and the sign for any
//    widget (a grid refusing a key); showRefusalSign() the sign alone (a
//    widget with no dialogs seam, the masked date box).
//
// 3. A box that a filter finds full passes the focus on with moveFocusOn(),
//    never with setFocus() alone. The box that takes the focus shows its
//    value unselected with the cursor at its end, and until the operator
//    shows that he means that box, no key changes a value he did not select:
//    keys that would replace, prefix, append to or empty it are refused (sign
//    and beep), so the rest of what was typed into the full box goes nowhere.
//    The operator means the box once he selects in it (Ctrl+A, Shift+arrows,
//    the mouse), moves its cursor (arrows, Home, End, a click), or presses
//    Tab as the first key after the move: that Tab is taken as already done
//    and selects the box's whole text, as a Tab into it would. An empty box
//    takes the keys at once, so an entry can be typed in one go. A button
//    takes the first Tab as done too, and is not pressed by the keys typed on
//    after the move: the first key that would press it (Space; Return and
//    Enter on a default button) is refused with the sign and the beep of the
//    box that moved the focus, and the next one presses it; characters go
//    nowhere, as on a button always. Another control only takes the first
//    Tab as done.

#include "platform/Dialogs.h"
#include "platform/EditVerdict.h"

#include <QObject>
#include <QRect>
#include <QString>

class QLineEdit;
class QWidget;

namespace platform {

class FilteredBox : public QObject {
    Q_OBJECT
public:
    // Puts `box` under the rule, judged by `judge`; the rule is a child of
    // the box and lives as long as it. `box` must have no validator of its own.
    static FilteredBox* attach(QLineEdit* box, Dialogs& dialogs, EditJudge judge);
    // The rule of `box`; nullptr when it has none.
    static FilteredBox* of(const QWidget* box);

    QLineEdit* box() const { return box_; }
    Dialogs& dialogs() const { return dialogs_; }
    // True while a focus move by moveFocusOn() keeps the box's value from
    // the keys that follow it (see 3 above), the box holding a value.
    bool guarded() const;

signals:
    // An edit was refused or cut; the beep and the sign are already given.
    // Emitted once the edit is over (queued, so before the operator's next
    // key arrives), the box holding the text it keeps. For a filter that
    // moves the focus on from a box that overflows.
    void refused();

private:
    class Gate;
    FilteredBox(QLineEdit* box, Dialogs& dialogs, EditJudge judge);
    void edited();
    void rejected();

    QLineEdit* box_;
    Dialogs& dialogs_;
    EditJudge judge_;
    // The text the box holds, as its last accepted or program-set change left it.
    QString committed_;
    // The judge cut the edit being applied.
    bool cut_ = false;
};

// The focus passes from the box `from`, which its filter found full, to
// `next` (see 3 above). When `from` does not have the focus (its text was
// set by the program) the focus moves plainly. The move is made as the Tab
// key makes it (Qt::TabFocusReason), so checks that run when the Tab key
// leaves a box run for it too.
void moveFocusOn(QWidget* from, QWidget* next);

// The refusal: one beep through `dialogs` and the sign on `widget`, over
// `area` (widget coordinates; the whole widget when empty).
void signalRefusal(QWidget* widget, Dialogs& dialogs, const QRect& area = {});
// The sign alone.
void showRefusalSign(QWidget* widget, const QRect& area = {});
// True while the sign shows on `widget`.
bool refusalShown(const QWidget* widget);

} // namespace platform
