#pragma once

#include <cstdint>
#include <optional>

#include "sim/clock/Scheduler.h"

namespace quendrix::sim {

// Ways in which the instrument or its line can misbehave. The defaults are a healthy
// instrument; each switch acts on the replies only, so the controllers go on executing
// what they receive while their answers are lost or spoilt.
struct FaultSwitches {
    // No reply is ever sent.
    bool silent = false;
    // Every k-th reply is lost (0: none).
    int dropEvery = 0;
    // Noise bytes before and after every reply. They never contain "/" or CR, so the
    // reply itself still decodes; only the receiver's handling of stray bytes is tested.
    bool garbage = false;
    // From the first command to either drive on, the line carries an endless stream of
    // characters at full line rate with no CR in it, in place of any reply.
    bool babble = false;
    // A lone CR just before every reply (after the noise of `garbage`): the receiver decodes
    // whatever its buffer holds at that moment, before the reply itself.
    bool strayCr = false;
    // Seeds the noise of `garbage` and `babble`; the same seed gives the same bytes.
    std::uint32_t noiseSeed = 1;
    // The ready bit is never set.
    bool stuckBusy = false;
    // Every reply carries this error code (0 to 15) instead of the controller's own.
    std::optional<int> fixedErrorCode;
    // Extra delay before every reply.
    Micros slowReply{0};
    // The line goes away when the n-th command arrives, unanswered (0: never).
    int hangUpAfter = 0;
};

}  // namespace quendrix::sim
