#pragma once

#include <sys/resource.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace quendrix::qt::test {

// Handles events until `done()` holds or `deadline` passes; tells whether `done()` holds.
// Blocks while nothing happens; the timer only makes sure that the deadline is noticed.
template <typename Done>
bool pumpUntil(Done done, QDeadlineTimer deadline) {
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        // Even a precise timer may fire a little early; it is armed again until the deadline.
        if (!wake.isActive() && !deadline.isForever()) {
            wake.start(std::chrono::ceil<std::chrono::milliseconds>(
                std::chrono::nanoseconds(deadline.remainingTimeNSecs())));
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

inline void pumpFor(std::chrono::milliseconds duration) {
    pumpUntil([] { return false; }, QDeadlineTimer(duration));
}

// User and system time this process has used so far.
inline std::chrono::microseconds processCpuTime() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec;
    const auto micros = usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
    return std::chrono::seconds(seconds) + std::chrono::microseconds(micros);
}

}  // namespace quendrix::qt::test
