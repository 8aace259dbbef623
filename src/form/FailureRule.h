#pragma once

#include <string>
#include <string_view>

#include "platform/Diagnostics.h"
#include "platform/Failure.h"

namespace quendrix::form {

// How the device link and a protocol run treat a failing step: the operator is not told, and
// the reason goes to the diagnostics. A rule first ends the operation at its first failure,
// as a send on a port that was already open does. Once the operation has had to open the port
// itself, or a run has configured it, every failure is skipped and the operation goes on with
// its next step, so a command to a missing port is lost without a message.
class FailureRule {
public:
    explicit FailureRule(platform::Diagnostics& diagnostics, bool skipping = false)
        : diagnostics_(diagnostics), skipping_(skipping) {}

    static void report(platform::Diagnostics& diagnostics, std::string_view reason) {
        diagnostics.report("step failed: " + std::string(reason));
    }

    void skipFromHereOn() { skipping_ = true; }

    // Runs one step; returns false when the operation must end now.
    template <typename Step>
    bool step(Step&& action) {
        try {
            action();
            return true;
        } catch (const platform::Failure& failure) {
            report(diagnostics_, failure.what());
            return skipping_;
        }
    }

private:
    platform::Diagnostics& diagnostics_;
    bool skipping_;
};

// A step of a run that has configured the port: skipped when it fails.
template <typename Step>
void runOrSkip(platform::Diagnostics& diagnostics, Step&& step) {
    FailureRule(diagnostics, true).step(step);
}

}  // namespace quendrix::form
