#include "platform/widgets/MenuFamily.h"

#include <QAction>
#include <QMenu>

namespace platform {

MenuFamily::MenuFamily(QMenu* menu, QObject* parent) : QObject(parent), menu_(menu) {}

bool menuItemReachable(const QAction* item)
{
    // The item's own state is Qt's to check on every path (a disabled item
    // is neither drawn nor pressed as on); what Qt does not check is the
    // menus above it. Up through the menus that hold it: the item (or menu-bar title) that
    // opens each of them is on.
    const QAction* a = item;
    for (int depth = 0; depth < 16; ++depth) {
        const QMenu* holder = nullptr;
        for (QObject* o : a->associatedObjects())
            if (auto* m = qobject_cast<const QMenu*>(o))
                holder = m;
        if (!holder)
            return true;
        // The menu's own switch (platform::setMenuEnabled turns off its
        // title with it); a menu of a window that is off is not opened, and
        // the window's state is not the item's.
        if (!holder->menuAction()->isEnabled())
            return false;
        a = holder->menuAction();
    }
    return true;
}

QAction* MenuFamily::insertAction(int index, QAction* a)
{
    // After the family's last loaded item, so the family stays together even
    // when other items follow it in the same menu.
    QAction* before = nullptr;
    if (!items_.empty()) {
        int lastSeq = -1;
        QAction* last = nullptr;
        for (const auto& [i, act] : items_)
            if (order_[i] > lastSeq) {
                lastSeq = order_[i];
                last = act;
            }
        const QList<QAction*> all = menu_->actions();
        const qsizetype pos = all.indexOf(last);
        if (pos >= 0 && pos + 1 < all.size())
            before = all[pos + 1];
    }
    menu_->insertAction(before, a);
    items_[index] = a;
    order_[index] = loaded_++;
    return a;
}

bool MenuFamily::load(int index, const QString& caption)
{
    if (exists(index))
        return false;
    // A separator carries no text: some styles would print it beside the line.
    const bool separator = caption == QLatin1String("-");
    auto* a = new QAction(separator ? QString() : caption, menu_);
    a->setSeparator(separator);
    // An item is checkable only while it carries its mark, so that unmarked
    // items show no empty check box in any style.
    a->setCheckable(false);
    connect(a, &QAction::triggered, this, [this, a, index](bool) {
        // A choice never moves the check mark by itself: Qt has just
        // unchecked a marked item; put the mark back.
        if (a->isCheckable())
            a->setChecked(true);
        // An item of a menu that is off does nothing, from whatever path it
        // came (a screen reader presses items that no mouse can reach).
        if (menuItemReachable(a))
            emit clicked(index);
    });
    insertAction(index, a);
    return true;
}

QMenu* MenuFamily::loadSubmenu(int index, const QString& caption)
{
    if (exists(index))
        return nullptr;
    auto* sub = new QMenu(caption, menu_);
    insertAction(index, sub->menuAction());
    return sub;
}

bool MenuFamily::unload(int index)
{
    auto it = items_.find(index);
    if (it == items_.end())
        return false;
    QAction* a = it->second;
    menu_->removeAction(a);
    items_.erase(it);
    order_.erase(index);
    if (QMenu* sub = a->menu())
        sub->deleteLater();
    else
        a->deleteLater();
    return true;
}

int MenuFamily::lBound() const { return items_.empty() ? -1 : items_.begin()->first; }
int MenuFamily::uBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }

QAction* MenuFamily::action(int index) const
{
    auto it = items_.find(index);
    return it == items_.end() ? nullptr : it->second;
}

QString MenuFamily::caption(int index) const
{
    QAction* a = action(index);
    return a ? (a->isSeparator() ? QStringLiteral("-") : a->text()) : QString();
}

void MenuFamily::setCaption(int index, const QString& caption)
{
    if (QAction* a = action(index)) {
        const bool separator = caption == QLatin1String("-");
        a->setSeparator(separator);
        a->setText(separator ? QString() : caption);
    }
}

bool MenuFamily::checked(int index) const
{
    QAction* a = action(index);
    return a && a->isCheckable() && a->isChecked();
}

void MenuFamily::setChecked(int index, bool on)
{
    if (QAction* a = action(index)) {
        a->setCheckable(on);
        a->setChecked(on);
    }
}

bool MenuFamily::enabled(int index) const
{
    QAction* a = action(index);
    return a && a->isEnabled();
}

void MenuFamily::setEnabled(int index, bool on)
{
    if (QAction* a = action(index))
        a->setEnabled(on);
}

bool MenuFamily::visible(int index) const
{
    QAction* a = action(index);
    return a && a->isVisible();
}

void MenuFamily::setVisible(int index, bool on)
{
    if (QAction* a = action(index))
        a->setVisible(on);
}

} // namespace platform
