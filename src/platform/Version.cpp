#include "platform/Version.h"

namespace quendrix::platform {

Version buildVersion() {
    return {QUENDRIX_VERSION_MAJOR, QUENDRIX_VERSION_MINOR, QUENDRIX_VERSION_PATCH};
}

std::string versionLine(std::string_view program, const Version& version) {
    return std::string(program) + ' ' + std::to_string(version.major) + '.' +
           std::to_string(version.minor) + '.' + std::to_string(version.revision);
}

}  // namespace quendrix::platform
