#include "platform/Dialogs.h"

#include "platform/Geometry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>

namespace platform {

namespace {

// A CR (with or without a following LF) is a line break in box texts.
QString withLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

Answer firstAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Answer::Yes;
    case Buttons::RetryCancel: return Answer::Retry;
    case Buttons::Ok:
    case Buttons::OkCancel: break;
    }
    return Answer::Ok;
}

// The width a box needs for its title in the title bar: the title's text,
// the window icon and the title bar's buttons. Qt sizes a message or input
// box by its text alone, so a short text under a long title would cut the
// title ("- Setu... -").
int widthForTitle(const QWidget& box, const QString& title)
{
    const int marge = twipsToPixels(2400); // icon and close button of the title bar
    return QFontMetrics(box.font()).horizontalAdvance(title) + marge;
}

// Makes `box` at least as wide as its title needs.
void wideEnoughForTitle(QMessageBox& box, const QString& title)
{
    if (auto* grille = qobject_cast<QGridLayout*>(box.layout()))
        grille->addItem(new QSpacerItem(widthForTitle(box, title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                        grille->rowCount(), 0, 1, grille->columnCount());
}

// While a box is open it has the focus; when it closes, the focus goes back
// to the control it came from (a screen reader's user finds himself where he
// was), when that control can still take it.
class FocusComesBack {
public:
    FocusComesBack() : control_(QApplication::focusWidget()) {}
    ~FocusComesBack()
    {
        QWidget* c = control_;
        if (!c || !c->isVisible() || !c->isEnabled())
            return;
        QWidget* window = c->window();
        if (QApplication::activeWindow() != window) {
            window->activateWindow();
            QApplication::setActiveWindow(window);
        }
        if (QApplication::focusWidget() != c)
            c->setFocus(Qt::OtherFocusReason);
    }
    FocusComesBack(const FocusComesBack&) = delete;
    FocusComesBack& operator=(const FocusComesBack&) = delete;

private:
    QPointer<QWidget> control_;
};

} // namespace

QString quitQuestion(const QString& unsavedFile)
{
    const QString question = QStringLiteral("Are you sure you wish to quit ?");
    if (unsavedFile.isEmpty())
        return question;
    return QStringLiteral("The changes to %1 are not saved !").arg(unsavedFile) + QChar(13) + QChar(13) + question;
}

Answer QtDialogs::message(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    const FocusComesBack back;
    QMessageBox box(qtIcon(icon), title, withLineBreaks(text), QMessageBox::NoButton, QApplication::activeWindow());
    struct Entry { QMessageBox::StandardButton b; Answer a; };
    std::vector<Entry> entries;
    switch (buttons) {
    case Buttons::Ok: entries = {{QMessageBox::Ok, Answer::Ok}}; break;
    case Buttons::OkCancel: entries = {{QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}}; break;
    case Buttons::YesNo: entries = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}}; break;
    case Buttons::YesNoCancel:
        entries = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}, {QMessageBox::Cancel, Answer::Cancel}};
        break;
    case Buttons::RetryCancel: entries = {{QMessageBox::Retry, Answer::Retry}, {QMessageBox::Cancel, Answer::Cancel}}; break;
    }
    QMessageBox::StandardButtons set;
    for (const Entry& e : entries)
        set |= e.b;
    box.setStandardButtons(set);
    box.setDefaultButton(entries.front().b);
    // Escape answers Cancel where there is one, and the only button of an OK box.
    if (set & QMessageBox::Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (entries.size() == 1)
        box.setEscapeButton(entries.front().b);
    wideEnoughForTitle(box, title);
    const int result = box.exec();
    for (const Entry& e : entries)
        if (result == e.b)
            return e.a;
    return set & QMessageBox::Cancel ? Answer::Cancel : (buttons == Buttons::YesNo ? Answer::No : Answer::Ok);
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& defaultText,
                         std::optional<QPoint> position)
{
    const FocusComesBack back;
    QInputDialog dlg(QApplication::activeWindow());
    dlg.setInputMode(QInputDialog::TextInput);
    dlg.setWindowTitle(title);
    dlg.setLabelText(withLineBreaks(prompt));
    dlg.setTextValue(defaultText);
    // Its layout sets the box's least size (the box builds it when first asked
    // for a size).
    dlg.minimumSizeHint();
    if (QLayout* l = dlg.layout())
        l->addItem(new QSpacerItem(widthForTitle(dlg, title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed));
    // A question asked again (a name refused and asked once more) opens where
    // the last one was, also after the operator moved it. The place kept is
    // that of the box's inside (geometry()), and it is given back as such
    // (setGeometry()): pos() and move() mean the outer corner of the frame,
    // which a window manager knows only once the box is on screen, so a
    // frame corner given back would count as the inside's under some window
    // managers and the box would creep up by its title bar at each question.
    const QString question = title + QLatin1Char('\n') + prompt;
    if (position) {
        dlg.move(twipsToPixels(position->x()), twipsToPixels(position->y()));
    } else if (const auto ou = inputPlaces_.find(question); ou != inputPlaces_.end()) {
        dlg.adjustSize(); // the size it would show with
        dlg.setGeometry(QRect(ou->second, dlg.size()));
    }
    const int resultat = dlg.exec();
    inputPlaces_[question] = dlg.geometry().topLeft();
    if (resultat != QDialog::Accepted)
        return {};
    return dlg.textValue();
}

void QtDialogs::beep() { QApplication::beep(); }

Answer ScriptedDialogs::message(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    DialogEvent e{DialogEvent::Kind::Message, text, title, buttons, icon, {}, std::nullopt};
    events_.push_back(e);
    if (answers_.empty())
        return firstAnswer(buttons);
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title, const QString& defaultText,
                               std::optional<QPoint> position)
{
    DialogEvent e{DialogEvent::Kind::Input, prompt, title, Buttons::OkCancel, Icon::None, defaultText, position};
    events_.push_back(e);
    if (inputs_.empty())
        return {};
    const QString s = inputs_.front();
    inputs_.pop_front();
    return s;
}

void ScriptedDialogs::beep()
{
    events_.push_back(DialogEvent{DialogEvent::Kind::Beep, {}, {}, Buttons::Ok, Icon::None, {}, std::nullopt});
}

std::vector<DialogEvent> ScriptedDialogs::messages() const
{
    std::vector<DialogEvent> out;
    for (const DialogEvent& e : events_)
        if (e.kind == DialogEvent::Kind::Message)
            out.push_back(e);
    return out;
}

int ScriptedDialogs::beeps() const
{
    int n = 0;
    for (const DialogEvent& e : events_)
        if (e.kind == DialogEvent::Kind::Beep)
            ++n;
    return n;
}

} // namespace platform
