#pragma once

#include <string_view>

#include "platform/Diagnostics.h"
#include "platform/FileSlot.h"

namespace quendrix::device {

// The device link's entries in the run log, which a protocol run keeps open on the file
// slot. Outside a run nothing is open and an entry goes nowhere.
class RunLog {
public:
    RunLog(platform::FileSlot& slot, platform::Diagnostics& diagnostics)
        : slot_(slot), diagnostics_(diagnostics) {}

    void sent(std::string_view framedCommand) { write("Sent     : ", framedCommand); }
    void received(std::string_view text) { write("Received : ", text); }

private:
    void write(std::string_view prefix, std::string_view text);

    platform::FileSlot& slot_;
    platform::Diagnostics& diagnostics_;
};

}  // namespace quendrix::device
