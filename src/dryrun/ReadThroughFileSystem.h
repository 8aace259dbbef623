#pragma once

#include <string>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/StdFileSystem.h"
#include "sim/virtualtime/SimFileSystem.h"

namespace quendrix::dryrun {

// Reads the machine's files and writes none of them: every file the program creates or
// replaces is kept in memory, except the run log when it is sent to a file of the user's
// choosing. A file written in memory is read back from there.
class ReadThroughFileSystem final : public platform::FileSystem {
public:
    // `runLogPath` receives the run log, unless empty.
    explicit ReadThroughFileSystem(std::string runLogPath = {})
        : runLogPath_(std::move(runLogPath)) {}

    std::unique_ptr<platform::OutputFile> create(const std::string& path) override;
    std::unique_ptr<platform::OutputFile> replace(const std::string& path) override;
    std::string readAll(const std::string& path, std::size_t maxBytes) override;

    const sim::SimFileSystem& inMemory() const { return memory_; }

private:
    std::string runLogPath_;
    platform::StdFileSystem disk_;
    sim::SimFileSystem memory_;
};

}  // namespace quendrix::dryrun
