#include "sim/SimSerialLine.h"

#include "platform/Failure.h"

namespace quendrix::sim {

SimSerialLine::SimSerialLine(VirtualClock& clock, FaultSwitches faults, int instrumentPort)
    : clock_(clock), instrumentPort_(instrumentPort) {
    reconnect(faults);
}

void SimSerialLine::reconnect(FaultSwitches faults) {
    line_ = std::make_unique<InstrumentLine>(clock_, faults);
    attach();
}

void SimSerialLine::attach() {
    InstrumentLine* line = line_.get();
    line_->setHostReceiver([this, line](char byte) {
        if (open_ && receiver_ != nullptr && line == line_.get()) {
            receiver_->onBytes(std::string_view(&byte, 1));
        }
    });
    line_->setOnHangUp([this, line] {
        // Reported from the event loop, as a real port reports an unplugged adapter.
        clock_.at(clock_.now(), [this, line] {
            if (open_ && receiver_ != nullptr && line == line_.get()) {
                receiver_->onLineLost();
            }
        });
    });
}

void SimSerialLine::open(int port, const platform::LineSettings& settings) {
    if (open_) {
        throw platform::Failure("port already open");
    }
    if (port != instrumentPort_) {
        throw platform::Failure("no such port: " + std::to_string(port));
    }
    if (line_->hungUp()) {
        throw platform::Failure("the device has gone away");
    }
    settings_ = settings;
    open_ = true;
    ++openCount_;
}

void SimSerialLine::close() {
    open_ = false;
}

void SimSerialLine::write(std::string_view bytes) {
    if (!open_) {
        throw platform::Failure("port not open");
    }
    if (line_->hungUp()) {
        throw platform::Failure("the device has gone away");
    }
    writes_.push_back({clock_.now(), std::string(bytes)});
    line_->hostWrite(bytes);
}

std::string SimSerialLine::written() const {
    std::string all;
    for (const auto& w : writes_) {
        all += w.bytes;
    }
    return all;
}

}  // namespace quendrix::sim
