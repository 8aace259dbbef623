#include "sim/instrument/InstrumentSerialLine.h"

#include "platform/Failure.h"

namespace quendrix::sim {

InstrumentSerialLine::InstrumentSerialLine(Scheduler& scheduler, FaultSwitches faults)
    : scheduler_(scheduler) {
    reconnect(faults);
}

void InstrumentSerialLine::reconnect(FaultSwitches faults) {
    line_ = std::make_unique<InstrumentLine>(scheduler_, faults);
    attach();
}

void InstrumentSerialLine::attach() {
    InstrumentLine* line = line_.get();
    line_->setHostReceiver([this, line](char byte) {
        if (delivers(line)) {
            receiver_->onBytes(std::string_view(&byte, 1));
        }
    });
    line_->setOnHangUp([this, line] {
        scheduler_.at(scheduler_.now(), [this, line] {
            if (delivers(line)) {
                receiver_->onLineLost();
            }
        });
    });
}

// An instrument replaced by reconnect() may still have bytes on their way.
bool InstrumentSerialLine::delivers(const InstrumentLine* line) const {
    return open_ && receiver_ != nullptr && line == line_.get();
}

void InstrumentSerialLine::open(int, const platform::LineSettings& settings) {
    if (open_) {
        throw platform::Failure("port already open");
    }
    if (line_->hungUp()) {
        throw platform::Failure("the device has gone away");
    }
    settings_ = settings;
    open_ = true;
}

void InstrumentSerialLine::close() {
    open_ = false;
}

void InstrumentSerialLine::write(std::string_view bytes) {
    if (!open_) {
        throw platform::Failure("port not open");
    }
    if (line_->hungUp()) {
        throw platform::Failure("the device has gone away");
    }
    line_->hostWrite(bytes);
}

}  // namespace quendrix::sim
