#pragma once

#include <memory>

#include "platform/LineSettings.h"
#include "platform/SerialLine.h"
#include "sim/clock/Scheduler.h"
#include "sim/instrument/FaultSwitches.h"
#include "sim/instrument/InstrumentLine.h"

namespace quendrix::sim {

// A serial port with the simulated instrument plugged in, on any scheduler: virtual time in
// the tests, the wall clock in the program's demonstration mode. Which port number it
// answers to is its owner's business. Received bytes reach the receiver one by one, each at
// the moment it has arrived; a hang-up is reported from the scheduler's next turn, as a real
// port reports an unplugged adapter.
class InstrumentSerialLine : public platform::SerialLine {
public:
    InstrumentSerialLine(Scheduler& scheduler, FaultSwitches faults);
    InstrumentSerialLine(const InstrumentSerialLine&) = delete;
    InstrumentSerialLine& operator=(const InstrumentSerialLine&) = delete;

    void open(int port, const platform::LineSettings& settings) override;
    void close() override;
    void write(std::string_view bytes) override;
    void setReceiver(platform::SerialLineReceiver* receiver) override { receiver_ = receiver; }

    bool isOpen() const { return open_; }
    const platform::LineSettings& settings() const { return settings_; }
    InstrumentLine& line() { return *line_; }
    SimulatedInstrument& instrument() { return line_->instrument(); }
    // Plugs a fresh instrument in after a hang-up.
    void reconnect(FaultSwitches faults = {});

private:
    void attach();
    bool delivers(const InstrumentLine* line) const;

    Scheduler& scheduler_;
    std::unique_ptr<InstrumentLine> line_;
    platform::SerialLineReceiver* receiver_ = nullptr;
    platform::LineSettings settings_;
    bool open_ = false;
};

}  // namespace quendrix::sim
