#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "sim/clock/Scheduler.h"
#include "sim/instrument/FaultSwitches.h"

namespace quendrix::dryrun {

// What the command line of quendrix-dryrun asks for.
struct DryRunOptions {
    std::string file;
    std::string logPath;         // empty: the run log stays in memory
    std::string transcriptPath;  // empty: no transcript
    std::string recordDir;       // empty: no run record
    bool json = false;
    bool check = false;                      // report what is wrong with the protocol after the run
    double maxWait = 150;                    // seconds; a longer Wait is worth a warning
    bool step = false;                       // run as "&Single Step &Protocol" does
    std::optional<std::string> maxPosition;  // the "Max Move Position" field's text
    sim::Micros limit = std::chrono::hours(24);
    std::string limitText = "24h";
    std::optional<int> maxRows;
    sim::FaultSwitches faults;
    bool help = false;
    bool version = false;
};

}  // namespace quendrix::dryrun
