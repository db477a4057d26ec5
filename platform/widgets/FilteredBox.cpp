#include "platform/widgets/FilteredBox.h"

#include "platform/widgets/ScreenReader.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
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

// True when `k` would press the button `w` (a button acts on Space, and a
// push button that is a default button on Return and Enter too).
bool pressesButton(const QWidget* w, const QKeyEvent* k)
{
    if (!qobject_cast<const QAbstractButton*>(w))
        return false;
    switch (k->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select: return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const auto* p = qobject_cast<const QPushButton*>(w);
        return p && (p->autoDefault() || p->isDefault());
    }
    default: return false;
    }
}

// What a focus move by moveFocusOn() leaves on the control that took the
// focus, until the operator shows that he means that control: the first Tab
// taken as done; for a box, its value kept from the keys (the box's Gate
// asks guarded()); for a button, the first key that would press it refused.
class AutomaticMove : public QObject {
public:
    // `dialogs`: where a key refused on a button beeps (nullptr: the sign alone).
    AutomaticMove(QWidget* target, Dialogs* dialogs)
        : QObject(target), target_(target), box_(qobject_cast<QLineEdit*>(target)),
          button_(qobject_cast<QAbstractButton*>(target)), dialogs_(dialogs),
          // What the operator types into a box that was empty is his own.
          holdsValue_(box_ && !box_->text().isEmpty())
    {
        target->installEventFilter(this);
    }

    bool ended() const { return ended_; }
    bool protectsValue() const { return !ended_ && holdsValue_; }

    void end()
    {
        if (ended_)
            return;
        ended_ = true;
        target_->removeEventFilter(this);
        deleteLater();
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress: {
            const auto* k = static_cast<QKeyEvent*>(e);
            const bool first = !keySeen_;
            keySeen_ = true;
            if (first && k->key() == Qt::Key_Tab && k->modifiers() == Qt::NoModifier) {
                if (box_)
                    box_->selectAll();
                end();
                return true;
            }
            if (button_ && pressesButton(button_, k)) {
                // The rest of what was typed into the full box (a space, an
                // Enter) must not press the button: refused, with the sign;
                // the operator, told, presses again if he means it.
                if (dialogs_)
                    signalRefusal(button_, *dialogs_);
                else
                    showRefusalSign(button_);
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
    QAbstractButton* button_;
    Dialogs* dialogs_;
    bool holdsValue_;
    bool keySeen_ = false;
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
// state: those pass, the program's change handler filters them.
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
    connect(box, &QLineEdit::textChanged, this, [this] { committed_ = box_->text(); });
    connect(box, &QLineEdit::textEdited, this, &FilteredBox::edited);
    connect(box, &QLineEdit::inputRejected, this, &FilteredBox::rejected);
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
    if (!cut_)
        return;
    cut_ = false;
    rejected();
}

void FilteredBox::rejected()
{
    signalRefusal(box_, dialogs_);
    // Qt reports a refusal before it gives the box its text back; what the
    // program does next (a move of the focus) waits for the edit to end.
    QMetaObject::invokeMethod(this, &FilteredBox::refused, Qt::QueuedConnection);
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
