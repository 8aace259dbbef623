#pragma once

#include <cstddef>
#include <string>

namespace quendrix::device {

// Where replies begin and end in the received characters. A "/" empties the receive buffer
// and starts a reply; a CR ends it. The buffer is not emptied at the CR: what follows (the LF,
// or anything else) is appended until the next "/", so a second CR decodes the buffer again.
class ReplyFramer {
public:
    // A reply is a few dozen characters; a line that babbles without end must not grow the
    // buffer without limit, so characters past this many are dropped.
    static constexpr std::size_t kBufferLimit = 1024;

    enum class Step {
        Restart,  // the buffer becomes the character alone
        Append,
        Drop,       // the buffer is full
        ReplyEnds,  // a CR: decode the buffer as it stands; the CR is not stored
    };

    // What `character` does to a buffer that holds `buffered` characters.
    static Step step(char character, std::size_t buffered);
    // Takes `character` into `buffer`; true when it ends a reply, which `buffer` then holds.
    static bool take(std::string& buffer, char character);
};

}  // namespace quendrix::device
