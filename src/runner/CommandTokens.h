#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/RandomSource.h"
#include "platform/TextBox.h"

namespace quendrix::runner {

// A token of a command text and what it does. Stepped and reset tokens act on one box;
// drawn ones always store into Position. A reset replaces the whole text.
struct CommandToken {
    enum class Box { Position, Speed };
    enum class Action { Raise, Lower, Reset, DrawUpToMaxPosition, Draw };

    std::string_view text;
    char letter;  // put in the token's place, before the box's text
    Box box;
    Action action;
    double value = 0.0;   // Reset: the value stored; Draw: the lowest value drawn
    double values = 0.0;  // Draw: how many values can be drawn
};

// Every token, in the order they are looked for.
inline constexpr std::array<CommandToken, 13> kCommandTokens{{
    {"A+", 'A', CommandToken::Box::Position, CommandToken::Action::Raise},
    {"A-", 'A', CommandToken::Box::Position, CommandToken::Action::Lower},
    {"A00", 'A', CommandToken::Box::Position, CommandToken::Action::Reset, 0.0},
    {"S+", 'S', CommandToken::Box::Speed, CommandToken::Action::Raise},
    {"S-", 'S', CommandToken::Box::Speed, CommandToken::Action::Lower},
    {"S00", 'S', CommandToken::Box::Speed, CommandToken::Action::Reset, 1.0},
    {"Arnd", 'A', CommandToken::Box::Position, CommandToken::Action::DrawUpToMaxPosition},
    {"vrnd", 'v', CommandToken::Box::Position, CommandToken::Action::Draw, 50.0, 850.0},
    {"Vrnd", 'V', CommandToken::Box::Position, CommandToken::Action::Draw, 5.0, 5795.0},
    {"crnd", 'c', CommandToken::Box::Position, CommandToken::Action::Draw, 50.0, 1950.0},
    {"Lrnd", 'L', CommandToken::Box::Position, CommandToken::Action::Draw, 1.0, 20.0},
    {"Krnd", 'K', CommandToken::Box::Position, CommandToken::Action::Draw, 1.0, 63.0},
    {"Crnd", 'C', CommandToken::Box::Position, CommandToken::Action::Draw, 1.0, 25.0},
}};

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
    void act(const CommandToken& token, platform::TextBox& box);
    void drawPosition(std::optional<double> scale, double offset);

    platform::TextBox& Position_;
    platform::TextBox& Speed_;
    std::function<std::string()> MaxPosition_;
    platform::RandomSource& random_;
};

}  // namespace quendrix::runner
