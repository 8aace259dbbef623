#include "sim/SimEventPump.h"

#include <string>

#include "sim/StalledWait.h"

namespace quendrix::sim {

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
    if (clock_.now() + kYieldStep > limit_) {
        throw StalledWait("a loop is still yielding at " + std::to_string(clock_.now().count()) +
                          " us of virtual time, past the test's limit");
    }
    clock_.advanceBy(kYieldStep);
}

}  // namespace quendrix::sim
