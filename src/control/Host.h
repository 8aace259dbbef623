#pragma once

#include <string>

namespace quendrix::control {

// What the dispatcher asks of the program around it: the time that stamps events (the wall
// clock in the program, virtual time in the tests) and whether a file is there already.
class Host {
public:
    virtual ~Host() = default;
    virtual std::string timeText() = 0;
    virtual bool fileExists(const std::string& path) = 0;
};

}  // namespace quendrix::control
