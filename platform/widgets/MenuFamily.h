#pragma once
// A family of menu items addressed by index, as the menus built of indexed
// arrays: MenuSource(0..9), MenuPrintMoon(1, 2, ...). Items can be loaded and
// unloaded at run time; every item of one family has one click handler that
// receives the index.
//
// Items stay together in their menu in the order they were loaded: a new
// item goes right after the family's last item. A caption of "-" makes the
// item a separator. Check marks never change by themselves: choosing an item
// only emits clicked(index); the handler sets the marks.

#include <QObject>
#include <QString>
#include <map>

class QAction;
class QMenu;

namespace platform {

// The item's menus are on: the item (or menu-bar title) that opens each menu
// above it is enabled (Qt checks the item's own state itself). A family's items act only then.
bool menuItemReachable(const QAction* item);

class MenuFamily : public QObject {
    Q_OBJECT
public:
    // The family's items live in `menu` (not owned).
    explicit MenuFamily(QMenu* menu, QObject* parent = nullptr);

    // Adds item `index` with `caption`; false when that index exists already.
    bool load(int index, const QString& caption);
    // Adds item `index` that opens a submenu (e.g. "Print..."); nullptr when
    // the index exists already. The submenu belongs to the family.
    QMenu* loadSubmenu(int index, const QString& caption);
    // Removes item `index`; false when it does not exist.
    bool unload(int index);
    bool exists(int index) const { return items_.count(index) != 0; }
    int count() const { return int(items_.size()); }
    // Lowest and highest index loaded; -1 when the family is empty.
    int lBound() const;
    int uBound() const;

    // Properties by index; reads of a missing index give "" / false, writes
    // to a missing index are ignored.
    QString caption(int index) const;
    void setCaption(int index, const QString& caption);
    bool checked(int index) const;
    void setChecked(int index, bool on);
    bool enabled(int index) const;
    void setEnabled(int index, bool on);
    bool visible(int index) const;
    void setVisible(int index, bool on);

    QAction* action(int index) const;
    QMenu* menu() const { return menu_; }

signals:
    void clicked(int index);

private:
    QAction* insertAction(int index, QAction* a);

    QMenu* menu_;
    std::map<int, QAction*> items_;
    std::map<int, int> order_; // index -> load sequence number
    int loaded_ = 0;
};

} // namespace platform
