#pragma once

#include <cstdint>

#include "runner/RunReport.h"

namespace quendrix::runner {

// The state of one run. It lives in the run button's handler, so a second entry of the
// handler during a run leaves the first run's rows alone.
struct RunState {
    std::int16_t CurrentRow = 1;
    std::int16_t PendingJump = 0;  // the row to run next; 0 for the row below
    bool StepMode = false;
    RunReport report;

    // The first cause of the end is the one that counts.
    void endBy(RunReport::Ending ending) {
        if (!endingKnown_) {
            report.ending = ending;
            endingKnown_ = true;
        }
    }

private:
    bool endingKnown_ = false;
};

}  // namespace quendrix::runner
