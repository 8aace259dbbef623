#include "platform/Timer.h"

namespace quendrix::platform {

Timer::Timer(std::string name, TimerScheduler& scheduler, int intervalMs)
    : name_(std::move(name)), scheduler_(scheduler), intervalMs_(intervalMs) {}

Timer::~Timer() {
    if (enabled_) {
        scheduler_.stop(*this);
    }
}

void Timer::setInterval(int intervalMs) {
    intervalMs_ = intervalMs;
    if (enabled_) {
        restart();
    }
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled) {
        restart();
    } else {
        scheduler_.stop(*this);
    }
}

void Timer::restart() {
    // A timer with no interval never ticks, though it counts as armed.
    if (intervalMs_ > 0) {
        scheduler_.start(*this, std::chrono::milliseconds(intervalMs_));
    } else {
        scheduler_.stop(*this);
    }
}

void Timer::fire() {
    if (!enabled_) {
        return;
    }
    restart();  // the next period, unless the handler disarms the timer
    onTick.notify();
}

}  // namespace quendrix::platform
