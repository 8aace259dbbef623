#pragma once

#include "platform/FileSystem.h"

namespace quendrix::platform {

// The machine's own files, through the standard library.
class StdFileSystem final : public FileSystem {
public:
    std::unique_ptr<OutputFile> create(const std::string& path) override;
    std::string readAll(const std::string& path) override;
};

}  // namespace quendrix::platform
