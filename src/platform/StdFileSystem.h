#pragma once

#include "platform/FileSystem.h"

namespace quendrix::platform {

// The machine's own files, through the standard library.
class StdFileSystem final : public FileSystem {
public:
    std::unique_ptr<OutputFile> create(const std::string& path) override;
    std::unique_ptr<OutputFile> replace(const std::string& path) override;
    std::string readAll(const std::string& path, std::size_t maxBytes) override;
};

}  // namespace quendrix::platform
