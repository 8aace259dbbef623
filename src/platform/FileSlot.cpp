#include "platform/FileSlot.h"

#include "platform/Failure.h"

namespace quendrix::platform {

void FileSlot::openForOutput(const std::string& path) {
    requireFree();
    output_ = files_.create(path);
    replacing_ = false;
}

void FileSlot::openForReplace(const std::string& path) {
    requireFree();
    output_ = files_.replace(path);
    replacing_ = true;
}

void FileSlot::openForInput(const std::string& path) {
    requireFree();
    input_ = std::make_unique<Input>(files_.readAll(path, kMaxInputBytes));
}

void FileSlot::writeRecord(std::string_view text) {
    if (output_ == nullptr) {
        throw Failure("no file is open for output on the slot");
    }
    const std::string record = recordBytes(text);
    output_->write(record);
    if (!replacing_) {
        onRecordWritten.notify(record);
    }
}

std::string FileSlot::recordBytes(std::string_view text) {
    std::string record;
    record.reserve(text.size() + 4);
    record += '"';
    record += text;
    record += "\"\r\n";
    return record;
}

void FileSlot::commit() {
    if (output_ == nullptr) {
        throw Failure("no file is open for output on the slot");
    }
    const std::unique_ptr<OutputFile> output = std::move(output_);
    output->close();
}

bool FileSlot::atEnd() const {
    requireInput();
    return input_->reader.atEnd();
}

std::string FileSlot::readField() {
    requireInput();
    return std::string(input_->reader.readField());
}

void FileSlot::close() noexcept {
    input_.reset();
    if (output_ == nullptr) {
        return;
    }
    const std::unique_ptr<OutputFile> output = std::move(output_);
    if (replacing_) {
        return;  // dropped with the object
    }
    try {
        output->close();
    } catch (const Failure&) {
        // the slot is free all the same
    }
}

void FileSlot::requireFree() const {
    if (isOpen()) {
        throw Failure("the file slot is already open");
    }
}

void FileSlot::requireInput() const {
    if (input_ == nullptr) {
        throw Failure("no file is open for input on the slot");
    }
}

}  // namespace quendrix::platform
