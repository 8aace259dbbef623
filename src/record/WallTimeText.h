#pragma once

#include <string>

#include "platform/RunClock.h"

namespace quendrix::record {

// "2026-12-07T14:03:22.125+01:00": the local time to the millisecond, with its zone.
std::string isoText(const platform::WallTime& time);

// "2026-12-07T14-03-22": the local time to the second, as a file name on every system.
std::string folderName(const platform::WallTime& time);

}  // namespace quendrix::record
