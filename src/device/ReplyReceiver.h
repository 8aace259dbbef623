#pragma once

#include <cstddef>
#include <string>

#include "device/CommunicationWatchdog.h"
#include "device/Reply.h"
#include "device/ReplyFramer.h"
#include "device/RunLog.h"
#include "form/Inventory.h"
#include "platform/ChangeNotifier.h"

namespace quendrix::device {

// Collects reply characters in the receive buffer Text3 by ReplyFramer's rules and decodes a
// reply at its CR: the error code, the data part, the flags the waiting senders watch, the two
// indicators and the run log.
class ReplyReceiver {
public:
    static constexpr std::size_t kBufferLimit = ReplyFramer::kBufferLimit;

    ReplyReceiver(form::Inventory& form, RunLog& log, CommunicationWatchdog& watchdog);

    // The serial component's receive notification.
    void MSComm1_OnComm();
    void DecodeResponse();

    // Every reply decoded, for a watcher of the run.
    platform::Event<const Reply&> onDecoded;
    // The end of the reply flash.
    void Timer1_Timer();

    // A reply has been decoded, after the controls and flags show it.
    platform::Event<Reply> onReply;

private:
    void take(char character);
    void showReadiness(bool ready);

    form::Inventory& form_;
    RunLog& log_;
    CommunicationWatchdog& watchdog_;
};

}  // namespace quendrix::device
