#pragma once

#include <string>

#include "record/Timeline.h"

namespace quendrix::record {

// The run drawn as an SVG picture: a time axis, a band of the executed rows coloured by
// kind, one lane per controller address with its busy periods, time-outs and error replies,
// and the operator's pauses shaded. Neighbouring marks merge, so an hour-long run stays small.
std::string renderTimelineSvg(const Timeline& timeline, const std::string& title);

}  // namespace quendrix::record
