#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "common/NumberText.h"

namespace quendrix {
namespace {

using Limits = std::numeric_limits<double>;
constexpr double inf = Limits::infinity(), nan = Limits::quiet_NaN();

TEST(NumberTextTest, ReadsTheLeadingNumberOfACell) {
    const std::pair<const char*, double> cases[] = {
        {" 3 times", 3.0}, {"1 2", 12.0},    {"  - 4", -4.0}, {"+.5", 0.5},  {"1.2.3", 1.2},
        {"1e+", 1.0},      {"2e3x", 2000.0}, {"2E-3", 0.002}, {"1e 3", 1e3}, {"1,5", 1.0},
        {"\t7\n", 7.0},    {"", 0.0},        {"times", 0.0},  {"-", 0.0},    {"\r7", 0.0},
        {"e5", 0.0},       {"--1", 0.0},     {"0x10", 0.0},   {"inf", 0.0},  {"1e-999", 0.0},
        {"0e999", 0.0},    {"-0", 0.0}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(readLeadingNumber(text), expected) << "text: \"" << text << '"';
    }
    EXPECT_FALSE(std::signbit(*readLeadingNumber("-0")));
    EXPECT_EQ(readLeadingNumber("1e0000000000000000000000003"), 1e3);
    EXPECT_EQ(readLeadingNumber("0." + std::string(400, '0') + "1e400"), 0.1);
    EXPECT_EQ(readLeadingNumber("1.7976931348623157e308"), Limits::max());
    EXPECT_EQ(readLeadingNumber("-1e999"), std::nullopt);
    EXPECT_EQ(readLeadingNumber("1" + std::string(400, '0')), std::nullopt);
    // Past 32 bits, where a Windows long ends: neither the value nor the exponent wraps.
    EXPECT_EQ(readLeadingNumber("4294967297"), 4294967297.0);
    EXPECT_EQ(readLeadingNumber("1e4294967297"), std::nullopt);
}

TEST(NumberTextTest, ReadsAWholeTextAsOneNumberOrNothing) {
    const std::pair<const char*, double> cases[] = {
        {" 7 ", 7.0}, {"7.", 7.0}, {".7", 0.7}, {"1e3", 1000.0}, {"1e-999", 0.0}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(readWholeNumber(text), expected) << "text: \"" << text << '"';
    }
    for (const char* text : {" ", "1e+", "--1", "5x", ".", "1 2", "1,5", "inf", "1e999", "7\r"}) {
        EXPECT_EQ(readWholeNumber(text), std::nullopt) << "text: \"" << text << '"';
    }
}

TEST(NumberTextTest, RoundsHalvesToTheEvenNeighbourWithinSixteenBits) {
    const std::pair<double, int> cases[] = {
        {0.5, 0},   {1.5, 2},   {2.5, 2},         {-0.5, 0},          {-1.5, -2},
        {-2.5, -2}, {-7.6, -8}, {32767.4, 32767}, {-32768.0, -32768}, {-32768.5, -32768}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(roundToInt16(value), expected) << "value: " << value;
    }
    // Next to a half, where adding 0.5 and cutting off goes wrong.
    EXPECT_EQ(roundToInt16(2.5000000000000004), 3);
    EXPECT_EQ(roundToInt16(2.4999999999999996), 2);
    EXPECT_EQ(roundToInt16(0.49999999999999994), 0);
    EXPECT_EQ(roundToInt16(-0.49999999999999994), 0);
    for (const double value : {32767.5, 32768.0, -32768.6, 1e300, inf, nan}) {
        EXPECT_EQ(roundToInt16(value), std::nullopt) << "value: " << value;
    }
}

TEST(NumberTextTest, WritesTheShortestPlainDecimalOfFifteenDigits) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},         {-0.0, "0"},         {2.5, "2.5"}, {-1.0, "-1"}, {-0.25, "-0.25"},
        {0.1 + 0.2, "0.3"}, {1e-7, "0.0000001"}, {inf, "inf"}, {nan, "nan"}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(formatNumber(value), expected) << "value: " << value;
    }
    EXPECT_EQ(formatNumber(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(formatNumber(1234567890123456.0), "1234567890123460");
    EXPECT_EQ(formatNumber(999999999999999.9), "1000000000000000");
    // Whole numbers on both sides of fifteen digits.
    EXPECT_EQ(formatNumber(-32768.0), "-32768");
    EXPECT_EQ(formatNumber(999999999999999.0), "999999999999999");
    EXPECT_EQ(formatNumber(-999999999999999.0), "-999999999999999");
    EXPECT_EQ(formatNumber(1e15), "1000000000000000");
    EXPECT_EQ(formatNumber(1000000000000001.0), "1000000000000000");
    EXPECT_EQ(formatNumber(-1.5e-20), "-0.000000000000000000015");
    EXPECT_EQ(formatNumber(Limits::denorm_min()), "0." + std::string(323, '0') + "494065645841247");
    EXPECT_EQ(formatNumber(Limits::max()), "179769313486232" + std::string(294, '0'));
    EXPECT_EQ(formatSignedNumber(0.5) + formatSignedNumber(-0.0) + formatSignedNumber(-1),
              " 0.5 0-1");
}

// The small errors of binary fractions never show in a counter box stepped over and over.
TEST(NumberTextTest, SteppedCountersKeepTheirShortestText) {
    std::string counter = "0.1";
    for (int count = 1; count <= 1000; ++count) {
        counter = formatNumber(*readWholeNumber(counter) + 1);
        ASSERT_EQ(counter, std::to_string(count) + ".1");
    }
}

}  // namespace
}  // namespace quendrix
