#pragma once

#include <sys/resource.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>

#include "qt/ConfigHome.h"

namespace quendrix::qt::test {

constexpr std::chrono::seconds generous{10};

// Handles events until `done()` holds or `timeout` passes; tells whether `done()` holds.
// Blocks while nothing happens; the timer only makes sure that the deadline is noticed.
template <typename Done>
bool pumpUntil(Done done, std::chrono::milliseconds timeout = generous) {
    const QDeadlineTimer deadline(timeout);
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        // Even a precise timer may fire a little early; it is armed again until the deadline.
        if (!wake.isActive()) {
            wake.start(std::chrono::ceil<std::chrono::milliseconds>(
                std::chrono::nanoseconds(deadline.remainingTimeNSecs())));
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

inline void pumpFor(std::chrono::milliseconds duration) {
    pumpUntil([] { return false; }, duration);
}

// User and system time this process has used so far.
inline std::chrono::microseconds processCpuTime() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

}  // namespace quendrix::qt::test
