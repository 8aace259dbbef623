#include "sim/instrument/CommandString.h"

#include <cctype>

namespace quendrix::sim {

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// Operands beyond nine digits are out of range for every command; stopping there also keeps
// the value inside an int.
constexpr std::size_t maxDigits = 9;

}  // namespace

CommandString CommandString::parse(std::string_view text) {
    CommandString result;
    std::size_t i = 0;
    while (i < text.size()) {
        const char letter = text[i++];
        if (letter == 'R' && i == text.size()) {
            result.execute = true;
            break;
        }
        if (!isLetter(letter) || letter == 'R') {
            result.error = ControllerError::unknownCommand;
            return result;
        }
        CommandStep step{letter, std::nullopt};
        const bool negative = i < text.size() && text[i] == '-';
        if (negative) {
            ++i;
        }
        const std::size_t digitsStart = i;
        int value = 0;
        while (i < text.size() && isDigit(text[i])) {
            if (i - digitsStart == maxDigits) {
                result.error = ControllerError::invalidOperand;
                return result;
            }
            value = value * 10 + (text[i++] - '0');
        }
        if (i > digitsStart) {
            step.operand = negative ? -value : value;
        } else if (negative) {
            result.error = ControllerError::invalidOperand;
            return result;
        }
        result.steps.push_back(step);
    }
    return result;
}

}  // namespace quendrix::sim
