#pragma once

#include <cstdint>
#include <string>

namespace quendrix::form {

// The flags that the device link, the protocol runner and the service buttons share.
struct SharedFlags {
    bool ProtocolRunning = false;  // clearing it is the one stop signal of a run and its waits
    bool TestMode = false;
    bool ReplyReceived = false;
    bool DeviceBusy = false;
    std::int16_t StatusQueryMode = 0;
    std::string CurrentAddress = "1";
};

}  // namespace quendrix::form
