#include "dryrun/JsonWriter.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace quendrix::dryrun {

JsonWriter& JsonWriter::beginObject() {
    open('{');
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    close('}');
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    open('[');
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    close(']');
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeValue();
    writeString(name);
    out_ << ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    beforeValue();
    writeString(text);
    return *this;
}

JsonWriter& JsonWriter::value(std::int64_t number) {
    beforeValue();
    out_ << number;
    return *this;
}

// JSON has no infinities; otherwise the shortest text that reads back to the same double.
JsonWriter& JsonWriter::value(double number) {
    if (!std::isfinite(number)) {
        return null();
    }
    beforeValue();
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), number);
    out_ << std::string_view(text.data(), static_cast<std::size_t>(result.ptr - text.data()));
    return *this;
}

JsonWriter& JsonWriter::value(bool truth) {
    beforeValue();
    out_ << (truth ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeValue();
    out_ << "null";
    return *this;
}

// A value right after its key needs no comma; any other needs one unless it is the first of
// its object or array.
void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!firstInLevel_.empty()) {
        if (!firstInLevel_.back()) {
            out_ << ',';
        }
        firstInLevel_.back() = false;
    }
}

void JsonWriter::open(char bracket) {
    beforeValue();
    out_ << bracket;
    firstInLevel_.push_back(true);
}

void JsonWriter::close(char bracket) {
    firstInLevel_.pop_back();
    out_ << bracket;
}

void JsonWriter::writeString(std::string_view text) {
    out_ << '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out_ << "\\\"";
                break;
            case '\\':
                out_ << "\\\\";
                break;
            case '\n':
                out_ << "\\n";
                break;
            case '\r':
                out_ << "\\r";
                break;
            case '\t':
                out_ << "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out_ << escaped;
                } else {
                    out_ << c;
                }
        }
    }
    out_ << '"';
}

}  // namespace quendrix::dryrun
