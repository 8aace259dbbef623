#include "sim/cli/OptionArguments.h"

#include <charconv>
#include <utility>

namespace quendrix::sim {

std::string_view OptionArguments::option() {
    std::string_view argument = argv_[next_++];
    inlineValue_.reset();
    if (const auto equals = argument.find('=');
        argument.starts_with("--") && equals != std::string_view::npos) {
        inlineValue_ = argument.substr(equals + 1);
        argument = argument.substr(0, equals);
    }
    name_ = argument;
    return argument;
}

std::string_view OptionArguments::value() {
    if (inlineValue_) {
        return *std::exchange(inlineValue_, std::nullopt);
    }
    if (done()) {
        throw OptionError(std::string(name_) + " needs a value");
    }
    return argv_[next_++];
}

long long OptionArguments::number(long long low, long long high) {
    const std::string_view text = value();
    long long result = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc{} || end != text.data() + text.size() || result < low || result > high) {
        throw OptionError(std::string(name_) + " takes a whole number from " + std::to_string(low) +
                          " to " + std::to_string(high) + ", not \"" + std::string(text) + "\"");
    }
    return result;
}

void OptionArguments::noValue() const {
    if (inlineValue_) {
        throw OptionError(std::string(name_) + " takes no value");
    }
}

}  // namespace quendrix::sim
