#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quendrix::sim {

// A command line that cannot be understood; the message names the culprit.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments after argv[0], read one option at a time. Values may follow as the next
// argument or after "=" ("--slow 200", "--slow=200").
class OptionArguments {
public:
    OptionArguments(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}

    bool done() const { return next_ >= argc_; }

    // The next argument; for "--name=value" the name, with the value kept for value().
    std::string_view option();
    // The option's value; throws OptionError when there is none.
    std::string_view value();
    // The value as a whole number from low to high; throws OptionError otherwise.
    long long number(long long low, long long high);
    // Throws OptionError when the option was given a value.
    void noValue() const;

private:
    int argc_;
    const char* const* argv_;
    int next_ = 1;
    std::string_view name_;
    std::optional<std::string_view> inlineValue_;
};

}  // namespace quendrix::sim
