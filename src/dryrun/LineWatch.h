#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "device/Reply.h"
#include "sim/cli/Transcript.h"
#include "sim/clock/Scheduler.h"
#include "sim/instrument/InstrumentLine.h"

namespace quendrix::dryrun {

// Watches the simulated line: the frames the program sends, each as the program writes its CR
// (when its wait for the answer begins), and the replies, each once its CR has reached the
// program, framed and decoded as the program does it, in a copy of its receive buffer. So a
// reply belongs to the last frame as it does in the program. Every byte on the line also goes
// to the transcript, if there is one.
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

    // The program has emptied its receive buffer (it does before each exchange of a run), so
    // the copy is emptied too: a CR that follows decodes the same text in both.
    void receiveBufferEmptied() { reply_.clear(); }

private:
    void written(char byte);
    void toHost(char byte);

    const sim::Scheduler& clock_;
    Handlers handlers_;
    sim::Transcript* transcript_;
    std::string frame_;
    std::string reply_;  // the program's receive buffer, as far as the line shows it
};

}  // namespace quendrix::dryrun
