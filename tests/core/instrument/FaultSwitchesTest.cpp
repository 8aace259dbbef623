#include <gtest/gtest.h>

#include <string>

#include "LineHarness.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;
using testing::LineHarness;
using testing::reply;

FaultSwitches with(void (*set)(FaultSwitches&)) {
    FaultSwitches faults;
    set(faults);
    return faults;
}

TEST(FaultSwitchesTest, ASilentInstrumentStillObeys) {
    LineHarness host(with([](FaultSwitches& f) { f.silent = true; }));
    EXPECT_EQ(host.exchange("1ZR"), "");
    EXPECT_EQ(host.exchange("1Q"), "");
    EXPECT_TRUE(host.line.instrument().syringe().busy());
}

TEST(FaultSwitchesTest, EveryKthReplyIsLost) {
    LineHarness host(with([](FaultSwitches& f) { f.dropEvery = 2; }));
    EXPECT_EQ(host.exchange("1Q"), reply(0x60));
    EXPECT_EQ(host.exchange("2Q"), "");
    EXPECT_EQ(host.exchange("1Q"), reply(0x60));
    EXPECT_EQ(host.exchange("1ZR"), "");
    EXPECT_TRUE(host.line.instrument().syringe().busy()) << "the lost reply's command still ran";
}

TEST(FaultSwitchesTest, AStuckDriveNeverReportsReady) {
    LineHarness host(with([](FaultSwitches& f) { f.stuckBusy = true; }));
    EXPECT_EQ(host.exchange("1Q", 10s), reply(0x40));
    EXPECT_EQ(host.exchange("1XR"), reply(0x43));
}

TEST(FaultSwitchesTest, AFixedErrorCodeIsInEveryReply) {
    LineHarness host(with([](FaultSwitches& f) { f.fixedErrorCode = 9; }));
    EXPECT_EQ(host.exchange("1Q"), reply(0x69));
    EXPECT_EQ(host.exchange("1?"), reply(0x69, "0"));
}

std::string garbledReply(std::uint32_t seed) {
    FaultSwitches faults;
    faults.garbage = true;
    faults.noiseSeed = seed;
    LineHarness seeded(faults);
    return seeded.exchange("1?");
}

TEST(FaultSwitchesTest, GarbageSurroundsTheReplyWithoutBreakingIt) {
    const std::string bytes = garbledReply(7);
    const std::string clean = reply(0x60, "0");
    const std::size_t at = bytes.find(clean);
    ASSERT_NE(at, std::string::npos);
    EXPECT_GT(at, 0u) << "noise before the reply";
    EXPECT_GT(bytes.size(), at + clean.size()) << "noise after the reply";
    const std::string noise = bytes.substr(0, at) + bytes.substr(at + clean.size());
    EXPECT_EQ(noise.find_first_of("/\r"), std::string::npos);
    EXPECT_EQ(bytes, garbledReply(7)) << "reproducible from its seed";
    EXPECT_NE(bytes, garbledReply(8));
}

TEST(FaultSwitchesTest, ABabblingLineNeverRestsAndNeverEndsAReply) {
    LineHarness host(with([](FaultSwitches& f) { f.babble = true; }));
    // The CR arrives at 4166 us and the babble starts 0.5 ms later: 955 characters fit
    // before the second is over.
    EXPECT_EQ(host.exchange("1Q", 1s).size(), 955u);
    EXPECT_EQ(host.bytes().find('\r'), std::string::npos);
    for (std::size_t i = 1; i < host.received.size(); ++i) {
        const Micros gap = host.received[i].first - host.received[i - 1].first;
        ASSERT_TRUE(gap == 1041us || gap == 1042us) << "byte " << i;
    }
    host.exchange("1ZR", 10ms);
    EXPECT_TRUE(host.line.instrument().syringe().busy()) << "commands still get through";
}

TEST(FaultSwitchesTest, SlowRepliesComeLater) {
    LineHarness host(with([](FaultSwitches& f) { f.slowReply = 200ms; }));
    host.exchange("1Q", 1s);
    ASSERT_FALSE(host.received.empty());
    EXPECT_EQ(host.received.front().first, 4166us + 500us + 200ms + 1041us);
}

TEST(FaultSwitchesTest, TheLineGoesAwayAtTheNthCommandWithRepliesInFlight) {
    LineHarness host(with([](FaultSwitches& f) { f.hangUpAfter = 2; }));
    int hangUps = 0;
    host.line.setOnHangUp([&hangUps] { ++hangUps; });
    host.line.hostWrite("/1Q\r/1ZR\r\n");
    host.clock.advanceBy(1s);
    // The second CR arrives at 9375 us, when four bytes of the first reply are through.
    EXPECT_EQ(host.bytes(), "/0\x60\x03");
    EXPECT_EQ(hangUps, 1);
    EXPECT_TRUE(host.line.hungUp());
    EXPECT_FALSE(host.line.instrument().syringe().busy()) << "the last command never ran";
    EXPECT_EQ(host.exchange("1Q"), "");
    EXPECT_EQ(host.line.instrument().commandsSeen(), 2u);
}

}  // namespace
}  // namespace quendrix::sim
