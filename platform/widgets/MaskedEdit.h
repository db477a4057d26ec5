#pragma once
// Masked entry box for dates and times. The mask is made of "#" (one digit)
// and fixed characters, e.g. "##-##-####" or "##:##". Blank digit positions
// show the prompt character "_". text() is the whole content with its fixed
// characters and prompts ("09-0_-____"); setText() writes it back.
//
// Typing: a digit fills the position under the cursor (fixed characters are
// skipped) and moves on; typing the fixed character at a fixed position just
// moves past it. Anything else typed - a non-digit on a digit position, or
// any character when the cursor stands after the last position - is refused
// and reported by validationError(); the content does not change, and the
// box shows the suite's refusal sign (platform/widgets/FilteredBox.h; the
// beep is the program's, through its dialogs seam). Backspace
// blanks the digit before the cursor, Delete the one under it; with the whole
// content selected (as after Tab into the box) a digit first blanks it all.
//
// Pasted and dropped text (Ctrl+V, Shift+Insert, the context menu's Paste,
// the middle button's selection, a drop, an input method's commit) goes
// through the same filter, character by character, as if typed at the
// cursor: characters that do not print are skipped. A paste is one edit: a
// refused character anywhere in it leaves the box as it was (text, cursor
// and selection), reported once by validationError() with the refusal sign.
//
// lostFocus() is emitted when the focus moves to another control of the
// program; not when the program's window is merely deactivated. The handler
// may show a message box and call setFocus() to take the focus back.

#include <QLineEdit>
#include <QString>

namespace platform {

class MaskedEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedEdit(QWidget* parent = nullptr);
    explicit MaskedEdit(const QString& mask, QWidget* parent = nullptr);

    // Sets the mask and blanks the content.
    void setMask(const QString& mask);
    QString mask() const { return mask_; }
    QChar promptChar() const { return prompt_; }
    void setPromptChar(QChar c); // default "_"

    // The content with fixed characters and prompts.
    QString text() const { return QLineEdit::text(); }
    // Writes the content position by position: a digit position takes a
    // digit, a blank or the prompt character (blank); a fixed position must
    // hold its fixed character. A text that does not fit leaves the
    // positions it did not fill blank and returns false.
    bool setText(const QString& s);
    // The digits only, without fixed characters; blanks as " ".
    QString clipText() const;
    // True when every digit position holds a digit.
    bool isComplete() const;

signals:
    void lostFocus();
    // Typed input that does not fit the mask: the text it would have made
    // and the position (0-based) where the refused character was typed.
    void validationError(const QString& invalidText, int startPosition);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    // The content and the cursor as an edit goes through them.
    struct Entry {
        QString text;
        int pos;
        int selStart;
        int selLength;
    };
    bool isDigitPos(int i) const { return i >= 0 && i < mask_.size() && mask_[i] == QLatin1Char('#'); }
    QString blank() const;
    Entry entry() const;
    // `ch` typed into `e`; false when it is refused, `e.pos` then the
    // position it was refused at.
    bool enter(Entry& e, QChar ch) const;
    // `ch` typed at the cursor; a refused one changes nothing.
    void typeChar(QChar ch);
    // `s` typed at the cursor, character by character, as one edit.
    void typeText(const QString& s);
    // Reports `ch` refused at `pos` of `would` (and shows the sign).
    void refuse(QString would, QChar ch, int pos);

    QString mask_;
    QChar prompt_ = QLatin1Char('_');
};

} // namespace platform
