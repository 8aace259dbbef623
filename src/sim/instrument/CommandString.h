#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "sim/instrument/ControllerError.h"

namespace quendrix::sim {

// One command of a command string: a letter and the number that follows it, if any.
struct CommandStep {
    char letter = '\0';
    std::optional<int> operand;

    bool operator==(const CommandStep&) const = default;
};

// A command string split into its commands. Only the form is checked here (letters, signs,
// digits, a final "R"); which letters and values a drive accepts is the drive's business.
struct CommandString {
    std::vector<CommandStep> steps;
    bool execute = false;  // the string ended in "R"
    ControllerError error = ControllerError::none;

    static CommandString parse(std::string_view text);
};

}  // namespace quendrix::sim
