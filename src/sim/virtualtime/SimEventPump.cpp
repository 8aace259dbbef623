#include "sim/virtualtime/SimEventPump.h"

#include <string>

#include "sim/virtualtime/StalledWait.h"

namespace quendrix::sim {
namespace {

// Out of line, so that the yield itself stays a light call.
[[noreturn]] void stillYielding(Micros now) {
    throw StalledWait("a loop is still yielding at " + std::to_string(now.count()) +
                      " us of virtual time, past the test's limit");
}

}  // namespace

void SimEventPump::pumpOnce() {
    ++pumps_;
    if (clock_.idle()) {
        throw StalledWait("a wait pumped events, but nothing is scheduled: it could never end");
    }
    if (clock_.nextDue() > limit_) {
        throw StalledWait("a wait is still going at " + std::to_string(clock_.nextDue().count()) +
                          " us of virtual time, past the test's limit");
    }
    clock_.runNext();
}

void SimEventPump::pumpPending() {
    ++pumps_;
    const Micros::rep until = clock_.now().count() + kYieldStep.count();
    if (until > limit_.count()) {
        stillYielding(clock_.now());
    }
    clock_.advanceTo(Micros{until});
}

}  // namespace quendrix::sim
