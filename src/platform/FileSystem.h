#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quendrix::platform {

// A file open for writing; bytes go out as given (no line-end translation).
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual void write(std::string_view bytes) = 0;  // throws Failure
    virtual void close() = 0;                        // throws Failure
};

// Files by path, relative paths in the process's current directory.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Creates the file, or empties an existing one; throws Failure when it cannot.
    virtual std::unique_ptr<OutputFile> create(const std::string& path) = 0;
    // A new content for the file, written aside (in the same folder) while the file keeps its
    // old one. close() puts the new content, synced, in its place, or throws Failure and
    // leaves the file as it was; so does a close after a failed write. Destroyed without a
    // successful close, the new content is dropped. Where a replacement would lose the file's
    // other hard links or its owner, or cannot be made (a name too long, a folder that may
    // not be written), the content goes into the file itself, and a failure leaves what was
    // written. Throws Failure when the file may not be written or the aside cannot be made.
    virtual std::unique_ptr<OutputFile> replace(const std::string& path) = 0;
    // The whole content; throws Failure when the file cannot be read or holds more than
    // maxBytes.
    virtual std::string readAll(const std::string& path, std::size_t maxBytes) = 0;
};

}  // namespace quendrix::platform
