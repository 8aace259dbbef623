#include "sim/SimTimerScheduler.h"

namespace quendrix::sim {

void SimTimerScheduler::start(platform::Timer& timer, std::chrono::milliseconds interval) {
    const std::uint64_t generation = ++nextGeneration_;
    generations_[&timer] = generation;
    clock_.at(clock_.now() + interval, [this, &timer, generation] {
        const auto it = generations_.find(&timer);
        if (it != generations_.end() && it->second == generation) {
            generations_.erase(it);
            timer.fire();
        }
    });
}

void SimTimerScheduler::stop(platform::Timer& timer) {
    generations_.erase(&timer);
}

}  // namespace quendrix::sim
