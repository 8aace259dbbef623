#pragma once

#include "platform/SerialLine.h"

namespace quendrix::qt {

// A machine without serial support: every port is missing, so opening one fails as a port
// that does not exist would.
class NullSerialLine final : public platform::SerialLine {
public:
    void open(int port, const platform::LineSettings& settings) override;
    void close() override {}
    void write(std::string_view bytes) override;
    void setReceiver(platform::SerialLineReceiver*) override {}
};

}  // namespace quendrix::qt
