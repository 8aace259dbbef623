#pragma once

#include <chrono>
#include <string>

#include "platform/ChangeNotifier.h"

namespace quendrix::platform {

class Timer;

// The platform's clock for timers: real time in the program, virtual time in the tests.
class TimerScheduler {
public:
    virtual ~TimerScheduler() = default;
    // Starts (or restarts) the countdown; the scheduler calls timer.fire() when it runs out.
    virtual void start(Timer& timer, std::chrono::milliseconds interval) = 0;
    virtual void stop(Timer& timer) = 0;
};

// A window timer. The program uses every timer as a one-shot: it arms the timer, the tick
// handler disarms it, and waiting code tests whether it is still armed. Arming an armed
// timer restarts its countdown. A timer left armed by its handler ticks again after
// another interval.
class Timer {
public:
    Timer(std::string name, TimerScheduler& scheduler, int intervalMs);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }

    int interval() const { return intervalMs_; }
    void setInterval(int intervalMs);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    Event<> onTick;

    // Called by the scheduler when the countdown has run out.
    void fire();

private:
    void restart();

    std::string name_;
    TimerScheduler& scheduler_;
    int intervalMs_;
    bool enabled_ = false;
};

}  // namespace quendrix::platform
