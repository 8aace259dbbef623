#pragma once

#include <array>
#include <string_view>

namespace quendrix::sim {

// The error codes a controller reports in the low four bits of its status byte.
enum class ControllerError : int {
    none = 0,
    invalidOperand = 2,
    unknownCommand = 3,
    notInitialised = 7,
    overload = 9,
    commandOverflow = 15,
};

// What a code means, for the operator: its name and what was done to cause it.
struct ControllerErrorMeaning {
    ControllerError code;
    std::string_view name;
    std::string_view cause;
};

// The one list of the codes and their meanings. When each is given:
//   2   operand missing where one is needed, out of its range, of more than nine digits or a
//       bare "-"; a relative move past either end of travel ("A-1", "S41", "D10" at 0).
//   3   unknown command letter or character, an R before the end, an unknown report.
//   7   a move (A, P, D) before Z, Y or W; an initialisation earlier in the same string
//       counts.
//   9   syringe only: a plunger move (A, P, D) starting while the valve turns, or a valve
//       move starting while the plunger moves, pushes against a closed port. The move and
//       the rest of its string are abandoned and the plunger must be initialised again; a
//       move stopped on its way stands where it was. Homing runs at low force and is not
//       affected.
//   15  a command string arriving while the drive is busy; discarded.
inline constexpr std::array<ControllerErrorMeaning, 5> kControllerErrors{{
    {ControllerError::invalidOperand, "invalid operand",
     "a number is missing or out of its range, or a move would go past the end of travel"},
    {ControllerError::unknownCommand, "unknown command",
     "a letter or character the controller does not know, an R before the end, or an "
     "unknown report"},
    {ControllerError::notInitialised, "not initialised",
     "the drive was told to move before it was initialised with Z, Y or W"},
    {ControllerError::overload, "overload", "the plunger moved while the valve was turning"},
    {ControllerError::commandOverflow, "command overflow",
     "a command arrived while the drive was busy and was thrown away"},
}};

// The meaning of `code`, or null for a code no controller gives.
constexpr const ControllerErrorMeaning* meaningOf(int code) {
    for (const ControllerErrorMeaning& meaning : kControllerErrors) {
        if (static_cast<int>(meaning.code) == code) {
            return &meaning;
        }
    }
    return nullptr;
}

}  // namespace quendrix::sim
