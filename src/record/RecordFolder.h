#pragma once

#include <filesystem>

#include "platform/RunClock.h"

namespace quendrix::record {

// Makes the folder of a run that starts at `start`, in `parent` (made too when missing):
// named by the local start time, "2026-12-07T14-03-22", or "...-2", "-3" and on when a run
// that started in the same second has the name. Throws platform::Failure when it cannot.
std::filesystem::path makeRecordFolder(const std::filesystem::path& parent,
                                       const platform::WallTime& start);

}  // namespace quendrix::record
