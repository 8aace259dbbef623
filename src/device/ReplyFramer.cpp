#include "device/ReplyFramer.h"

namespace quendrix::device {
namespace {

constexpr char kReplyStart = '/';
constexpr char kReplyEnd = '\r';

}  // namespace

ReplyFramer::Step ReplyFramer::step(char character, std::size_t buffered) {
    if (character == kReplyStart) {
        return Step::Restart;
    }
    if (character == kReplyEnd) {
        return Step::ReplyEnds;
    }
    return buffered < kBufferLimit ? Step::Append : Step::Drop;
}

bool ReplyFramer::take(std::string& buffer, char character) {
    switch (step(character, buffer.size())) {
        case Step::Restart:
            buffer.assign(1, character);
            return false;
        case Step::Append:
            buffer.push_back(character);
            return false;
        case Step::Drop:
            return false;
        case Step::ReplyEnds:
            return true;
    }
    return false;
}

}  // namespace quendrix::device
