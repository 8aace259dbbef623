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
    const auto value = readWholeNumber(text);
    if (!value) {
        throw platform::Failure("\"" + std::string(text) + "\" is not a number");
    }
    return wholeValue(*value);
}

}  // namespace quendrix::runner
