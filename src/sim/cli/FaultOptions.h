#pragma once

#include <string>
#include <string_view>

#include "sim/cli/OptionArguments.h"
#include "sim/instrument/FaultSwitches.h"

namespace quendrix::sim {

// The options that make the simulated instrument misbehave, shared by every program that
// serves it. Takes the option `name` (read from `arguments`, with its value if it has one)
// into `faults`; returns false when `name` is no fault option.
bool parseFaultOption(std::string_view name, OptionArguments& arguments, FaultSwitches& faults);

// Their lines of the help text.
std::string faultOptionsUsage();

}  // namespace quendrix::sim
