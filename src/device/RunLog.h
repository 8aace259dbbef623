#pragma once

#include <string_view>

#include "platform/FileSlot.h"

namespace quendrix::device {

// The device link's entries in the run log, which a protocol run keeps open on the file
// slot. Outside a run nothing is open and an entry goes nowhere.
class RunLog {
public:
    explicit RunLog(platform::FileSlot& slot) : slot_(slot) {}

    void sent(std::string_view framedCommand) { write("Sent     : ", framedCommand); }
    void received(std::string_view text) { write("Received : ", text); }

private:
    void write(std::string_view prefix, std::string_view text);

    platform::FileSlot& slot_;
};

}  // namespace quendrix::device
