#include "platform/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

namespace platform {

double Clock::secondsSinceMidnight() const
{
    return now().time().msecsSinceStartOfDay() / 1000.0;
}

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }

void SystemClock::wait(double seconds)
{
    QElapsedTimer timer; // monotonic
    timer.start();
    const qint64 target = qint64(std::max(0.0, seconds) * 1000.0 + 0.5);
    for (;;) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        const qint64 left = target - timer.elapsed();
        if (left <= 0)
            break;
        // A short sleep between polls keeps the wait from spinning a core
        // while events are still handled every few milliseconds.
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 5)));
    }
}

void ManualClock::wait(double seconds)
{
    advance(seconds);
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace platform
