#pragma once
// A window as a screen reader sees it: the tree of accessibility interfaces
// that Qt creates for it (the tree Qt's AT-SPI bridge puts on the
// accessibility bus), walked from the window down, menus included.
//
// Every interactive control is listed with its role, the name a screen
// reader announces and its object name. The name is the interface's name,
// except for a combo box: Qt's combo box on Linux gives its current entry as
// its name and its label only through a label relation, so its announced
// name is the text of the labels related to it ("" without one).
//
// Findings:
//  - a control with an empty name;
//  - two or more controls of one role with the same name: in one window, or
//    for menu items in one menu (a screen reader reads a menu's items
//    together, and the same item under two submenus is told apart by them).
//    Names that differ only in case or trailing punctuation are the same to
//    a listener ("O.K" and "O.K.");
//  - an image button (platform::ImageButton) that is not a push button, a
//    check box or a radio button with the Press action;
//  - a box (editable text) whose text attributes do not cover its whole
//    text (a reader builds the line it reads from the attribute runs);
//  - a toggle (a checkable button, an image button whose pressed picture
//    says "on") that is not read with a checkable role, or whose checked
//    state is not what the window shows;
//  - a window that is not read as a frame, a dialog or an alert, or has no
//    title;
//  - a table whose column headers are read empty or with the same name twice.
// Hidden controls are walked too (they show in other states of the window)
// and listed as hidden (a menu's items are not: their menu is only closed).

#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

namespace accessibility {

struct Control {
    QString window;     // object name of the window
    QString role;       // Qt's accessibility role ("PushButton", "ComboBox", ...)
    QString name;       // the name a screen reader announces
    QString objectName; // object name of the control (or its class when it has none)
    QString scope;      // where its name must be unique: the window, or its menu
    bool hidden = false;
    bool imageButton = false;
    bool pressAction = false;
};


struct Finding {
    enum class Kind { EmptyName, SameName, ImageButtonWithoutPress, BoxTextCut, ToggleState, WindowRole, Headers };
    Kind kind;
    std::vector<Control> controls; // one, or the controls sharing a name
    QString detail;                // what is wrong, for the kinds read from a control's interface
};

struct WindowWalk {
    QString window;
    std::vector<Control> controls;
    std::vector<Finding> findings;
};

// Walks `window` and everything below it.
WindowWalk walk(QWidget* window);

// Controls named in the findings, by kind.
struct Counts {
    int emptyNames = 0;
    int sameNames = 0; // controls sharing a name with another of their role
    int imageButtonsWithoutPress = 0;
    int readWrong = 0; // cut box texts, toggle states, window roles, table headers
    int total() const { return emptyNames + sameNames + imageButtonsWithoutPress + readWrong; }
};
Counts count(const std::vector<WindowWalk>& walks);

// One finding as a line: its kind and the controls (role, name, object name).
QString describe(const Finding& f);

// The listing of every interactive control and every finding, one line each.
QStringList listing(const WindowWalk& w);

} // namespace accessibility
