#pragma once

#include <vector>

#include "device/DeviceLink.h"
#include "form/Inventory.h"

namespace quendrix::service {

// The service buttons beyond the main window's visible area, reached with the keyboard:
// Command5 sweeps the drive at address 1 through its absolute positions, Command2 shows or
// hides the "Communications" panel.
class ManualTestButtons {
public:
    ManualTestButtons(form::Inventory& form, device::DeviceLink& device);
    ManualTestButtons(const ManualTestButtons&) = delete;
    ManualTestButtons& operator=(const ManualTestButtons&) = delete;

    static constexpr int kFirstPosition = 10;
    static constexpr int kLastPosition = 12000;
    static constexpr int kPositionStep = 10;
    // The pause after each command: passes of yields to the event loop.
    static constexpr int kPausePasses = 10000;
    static constexpr int kYieldsPerPass = 5;

    // Sends A10R, A20R, ... A12000R to address 1, pausing after each. The sweep ends early
    // once the main window has closed, so that no sweep outlives the program on the line.
    void Command5_Click();
    void Command2_Click();

private:
    // Returns false once the main window has closed.
    bool pause();

    form::Inventory& form_;
    device::DeviceLink& device_;
    std::vector<platform::Subscription> handlers_;
};

}  // namespace quendrix::service
