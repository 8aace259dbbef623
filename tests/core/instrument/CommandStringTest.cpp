#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/instrument/CommandString.h"

namespace quendrix::sim {
namespace {

TEST(CommandStringTest, SplitsCommandsAndTheirOperands) {
    const CommandString parsed = CommandString::parse("V1000A500R");
    EXPECT_TRUE(parsed.execute);
    EXPECT_EQ(parsed.error, ControllerError::none);
    EXPECT_EQ(parsed.steps, (std::vector<CommandStep>{{'V', 1000}, {'A', 500}}));
}

TEST(CommandStringTest, KeepsNegativeAndMissingOperandsForTheDriveToJudge) {
    const CommandString parsed = CommandString::parse("A-1ZR");
    EXPECT_EQ(parsed.steps, (std::vector<CommandStep>{{'A', -1}, {'Z', std::nullopt}}));
}

TEST(CommandStringTest, AStringWithoutRIsNotForExecution) {
    const CommandString parsed = CommandString::parse("A500");
    EXPECT_FALSE(parsed.execute);
    EXPECT_EQ(parsed.steps.size(), 1u);
}

struct BadString {
    std::string text;
    ControllerError error;
};

class CommandStringErrorTest : public ::testing::TestWithParam<BadString> {};

TEST_P(CommandStringErrorTest, RejectsMalformedText) {
    EXPECT_EQ(CommandString::parse(GetParam().text).error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, CommandStringErrorTest,
    ::testing::Values(BadString{"A10RA20R", ControllerError::unknownCommand},
                      BadString{"A1.5R", ControllerError::unknownCommand},
                      BadString{"APositionR", ControllerError::none},
                      BadString{"A PositionR", ControllerError::unknownCommand},
                      BadString{"5R", ControllerError::unknownCommand},
                      BadString{"A-R", ControllerError::invalidOperand},
                      BadString{"A1234567890R", ControllerError::invalidOperand},
                      BadString{"A123456789R", ControllerError::none}));

}  // namespace
}  // namespace quendrix::sim
