#include "platform/widgets/FilteredBox.h"

#include "platform/widgets/ImageButton.h"
#include "platform/widgets/ScreenReader.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QValidator>

#include <algorithm>

namespace platform {

namespace {

// The refusal sign: a child of the widget it marks, drawn over it, letting
// the mouse through. While shown it watches the whole application for the
// operator's next key or mouse press, which hides it.
class RefusalSign : public QWidget {
public:
    explicit RefusalSign(QWidget* owner) : QWidget(owner)
    {
        setObjectName(QStringLiteral("refusalSign"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setAccessibleName(QStringLiteral("Refused"));
        // Read as a notice: what was refused and what the control keeps,
        // taken when a reader asks (the box has its text back by then).
        makeNotice(this, [owner] { return refusalNotice(owner); });
        owner->installEventFilter(this);
        QWidget::hide();
    }

    void showOver(const QRect& area)
    {
        area_ = area;
        place();
        raise();
        if (isHidden())
            QCoreApplication::instance()->installEventFilter(this);
        else
            QWidget::hide(); // shown again at once: readers hear each refusal
        show();
        update();
        QAccessibleEvent alert(parentWidget(), QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == parentWidget() && e->type() == QEvent::Resize)
            place();
        if (!isHidden() && (e->type() == QEvent::KeyPress || e->type() == QEvent::MouseButtonPress)) {
            QCoreApplication::instance()->removeEventFilter(this);
            hide();
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(230, 0, 0, 56));
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

private:
    void place() { setGeometry(area_.isEmpty() ? parentWidget()->rect() : area_); }

    QRect area_;
};

// The first direct child of `o` of the class T (these classes have no meta
// object of their own, so qobject_cast cannot tell them apart).
template <class T>
T* childOf(const QObject* o)
{
    if (!o)
        return nullptr;
    for (QObject* c : o->children())
        if (auto* t = dynamic_cast<T*>(c))
            return t;
    return nullptr;
}

RefusalSign* signOf(const QWidget* w) { return childOf<RefusalSign>(w); }

bool isNavigation(const QKeyEvent* k)
{
    switch (k->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return true;
    default: return k->matches(QKeySequence::SelectAll);
    }
}

// True when `k` would press the button `w`: Space, Return and Enter (the
// suite's windows turn Return and Enter on any focused push button into a
// click, platform/widgets/Window.h), on any button and on an image button.
bool pressesButton(const QWidget* w, const QKeyEvent* k)
{
    if (!qobject_cast<const QAbstractButton*>(w) && !qobject_cast<const ImageButton*>(w))
        return false;
    if (k->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (k->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select:
    case Qt::Key_Return:
    case Qt::Key_Enter: return true;
    default: return false;
    }
}

// The keys that undo and redo an edit: the platform's, and Ctrl+Z, Ctrl+Shift+Z
// and Ctrl+Y whatever the platform, so that every box answers the same keys.
bool isUndoKey(const QKeyEvent* k)
{
    return k->matches(QKeySequence::Undo) || (k->key() == Qt::Key_Z && k->modifiers() == Qt::ControlModifier);
}

bool isRedoKey(const QKeyEvent* k)
{
    const Qt::KeyboardModifiers m = k->modifiers();
    return k->matches(QKeySequence::Redo) ||
           (k->key() == Qt::Key_Z && m == (Qt::ControlModifier | Qt::ShiftModifier)) ||
           (k->key() == Qt::Key_Y && m == Qt::ControlModifier);
}

// What a focus move by moveFocusOn() leaves on the control that took the
// focus, until the operator shows that he means that control: for a box,
// its value kept from the keys (the box's Gate and its Undo ask guarded());
// for a button, the first key that would press it refused. It watches the
// whole application, so that it sees the target's keys before any other
// handler (an application-wide filter that turns Return into a click sees
// them after it, being installed before it).
class AutomaticMove : public QObject {
public:
    // `dialogs`: where a key refused on a button beeps (nullptr: the sign alone).
    AutomaticMove(QWidget* target, Dialogs* dialogs)
        : QObject(target), target_(target), box_(qobject_cast<QLineEdit*>(target)),
          button_(qobject_cast<QAbstractButton*>(target) || qobject_cast<ImageButton*>(target)), dialogs_(dialogs),
          // What the operator types into a box that was empty is his own.
          holdsValue_(box_ && !box_->text().isEmpty())
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool ended() const { return ended_; }
    bool protectsValue() const { return !ended_ && holdsValue_; }

    void end()
    {
        if (ended_)
            return;
        ended_ = true;
        QCoreApplication::instance()->removeEventFilter(this);
        deleteLater();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched != target_)
            return false;
        switch (e->type()) {
        case QEvent::KeyPress: {
            const auto* k = static_cast<QKeyEvent*>(e);
            if (button_ && pressesButton(target_, k)) {
                // The rest of what was typed into the full box (a space, an
                // Enter) must not press the button: refused, with the sign;
                // the operator, told, presses again if he means it.
                if (dialogs_)
                    signalRefusal(target_, *dialogs_);
                else
                    showRefusalSign(target_);
                end();
                return true;
            }
            // In a box or on a button the operator's own cursor move or
            // selection says he means it; characters typed on go nowhere on a
            // button, and keep it guarded. Another control keeps nothing.
            if ((!box_ && !button_) || isNavigation(k))
                end();
            return false;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::FocusOut: end(); break;
        default: break;
        }
        return false;
    }

private:
    QWidget* target_;
    QLineEdit* box_;
    bool button_;
    Dialogs* dialogs_;
    bool holdsValue_;
    bool ended_ = false;
};

// The move still in force on `w`, if any.
AutomaticMove* moveOn(const QWidget* w)
{
    for (QObject* c : w->children())
        if (auto* m = dynamic_cast<AutomaticMove*>(c); m && !m->ended())
            return m;
    return nullptr;
}

} // namespace

// Judges every edit of the operator before the box takes it. Qt calls it
// also for texts the program sets (setText), which clears the box's modified
// state: those pass, the program's change handler filters them. An edit of
// the operator always leaves the box modified, since the line edit's own
// Undo, which can bring it back to its unmodified state, is never used (the
// rule's Undo gives a step back as a new edit).
class FilteredBox::Gate : public QValidator {
public:
    Gate(FilteredBox* rule) : QValidator(rule), rule_(rule) {}

    State validate(QString& input, int& pos) const override
    {
        FilteredBox& r = *rule_;
        if (!r.box_->isModified() || input == r.committed_)
            return Acceptable;
        if (r.guarded())
            return Invalid;
        const EditVerdict v = r.judge_(r.committed_, input);
        if (!v.accepted || v.text == r.committed_)
            return Invalid;
        if (v.text != input) {
            input = v.text;
            pos = std::min<int>(pos, int(input.size()));
            r.cut_ = true;
        }
        return Acceptable;
    }

private:
    FilteredBox* rule_;
};

FilteredBox::FilteredBox(QLineEdit* box, Dialogs& dialogs, EditJudge judge)
    : QObject(box), box_(box), dialogs_(dialogs), judge_(std::move(judge)), committed_(box->text())
{
    box->setValidator(new Gate(this));
    connect(box, &QLineEdit::textChanged, this, &FilteredBox::changed);
    connect(box, &QLineEdit::textEdited, this, &FilteredBox::edited);
    connect(box, &QLineEdit::inputRejected, this, &FilteredBox::rejected);
    box->installEventFilter(this);
}

FilteredBox* FilteredBox::attach(QLineEdit* box, Dialogs& dialogs, EditJudge judge)
{
    return new FilteredBox(box, dialogs, std::move(judge));
}

FilteredBox* FilteredBox::of(const QWidget* box)
{
    return box ? box->findChild<FilteredBox*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool FilteredBox::guarded() const
{
    const AutomaticMove* m = moveOn(box_);
    return m && m->protectsValue() && !committed_.isEmpty();
}

void FilteredBox::edited()
{
    editing_ = true;
    if (!cut_)
        return;
    cut_ = false;
    rejected();
}

void FilteredBox::changed()
{
    const QString text = box_->text();
    if (!editing_) {
        // The program set the text: what the operator did before is not
        // there any more to be undone.
        forgetHistory();
    } else if (text != committed_) {
        switch (restoring_) {
        case Restoring::No:
            undo_.push_back(committed_);
            redo_.clear();
            break;
        case Restoring::Undo: redo_.push_back(committed_); break;
        case Restoring::Redo: undo_.push_back(committed_); break;
        }
    }
    editing_ = false;
    committed_ = text;
}

void FilteredBox::rejected()
{
    signalRefusal(box_, dialogs_);
    // Qt reports a refusal before it gives the box its text back; what the
    // program does next (a move of the focus) waits for the edit to end.
    QMetaObject::invokeMethod(this, &FilteredBox::refused, Qt::QueuedConnection);
}

void FilteredBox::undo() { restore(true); }

void FilteredBox::redo() { restore(false); }

void FilteredBox::restore(bool undoing)
{
    std::vector<QString>& from = undoing ? undo_ : redo_;
    if (guarded()) {
        rejected();
        return;
    }
    if (from.empty())
        return;
    const QString target = from.back();
    const QString now = box_->text();
    const int cursor = box_->cursorPosition();
    const int selStart = box_->selectionStart();
    const int selLength = int(box_->selectedText().size());
    // The step is given back as the edit that replaces the part of the text
    // that differs, judged by the Gate as any edit; the cursor ends after it.
    qsizetype head = 0;
    while (head < now.size() && head < target.size() && now[head] == target[head])
        ++head;
    qsizetype tail = 0;
    while (tail < now.size() - head && tail < target.size() - head &&
           now[now.size() - 1 - tail] == target[target.size() - 1 - tail])
        ++tail;
    if (now.size() - head - tail > 0)
        box_->setSelection(int(head), int(now.size() - head - tail));
    else
        box_->setCursorPosition(int(head));
    restoring_ = undoing ? Restoring::Undo : Restoring::Redo;
    box_->insert(target.mid(head, target.size() - head - tail));
    restoring_ = Restoring::No;
    if (box_->text() != now) {
        from.pop_back();
        return;
    }
    // Refused: the cursor and the selection as they were.
    if (selLength > 0)
        box_->setSelection(selStart, selLength);
    else
        box_->setCursorPosition(cursor);
}

void FilteredBox::forgetHistory()
{
    undo_.clear();
    redo_.clear();
}

bool FilteredBox::eventFilter(QObject* watched, QEvent* e)
{
    if (watched != box_)
        return false;
    switch (e->type()) {
    case QEvent::ShortcutOverride: {
        // Undo and Redo are the box's keys, never a shortcut of its window.
        auto* k = static_cast<QKeyEvent*>(e);
        if (isUndoKey(k) || isRedoKey(k))
            k->accept();
        return false;
    }
    case QEvent::KeyPress: {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (box_->isReadOnly() || (!isUndoKey(k) && !isRedoKey(k)))
            return false;
        restore(isUndoKey(k));
        return true;
    }
    case QEvent::ContextMenu:
        showContextMenu(static_cast<QContextMenuEvent*>(e)->globalPos());
        return true;
    default: return false;
    }
}

void FilteredBox::showContextMenu(const QPoint& globalPos)
{
    // The line edit's own menu, its Undo and Redo made the rule's.
    QMenu* menu = box_->createStandardContextMenu();
    for (QAction* a : menu->actions()) {
        const QString caption = a->text().section(QLatin1Char('\t'), 0, 0);
        const bool undoing = caption == QLineEdit::tr("&Undo");
        if (!undoing && caption != QLineEdit::tr("&Redo"))
            continue;
        QObject::disconnect(a, nullptr, box_, nullptr);
        a->setEnabled(!box_->isReadOnly() && (undoing ? canUndo() : canRedo()));
        connect(a, &QAction::triggered, this, undoing ? &FilteredBox::undo : &FilteredBox::redo);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void moveFocusOn(QWidget* from, QWidget* next)
{
    if (!next)
        return;
    if (!from || !from->hasFocus()) {
        next->setFocus(Qt::OtherFocusReason);
        return;
    }
    next->setFocus(Qt::TabFocusReason);
    if (!next->hasFocus())
        return;
    if (AutomaticMove* old = moveOn(next))
        old->end();
    // The value shows unselected, the cursor after it: nothing in the box
    // looks as if the next key would replace it.
    if (auto* box = qobject_cast<QLineEdit*>(next)) {
        box->deselect();
        box->setCursorPosition(int(box->text().size()));
    }
    // An Undo there must never reach an edit made before the move.
    if (FilteredBox* target = FilteredBox::of(next))
        target->forgetHistory();
    FilteredBox* rule = FilteredBox::of(from);
    new AutomaticMove(next, rule ? &rule->dialogs() : nullptr);
}

void signalRefusal(QWidget* widget, Dialogs& dialogs, const QRect& area)
{
    dialogs.beep();
    showRefusalSign(widget, area);
}

void showRefusalSign(QWidget* widget, const QRect& area)
{
    if (!widget)
        return;
    RefusalSign* s = signOf(widget);
    if (!s)
        s = new RefusalSign(widget);
    s->showOver(area);
}

bool refusalShown(const QWidget* widget)
{
    const RefusalSign* s = signOf(widget);
    return s && !s->isHidden();
}

} // namespace platform
