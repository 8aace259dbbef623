#pragma once

#include <string_view>

namespace quendrix::platform {

// Serial line settings as written in a settings text such as "9600,N,8,1".
struct LineSettings {
    enum class Parity { None, Even, Odd, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };

    int baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    bool operator==(const LineSettings&) const = default;

    // Reads "baud,parity,data bits,stop bits"; throws Failure for any other text.
    static LineSettings parse(std::string_view text);
};

}  // namespace quendrix::platform
