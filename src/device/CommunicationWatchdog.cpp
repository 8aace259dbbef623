#include "device/CommunicationWatchdog.h"

namespace quendrix::device {

CommunicationWatchdog::CommunicationWatchdog(platform::Timer& timer) : timer_(timer) {
    tick_ = timer_.onTick.subscribe([this] {
        timer_.setEnabled(false);
        ++expiries_;
    });
}

}  // namespace quendrix::device
