#pragma once

#include <stdexcept>

namespace quendrix::platform {

// An operation that did not succeed: a port that cannot be opened, a write to a closed port,
// an invalid property value, a cell outside the grid, a 16-bit overflow. The core catches exactly
// this type where a failure is to be ignored or skipped; anything else is a fault in the program
// and is left to propagate.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quendrix::platform
