#include "platform/FileSlot.h"

#include "platform/Failure.h"

namespace quendrix::platform {

void FileSlot::openForOutput(const std::string& path) {
    if (output_ != nullptr) {
        throw Failure("the file slot is already open");
    }
    output_ = files_.create(path);
}

void FileSlot::writeRecord(std::string_view text) {
    if (output_ == nullptr) {
        throw Failure("no file is open on the slot");
    }
    std::string record;
    record.reserve(text.size() + 4);
    record += '"';
    record += text;
    record += "\"\r\n";
    output_->write(record);
}

void FileSlot::close() noexcept {
    if (output_ == nullptr) {
        return;
    }
    try {
        output_->close();
    } catch (const Failure&) {
        // the slot is free all the same
    }
    output_.reset();
}

}  // namespace quendrix::platform
