#include "dryrun/ReadThroughFileSystem.h"

#include "runner/ProtocolRunner.h"

namespace quendrix::dryrun {

std::unique_ptr<platform::OutputFile> ReadThroughFileSystem::create(const std::string& path) {
    if (!runLogPath_.empty() && path == runner::ProtocolRunner::kRunLog) {
        return disk_.create(runLogPath_);
    }
    return memory_.create(path);
}

std::unique_ptr<platform::OutputFile> ReadThroughFileSystem::replace(const std::string& path) {
    return memory_.replace(path);
}

std::string ReadThroughFileSystem::readAll(const std::string& path, std::size_t maxBytes) {
    if (memory_.exists(path)) {
        return memory_.readAll(path, maxBytes);
    }
    return disk_.readAll(path, maxBytes);
}

}  // namespace quendrix::dryrun
