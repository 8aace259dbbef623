#pragma once

#include <string>

#include "sim/instrument/FaultSwitches.h"

namespace quendrix::sim {

// What the command line of quendrix-sim asks for.
struct ServerOptions {
    FaultSwitches faults;
    std::string linkPath;        // empty: no symlink
    std::string transcriptPath;  // empty: no transcript
    bool help = false;
    bool version = false;
};

}  // namespace quendrix::sim
