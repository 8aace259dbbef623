#pragma once

#include <string>

#include "sim/clock/Scheduler.h"

namespace quendrix::dryrun {

// "12.345 s": seconds with their milliseconds.
std::string secondsText(sim::Micros time);
// "1:02:03.450": hours, minutes, seconds and milliseconds.
std::string clockText(sim::Micros time);
double seconds(sim::Micros time);

}  // namespace quendrix::dryrun
