#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/RandomSource.h"
#include "platform/TextBox.h"

namespace quendrix::runner {

// The tokens of a command text that are replaced, each time the command is sent, by a position
// or speed that steps from one send to the next, by a reset of either, or by a drawn position.
// The values live in two text boxes; a box whose text is not a number keeps it, and the text
// goes into the command as it is. Nothing is ever reported.
class CommandTokens {
public:
    // MaxPosition gives the upper bound of "Arnd"; it is read each time that token is expanded.
    CommandTokens(platform::TextBox& Position, platform::TextBox& Speed,
                  std::function<std::string()> MaxPosition, platform::RandomSource& random);

    // The tokens are looked for in a fixed order, each once, at its first occurrence in the
    // text the earlier ones left; a token that an earlier replacement produced is found too.
    std::string ExpandCommandTokens(const std::string& command);

private:
    void drawPosition(std::optional<double> scale, double offset);

    platform::TextBox& Position_;
    platform::TextBox& Speed_;
    std::function<std::string()> MaxPosition_;
    platform::RandomSource& random_;
};

}  // namespace quendrix::runner
