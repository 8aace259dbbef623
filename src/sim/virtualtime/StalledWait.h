#pragma once

#include <stdexcept>

namespace quendrix::sim {

// Thrown by the virtual-time event pump when a wait could never end: nothing is scheduled,
// or virtual time has passed the test's limit. It is not a platform Failure, so no part of
// the program swallows it; the test that caused it fails with its message.
class StalledWait : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

}  // namespace quendrix::sim
