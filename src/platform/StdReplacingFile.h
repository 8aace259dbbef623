#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/SaveTarget.h"

namespace quendrix::platform {

// A file's new content, written under a hidden name in the file's folder (".name.XXXXXX"),
// synced, and renamed over the file only once it is complete: a failed save never leaves the
// file half new, and the folder keeps no aside once this object is gone. The replacement
// keeps the old file's mode, and its owner and group; where a replacement cannot, the
// content is written into the file itself (see SaveTarget).
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

    void openInPlace();
    void createAside();
    void finish();
    void discard() noexcept;

    SaveTarget target_;
    std::filesystem::path aside_;
    std::unique_ptr<std::FILE, Closer> file_;
    bool failed_ = false;
    bool committed_ = false;
};

}  // namespace quendrix::platform
