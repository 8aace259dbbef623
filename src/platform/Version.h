#pragma once

#include <string>
#include <string_view>

namespace quendrix::platform {

// The running program's version numbers.
struct Version {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The version this build was made as: the project's version in CMake.
Version buildVersion();

// What --version prints: the program's name and the dotted version ("quendrix-sim 1.0.0").
std::string versionLine(std::string_view program, const Version& version);

}  // namespace quendrix::platform
