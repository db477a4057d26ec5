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
//    as a click does (current index, then activated()).
// Texts are taken literally: an "&" in a caption or a value stays an "&"
// (no label gets a buddy, so none turns it into a mnemonic). Calling it again
// after adding controls names the new ones. The file lists (platform::FileList)
// act on their accessible actions by themselves.

class QLabel;
class QString;
class QWidget;

namespace platform {

void nameForScreenReaders(QWidget* window);

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

} // namespace platform
