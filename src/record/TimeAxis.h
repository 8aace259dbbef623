#pragma once

#include <string>
#include <vector>

#include "record/Timeline.h"

namespace quendrix::record {

// The ticks of a run-time axis: round steps (1, 2 or 5 of a unit, or 15 and 30 seconds or
// minutes, or 3, 6 and 12 hours), at most about ten of them, labelled as a person reads a
// run time: "2.5 s" within a minute, "4:30" within an hour, "2:15:00" beyond.
class TimeAxis {
public:
    struct Tick {
        RunTime at;
        std::string label;
    };

    explicit TimeAxis(RunTime span);

    const std::vector<Tick>& ticks() const { return ticks_; }

    // Any time in the axis's style, with milliseconds: "2.125 s", "4:30.125", "2:15:00.125".
    std::string text(RunTime at) const;

private:
    std::string label(RunTime at) const;

    RunTime span_;
    RunTime step_{};
    std::vector<Tick> ticks_;
};

}  // namespace quendrix::record
