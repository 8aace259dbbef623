#include <gtest/gtest.h>

#include <string>

#include "LineHarness.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;
using testing::LineHarness, testing::reply, testing::with;
using F = FaultSwitches;

// Each switch spoils only the replies: the controllers still carry out what they receive. The
// babble starts 0.5 ms after the CR arrives at 4166 us: 955 characters fit before the second
// is over.
TEST(FaultSwitchesTest, SilentLosingStuckErrorSlowAndBabblingReplies) {
    LineHarness silent(with(&F::silent, true));
    EXPECT_EQ(silent.exchange("1ZR"), "");
    EXPECT_TRUE(silent.line.instrument().syringe().busy());

    LineHarness losing(with(&F::dropEvery, 2));
    EXPECT_EQ(losing.exchange("1Q") + "|" + losing.exchange("2Q") + "|" + losing.exchange("1Q"),
              reply(0x60) + "||" + reply(0x60));
    EXPECT_EQ(losing.exchange("1ZR"), "");
    EXPECT_TRUE(losing.line.instrument().syringe().busy());

    EXPECT_EQ(LineHarness(with(&F::stuckBusy, true)).exchange("1XR"), reply(0x43));
    EXPECT_EQ(LineHarness(with(&F::strayCr, true)).exchange("1Q"), "\r" + reply(0x60));
    EXPECT_EQ(LineHarness(with(&F::fixedErrorCode, 9)).exchange("1?"), reply(0x69, "0"));

    LineHarness slow(with(&F::slowReply, 200ms));
    slow.exchange("1Q", 1s);
    EXPECT_EQ(slow.arrivals.at(0), 4166us + 500us + 200ms + 1041us);

    LineHarness babbling(with(&F::babble, true));
    EXPECT_EQ(babbling.exchange("1Q", 1s).size(), 955u);
    EXPECT_EQ(babbling.received.find('\r'), std::string::npos) << "it never ends a reply";
    babbling.exchange("1ZR", 10ms);
    EXPECT_TRUE(babbling.line.instrument().syringe().busy());
}

std::string garbledReply(std::uint32_t seed, bool strayCr = false) {
    FaultSwitches faults = with(&F::noiseSeed, seed);
    faults.garbage = true;
    faults.strayCr = strayCr;
    return LineHarness(faults).exchange("1?");
}

TEST(FaultSwitchesTest, GarbageSurroundsTheReplyWithoutBreakingIt) {
    const std::string bytes = garbledReply(7), clean = reply(0x60, "0");
    const std::size_t at = bytes.find(clean);
    ASSERT_NE(at, std::string::npos);
    const std::string before = bytes.substr(0, at), after = bytes.substr(at + clean.size());
    EXPECT_TRUE(!before.empty() && !after.empty()) << "noise on both sides";
    EXPECT_EQ((before + after).find_first_of("/\r"), std::string::npos);
    EXPECT_EQ(bytes, garbledReply(7)) << "reproducible from its seed";
    EXPECT_NE(bytes, garbledReply(8));
    EXPECT_EQ(garbledReply(7, true), before + "\r" + clean + after) << "the same noise";
}

// The second CR arrives at 9375 us, when four bytes of the first reply are through.
TEST(FaultSwitchesTest, TheLineGoesAwayAtTheNthCommandWithRepliesInFlight) {
    LineHarness host(with(&F::hangUpAfter, 2));
    int hangUps = 0;
    host.line.setOnHangUp([&hangUps] { ++hangUps; });
    host.line.hostWrite("/1Q\r/1ZR\r\n");
    host.clock.advanceBy(1s);
    EXPECT_EQ(host.received, "/0\x60\x03");
    EXPECT_EQ(hangUps, 1);
    EXPECT_TRUE(host.line.hungUp());
    EXPECT_FALSE(host.line.instrument().syringe().busy()) << "the last command never ran";
}

}  // namespace
}  // namespace quendrix::sim
