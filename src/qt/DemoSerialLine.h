#pragma once

#include "platform/SerialLine.h"
#include "qt/QtRealTimeScheduler.h"
#include "sim/instrument/InstrumentSerialLine.h"

namespace quendrix::qt {

// The simulated instrument inside the program, for training and demonstration without an
// instrument: the one that quendrix-sim serves, at the same 9600-baud pacing, in real time
// on the event loop and without a pseudo-terminal. It opens under any port number. The
// instrument lives as long as the line, so it keeps its state from one open to the next, as
// a real one does.
class DemoSerialLine final : public platform::SerialLine {
public:
    void open(int port, const platform::LineSettings& settings) override {
        line_.open(port, settings);
    }
    void close() override { line_.close(); }
    void write(std::string_view bytes) override { line_.write(bytes); }
    void setReceiver(platform::SerialLineReceiver* receiver) override {
        line_.setReceiver(receiver);
    }

    bool isOpen() const { return line_.isOpen(); }

private:
    QtRealTimeScheduler scheduler_;
    sim::InstrumentSerialLine line_{scheduler_, sim::FaultSwitches{}};
};

}  // namespace quendrix::qt
