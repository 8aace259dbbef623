#pragma once

#include "device/WaitOutcome.h"
#include "form/Inventory.h"

namespace quendrix::device {

// The protocol runner's bounded wait for the reply to its last send, with the counters that
// keep count of the waits that failed, and the count of the error codes that matter.
class ReplyWait {
public:
    explicit ReplyWait(form::Inventory& form) : form_(form) {}

    // Expects ReplyReceived false, Text3 empty, LoopCounter "1000" and tmrResponseTimeout
    // armed; leaves tmrResponseTimeout disarmed.
    WaitOutcome AwaitDeviceReply();
    // Counts the last reply's error code when it is 2, 3 or 9.
    void CountDeviceError();

private:
    form::Inventory& form_;
};

}  // namespace quendrix::device
