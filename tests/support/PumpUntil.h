#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace quendrix::testsupport {

// Long enough for anything a real-time test waits for on a loaded machine.
constexpr std::chrono::seconds generous{10};

// Handles events until `done()` holds or `timeout` passes; tells whether `done()` holds.
// Blocks while nothing happens; the timer only makes sure that the deadline is noticed.
template <typename Done>
bool pumpUntil(Done done, std::chrono::milliseconds timeout = generous) {
    const QDeadlineTimer deadline(timeout);
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!done() && !deadline.hasExpired()) {
        // Even a precise timer may fire a little early; it is armed again until the deadline.
        if (!wake.isActive()) {
            wake.start(std::chrono::ceil<std::chrono::milliseconds>(
                std::chrono::nanoseconds(deadline.remainingTimeNSecs())));
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return done();
}

inline void pumpFor(std::chrono::milliseconds duration) {
    pumpUntil([] { return false; }, duration);
}

}  // namespace quendrix::testsupport
