#include "accessibility/tests/Walk.h"

#include "platform/widgets/ImageButton.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QMetaEnum>
#include <QWidget>

#include <map>
#include <set>
#include <tuple>

namespace accessibility {

namespace {

// The roles of the controls an operator acts on or types into.
bool interactive(QAccessible::Role r)
{
    switch (r) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Dial:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::ButtonDropGrid:
    case QAccessible::Link:
    case QAccessible::HotkeyField: return true;
    default: return false;
    }
}

// Controls whose children are their own parts (the entries of a list, the
// cells of a table, the pop-up list of a combo box), not controls of the
// window.
bool ownsItsChildren(QAccessible::Role r)
{
    return r == QAccessible::ComboBox || r == QAccessible::List || r == QAccessible::Table ||
           r == QAccessible::Tree || r == QAccessible::SpinBox || r == QAccessible::ScrollBar;
}

QString roleName(QAccessible::Role r)
{
    if (r == QAccessible::PushButton) // also called Button, the first name of that value
        return QStringLiteral("PushButton");
    const char* key = QMetaEnum::fromType<QAccessible::Role>().valueToKey(r);
    return key ? QString::fromLatin1(key) : QString::number(int(r));
}

// The control's object name; for one without, its class and its place among
// the children of that class of its parent, after the nearest named
// ancestor ("ZoneImage/platform::ImageButton[2]").
QString objectNameOf(const QObject* o)
{
    if (!o)
        return QStringLiteral("<no object>");
    if (!o->objectName().isEmpty())
        return o->objectName();
    const char* cls = o->metaObject()->className();
    QString name = QString::fromLatin1(cls);
    if (const QObject* p = o->parent()) {
        int index = 0, same = 0;
        for (const QObject* sibling : p->children()) {
            if (sibling == o)
                index = same;
            same += qstrcmp(sibling->metaObject()->className(), cls) == 0;
        }
        if (same > 1)
            name += QStringLiteral("[%1]").arg(index);
        while (p && p->objectName().isEmpty())
            p = p->parent();
        if (p)
            name = p->objectName() + QLatin1Char('/') + name;
    }
    return name;
}

// What a screen reader announces as the control's name.
QString announcedName(QAccessibleInterface* i)
{
    if (i->role() != QAccessible::ComboBox)
        return i->text(QAccessible::Name).simplified();
    QStringList labels;
    for (const auto& [label, relation] : i->relations(QAccessible::Label))
        if (label)
            labels << label->text(QAccessible::Name).simplified();
    return labels.join(QLatin1Char(' '));
}

// A name as a listener tells it from another: case and trailing punctuation
// are not heard ("O.K" and "o.k." sound alike).
QString heard(const QString& name)
{
    QString n = name.toCaseFolded();
    while (!n.isEmpty() && (n.back().isPunct() || n.back().isSpace()))
        n.chop(1);
    return n;
}

// What is read wrong of the control behind `i`, "" when nothing.
QString readWrong(QAccessibleInterface* i)
{
    const QAccessible::Role role = i->role();
    QObject* o = i->object();
    // A box's text, from the runs of its attributes.
    if (QAccessibleTextInterface* t = i->textInterface(); t && role == QAccessible::EditableText) {
        const int n = t->characterCount();
        int covered = 0;
        for (int guard = 0; covered < n && guard <= n; ++guard) {
            int start = -1, end = -1;
            t->attributes(covered, &start, &end);
            if (start > covered || end <= covered)
                return QStringLiteral("text attributes at offset %1 of \"%2\" run from %3 to %4")
                    .arg(covered)
                    .arg(t->text(0, n))
                    .arg(start)
                    .arg(end);
            covered = end;
        }
    }
    // A toggle's state.
    const bool checkableRole = role == QAccessible::CheckBox || role == QAccessible::RadioButton;
    bool toggle = false, shownOn = false;
    if (const auto* image = qobject_cast<const platform::ImageButton*>(o); image && image->showsState()) {
        toggle = true;
        shownOn = image->isPressedShown();
    } else if (const auto* b = qobject_cast<const QAbstractButton*>(o); b && b->isCheckable()) {
        toggle = true;
        shownOn = b->isChecked();
    }
    if (toggle) {
        const QAccessible::State s = i->state();
        if (!checkableRole && !s.checkable)
            return QStringLiteral("a toggle read as %1, not checkable").arg(roleName(role));
        if (bool(s.checked) != shownOn)
            return QStringLiteral("read %1 while it shows %2")
                .arg(s.checked ? QStringLiteral("checked") : QStringLiteral("not checked"),
                     shownOn ? QStringLiteral("on") : QStringLiteral("off"));
    }
    // A table's column headers.
    if (role == QAccessible::Table)
        if (const auto* view = qobject_cast<const QAbstractItemView*>(o); view && view->model()) {
            const QAbstractItemModel* m = view->model();
            std::map<QString, int> seen;
            QStringList wrong;
            for (int c = 0; c < m->columnCount(); ++c) {
                QString h = m->headerData(c, Qt::Horizontal, Qt::AccessibleTextRole).toString();
                if (h.isEmpty())
                    h = m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
                h = h.simplified();
                if (h.isEmpty())
                    wrong << QStringLiteral("column %1 has an empty header").arg(c);
                else if (++seen[heard(h)] == 2)
                    wrong << QStringLiteral("header \"%1\" repeats").arg(h);
            }
            if (!wrong.isEmpty())
                return wrong.join(QStringLiteral("; "));
        }
    return {};
}

class Walker {
public:
    explicit Walker(WindowWalk& out) : out_(out) {}

    void visit(QAccessibleInterface* i, const QString& scope)
    {
        if (!i || !i->isValid() || !seen_.insert(i).second)
            return;
        const QAccessible::Role role = i->role();
        const auto* image = qobject_cast<const platform::ImageButton*>(i->object());
        if (interactive(role) || image) {
            Control c;
            c.window = out_.window;
            c.role = roleName(role);
            c.name = announcedName(i);
            c.objectName = objectNameOf(i->object());
            c.scope = role == QAccessible::MenuItem ? scope : out_.window;
            // A menu's items count as shown: their menu is closed.
            c.hidden = i->state().invisible && role != QAccessible::MenuItem;
            c.imageButton = image != nullptr;
            c.pressAction = i->actionInterface() &&
                            i->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction());
            out_.controls.push_back(c);
            const QString wrong = readWrong(i);
            if (!wrong.isEmpty()) {
                const bool box = role == QAccessible::EditableText, table = role == QAccessible::Table;
                out_.findings.push_back({box     ? Finding::Kind::BoxTextCut
                                         : table ? Finding::Kind::Headers
                                                 : Finding::Kind::ToggleState,
                                         {c},
                                         wrong});
            }
        }
        if (ownsItsChildren(role))
            return;
        // The items of a menu share the menu as their scope.
        const bool menu = role == QAccessible::PopupMenu || role == QAccessible::MenuBar;
        const QString inner = menu ? out_.window + QStringLiteral(" menu ") + i->text(QAccessible::Name).simplified() +
                                         QStringLiteral(" #") + QString::number(++menus_)
                                   : scope;
        for (int k = 0; k < i->childCount(); ++k)
            visit(i->child(k), inner);
    }

private:
    WindowWalk& out_;
    std::set<QAccessibleInterface*> seen_;
    int menus_ = 0;
};

} // namespace

WindowWalk walk(QWidget* window)
{
    WindowWalk w;
    w.window = objectNameOf(window);
    QAccessibleInterface* self = QAccessible::queryAccessibleInterface(window);
    Walker(w).visit(self, w.window);
    if (self && window->isWindow()) {
        const QString title = self->text(QAccessible::Name).simplified();
        const QAccessible::Role role = self->role();
        const bool windowRole =
            role == QAccessible::Window || role == QAccessible::Dialog || role == QAccessible::AlertMessage;
        if (!windowRole || title.isEmpty()) {
            Control c;
            c.window = w.window;
            c.role = roleName(role);
            c.name = title;
            c.objectName = w.window;
            w.findings.push_back({Finding::Kind::WindowRole, {c},
                                  QStringLiteral("a window read as %1 titled \"%2\"").arg(c.role, title)});
        }
    }

    std::map<std::tuple<QString, QString, QString>, std::vector<Control>> byName;
    for (const Control& c : w.controls) {
        if (c.name.isEmpty())
            w.findings.push_back({Finding::Kind::EmptyName, {c}, {}});
        else
            byName[{c.scope, c.role, heard(c.name)}].push_back(c);
        const bool buttonRole = c.role == QStringLiteral("PushButton") || c.role == QStringLiteral("CheckBox") ||
                                c.role == QStringLiteral("RadioButton");
        if (c.imageButton && (!buttonRole || !c.pressAction))
            w.findings.push_back({Finding::Kind::ImageButtonWithoutPress, {c}, {}});
    }
    for (const auto& [key, controls] : byName)
        if (controls.size() > 1)
            w.findings.push_back({Finding::Kind::SameName, controls, {}});
    return w;
}

Counts count(const std::vector<WindowWalk>& walks)
{
    Counts n;
    for (const WindowWalk& w : walks)
        for (const Finding& f : w.findings)
            switch (f.kind) {
            case Finding::Kind::EmptyName: ++n.emptyNames; break;
            case Finding::Kind::SameName: n.sameNames += int(f.controls.size()); break;
            case Finding::Kind::ImageButtonWithoutPress: ++n.imageButtonsWithoutPress; break;
            case Finding::Kind::BoxTextCut:
            case Finding::Kind::ToggleState:
            case Finding::Kind::WindowRole:
            case Finding::Kind::Headers: ++n.readWrong; break;
            }
    return n;
}

namespace {

QString line(const Control& c)
{
    return QStringLiteral("%1 \"%2\" %3%4").arg(c.role, c.name, c.objectName,
                                                c.hidden ? QStringLiteral(" (hidden)") : QString());
}

} // namespace

QString describe(const Finding& f)
{
    switch (f.kind) {
    case Finding::Kind::EmptyName: return QStringLiteral("empty name: ") + line(f.controls[0]);
    case Finding::Kind::ImageButtonWithoutPress:
        return QStringLiteral("image button that is no push button with the Press action: ") + line(f.controls[0]);
    case Finding::Kind::BoxTextCut:
        return QStringLiteral("box read cut: ") + line(f.controls[0]) + QStringLiteral(": ") + f.detail;
    case Finding::Kind::ToggleState:
        return QStringLiteral("toggle read wrong: ") + line(f.controls[0]) + QStringLiteral(": ") + f.detail;
    case Finding::Kind::WindowRole: return QStringLiteral("window read wrong: ") + f.detail;
    case Finding::Kind::Headers:
        return QStringLiteral("table headers read wrong: ") + line(f.controls[0]) + QStringLiteral(": ") + f.detail;
    case Finding::Kind::SameName: {
        QStringList who;
        for (const Control& c : f.controls)
            who << c.objectName + (c.hidden ? QStringLiteral(" (hidden)") : QString());
        return QStringLiteral("%1 %2 controls share the name \"%3\": %4")
            .arg(f.controls.size())
            .arg(f.controls[0].role, f.controls[0].name, who.join(QStringLiteral(", ")));
    }
    }
    return {};
}

QStringList listing(const WindowWalk& w)
{
    QStringList out;
    out << QStringLiteral("window %1: %2 interactive controls").arg(w.window).arg(w.controls.size());
    for (const Control& c : w.controls)
        out << QStringLiteral("  ") + line(c);
    for (const Finding& f : w.findings)
        out << QStringLiteral("  FINDING ") + describe(f);
    return out;
}

} // namespace accessibility
