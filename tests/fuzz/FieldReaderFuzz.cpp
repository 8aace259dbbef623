// The field reader on arbitrary bytes: every field lies inside the data, every read takes at
// least one byte (so the reading ends), reading past the end is a Failure, and the record a
// save writes for a text without double quotes reads back as that text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Failure.h"
#include "platform/FieldReader.h"

namespace {

using quendrix::platform::Failure;
using quendrix::platform::FieldReader;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void readToTheEnd(std::string_view data) {
    FieldReader reader(data);
    std::size_t reads = 0;
    while (!reader.atEnd()) {
        const std::string_view field = reader.readField();
        require(field.data() >= data.data());
        require(field.data() + field.size() <= data.data() + data.size());
        require(++reads <= data.size());
    }
    try {
        reader.readField();
        require(false);
    } catch (const Failure&) {
    }
}

void readBackSavedRecord(std::string_view data) {
    std::string text(data);
    std::erase(text, '"');
    const std::string record = "\"" + text + "\"\r\n";
    FieldReader reader(record);
    require(reader.readField() == text);
    require(reader.atEnd());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    readToTheEnd(data);
    readBackSavedRecord(data);
    return 0;
}
