#pragma once

#include <memory>
#include <string>

#include "platform/SerialLine.h"
#include "qt/DemoSerialLine.h"
#include "qt/serial/QtSerialLine.h"

namespace quendrix::qt {

// The program's serial line on a desktop. Port n is the device that the per-user settings
// name for it (see portDeviceName()), or the built-in simulated instrument when they name
// "sim". The choice is made at every open, so an edited settings file counts from the next.
class DesktopSerialLine final : public platform::SerialLine {
public:
    void open(int port, const platform::LineSettings& settings) override;
    void close() override { active_->close(); }
    void write(std::string_view bytes) override { active_->write(bytes); }
    void setReceiver(platform::SerialLineReceiver* receiver) override;
    // The device the settings name for the port, or "sim".
    std::string deviceName(int port) const override;

private:
    DemoSerialLine& demo();

    QtSerialLine device_;
    std::unique_ptr<DemoSerialLine> demo_;  // made on first use
    platform::SerialLine* active_ = &device_;
    platform::SerialLineReceiver* receiver_ = nullptr;
};

}  // namespace quendrix::qt
