#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/FileSystem.h"

namespace quendrix::platform {

// A file's new content, written under a hidden name in the file's folder (".name.XXXXXX")
// and renamed over the file only once it is complete: a failed save never leaves the file
// half new, and the folder keeps no aside once this object is gone. Saving through a
// symbolic link replaces the file it points to; the file's permissions are kept.
class StdReplacingFile final : public OutputFile {
public:
    explicit StdReplacingFile(const std::string& path);  // throws Failure
    ~StdReplacingFile() override;
    StdReplacingFile(const StdReplacingFile&) = delete;
    StdReplacingFile& operator=(const StdReplacingFile&) = delete;

    void write(std::string_view bytes) override;
    void close() override;

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void createAside();
    void discard() noexcept;

    std::filesystem::path target_;
    std::filesystem::path aside_;
    std::unique_ptr<std::FILE, Closer> file_;
    bool failed_ = false;
    bool committed_ = false;
};

}  // namespace quendrix::platform
