#include "runner/RunValues.h"

#include <string>

#include "common/NumberText.h"
#include "platform/Failure.h"

namespace quendrix::runner {

double cellValue(std::string_view text) {
    const auto value = readLeadingNumber(text);
    if (!value) {
        throw platform::Failure("\"" + std::string(text) + "\" does not fit a number");
    }
    return *value;
}

std::int16_t wholeValue(double value) {
    const auto whole = roundToInt16(value);
    if (!whole) {
        throw platform::Failure("overflow: " + formatNumber(value) + " does not fit 16 bits");
    }
    return *whole;
}

std::int16_t strictWholeValue(std::string_view text) {
    const auto value = readWholeInt16(text);
    if (!value) {
        throw platform::Failure("\"" + std::string(text) + "\" is not a 16-bit number");
    }
    return *value;
}

}  // namespace quendrix::runner
