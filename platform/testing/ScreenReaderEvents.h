#pragma once
// A screen reader for tests: Qt's accessibility switched on as the bus does
// when a reader starts (offscreen there is no bus), and every event that
// the suite's screen-reader layer (platform/widgets/ScreenReader.h) lets
// through recorded with the time it arrived and what the object read then.

#include <QAccessible>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace platform::testing {

// Switches Qt's accessibility on or off, as a reader starting or leaving does.
void switchAccessibility(bool on);

struct HeardEvent {
    QAccessible::Event type;
    QPointer<QObject> object;
    QString name; // the object's accessible name as the event arrived
    qint64 ms;    // since the listener started
    QString window; // the name of the object's window as the event arrived
};

// Records events from its construction to its destruction, while
// accessibility is on (switched off again at the end); installs the layer.
class ScreenReaderEvents {
public:
    ScreenReaderEvents();
    ~ScreenReaderEvents();
    ScreenReaderEvents(const ScreenReaderEvents&) = delete;
    ScreenReaderEvents& operator=(const ScreenReaderEvents&) = delete;

    const std::vector<HeardEvent>& events() const { return events_; }
    // The events of one type, for one object (any object when nullptr).
    std::vector<HeardEvent> of(QAccessible::Event type, const QObject* object = nullptr) const;
    // The words of the notices shown (platform::announce, a refusal sign),
    // in their order, as they read when they came.
    QStringList notices() const;
    // The name its window had at each focus event on `window` or a control
    // in it: what a reader announces the focus as being in.
    QStringList windowNamesAtFocus(const QWidget* window) const;
    void clear() { events_.clear(); }

private:
    int key_;
    QElapsedTimer clock_;
    std::vector<HeardEvent> events_;
};

} // namespace platform::testing
