#pragma once

#include <string>

#include "platform/Diagnostics.h"
#include "platform/Failure.h"

namespace quendrix::runner {

// Once a run has configured the port, a step that fails is skipped without a message and
// the run goes on with its next step; only the diagnostics learn why. Returns whether the
// step ran to its end.
template <typename Step>
bool runOrSkip(platform::Diagnostics& diagnostics, Step&& step) {
    try {
        step();
        return true;
    } catch (const platform::Failure& failure) {
        diagnostics.report(std::string("run step skipped: ") + failure.what());
        return false;
    }
}

}  // namespace quendrix::runner
