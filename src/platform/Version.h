#pragma once

namespace quendrix::platform {

// The running program's version numbers.
struct Version {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

}  // namespace quendrix::platform
