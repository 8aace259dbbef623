#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Failure.h"
#include "platform/FieldReader.h"

namespace quendrix::platform {
namespace {

using Fields = std::vector<std::string>;

Fields allFields(std::string_view data) {
    FieldReader reader(data);
    Fields fields;
    while (!reader.atEnd()) {
        fields.emplace_back(reader.readField());
    }
    EXPECT_THROW(reader.readField(), Failure);
    return fields;
}

TEST(FieldReaderTest, ReadsTheFieldsUntilNothingIsLeft) {
    const std::pair<std::string_view, Fields> cases[] = {
        {"", {}},
        {"\"1\"\r\n\" A 1, 2\"\r\n\"\"\r\n", {"1", " A 1, 2", ""}},
        {"1,Q1,W\r\n\"2\",\"\",x", {"1", "Q1", "W", "2", "", "x"}},
        {"  a b  ,  \"  c \"\r\n", {"a b", "  c "}},
        {"a\rb\nc\n\rd\r\n\r\n", {"a", "b", "c", "", "d", ""}},
        {"\"a\"xy z,b\r\n\"c\"  ", {"a", "b", "c"}},
        {"\"a\r\nb\"", {"a\r\nb"}},
        {"\"a,b\r\nc", {"a,b\r\nc"}},
        {"a,\"", {"a", ""}},
        {"a,", {"a"}},
        {"a\r\n  ", {"a", ""}}};
    for (const auto& [data, fields] : cases) {
        EXPECT_EQ(allFields(data), fields) << data;
    }
}

// Random data from the characters that steer the reader: every field lies inside the data
// and every read takes at least one character, so the reading ends. Any text without a
// double quote reads back unchanged from the record a save writes.
TEST(FieldReaderTest, StaysInsideRandomDataAndReadsSavedTextsBack) {
    constexpr std::string_view kAlphabet = "\",\r\n ab";
    std::mt19937 random(20240611);
    for (int round = 0; round < 20000; ++round) {
        std::string data(random() % 40, ' ');
        for (char& c : data) {
            c = kAlphabet[random() % kAlphabet.size()];
        }
        FieldReader reader(data);
        for (std::size_t reads = 1; !reader.atEnd(); ++reads) {
            const std::string_view field = reader.readField();
            ASSERT_GE(field.data(), data.data());
            ASSERT_LE(field.data() + field.size(), data.data() + data.size());
            ASSERT_LE(reads, data.size()) << data;
        }
        std::erase(data, '"');
        ASSERT_EQ(allFields("\"" + data + "\"\r\n"), Fields{data});
    }
}

}  // namespace
}  // namespace quendrix::platform
