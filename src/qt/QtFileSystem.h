#pragma once

#include "platform/StdFileSystem.h"

namespace quendrix::qt {

// The machine's own files on a desktop: a save goes through QSaveFile (QtReplacingFile),
// the run log and reading through the standard library.
class QtFileSystem final : public platform::FileSystem {
public:
    std::unique_ptr<platform::OutputFile> create(const std::string& path) override;
    std::unique_ptr<platform::OutputFile> replace(const std::string& path) override;
    std::string readAll(const std::string& path, std::size_t maxBytes) override;

private:
    platform::StdFileSystem files_;
};

}  // namespace quendrix::qt
