#include "platform/widgets/ScreenReader.h"

#include "platform/widgets/FilteredBox.h"
#include "platform/widgets/Grid.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

namespace {

constexpr char FrameDone[] = "selvaneFrameRead";
constexpr char ComboDone[] = "selvaneComboRead";
constexpr char TextInterfaceDone[] = "selvaneTextInterface";
constexpr char WindowRoleDone[] = "selvaneWindowRole";
constexpr char DialogWindow[] = "selvaneDialogWindow";
// Set by Accessible.cpp on the labels it reads as caption and value.
constexpr char ValueLabelDone[] = "selvaneValueLabelNamed";

// ---------------------------------------------------------------------------
// Boxes: the text interface with whole attribute runs.

QString cssColour(const QColor& c) { return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()); }

class BoxAccessible : public QAccessibleWidget,
                      public QAccessibleTextInterface,
                      public QAccessibleEditableTextInterface {
public:
    explicit BoxAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = box()->isReadOnly();
        s.editable = !box()->isReadOnly();
        s.passwordEdit = box()->echoMode() != QLineEdit::Normal;
        s.selectableText = true;
        return s;
    }

    // The text interface.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = *start + int(box()->selectedText().size());
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        const QString t = shown();
        start = std::clamp(start, 0, int(t.size()));
        end = end < 0 ? int(t.size()) : std::clamp(end, start, int(t.size()));
        return t.mid(start, end - start);
    }
    int characterCount() const override { return int(shown().size()); }
    QRect characterRect(int offset) const override
    {
        const QString t = shown();
        if (offset < 0 || offset >= t.size())
            return {};
        // The box's text starts at its cursor rectangle when the cursor is
        // at 0; each character is as wide as the font advances it.
        const QFontMetrics fm(box()->font());
        const QRect c = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int cursorX = fm.horizontalAdvance(t.left(box()->cursorPosition()));
        const int x = c.left() - cursorX + fm.horizontalAdvance(t.left(offset));
        const QRect r(x, c.top(), std::max(1, fm.horizontalAdvance(t.at(offset))), c.height());
        return QRect(box()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int endIndex) override { box()->setCursorPosition(endIndex); }
    // One run over the whole text: every character has the box's font and
    // colours. A reader builds the line it reads from the runs, so a run
    // that ends short of the text cuts what is heard.
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        const int n = characterCount();
        *startOffset = 0;
        *endOffset = n;
        if (offset < 0 || offset > n) {
            *endOffset = 0;
            return {};
        }
        const QFont f = box()->font();
        const QPalette p = box()->palette();
        return QStringLiteral("font-family:\"%1\";font-size:%2pt;font-weight:%3;font-style:%4;color:%5;"
                              "background-color:%6;")
            .arg(f.family())
            .arg(f.pointSize() > 0 ? f.pointSize() : 10)
            .arg(f.bold() ? QStringLiteral("bold") : QStringLiteral("normal"),
                 f.italic() ? QStringLiteral("italic") : QStringLiteral("normal"),
                 cssColour(p.color(QPalette::Text)), cssColour(p.color(QPalette::Base)));
    }

    // The editable-text interface: each edit goes the way the operator's own
    // does (selection, then insert or delete), so a box's filter judges it.
    void deleteText(int start, int end) override
    {
        box()->setSelection(start, end - start);
        if (box()->hasSelectedText())
            box()->del();
    }
    void insertText(int offset, const QString& text) override
    {
        box()->setCursorPosition(offset);
        box()->insert(text);
    }
    void replaceText(int start, int end, const QString& text) override
    {
        box()->setSelection(start, end - start);
        box()->insert(text);
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
    QString shown() const
    {
        return box()->echoMode() == QLineEdit::Normal ? box()->text() : box()->displayText();
    }
};

// ---------------------------------------------------------------------------
// Combo boxes: the entry chosen is also the combo box's text, where readers
// take a combo box's value from ("Range combo box Perigee"); its list is its
// one child, and Press opens it.

class ComboAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ComboAccessible(QComboBox* c) : QAccessibleWidget(c, QAccessible::ComboBox)
    {
        addControllingSignal(QStringLiteral("currentIndexChanged(int)"));
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    int childCount() const override { return combo()->view() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && combo()->view() ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == combo()->view() ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override
    {
        // Its caption reaches readers through the label relation; the name
        // is the entry chosen, as Qt gives it on this platform.
        if (t == QAccessible::Name || t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view() && combo()->view()->isVisible();
        return s;
    }
    QStringList actionNames() const override
    {
        return QStringList{QAccessibleActionInterface::showMenuAction(), QAccessibleActionInterface::pressAction()};
    }
    void doAction(const QString& action) override
    {
        if (action == QAccessibleActionInterface::showMenuAction() ||
            action == QAccessibleActionInterface::pressAction())
            combo()->showPopup();
    }

    // The text interface: the entry chosen, read only.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override
    {
        const QString t = combo()->currentText();
        start = std::clamp(start, 0, int(t.size()));
        end = end < 0 ? int(t.size()) : std::clamp(end, start, int(t.size()));
        return t.mid(start, end - start);
    }
    int characterCount() const override { return int(combo()->currentText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        const int n = characterCount();
        *startOffset = 0;
        *endOffset = offset >= 0 && offset <= n ? n : 0;
        return {};
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

// ---------------------------------------------------------------------------
// Frames: a frame with a title (QGroupBox) is read by its own title, as it
// stands now; Qt reads a frame inside another by the outer one's title. A
// frame without a title or name (a bare QFrame holding controls) is a
// filler, which readers pass over instead of saying "frame".

class FrameAccessible : public QAccessibleWidget {
public:
    explicit FrameAccessible(QGroupBox* g) : QAccessibleWidget(g, QAccessible::Grouping) {}
    QString text(QAccessible::Text t) const override
    {
        const auto* g = static_cast<const QGroupBox*>(widget());
        if (t == QAccessible::Name)
            return g->accessibleName().isEmpty() ? withoutMnemonics(g->title()) : g->accessibleName();
        return QAccessibleWidget::text(t);
    }
};

// ---------------------------------------------------------------------------
// Windows: a frame, or a dialog.

// Read by its title also while minimised (Qt reads a minimised window by
// its icon text, which the suite never sets).
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}
    QAccessible::Role role() const override
    {
        return widget()->property(DialogWindow).toBool() ? QAccessible::Dialog : QAccessible::Window;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            if (!widget()->accessibleName().isEmpty())
                return widget()->accessibleName();
            QString title = widget()->windowTitle();
            return title.remove(QStringLiteral("[*]"));
        }
        return QAccessibleWidget::text(t);
    }
};

// The windows of the suite's own classes: frames or dialogs (Qt's dialogs
// and message boxes keep their own interfaces).
bool ownWindow(const QString& className, QObject* o)
{
    if (!o || !o->isWidgetType() || className != QLatin1String(o->metaObject()->className()) ||
        className.startsWith(QLatin1Char('Q')))
        return false;
    auto* w = static_cast<QWidget*>(o);
    return w->isWindow() && !qobject_cast<QDialog*>(w);
}

QAccessibleInterface* windowFactory(const QString& className, QObject* o)
{
    return ownWindow(className, o) ? new WindowAccessible(static_cast<QWidget*>(o)) : nullptr;
}

// Puts `fresh` in the place of whatever interface `object` had, so that
// every later query returns it.
void replaceInterface(QObject* object, QAccessibleInterface* fresh)
{
    if (QAccessibleInterface* old = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
    QAccessible::registerAccessibleInterface(fresh);
}

// ---------------------------------------------------------------------------
// The gate between Qt's accessibility events and the bus.

struct Listener {
    int key;
    std::function<void(QAccessibleEvent*)> call;
};

std::vector<Listener>& listeners()
{
    static std::vector<Listener> l;
    return l;
}

void gate(QAccessibleEvent* e);

// Hands `e` to the listeners and to Qt's own way to the bus (the handlers
// step aside for the one event).
void deliver(QAccessibleEvent* e)
{
    for (const Listener& l : std::vector<Listener>(listeners()))
        l.call(e);
    const QAccessible::UpdateHandler outer = QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(e);
    QAccessible::installUpdateHandler(outer);
}

// A box's text events of one edit (text, cursor and selection), held until
// the edit is over, so that they reach readers in their order and only for
// a change the box keeps.
class HeldTextEvents : public QObject {
public:
    explicit HeldTextEvents(QLineEdit* box) : QObject(box), box_(box), known_(now()) {}

    void hold(QAccessibleEvent* e)
    {
        // Qt tells of a text change before it makes it: the box as the edit
        // found it. A cursor or selection event comes after its change: the
        // box as the last edit left it.
        const auto t = e->type();
        if (held_.empty() && (t == QAccessible::TextInserted || t == QAccessible::TextRemoved ||
                              t == QAccessible::TextUpdated))
            known_ = now();
        QPointer<QLineEdit> box = box_;
        std::function<void()> again;
        switch (e->type()) {
        case QAccessible::TextInserted: {
            auto* t = static_cast<QAccessibleTextInsertEvent*>(e);
            again = [box, p = t->changePosition(), s = t->textInserted()] {
                QAccessibleTextInsertEvent ev(box, p, s);
                deliver(&ev);
            };
            break;
        }
        case QAccessible::TextRemoved: {
            auto* t = static_cast<QAccessibleTextRemoveEvent*>(e);
            again = [box, p = t->changePosition(), s = t->textRemoved()] {
                QAccessibleTextRemoveEvent ev(box, p, s);
                deliver(&ev);
            };
            break;
        }
        case QAccessible::TextUpdated: {
            auto* t = static_cast<QAccessibleTextUpdateEvent*>(e);
            again = [box, p = t->changePosition(), o = t->textRemoved(), s = t->textInserted()] {
                QAccessibleTextUpdateEvent ev(box, p, o, s);
                deliver(&ev);
            };
            break;
        }
        case QAccessible::TextCaretMoved: {
            auto* t = static_cast<QAccessibleTextCursorEvent*>(e);
            again = [box, p = t->cursorPosition()] {
                QAccessibleTextCursorEvent ev(box, p);
                deliver(&ev);
            };
            break;
        }
        case QAccessible::TextSelectionChanged: {
            auto* t = static_cast<QAccessibleTextSelectionEvent*>(e);
            again = [box, a = t->selectionStart(), b = t->selectionEnd(), p = t->cursorPosition()] {
                QAccessibleTextSelectionEvent ev(box, a, b);
                ev.setCursorPosition(p);
                deliver(&ev);
            };
            break;
        }
        default: return;
        }
        held_.push_back(std::move(again));
        if (held_.size() == 1)
            QMetaObject::invokeMethod(this, [this] { flush(); }, Qt::QueuedConnection);
    }

private:
    struct State {
        QString text;
        int cursor = 0, selectionStart = -1, selectionLength = 0;
        bool operator==(const State&) const = default;
    };
    State now() const
    {
        return {box_->text(), box_->cursorPosition(), box_->selectionStart(), int(box_->selectedText().size())};
    }
    // The edit is over: its events go on when the box changed (its text, or
    // its cursor or selection alone), and are dropped when Qt put back what
    // it took out (a refused key).
    void flush()
    {
        std::vector<std::function<void()>> events;
        events.swap(held_);
        const State after = now();
        if (after == known_)
            return;
        const bool textChanged = after.text != known_.text;
        known_ = after;
        // A box that lost the focus meanwhile (Tab deselects its text) tells
        // no cursor or selection: the reader is at the next control already.
        if (!textChanged && !box_->hasFocus())
            return;
        for (const auto& e : events)
            e();
    }

    QLineEdit* box_;
    State known_;
    std::vector<std::function<void()>> held_;
};

// A value label's name changes as readers get them: only a change of the
// name read, and at most ValueLabelsPerSecond a second.
class LabelNotices : public QObject {
public:
    explicit LabelNotices(QWidget* label) : QObject(label), label_(label)
    {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { tell(); });
    }

    // The name is read when the program is done writing (after the event
    // being handled), and no sooner than the gap after the last change told:
    // texts written and written back in between are never heard.
    void changed()
    {
        if (timer_.isActive())
            return;
        const qint64 gap = 1000 / ValueLabelsPerSecond + 1;
        const qint64 since = told_.isValid() ? told_.elapsed() : gap;
        timer_.start(int(std::max<qint64>(0, gap - since)));
    }

private:
    void tell()
    {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(label_);
        const QString name = i ? i->text(QAccessible::Name) : QString();
        if (name == lastName_)
            return;
        lastName_ = name;
        told_.start();
        QAccessibleEvent ev(label_, QAccessible::NameChanged);
        deliver(&ev);
    }

    QWidget* label_;
    QTimer timer_;
    QElapsedTimer told_;
    QString lastName_;
};

template <class T, class O>
T* helperOf(O* owner)
{
    for (QObject* c : owner->children())
        if (auto* t = dynamic_cast<T*>(c))
            return t;
    return new T(owner);
}

void gate(QAccessibleEvent* e)
{
    QObject* o = e->object();
    if (!o) {
        deliver(e);
        return;
    }
    switch (e->type()) {
    case QAccessible::NameChanged:
        if (o->property(ValueLabelDone).toBool()) {
            helperOf<LabelNotices>(static_cast<QWidget*>(o))->changed();
            return;
        }
        break;
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
        if (auto* box = qobject_cast<QLineEdit*>(o)) {
            helperOf<HeldTextEvents>(box)->hold(e);
            return;
        }
        break;
    default: break;
    }
    deliver(e);
}

// ---------------------------------------------------------------------------
// Notices.

class NoticeAccessible : public QAccessibleWidget {
public:
    NoticeAccessible(QWidget* w, std::function<QString()> words)
        : QAccessibleWidget(w, QAccessible::Notification), words_(std::move(words))
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return words_ ? words_() : QString();
        return QAccessibleWidget::text(t);
    }

private:
    std::function<QString()> words_;
};

// A window's notice: an empty widget that is shown with its words.
class Notice : public QWidget {
public:
    explicit Notice(QWidget* window) : QWidget(window)
    {
        setObjectName(QStringLiteral("notice"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setFixedSize(1, 1);
        makeNotice(this, [this] { return words_; });
        QWidget::hide();
    }
    void say(const QString& text)
    {
        words_ = text;
        if (!isHidden())
            hide();
        show();
    }

private:
    QString words_;
};

// Says where the focus went when Qt moved it from a control being
// disabled: once the program is done (a command that disables several
// controls moves the focus along them), from the first control to the
// focus at the end.
void focusMoved(QWidget* old, QWidget* now)
{
    static QPointer<QWidget> from;
    static QString fromName;
    if (!old || !now || old->isEnabled() || old->window() != now->window() || !QAccessible::isActive())
        return;
    if (from)
        return; // already to be told
    from = old;
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(old);
    fromName = i ? i->text(QAccessible::Name) : QString();
    QMetaObject::invokeMethod(
        qApp,
        [] {
            QWidget* at = QApplication::focusWidget();
            QWidget* was = from;
            from = nullptr;
            if (!at || at == was)
                return;
            QAccessibleInterface* to = QAccessible::queryAccessibleInterface(at);
            announce(at, QStringLiteral("%1 is unavailable now; the focus moved to %2")
                             .arg(fromName, to ? to->text(QAccessible::Name) : QString()));
        },
        Qt::QueuedConnection);
}

} // namespace

QString withoutMnemonics(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
                out += text[++i];
            continue;
        }
        out += text[i];
    }
    return out;
}

void installScreenReaderLayer()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    QAccessible::installFactory(windowFactory);
    QAccessible::installUpdateHandler(gate);
    // Windows made before the layer came keep no interface Qt made them.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (ownWindow(QLatin1String(w->metaObject()->className()), w))
            giveWindowRole(w);
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget* old, QWidget* now) { focusMoved(old, now); });
}

int listenToScreenReaderEvents(std::function<void(QAccessibleEvent*)> listener)
{
    static int next = 0;
    listeners().push_back({++next, std::move(listener)});
    return next;
}

void stopListening(int key)
{
    auto& l = listeners();
    l.erase(std::remove_if(l.begin(), l.end(), [key](const Listener& x) { return x.key == key; }), l.end());
}

void giveTextInterface(QLineEdit* box)
{
    if (!box || box->property(TextInterfaceDone).toBool())
        return;
    box->setProperty(TextInterfaceDone, true);
    replaceInterface(box, new BoxAccessible(box));
    helperOf<HeldTextEvents>(box); // knows the box's state from now on
}

void makeNotice(QWidget* notice, std::function<QString()> words)
{
    if (notice)
        replaceInterface(notice, new NoticeAccessible(notice, std::move(words)));
}

void giveComboInterface(QComboBox* combo)
{
    if (!combo || combo->isEditable() || combo->property(ComboDone).toBool())
        return;
    combo->setProperty(ComboDone, true);
    replaceInterface(combo, new ComboAccessible(combo));
    // Another entry chosen is a new name: the reader on the box says it.
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [combo] {
        QAccessibleEvent named(combo, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
    });
}

void giveFrameInterface(QWidget* frame)
{
    if (!frame || frame->property(FrameDone).toBool())
        return;
    if (auto* g = qobject_cast<QGroupBox*>(frame)) {
        frame->setProperty(FrameDone, true);
        replaceInterface(g, new FrameAccessible(g));
    } else if (QLatin1String(frame->metaObject()->className()) == QLatin1String("QFrame") &&
               frame->accessibleName().isEmpty() && !frame->isWindow()) {
        frame->setProperty(FrameDone, true);
        replaceInterface(frame, new QAccessibleWidget(frame, QAccessible::Client));
    }
}

void presentAsDialog(QWidget* window)
{
    if (window)
        window->setProperty(DialogWindow, true);
}

void giveWindowRole(QWidget* window)
{
    if (!window || !window->isWindow() || window->property(WindowRoleDone).toBool())
        return;
    window->setProperty(WindowRoleDone, true);
    // A plain widget shown as a window reads as "filler"; any window,
    // minimised, without a name.
    if (qobject_cast<QDialog*>(window) ||
        dynamic_cast<WindowAccessible*>(QAccessible::queryAccessibleInterface(window)))
        return;
    replaceInterface(window, new WindowAccessible(window));
}

void announce(QWidget* where, const QString& text)
{
    if (!where || text.isEmpty())
        return;
    QWidget* window = where->window();
    Notice* n = window->findChild<Notice*>(QStringLiteral("notice"), Qt::FindDirectChildrenOnly);
    if (!n)
        n = new Notice(window);
    n->say(text);
}

ChangeNotice::ChangeNotice(QWidget* where, std::function<QString()> words)
    : where_(QAccessible::isActive() ? where : nullptr), words_(std::move(words))
{
    if (where_)
        before_ = words_();
}

ChangeNotice::~ChangeNotice()
{
    if (!where_ || !QAccessible::isActive())
        return;
    const QString after = words_();
    if (!after.trimmed().isEmpty() && after != before_)
        announce(where_, after);
}

QString refusalNotice(const QWidget* widget)
{
    if (!widget)
        return QStringLiteral("Refused");
    const auto nameOf = [](const QWidget* w) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w));
        return i ? i->text(QAccessible::Name).simplified() : QString();
    };
    const auto keeps = [](const QString& name, const QString& value) {
        return value.trimmed().isEmpty() ? QStringLiteral("Entry not allowed: %1 stays empty").arg(name)
                                         : QStringLiteral("Entry not allowed: %1 keeps %2").arg(name, value);
    };
    if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
        const FilteredBox* rule = FilteredBox::of(box);
        if (rule && rule->guarded())
            return QStringLiteral("Entry not allowed: the focus came to %1 by itself; select its text to change it")
                .arg(nameOf(box));
        return keeps(nameOf(box), box->text());
    }
    if (qobject_cast<const QAbstractButton*>(widget))
        return QStringLiteral("%1 not pressed: the focus came to it by itself; press again to press it")
            .arg(nameOf(widget));
    // A grid's cell: the grid holds the current cell, read by its column's
    // name and its row's title.
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (const auto* grid = qobject_cast<const Grid*>(w)) {
            const QAbstractItemModel* m = grid->table()->model();
            const int c = grid->col() - grid->fixedCols();
            QString column = m->headerData(c, Qt::Horizontal, Qt::AccessibleTextRole).toString();
            if (column.isEmpty())
                column = m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            const QString row = grid->fixedCols() > 0 ? grid->textMatrix(grid->row(), 0)
                                                      : QString::number(grid->row() - grid->fixedRows() + 1);
            const QString cell =
                (column.isEmpty() ? QStringLiteral("the cell") : column) + QStringLiteral(" at ") + row;
            return keeps(cell, grid->text());
        }
    return QStringLiteral("Entry not allowed: %1 is unchanged").arg(nameOf(widget));
}

} // namespace platform
