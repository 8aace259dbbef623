#include "device/CommunicationWatchdog.h"

namespace quendrix::device {

CommunicationWatchdog::CommunicationWatchdog(platform::Timer& timer) : timer_(timer) {
    timer_.onTick = [this] {
        timer_.setEnabled(false);
        ++expiries_;
    };
}

}  // namespace quendrix::device
