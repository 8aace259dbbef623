#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "sim/clock/Scheduler.h"
#include "sim/instrument/FaultSwitches.h"
#include "sim/instrument/FrameReceiver.h"
#include "sim/instrument/LifeToken.h"
#include "sim/instrument/NoiseSource.h"
#include "sim/instrument/SelectorValve.h"
#include "sim/instrument/SyringeDrive.h"

namespace quendrix::sim {

// The syringe drive (address 1) and the selector valve (address 2) on one bus: frames the
// bytes from the host, hands each frame to the drive it names and sends the reply, spoilt
// as the fault switches say.
class SimulatedInstrument {
public:
    // Between the CR of a command and the start of its reply.
    static constexpr Micros processingTime{500};

    SimulatedInstrument(Scheduler& scheduler, FaultSwitches faults,
                        std::function<void(std::string_view)> transmit);
    SimulatedInstrument(const SimulatedInstrument&) = delete;
    SimulatedInstrument& operator=(const SimulatedInstrument&) = delete;

    // A byte from the host has arrived now.
    void receive(char byte);

    // The line has gone away (the hang-up fault); nothing is received or sent after it.
    std::function<void()> onHangUp;
    // Every complete frame (address and text, without "/" and CR), whichever address.
    std::function<void(std::string_view)> onCommand;

    // Address 1 or 2; throws std::out_of_range for any other.
    StepperController& controller(int address);
    const StepperController& controller(int address) const;
    SyringeDrive& syringe() { return syringe_; }
    SelectorValve& valve() { return valve_; }

    std::size_t commandsSeen() const { return commandsSeen_; }
    const std::string& lastCommand() const { return lastCommand_; }
    bool hungUp() const { return hungUp_; }

    // "/0", the status byte, the data, ETX, CR, LF.
    static std::string frameReply(std::uint8_t status, std::string_view data);

private:
    void onFrame(const std::string& frame);
    StepperController* find(char address);
    void answer(const ControllerReply& reply);
    std::uint8_t statusByte(const ControllerReply& reply) const;
    std::string withNoise(std::string reply);
    void startBabbling();
    void babble();
    void hangUp();

    Scheduler& scheduler_;
    FaultSwitches faults_;
    std::function<void(std::string_view)> transmit_;
    SelectorValve valve_;
    SyringeDrive syringe_;
    FrameReceiver frames_;
    NoiseSource noise_;
    std::size_t commandsSeen_ = 0;
    std::size_t repliesDue_ = 0;
    std::string lastCommand_;
    bool hungUp_ = false;
    bool babbling_ = false;
    Micros babbleStart_{0};
    std::int64_t babbled_ = 0;
    LifeToken life_;
};

}  // namespace quendrix::sim
