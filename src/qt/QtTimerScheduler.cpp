#include "qt/QtTimerScheduler.h"

#include <QTimer>

namespace quendrix::qt {

void QtTimerScheduler::start(platform::Timer& timer, std::chrono::milliseconds interval) {
    qtTimerFor(timer).start(interval);
}

void QtTimerScheduler::stop(platform::Timer& timer) {
    if (const auto found = timers_.find(&timer); found != timers_.end()) {
        found->second->stop();
    }
}

QTimer& QtTimerScheduler::qtTimerFor(platform::Timer& timer) {
    if (const auto found = timers_.find(&timer); found != timers_.end()) {
        return *found->second;
    }
    auto* qtTimer = new QTimer(this);
    qtTimer->setObjectName(QString::fromStdString(timer.name()));
    qtTimer->setSingleShot(true);
    // Coarse timers may fire up to 5% early, which would cut reply waits short.
    qtTimer->setTimerType(Qt::PreciseTimer);
    connect(qtTimer, &QTimer::timeout, qtTimer, [&timer] { timer.fire(); });
    timers_.emplace(&timer, qtTimer);
    return *qtTimer;
}

}  // namespace quendrix::qt
