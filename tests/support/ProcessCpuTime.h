#pragma once

#include <chrono>

namespace quendrix::testsupport {

// User and system time this process has used so far.
std::chrono::microseconds processCpuTime();

}  // namespace quendrix::testsupport
