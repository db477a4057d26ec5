#pragma once
// What a screen reader hears, at once and only what is there: the layer that
// every box, value label, button and window of the suite goes through on its
// way to the accessibility bus. platform::nameForScreenReaders
// (Accessible.h) puts a window's controls under it; the programs only call
// announce() and presentAsDialog().
//
//  - Boxes (QLineEdit and the masked date box) read through a text interface
//    whose attribute run covers the whole text, so a reader that builds the
//    line from the runs reads all of it ("500", not "50").
//  - A box's text, cursor and selection events reach readers in their order
//    once the edit is over, and only when the box did change: a refused key
//    that Qt took out and put back (a Space over a selection) is never heard
//    as "deleted".
//  - A value label tells readers of a change of its name only when the text
//    read changes, and at most ValueLabelsPerSecond times a second; the
//    last change of a burst still comes, late by at most that gap.
//  - A notice (announce(), and the refusal sign of FilteredBox.h) is an
//    object of the notification role shown with its words: readers say it
//    wherever the focus is.
//  - A focus that Qt moves because the control holding it was disabled is
//    told in words, with where it went.
//  - Top-level windows read as frames or dialogs, never as "filler"; a
//    titled frame inside a window by its own title.
//
// Everything is installed once, by the first window named; it acts only
// while assistive technology is active (Qt sends no events otherwise).

#include <QAccessible>
#include <QPointer>
#include <QString>
#include <functional>

class QComboBox;
class QLineEdit;
class QWidget;

namespace platform {

// Value labels tell readers of at most this many changes a second each.
constexpr int ValueLabelsPerSecond = 3;

// Installs the layer (idempotent); called by nameForScreenReaders.
void installScreenReaderLayer();

// Every accessibility event that passes the layer on its way to the bus, for
// tests and tools; returns a key for stopListening. The listener must not
// emit accessibility events itself.
int listenToScreenReaderEvents(std::function<void(QAccessibleEvent*)> listener);
void stopListening(int key);

// Gives `box` the text interface with whole attribute runs, replacing the
// one Qt made (idempotent). nameForScreenReaders does it for every box.
void giveTextInterface(QLineEdit* box);

// A combo box (not editable) read with the entry chosen as its text, where
// readers take its value (idempotent); nameForScreenReaders does it.
void giveComboInterface(QComboBox* combo);

// A frame with a title (QGroupBox) read by its own title as it stands; a
// bare QFrame without a name read as a filler that readers pass over
// (idempotent). nameForScreenReaders does it for every frame.
void giveFrameInterface(QWidget* frame);

// Reads the top-level `window` as a dialog (a chooser, a question of a few
// controls) instead of a frame. Before the window is first shown.
void presentAsDialog(QWidget* window);
// Gives the top-level `window` the role of a frame, or of a dialog after
// presentAsDialog (idempotent); nameForScreenReaders does it.
void giveWindowRole(QWidget* window);

// Says `text` to screen readers as a notice of the window of `where`,
// wherever the focus is. Repeating a text says it again.
void announce(QWidget* where, const QString& text);

// Says the result of an operator's command once it is over: made at the
// start of the command (before anything that refreshes the window when it
// goes out of scope), it reads `words()` then and again when it is
// destroyed, and announces the second reading when it differs from the
// first and is not blank ("DXCC : VK - Australia: Azimuth (Deg) 123.45,
// ..."). A command that changes nothing that `words` reads (a prompt
// cancelled, a choice already in force) says nothing. `words` returning ""
// after the command says nothing either: the reader says it itself (the
// focus on the control that changed). Without assistive technology active
// it reads nothing.
class ChangeNotice {
public:
    ChangeNotice(QWidget* where, std::function<QString()> words);
    ~ChangeNotice();
    ChangeNotice(const ChangeNotice&) = delete;
    ChangeNotice& operator=(const ChangeNotice&) = delete;

private:
    QPointer<QWidget> where_;
    std::function<QString()> words_;
    QString before_;
};

// Makes `notice` (a widget shown when something is to be said) an object of
// the notification role whose words are `words()`, read when a reader asks:
// showing it says them.
void makeNotice(QWidget* notice, std::function<QString()> words);

// A caption or title as read aloud: "&&" is one "&", a single "&" marks a
// mnemonic and is not read.
QString withoutMnemonics(const QString& text);

// The words of the notice the refusal sign on `widget` carries: what was
// refused and what the control keeps ("Entry not allowed: Tx Power keeps
// 500").
QString refusalNotice(const QWidget* widget);

} // namespace platform
