#pragma once
// The one key rule of every filtered box of the suite.
//
// 1. A key changes only the box it was typed into. Every change the
//    operator makes to the text of a box under the rule (a key, Backspace,
//    Delete, a paste, a drop, an input method's text, Undo and Redo, the
//    context menu's actions) is judged by the box's filter BEFORE the box
//    takes it:
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
//    Undo and Redo belong to the rule, not to the line edit: the rule keeps
//    the box's history of the operator's own edits, one step per accepted
//    edit, and forgets it whenever the program sets the text and when an
//    automatic move (3 below) brings the focus to the box, so an Undo never
//    reaches an edit made before either. Ctrl+Z (and the platform's Undo
//    keys), Ctrl+Shift+Z and Ctrl+Y (and the platform's Redo keys) and the
//    context menu's Undo and Redo give the text of the step back as an edit,
//    judged like any other.
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
//    keys that would replace, prefix, append to or empty it, and Undo and
//    Redo, are refused (sign and beep), so the rest of what was typed into
//    the full box goes nowhere. The operator means the box once he selects
//    in it (Ctrl+A, Shift+arrows, the mouse), moves its cursor (arrows,
//    Home, End, a click). Tab moves the focus on as it always does. An empty
//    box takes the keys at once, so an entry can be typed in one go. A
//    button the move lands on is not pressed by the keys typed on after the
//    move: the first key that would press it (Space, Return or Enter, on
//    every button, default or not, and on image buttons) is refused with the
//    sign and the beep of the box that moved the focus, and the next one
//    presses it; characters go nowhere, as on a button always. The move
//    sees the keys before any other handler of the application does (the
//    suite's Return-presses-the-focused-button rule included). Another
//    control keeps nothing from the move.

#include "platform/Dialogs.h"
#include "platform/EditVerdict.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <vector>

class QLineEdit;
class QPoint;
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

    // The operator's Undo and Redo (see 1 above): true when there is a step
    // to give back. undo() and redo() judge the step's text as an edit.
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void undo();
    void redo();

signals:
    // An edit was refused or cut; the beep and the sign are already given.
    // Emitted once the edit is over (queued, so before the operator's next
    // key arrives), the box holding the text it keeps. For a filter that
    // moves the focus on from a box that overflows.
    void refused();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    class Gate;
    friend void moveFocusOn(QWidget* from, QWidget* next);
    FilteredBox(QLineEdit* box, Dialogs& dialogs, EditJudge judge);
    void edited();
    void changed();
    void rejected();
    // Gives back the last step of the Undo history (`undoing`) or of the Redo
    // history as an edit, refused while the box is guarded.
    void restore(bool undoing);
    void forgetHistory();
    void showContextMenu(const QPoint& globalPos);

    QLineEdit* box_;
    Dialogs& dialogs_;
    EditJudge judge_;
    // The text the box holds, as its last accepted or program-set change left it.
    QString committed_;
    // The judge cut the edit being applied.
    bool cut_ = false;
    // The change under way is an edit of the operator (textEdited came first).
    bool editing_ = false;
    // The change under way gives back a step of the Undo (or Redo) history.
    enum class Restoring { No, Undo, Redo } restoring_ = Restoring::No;
    // The texts before each of the operator's accepted edits, the latest
    // last; and the texts that Undo took away, for Redo.
    std::vector<QString> undo_, redo_;
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
