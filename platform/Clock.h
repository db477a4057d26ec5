#pragma once
// The clock seam: one sample of the local date and time at once (never the
// date and the time read apart), seconds since midnight, and waits that keep
// window events running. Tests inject a ManualClock.

#include <QDateTime>
#include <QtGlobal>
#include <utility>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time, sampled once.
    virtual QDateTime now() const = 0;
    // Seconds since local midnight, with fractions.
    double secondsSinceMidnight() const;
    // Waits `seconds` on a monotonic clock while processing window events.
    virtual void wait(double seconds) = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override;
    void wait(double seconds) override;
};

// A clock that only moves when told; wait() advances it at once and still
// processes pending window events once.
class ManualClock : public Clock {
public:
    explicit ManualClock(QDateTime start) : now_(std::move(start)) {}
    QDateTime now() const override { return now_; }
    void wait(double seconds) override;
    void set(const QDateTime& t) { now_ = t; }
    void advance(double seconds) { now_ = now_.addMSecs(qRound64(seconds * 1000.0)); }

private:
    QDateTime now_;
};

} // namespace platform
