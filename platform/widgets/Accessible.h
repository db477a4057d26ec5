#pragma once
// Names for screen readers, given to a whole window at once:
//
//     platform::nameForScreenReaders(this);   // at the end of the window's constructor
//
// walks the window and all its descendants (hidden ones included) and gives
//  - every text box and combo box (QLineEdit, QAbstractSpinBox, QComboBox)
//    the text of its own caption label: the nearest QLabel of the same parent
//    on its row to its left, else the nearest one above it that overlaps it
//    across; without such a label, the title of the frame (QGroupBox) it lies
//    in. A name the program set itself (setAccessibleName) is kept;
//  - every value label (a QLabel with a frame and no picture: the suite's
//    result and value boxes) a name made of its caption and its current
//    value, read when the screen reader asks ("Path Loss 252.5"; the caption
//    alone while the value is blank), so the program updates nothing;
//  - every combo box a list whose accessible "Toggle" on an entry chooses it
//    as a click does (current index, then activated()), and a label
//    relation to its caption: Qt's combo box on Linux gives screen readers
//    its current entry as its name and its label through that relation
//    alone, so an accessible name set in code never reaches them;
//  - every option button and check box without a text of its own the text
//    of the label on its row to its right (the label that says what it
//    means), and every button without a text its tool tip.
// Texts are taken literally: an "&" in a caption or a value stays an "&" (a
// caption holding one labels its combo box through a hidden copy, so the
// caption never turns it into a mnemonic). Calling it again after adding
// controls names the new ones. The file lists (platform::FileList) name
// themselves by their pattern and act on their accessible actions by
// themselves; image buttons (platform::ImageButton) are push buttons with the
// Press action by themselves and take their names from the table below.
//
// What the walk above cannot know, each window says in one table, at the end
// of its constructor, after nameForScreenReaders:
//
//     platform::nameControls({
//         {ImgNew, "New"}, {ImgQuit, "Quit"}, {ImgLune, "Moon"},
//         {AideGenerale, "Help: UTC"}, {LatDeg, "Latitude degrees"},
//         {GrillePrev, "Moon location table"}, {Range, "Range"},
//     });
//
// Names say what a control does or holds, and are unique in their window
// among the controls of one role (a screen reader announces the name and the
// role only). Pictures that carry information get a text read when asked
// (describePicture); buttons whose caption is a value get it with their name
// (nameValueButton).

#include <QAccessible>
#include <QString>
#include <functional>
#include <initializer_list>

class QAbstractButton;
class QLabel;
class QWidget;

namespace platform {

void nameForScreenReaders(QWidget* window);

// One entry of a window's table of names.
struct ScreenReaderName {
    QWidget* control;
    QString name;
};

// Gives each control of the table its name, replacing any name given before:
//  - a value label (a QLabel with a frame and no picture) keeps being read
//    with its current value: the name is its caption ("Latitude" ->
//    "Latitude 45.500");
//  - a combo box gets the name as its label relation (its caption label
//    when that reads the name, else a hidden label that does);
//  - a grid (platform::Grid) gives the name to the table inside it;
//  - any other control (image buttons, buttons, boxes, lists) takes it as
//    its accessible name.
void nameControls(std::initializer_list<ScreenReaderName> names);

// A button whose caption is a value that it switches ("BIN" / "BCD"): read as
// `name` followed by its current caption ("Azimuth encoder format BIN"),
// pressed by the Press action as by a click. Call it once, before anything
// asks for the button's accessible interface.
void nameValueButton(QAbstractButton* button, const QString& name);

// A picture that carries information (a Moon phase, a source, a colour key, a
// progress bar): read as the text `describe` returns when a screen reader
// asks ("Moon phase: waxing crescent"), with the role `role`. `describe`
// derives the text from the program's state, as the picture itself is; it
// must stay callable as long as the picture exists. A second call replaces
// the text and the role.
void describePicture(QWidget* picture, std::function<QString()> describe,
                     QAccessible::Role role = QAccessible::Graphic);

// Names the label `label`, which shows a value, by `caption` and its current
// value read when the screen reader asks, as nameForScreenReaders names a
// value label ("Average -12.5 dB"; the caption alone while the value is
// blank). For a value label whose caption is no label beside it (the title
// of the frame it lies in) or that has no frame. Call it before anything
// asks for the label's accessible interface; nameForScreenReaders keeps it.
void nameValueLabel(QLabel* label, const QString& caption);
// The same with the text of the label `caption`, read at each request.
void nameValueLabel(QLabel* label, QLabel* caption);

// The caption label that nameForScreenReaders pairs with `control`, nullptr
// when there is none.
QWidget* captionOf(const QWidget* control);

// What the value labels `labels` show, each as a screen reader reads it (its
// caption and its value: "Azimuth (Deg) 123.45"), the blank ones left out,
// joined by ", "; "" when all are blank. For a notice that says a result
// the window shows in the window's own words.
QString valuesRead(std::initializer_list<const QLabel*> labels);

} // namespace platform
