#pragma once

#include <chrono>

namespace quendrix::platform {

// A moment of the wall clock and the local zone's distance from UTC at that moment.
struct WallTime {
    std::chrono::sys_time<std::chrono::microseconds> utc;
    std::chrono::minutes offset{0};  // local time minus UTC
};

// The clocks a run is recorded by: the wall clock, for when it happened, and a steady run
// time that no clock adjustment moves, for how long things took. The desktop gives the real
// ones; the virtual-time platform gives virtual time from a wall-clock start of its choosing.
class RunClock {
public:
    virtual ~RunClock() = default;
    virtual WallTime wallNow() const = 0;
    virtual std::chrono::microseconds runNow() const = 0;
    virtual bool isVirtual() const = 0;
};

// The machine's own clocks, without Qt, so that the programs without a window have them too.
class SystemRunClock final : public RunClock {
public:
    WallTime wallNow() const override;
    std::chrono::microseconds runNow() const override;
    bool isVirtual() const override { return false; }
};

}  // namespace quendrix::platform
