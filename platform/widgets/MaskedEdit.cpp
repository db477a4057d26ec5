#include "platform/widgets/MaskedEdit.h"

#include "platform/widgets/FilteredBox.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <algorithm>

namespace platform {

MaskedEdit::MaskedEdit(QWidget* parent) : QLineEdit(parent)
{
    // Drops are taken, through the mask (dropEvent).
    setAcceptDrops(true);
}

MaskedEdit::MaskedEdit(const QString& mask, QWidget* parent) : MaskedEdit(parent) { setMask(mask); }

QString MaskedEdit::blank() const
{
    QString b = mask_;
    for (int i = 0; i < b.size(); ++i)
        if (isDigitPos(i))
            b[i] = prompt_;
    return b;
}

void MaskedEdit::setMask(const QString& mask)
{
    mask_ = mask;
    setMaxLength(std::max<int>(int(mask.size()), 1));
    QLineEdit::setText(blank());
    setCursorPosition(0);
}

void MaskedEdit::setPromptChar(QChar c)
{
    QString t = QLineEdit::text();
    for (int i = 0; i < t.size(); ++i)
        if (isDigitPos(i) && t[i] == prompt_)
            t[i] = c;
    prompt_ = c;
    QLineEdit::setText(t);
}

bool MaskedEdit::setText(const QString& s)
{
    QString t = blank();
    bool fits = s.size() <= mask_.size();
    for (int i = 0; i < mask_.size() && i < s.size(); ++i) {
        const QChar ch = s[i];
        if (isDigitPos(i)) {
            if (ch.isDigit() && ch.unicode() < 128)
                t[i] = ch;
            else if (ch != prompt_ && ch != QLatin1Char(' '))
                fits = false;
        } else if (ch != mask_[i]) {
            fits = false;
        }
        if (!fits)
            break; // nothing after the first misfit is taken
    }
    const int pos = cursorPosition();
    QLineEdit::setText(t);
    setCursorPosition(std::min<int>(pos, int(t.size())));
    return fits;
}

QString MaskedEdit::clipText() const
{
    const QString t = QLineEdit::text();
    QString out;
    for (int i = 0; i < t.size(); ++i)
        if (isDigitPos(i))
            out += t[i] == prompt_ ? QLatin1Char(' ') : t[i];
    return out;
}

bool MaskedEdit::isComplete() const
{
    const QString t = QLineEdit::text();
    for (int i = 0; i < t.size(); ++i)
        if (isDigitPos(i) && !t[i].isDigit())
            return false;
    return true;
}

void MaskedEdit::refuse(QString would, QChar ch, int pos)
{
    if (pos < would.size())
        would[pos] = ch;
    else
        would += ch;
    showRefusalSign(this);
    emit validationError(would, pos);
}

bool MaskedEdit::enter(Entry& e, QChar ch) const
{
    if (e.selLength > 0 && e.selLength == e.text.size()) {
        // Typing over the whole content starts it afresh.
        e.text = blank();
        e.pos = 0;
    } else if (e.selLength > 0) {
        e.pos = e.selStart;
    }
    e.selLength = 0;
    // The fixed character typed at its own place just moves past it; typed
    // right after the cursor skipped it, it is taken as that same character.
    if (e.pos < mask_.size() && !isDigitPos(e.pos) && ch == mask_[e.pos]) {
        ++e.pos;
        return true;
    }
    if (e.pos > 0 && e.pos - 1 < mask_.size() && !isDigitPos(e.pos - 1) && ch == mask_[e.pos - 1])
        return true;
    while (e.pos < mask_.size() && !isDigitPos(e.pos))
        ++e.pos;
    if (e.pos >= mask_.size() || !(ch.isDigit() && ch.unicode() < 128))
        return false;
    e.text[e.pos] = ch;
    ++e.pos;
    while (e.pos < mask_.size() && !isDigitPos(e.pos))
        ++e.pos;
    return true;
}

MaskedEdit::Entry MaskedEdit::entry() const
{
    return {QLineEdit::text(), cursorPosition(), hasSelectedText() ? selectionStart() : 0,
            hasSelectedText() ? int(selectedText().size()) : 0};
}

void MaskedEdit::typeChar(QChar ch)
{
    Entry e = entry();
    if (!enter(e, ch)) {
        refuse(QLineEdit::text(), ch, e.pos);
        return;
    }
    QLineEdit::setText(e.text);
    setCursorPosition(e.pos);
}

void MaskedEdit::typeText(const QString& s)
{
    // One edit, taken whole or not at all: a refused character anywhere in
    // it leaves the box as it was (text, cursor and selection), so the
    // digits before it never stand in the box as if they were the value.
    Entry e = entry();
    for (const QChar ch : s) {
        if (!ch.isPrint())
            continue;
        if (!enter(e, ch)) {
            refuse(e.text, ch, e.pos);
            return;
        }
    }
    if (e.text == QLineEdit::text() && e.pos == cursorPosition() && !hasSelectedText())
        return;
    QLineEdit::setText(e.text);
    setCursorPosition(e.pos);
}

void MaskedEdit::inputMethodEvent(QInputMethodEvent* e)
{
    if (mask_.isEmpty()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    // Only the committed text counts, as typed keys; no preedit is shown.
    typeText(e->commitString());
    e->accept();
}

void MaskedEdit::contextMenuEvent(QContextMenuEvent* e)
{
    if (mask_.isEmpty()) {
        QLineEdit::contextMenuEvent(e);
        return;
    }
    // Copy, Paste through the mask and Select All: cutting or deleting would
    // move the fixed characters.
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("&Copy"), this, &QLineEdit::copy);
    copy->setObjectName(QStringLiteral("edit-copy"));
    copy->setEnabled(hasSelectedText() && echoMode() == QLineEdit::Normal);
#ifndef QT_NO_CLIPBOARD
    QAction* paste = menu.addAction(tr("&Paste"), this, [this] { typeText(QGuiApplication::clipboard()->text()); });
    paste->setObjectName(QStringLiteral("edit-paste"));
    paste->setEnabled(!isReadOnly() && !QGuiApplication::clipboard()->text().isEmpty());
#endif
    menu.addSeparator();
    QAction* all = menu.addAction(tr("Select All"), this, &QLineEdit::selectAll);
    all->setObjectName(QStringLiteral("select-all"));
    menu.exec(e->globalPos());
}

void MaskedEdit::mouseReleaseEvent(QMouseEvent* e)
{
#ifndef QT_NO_CLIPBOARD
    if (!mask_.isEmpty() && e->button() == Qt::MiddleButton) {
        // The selection's text, typed where the click put the cursor.
        if (!isReadOnly() && QGuiApplication::clipboard()->supportsSelection()) {
            deselect();
            typeText(QGuiApplication::clipboard()->text(QClipboard::Selection));
        }
        e->accept();
        return;
    }
#endif
    QLineEdit::mouseReleaseEvent(e);
}

void MaskedEdit::dragEnterEvent(QDragEnterEvent* e)
{
    if (!mask_.isEmpty() && !isReadOnly() && e->mimeData()->hasText())
        e->acceptProposedAction();
    else if (mask_.isEmpty())
        QLineEdit::dragEnterEvent(e);
    else
        e->ignore();
}

void MaskedEdit::dragMoveEvent(QDragMoveEvent* e)
{
    if (mask_.isEmpty()) {
        QLineEdit::dragMoveEvent(e);
        return;
    }
    if (!isReadOnly() && e->mimeData()->hasText())
        e->acceptProposedAction();
    else
        e->ignore();
}

void MaskedEdit::dropEvent(QDropEvent* e)
{
    if (mask_.isEmpty()) {
        QLineEdit::dropEvent(e);
        return;
    }
    if (isReadOnly() || !e->mimeData()->hasText()) {
        e->ignore();
        return;
    }
    deselect();
    setCursorPosition(cursorPositionAt(e->position().toPoint()));
    typeText(e->mimeData()->text());
    // The text is copied in; the source keeps it.
    e->setDropAction(Qt::CopyAction);
    e->accept();
}

void MaskedEdit::keyPressEvent(QKeyEvent* e)
{
    if (mask_.isEmpty()) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    QString t = QLineEdit::text();
    int pos = cursorPosition();
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        QLineEdit::keyPressEvent(e);
        return;
    case Qt::Key_Backspace:
        if (hasSelectedText()) {
            const int s0 = selectionStart(), n = int(selectedText().size());
            for (int i = s0; i < s0 + n; ++i)
                if (isDigitPos(i))
                    t[i] = prompt_;
            pos = s0;
        } else {
            --pos;
            while (pos >= 0 && !isDigitPos(pos))
                --pos;
            if (pos < 0)
                return;
            t[pos] = prompt_;
        }
        QLineEdit::setText(t);
        setCursorPosition(pos);
        return;
    case Qt::Key_Delete:
        if (hasSelectedText()) {
            const int s0 = selectionStart(), n = int(selectedText().size());
            for (int i = s0; i < s0 + n; ++i)
                if (isDigitPos(i))
                    t[i] = prompt_;
            pos = s0;
        } else if (isDigitPos(pos)) {
            t[pos] = prompt_;
        }
        QLineEdit::setText(t);
        setCursorPosition(pos);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        e->ignore();
        return;
    default: break;
    }
#ifndef QT_NO_CLIPBOARD
    if (e->matches(QKeySequence::Paste)) {
        if (!isReadOnly())
            typeText(QGuiApplication::clipboard()->text());
        return;
    }
#endif
    if (e->matches(QKeySequence::SelectAll) || e->matches(QKeySequence::Copy)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const QString typed = e->text();
    if (typed.isEmpty() || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) || !typed[0].isPrint()) {
        e->ignore();
        return;
    }
    typeChar(typed[0]);
}

void MaskedEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
}

void MaskedEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    // A window switch or a popup is not a move of the focus inside the program.
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
        emit lostFocus();
}

} // namespace platform
