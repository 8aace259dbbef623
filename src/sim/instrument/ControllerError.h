#pragma once

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

}  // namespace quendrix::sim
