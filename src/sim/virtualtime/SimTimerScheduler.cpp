#include "sim/virtualtime/SimTimerScheduler.h"

namespace quendrix::sim {

void SimTimerScheduler::start(platform::Timer& timer, std::chrono::milliseconds interval) {
    stop(timer);
    pending_[&timer] = clock_.schedule(clock_.now() + interval, [this, &timer] {
        pending_.erase(&timer);
        timer.fire();
    });
}

void SimTimerScheduler::stop(platform::Timer& timer) {
    if (const auto it = pending_.find(&timer); it != pending_.end()) {
        clock_.cancel(it->second);
        pending_.erase(it);
    }
}

}  // namespace quendrix::sim
