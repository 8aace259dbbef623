#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "common/NumberText.h"

namespace quendrix {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

struct ReadCase {
    std::string text;
    std::optional<double> expected;
};

TEST(NumberTextTest, ReadsTheLeadingNumberOfACell) {
    const ReadCase cases[] = {
        {"", 0.0},
        {"times", 0.0},
        {"3 times", 3.0},
        {" 3 times", 3.0},
        {"1 2", 12.0},
        {"  - 4", -4.0},
        {"-", 0.0},
        {"+.5", 0.5},
        {"-.5", -0.5},
        {".5.5", 0.5},
        {"1.2.3", 1.2},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"2e3x", 2000.0},
        {"2E-3", 0.002},
        {"1e 3", 1000.0},
        {"1,5", 1.0},
        {"007", 7.0},
        {"-0", 0.0},
        {"\t7\n", 7.0},
        {"\r7", 0.0},
        {"e5", 0.0},
        {"--1", 0.0},
        {"0x10", 0.0},
        {"inf", 0.0},
        {"1e-999", 0.0},
        {"0e999", 0.0},
        {"1e999", std::nullopt},
        {"-1e999", std::nullopt},
        {"0.001e99999999999999999999", std::nullopt},
        {"1e0000000000000000000000003", 1000.0},
        {"1" + std::string(400, '0'), std::nullopt},
        {"0." + std::string(400, '0') + "1e400", 0.1},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(readLeadingNumber(row.text), row.expected) << "text: \"" << row.text << '"';
    }
    EXPECT_FALSE(std::signbit(*readLeadingNumber("-0")));
}

TEST(NumberTextTest, ReadsAWholeTextAsOneNumberOrNothing) {
    const ReadCase cases[] = {
        {"", std::nullopt},
        {" ", std::nullopt},
        {" 7 ", 7.0},
        {"7.", 7.0},
        {".7", 0.7},
        {"1e3", 1000.0},
        {"1e-999", 0.0},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"--1", std::nullopt},
        {"5x", std::nullopt},
        {"0x10", std::nullopt},
        {"Position", std::nullopt},
        {".", std::nullopt},
        {"1 2", std::nullopt},
        {"1,5", std::nullopt},
        {"inf", std::nullopt},
        {"1e999", std::nullopt},
        {"7\r", std::nullopt},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(readWholeNumber(row.text), row.expected) << "text: \"" << row.text << '"';
    }
}

TEST(NumberTextTest, RoundsHalvesToTheEvenNeighbourWithinSixteenBits) {
    const struct {
        double value;
        std::optional<std::int16_t> expected;
    } cases[] = {
        {0.0, 0},
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {-7.6, -8},
        {2.5000000000000004, 3},
        {2.4999999999999996, 2},
        {0.49999999999999994, 0},
        {-0.49999999999999994, 0},
        {32767.4, 32767},
        {32767.5, std::nullopt},
        {32768.0, std::nullopt},
        {-32768.0, -32768},
        {-32768.5, -32768},
        {-32768.6, std::nullopt},
        {1e300, std::nullopt},
        {infinity, std::nullopt},
        {nan, std::nullopt},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(roundToInt16(row.value), row.expected) << "value: " << row.value;
    }
}

TEST(NumberTextTest, WritesTheShortestPlainDecimal) {
    const struct {
        double value;
        std::string expected;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {2.5, "2.5"},
        {-1.0, "-1"},
        {-0.25, "-0.25"},
        {0.1 + 1, "1.1"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {1234567890123456.0, "1234567890123460"},
        {999999999999999.9, "1000000000000000"},
        {123456789012345678.0, "123456789012346000"},
        {1e20, "100000000000000000000"},
        {1e-7, "0.0000001"},
        {-1.5e-20, "-0.000000000000000000015"},
        {std::numeric_limits<double>::denorm_min(),
         "0." + std::string(323, '0') + "494065645841247"},
        {std::numeric_limits<double>::max(), "179769313486232" + std::string(294, '0')},
        {infinity, "inf"},
        {nan, "nan"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(formatNumber(row.value), row.expected) << "value: " << row.value;
    }
}

TEST(NumberTextTest, WritesTheSignPositionInFront) {
    EXPECT_EQ(formatSignedNumber(2), " 2");
    EXPECT_EQ(formatSignedNumber(0), " 0");
    EXPECT_EQ(formatSignedNumber(-0.0), " 0");
    EXPECT_EQ(formatSignedNumber(0.5), " 0.5");
    EXPECT_EQ(formatSignedNumber(-1), "-1");
}

// A counter box is read strictly, stepped and written back, over and over; the small errors of
// binary fractions must never show in its text.
std::string stepped(const std::string& text, double step) {
    return formatNumber(*readWholeNumber(text) + step);
}

TEST(NumberTextTest, SteppedCountersKeepTheirShortestText) {
    std::string fraction = "0.1";
    std::string whole = "0";
    for (int count = 1; count <= 1000; ++count) {
        fraction = stepped(fraction, 1);
        whole = stepped(whole, 1);
        ASSERT_EQ(fraction, std::to_string(count) + ".1");
        ASSERT_EQ(whole, std::to_string(count));
    }
    std::string down = "2.5";
    for (const char* expected : {"1.5", "0.5", "-0.5", "-1.5", "-2.5"}) {
        down = stepped(down, -1);
        EXPECT_EQ(down, expected);
    }
}

TEST(NumberTextTest, RewrittenLoopCountReadsBackAsItsNumber) {
    for (double count : {3.0, 1.0, 0.0, -1.0, 2.5, -0.5, 32767.0}) {
        EXPECT_EQ(readLeadingNumber(formatSignedNumber(count) + " times"), count);
    }
}

}  // namespace
}  // namespace quendrix
