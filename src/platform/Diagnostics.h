#pragma once

#include <string_view>

namespace quendrix::platform {

// Where the reasons of failures go that the program skips without telling the operator (a
// port that cannot be opened, a log entry that cannot be written): one line each, for
// whoever looks into a problem later.
class Diagnostics {
public:
    virtual ~Diagnostics() = default;
    virtual void report(std::string_view what) = 0;
};

}  // namespace quendrix::platform
