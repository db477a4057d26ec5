#pragma once
// The seam through which every program shows message boxes and input boxes
// and beeps. Production uses QtDialogs; tests use ScriptedDialogs, which
// records every box and beep and answers from a script, so a test can assert
// the exact text, title, icon and buttons and never shows a real window.

#include <QPoint>
#include <QString>
#include <QStringList>
#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace platform {

enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Modal message box. A CR (character 13) in `text` is a line break.
    virtual Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title) = 0;
    // Modal input box. Cancel gives an empty answer. `position`, when given,
    // is the box's top-left corner in twips.
    virtual QString input(const QString& prompt, const QString& title, const QString& defaultText = {},
                          std::optional<QPoint> position = std::nullopt) = 0;
    virtual void beep() = 0;
};

// The text of every program's quit question: "Are you sure you wish to
// quit ?", and before it, when `unsavedFile` is not empty, a line saying that
// the changes to that file are not saved ("The changes to home.dat are not
// saved !"), so a quit that would lose them never goes without a word.
QString quitQuestion(const QString& unsavedFile = {});

// A message box is at least as wide as its title. An input box without a
// position opens where the box of the same title and prompt last stood.
class QtDialogs : public Dialogs {
public:
    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText,
                  std::optional<QPoint> position) override;
    void beep() override;

private:
    std::map<QString, QPoint> inputPlaces_; // by title and prompt
};

// One recorded box or beep.
struct DialogEvent {
    enum class Kind { Message, Input, Beep } kind;
    QString text; // message text or input prompt
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    QString defaultText;
    std::optional<QPoint> position;
};

class ScriptedDialogs : public Dialogs {
public:
    // Queue the answers of the next message boxes / input boxes, in order.
    // A message box with nothing queued answers its first button (Ok or Yes);
    // an input box with nothing queued answers "" (Cancel).
    void queueAnswer(Answer a) { answers_.push_back(a); }
    void queueInput(const QString& s) { inputs_.push_back(s); }

    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText,
                  std::optional<QPoint> position) override;
    void beep() override;

    const std::vector<DialogEvent>& events() const { return events_; }
    std::vector<DialogEvent> messages() const; // message boxes only
    int beeps() const;
    void clear() { events_.clear(); }

private:
    std::deque<Answer> answers_;
    std::deque<QString> inputs_;
    std::vector<DialogEvent> events_;
};

} // namespace platform
