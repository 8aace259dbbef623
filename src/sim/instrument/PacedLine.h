#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "sim/clock/Scheduler.h"
#include "sim/instrument/LifeToken.h"

namespace quendrix::sim {

// One direction of the 9600-baud 8N1 line. Each byte arrives one character time (ten bits)
// after the later of its hand-over and the end of the byte before it. Within an unbroken
// train of bytes the arrival times are computed from the train's start, so no rounding
// error builds up however long the train runs.
class PacedLine {
public:
    static constexpr std::int64_t baudRate = 9600;
    static constexpr std::int64_t bitsPerCharacter = 10;

    PacedLine(Scheduler& scheduler, std::function<void(char)> deliver);
    PacedLine(const PacedLine&) = delete;
    PacedLine& operator=(const PacedLine&) = delete;

    void send(std::string_view bytes);

    // Time taken by `count` back-to-back characters, rounded down to the microsecond.
    static Micros charactersTime(std::int64_t count) {
        return Micros{count * bitsPerCharacter * 1'000'000 / baudRate};
    }

private:
    Scheduler& scheduler_;
    std::function<void(char)> deliver_;
    Micros trainStart_{0};
    std::int64_t trainLength_ = 0;
    Micros lastArrival_{0};
    LifeToken life_;
};

}  // namespace quendrix::sim
