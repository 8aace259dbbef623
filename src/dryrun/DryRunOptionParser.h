#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dryrun/DryRunOptions.h"
#include "sim/cli/OptionArguments.h"

namespace quendrix::dryrun {

// Reads the arguments that follow argv[0]: options (those of quendrix-sim that make the
// instrument misbehave among them) and exactly one protocol file, unless --help or
// --version is asked for. Throws sim::OptionError on anything it cannot use.
DryRunOptions parseDryRunOptions(int argc, const char* const* argv);

// A whole number followed by s, m, h or d ("90s", "10m", "2h", "1d"); a bare number is
// seconds. Nothing when the text is none of these, or not above zero.
std::optional<sim::Micros> parseDuration(std::string_view text);

std::string dryRunUsage();

}  // namespace quendrix::dryrun
