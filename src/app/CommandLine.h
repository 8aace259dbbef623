#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "platform/Version.h"

namespace quendrix::app {

// Answers the options that ask the program about itself, --help (or -h) and --version,
// before any window or display is needed: prints the answer to `out` and gives the exit
// status. Nothing when neither is asked for and the program should start; every other
// argument is the window toolkit's.
std::optional<int> answerCommandLine(int argc, const char* const* argv,
                                     const platform::Version& version, std::ostream& out);

std::string programUsage();

}  // namespace quendrix::app
