#include "platform/LineSettings.h"

#include <array>
#include <charconv>
#include <string>

#include "platform/Failure.h"

namespace quendrix::platform {
namespace {

std::array<std::string_view, 4> splitFields(std::string_view text) {
    std::array<std::string_view, 4> fields;
    std::size_t field = 0;
    for (;;) {
        const std::size_t comma = text.find(',');
        if (field == fields.size()) {
            throw Failure("invalid line settings: too many fields");
        }
        fields[field++] = text.substr(0, comma);
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (field != fields.size()) {
        throw Failure("invalid line settings: four fields needed");
    }
    return fields;
}

int readInt(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        throw Failure("invalid line settings: not a number: " + std::string(text));
    }
    return value;
}

LineSettings::Parity readParity(std::string_view text) {
    if (text.size() == 1) {
        switch (text[0] | 0x20) {  // either letter case
            case 'n':
                return LineSettings::Parity::None;
            case 'e':
                return LineSettings::Parity::Even;
            case 'o':
                return LineSettings::Parity::Odd;
            case 'm':
                return LineSettings::Parity::Mark;
            case 's':
                return LineSettings::Parity::Space;
            default:
                break;
        }
    }
    throw Failure("invalid line settings: parity " + std::string(text));
}

LineSettings::StopBits readStopBits(std::string_view text) {
    if (text == "1")
        return LineSettings::StopBits::One;
    if (text == "1.5")
        return LineSettings::StopBits::OneAndHalf;
    if (text == "2")
        return LineSettings::StopBits::Two;
    throw Failure("invalid line settings: stop bits " + std::string(text));
}

}  // namespace

LineSettings LineSettings::parse(std::string_view text) {
    const auto fields = splitFields(text);
    LineSettings settings;
    settings.baudRate = readInt(fields[0]);
    settings.parity = readParity(fields[1]);
    settings.dataBits = readInt(fields[2]);
    settings.stopBits = readStopBits(fields[3]);
    if (settings.baudRate <= 0 || settings.dataBits < 4 || settings.dataBits > 8) {
        throw Failure("invalid line settings: " + std::string(text));
    }
    return settings;
}

}  // namespace quendrix::platform
