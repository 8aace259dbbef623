#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ChangeNotifier.h"
#include "platform/FieldReader.h"
#include "platform/FileSystem.h"

namespace quendrix::platform {

// The program's one numbered file slot. The run log lives on it during a run, and loading
// or saving a protocol closes whatever it holds first. It holds one file at a time, for
// output or for input. A record is one line: a double quote, the text unchanged, a double
// quote, CR LF; input is read field by field (see FieldReader).
class FileSlot {
public:
    // Larger input is refused: a protocol file is some 24 KB, and a wrong file must not
    // fill the memory.
    static constexpr std::size_t kMaxInputBytes = 16 * 1024 * 1024;

    explicit FileSlot(FileSystem& files) : files_(files) {}
    FileSlot(const FileSlot&) = delete;
    FileSlot& operator=(const FileSlot&) = delete;

    bool isOpen() const { return output_ != nullptr || input_ != nullptr; }

    // Each open throws Failure when the slot is taken or the file cannot be opened.
    // Creates the file or empties an existing one; every record is in the file once written.
    void openForOutput(const std::string& path);
    // A new content for the file, which keeps its earlier content until commit().
    void openForReplace(const std::string& path);
    // Reads the whole file at once; throws Failure also when it exceeds kMaxInputBytes.
    void openForInput(const std::string& path);

    void writeRecord(std::string_view text);  // throws Failure when no output is open
    // The bytes of one record as the file gets them.
    static std::string recordBytes(std::string_view text);
    // Closes the output and frees the slot, throwing Failure when that fails. For a file
    // opened for replacing, this is where the new content takes the old one's place; when it
    // cannot (or a write had failed), the file keeps its earlier content.
    void commit();

    // True once the delimiter of the last field has been read, and for an empty file.
    bool atEnd() const;       // throws Failure when no input is open
    std::string readField();  // throws Failure when no input is open or nothing is left

    // Frees the slot, ignoring errors; nothing open is no error. An output opened for
    // replacing and not committed is dropped: the file keeps its earlier content.
    void close() noexcept;

    // The bytes of each record written to a file created for output (not to one being
    // replaced), once the file took them.
    Event<std::string_view> onRecordWritten;

private:
    struct Input {
        explicit Input(std::string bytes) : content(std::move(bytes)) {}
        Input(const Input&) = delete;
        Input& operator=(const Input&) = delete;
        std::string content;
        FieldReader reader{content};
    };

    void requireFree() const;
    void requireInput() const;

    FileSystem& files_;
    std::unique_ptr<OutputFile> output_;
    bool replacing_ = false;
    std::unique_ptr<Input> input_;
};

}  // namespace quendrix::platform
