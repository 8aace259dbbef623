#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Failure.h"
#include "platform/FieldReader.h"

namespace quendrix::platform {
namespace {

std::vector<std::string> allFields(std::string_view data) {
    FieldReader reader(data);
    std::vector<std::string> fields;
    while (!reader.atEnd()) {
        fields.emplace_back(reader.readField());
    }
    EXPECT_THROW(reader.readField(), Failure);
    return fields;
}

struct FieldCase {
    const char* name;
    std::string_view data;
    std::vector<std::string> fields;
};

class FieldReaderTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldReaderTest, ReadsTheFieldsUntilNothingIsLeft) {
    EXPECT_EQ(allFields(GetParam().data), GetParam().fields);
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldReaderTest,
    ::testing::Values(
        FieldCase{"Empty", "", {}},
        FieldCase{"SavedRecords", "\"1\"\r\n\"A 1, 2\"\r\n\"\"\r\n", {"1", "A 1, 2", ""}},
        FieldCase{"TriplesOnOneLine",
                  "1,Q1,W\r\n\"2\",\"Z R\",\"\"\r\n",
                  {"1", "Q1", "W", "2", "Z R", ""}},
        FieldCase{"BlanksBeforeAFieldSkipped", "  \"  a \" ,   b", {"  a ", "b"}},
        FieldCase{"TrailingBlanksOfUnquotedDropped", "a b  ,c  \r\n", {"a b", "c"}},
        FieldCase{"LoneLineEnds", "a\rb\nc\n\rd", {"a", "b", "c", "", "d"}},
        FieldCase{"EmptyLines", "\r\n\r\n", {"", ""}},
        FieldCase{"TextAfterClosingQuoteDropped", "\"a\"xy z,b\r\n\"c\"  \r\n", {"a", "b", "c"}},
        FieldCase{"QuotedHoldsLineEnds", "\"a\r\nb\"\r\n", {"a\r\nb"}},
        FieldCase{"MissingClosingQuote", "\"a,b\r\nc", {"a,b\r\nc"}},
        FieldCase{"LoneQuoteAtTheEnd", "a,\"", {"a", ""}},
        FieldCase{"LastFieldWithoutLineEnd", "\"a\"\r\n\"b\"", {"a", "b"}},
        FieldCase{"TrailingCommaAtTheEnd", "a,", {"a"}},
        FieldCase{"BlanksAfterTheLastLineEnd", "a\r\n  ", {"a", ""}},
        FieldCase{"NulBytesAreText", "a\0b\r\n"sv, {std::string("a\0b", 3)}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

std::string randomText(std::mt19937& random, std::string_view alphabet, std::size_t longest) {
    std::string text(random() % (longest + 1), ' ');
    for (char& c : text) {
        c = alphabet[random() % alphabet.size()];
    }
    return text;
}

// Random data from the characters that steer the reader: every field lies inside the data,
// every read takes at least one character, so the reading ends.
TEST(FieldReaderRandomTest, FieldsStayInsideTheDataAndTheReadingEnds) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 20000; ++round) {
        const std::string data = randomText(random, "\",\r\n ab", 40);
        FieldReader reader(data);
        std::size_t reads = 0;
        while (!reader.atEnd()) {
            const std::string_view field = reader.readField();
            ASSERT_GE(field.data(), data.data());
            ASSERT_LE(field.data() + field.size(), data.data() + data.size());
            ASSERT_LE(++reads, data.size()) << data;
        }
    }
}

// Any text without a double quote comes back unchanged from the records a save writes.
TEST(FieldReaderRandomTest, SavedTextsWithoutQuotesReadBackUnchanged) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> texts(3);
        std::string saved;
        for (std::string& text : texts) {
            text = randomText(random, ",\r\n ab", 8);
            saved += "\"" + text + "\"\r\n";
        }
        ASSERT_EQ(allFields(saved), texts);
    }
}

}  // namespace
}  // namespace quendrix::platform
