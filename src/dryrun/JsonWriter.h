#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace quendrix::dryrun {

// Writes one JSON document, compact, as its parts are given: objects and arrays are opened
// and closed, a member's key comes before its value, and the commas fall into place. Texts
// are taken as UTF-8 and escaped where JSON requires it.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);

    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(std::int64_t number);
    JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(double number);
    JsonWriter& value(bool truth);
    JsonWriter& null();

    template <typename Value>
    JsonWriter& member(std::string_view name, const Value& v) {
        key(name);
        return value(v);
    }

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);
    void writeString(std::string_view text);

    std::ostream& out_;
    std::vector<bool> firstInLevel_;
    bool afterKey_ = false;
};

}  // namespace quendrix::dryrun
