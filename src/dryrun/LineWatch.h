#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "device/Reply.h"
#include "sim/Scheduler.h"
#include "sim/instrument/InstrumentLine.h"
#include "sim/server/Transcript.h"

namespace quendrix::dryrun {

// Watches the simulated line from the middle: the frames the program sends, each once its
// CR has reached the instrument, and the replies, each once its CR has reached the program,
// read as the program reads them (from the last "/"). Every byte also goes to the
// transcript, if there is one.
class LineWatch {
public:
    struct Handlers {
        std::function<void(std::string_view frame)> frameSent;  // "/1ZR", no line end
        std::function<void(const device::Reply&)> replyReceived;
    };

    LineWatch(sim::InstrumentLine& line, const sim::Scheduler& clock, Handlers handlers,
              sim::Transcript* transcript);
    LineWatch(const LineWatch&) = delete;
    LineWatch& operator=(const LineWatch&) = delete;

private:
    void toInstrument(char byte);
    void toHost(char byte);

    const sim::Scheduler& clock_;
    Handlers handlers_;
    sim::Transcript* transcript_;
    std::string frame_;
    std::string reply_;
};

}  // namespace quendrix::dryrun
