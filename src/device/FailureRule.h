#pragma once

#include "platform/Diagnostics.h"
#include "platform/Failure.h"

namespace quendrix::device {

// How one sending operation treats a failing step. While the port was already open, the
// first failure ends the operation silently. Once the operation has had to open the port
// itself, every failure from there on is ignored and the operation goes on with its next
// step, so a command to a missing port is lost without a message. Either way the reason
// goes to the diagnostics.
class FailureRule {
public:
    explicit FailureRule(platform::Diagnostics& diagnostics) : diagnostics_(diagnostics) {}

    void ignoreFromHereOn() { ignoring_ = true; }

    // Runs one step; returns false when the operation must end now.
    template <typename Step>
    bool step(Step&& action) {
        try {
            action();
            return true;
        } catch (const platform::Failure& failure) {
            diagnostics_.report(failure.what());
            return ignoring_;
        }
    }

private:
    platform::Diagnostics& diagnostics_;
    bool ignoring_ = false;
};

}  // namespace quendrix::device
