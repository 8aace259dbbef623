#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace quendrix::platform {

// The program's one numbered file slot. The run log lives on it during a run, and loading
// or saving a protocol closes whatever it holds first. A record is one line: a double
// quote, the text unchanged, a double quote, CR LF.
class FileSlot {
public:
    explicit FileSlot(FileSystem& files) : files_(files) {}

    bool isOpen() const { return output_ != nullptr; }
    // Throws Failure when the slot is taken or the file cannot be created.
    void openForOutput(const std::string& path);
    void writeRecord(std::string_view text);  // throws Failure when nothing is open
    // Closes what is open; errors of the close and an empty slot are ignored.
    void close() noexcept;

private:
    FileSystem& files_;
    std::unique_ptr<OutputFile> output_;
};

}  // namespace quendrix::platform
