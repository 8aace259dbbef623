#include <gtest/gtest.h>

#include <vector>

#include "sim/instrument/CommandString.h"

namespace quendrix::sim {
namespace {

// Negative and missing operands are kept for the drive to judge.
TEST(CommandStringTest, SplitsCommandsAndTheirOperands) {
    const CommandString parsed = CommandString::parse("V1000A-1ZR");
    EXPECT_TRUE(parsed.execute);
    EXPECT_EQ(parsed.error, ControllerError::none);
    EXPECT_EQ(parsed.steps,
              (std::vector<CommandStep>{{'V', 1000}, {'A', -1}, {'Z', std::nullopt}}));
    const CommandString stored = CommandString::parse("A500");
    EXPECT_FALSE(stored.execute);
    EXPECT_EQ(stored.steps.size(), 1u);
}

// The drive refuses these values anyway, so only the parser shows where the form ends.
TEST(CommandStringTest, OperandsHaveDigitsAndAtMostNine) {
    EXPECT_EQ(CommandString::parse("A123456789R").error, ControllerError::none);
    EXPECT_EQ(CommandString::parse("A1234567890R").error, ControllerError::invalidOperand);
    EXPECT_EQ(CommandString::parse("A-R").error, ControllerError::invalidOperand);
}

}  // namespace
}  // namespace quendrix::sim
