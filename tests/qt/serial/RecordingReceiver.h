#pragma once

#include <string>
#include <string_view>

#include "platform/SerialLine.h"

namespace quendrix::qt::test {

// Keeps what a serial line hands to its receiver.
class RecordingReceiver final : public platform::SerialLineReceiver {
public:
    void onBytes(std::string_view bytes) override { received.append(bytes); }
    void onLineLost() override { ++linesLost; }

    std::string received;
    int linesLost = 0;
};

}  // namespace quendrix::qt::test
