#include "dryrun/LineWatch.h"

#include <utility>

#include "device/ReplyFramer.h"

namespace quendrix::dryrun {
namespace {

using Direction = sim::InstrumentLine::Direction;

// A frame that never ends cannot fill the memory: what is kept of it is bounded.
constexpr std::size_t kMaxKept = 1024;

}  // namespace

LineWatch::LineWatch(sim::InstrumentLine& line, const sim::Scheduler& clock, Handlers handlers,
                     sim::Transcript* transcript)
    : clock_(clock), handlers_(std::move(handlers)), transcript_(transcript) {
    line.setMonitor([this](Direction direction, char byte) {
        if (transcript_ != nullptr) {
            transcript_->record(clock_.now(), direction, byte);
        }
        if (direction == Direction::toHost) {
            toHost(byte);
        }
    });
    line.setWriteMonitor([this](std::string_view bytes) {
        for (const char byte : bytes) {
            written(byte);
        }
    });
}

// The LF that follows a frame's CR belongs to no frame.
void LineWatch::written(char byte) {
    if (byte == '\r') {
        handlers_.frameSent(frame_);
        frame_.clear();
    } else if (byte != '\n' && frame_.size() < kMaxKept) {
        frame_.push_back(byte);
    }
}

void LineWatch::toHost(char byte) {
    if (!device::ReplyFramer::take(reply_, byte)) {
        return;
    }
    if (const auto reply = device::Reply::parse(reply_)) {
        handlers_.replyReceived(*reply);
    }
}

}  // namespace quendrix::dryrun
