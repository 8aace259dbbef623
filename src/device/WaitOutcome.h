#pragma once

namespace quendrix::device {

// How a reply wait ended: a reply was decoded, the response time-out or the pass limit ran
// out first, or the run was stopped (or the window closed) while waiting.
enum class WaitOutcome { Replied, TimedOut, Abandoned };

}  // namespace quendrix::device
