#include "common/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <system_error>

namespace quendrix {

namespace {

constexpr int significantDigits = 15;

// An exponent is read with saturation: past this size the value has long overflowed or
// vanished, and the count itself must not overflow.
constexpr long long exponentLimit = 1'000'000'000;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a number found at the start of a text without blanks.
struct ScannedNumber {
    bool negative = false;
    std::string digits;             // mantissa digits, point left out
    std::size_t integerDigits = 0;  // how many of them stand before the point
    long long exponent = 0;
    std::size_t end = 0;  // index just past the last character that belongs to the number
};

std::size_t readDigits(std::string_view text, std::size_t at, std::string& digits) {
    while (at < text.size() && isDigit(text[at])) {
        digits.push_back(text[at]);
        ++at;
    }
    return at;
}

// Returns the index past the exponent, or `at` itself when no exponent with digits starts there.
std::size_t readExponent(std::string_view text, std::size_t at, long long& exponent) {
    if (at >= text.size() || (text[at] != 'e' && text[at] != 'E')) {
        return at;
    }
    std::size_t next = at + 1;
    const bool negative = next < text.size() && text[next] == '-';
    if (next < text.size() && (text[next] == '+' || text[next] == '-')) {
        ++next;
    }
    if (next >= text.size() || !isDigit(text[next])) {
        return at;
    }
    long long magnitude = 0;
    for (; next < text.size() && isDigit(text[next]); ++next) {
        magnitude = std::min(exponentLimit, magnitude * 10 + (text[next] - '0'));
    }
    exponent = negative ? -magnitude : magnitude;
    return next;
}

ScannedNumber scanNumber(std::string_view text) {
    ScannedNumber number;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        number.negative = text[at] == '-';
        ++at;
    }
    at = readDigits(text, at, number.digits);
    number.integerDigits = number.digits.size();
    if (at < text.size() && text[at] == '.') {
        at = readDigits(text, at + 1, number.digits);
    }
    number.end = at;
    if (!number.digits.empty()) {
        number.end = readExponent(text, at, number.exponent);
    }
    return number;
}

// Tells an overflow from an underflow: positive when the value is at least about 1.
long long decimalMagnitude(const ScannedNumber& number) {
    const auto firstSignificant = number.digits.find_first_not_of('0');
    return static_cast<long long>(number.integerDigits) - static_cast<long long>(firstSignificant) +
           number.exponent;
}

std::optional<double> valueOf(const ScannedNumber& number) {
    if (number.digits.empty()) {
        return 0.0;
    }
    // Built by appending: GCC 12 sees a false overlap in string::insert when optimising.
    std::string canonical = number.digits.substr(0, number.integerDigits);
    canonical += '.';
    canonical.append(number.digits, number.integerDigits);
    canonical += 'e';
    canonical += std::to_string(number.exponent);

    double value = 0.0;
    const auto result =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(number) > 0) {
            return std::nullopt;
        }
        value = 0.0;
    }
    // "-0" reads as plain 0, so that no caller meets a negative zero.
    return number.negative && value != 0.0 ? -value : value;
}

std::string withoutBlanks(std::string_view text) {
    std::string compact;
    std::copy_if(text.begin(), text.end(), std::back_inserter(compact),
                 [](char c) { return !isBlank(c); });
    return compact;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

double roundHalfEvenMagnitude(double magnitude) {
    const double below = std::floor(magnitude);
    // Exact for a non-negative value: `below` lies within a factor of two of it, or is 0.
    const double fraction = magnitude - below;
    if (fraction > 0.5) {
        return below + 1.0;
    }
    if (fraction < 0.5 || std::fmod(below, 2.0) == 0.0) {
        return below;
    }
    return below + 1.0;
}

// A finite, non-zero value rounded to 15 significant digits: digits without trailing zeros,
// and the power of ten of the first one.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

DecimalDigits roundToSignificantDigits(double value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, significantDigits - 1);
    std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));

    DecimalDigits decimal;
    decimal.negative = scientific.front() == '-';
    if (decimal.negative) {
        scientific.remove_prefix(1);
    }
    const auto exponentMark = scientific.find('e');
    std::string_view exponentText = scientific.substr(exponentMark + 1);
    if (exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(),
                    decimal.exponent);

    for (char c : scientific.substr(0, exponentMark)) {
        if (isDigit(c)) {
            decimal.digits.push_back(c);
        }
    }
    decimal.digits.erase(decimal.digits.find_last_not_of('0') + 1);
    return decimal;
}

std::string layOutPlain(const DecimalDigits& decimal) {
    std::string text = decimal.negative ? "-" : "";
    if (decimal.exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-decimal.exponent - 1), '0');
        text += decimal.digits;
        return text;
    }
    const auto integerDigits = static_cast<std::size_t>(decimal.exponent) + 1;
    if (decimal.digits.size() <= integerDigits) {
        text += decimal.digits;
        text.append(integerDigits - decimal.digits.size(), '0');
        return text;
    }
    text += decimal.digits.substr(0, integerDigits);
    text += '.';
    text += decimal.digits.substr(integerDigits);
    return text;
}

}  // namespace

std::optional<double> readLeadingNumber(std::string_view text) {
    return valueOf(scanNumber(withoutBlanks(text)));
}

std::optional<double> readWholeNumber(std::string_view text) {
    const std::string_view trimmed = trimBlanks(text);
    const ScannedNumber number = scanNumber(trimmed);
    if (number.digits.empty() || number.end != trimmed.size()) {
        return std::nullopt;
    }
    return valueOf(number);
}

std::optional<std::int16_t> roundToInt16(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // Rounding half to even is symmetric, so it is done on the magnitude, where it is exact.
    const double magnitude = roundHalfEvenMagnitude(std::fabs(value));
    const double rounded = value < 0 ? -magnitude : magnitude;
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::string formatNumber(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    if (value == 0.0) {
        return "0";
    }
    // A counter steps through whole numbers on every pass of a wait; below 10^15 a whole number
    // has at most 15 digits, which the rounding keeps as they are.
    if (constexpr double kExactWhole = 1e15;
        std::abs(value) < kExactWhole && value == std::trunc(value)) {
        std::array<char, 24> digits{};
        const auto written = std::to_chars(digits.data(), digits.data() + digits.size(),
                                           static_cast<std::int64_t>(value));
        return std::string(digits.data(), written.ptr);
    }
    return layOutPlain(roundToSignificantDigits(value));
}

std::string formatSignedNumber(double value) {
    if (value < 0) {
        return formatNumber(value);
    }
    std::string signPosition(1, ' ');
    return signPosition.append(formatNumber(value));
}

std::optional<std::int16_t> readWholeInt16(std::string_view text) {
    const auto value = readWholeNumber(text);
    return value ? roundToInt16(*value) : std::nullopt;
}

}  // namespace quendrix
