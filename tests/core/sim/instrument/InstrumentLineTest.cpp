#include <gtest/gtest.h>

#include <string>

#include "LineHarness.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;
using testing::LineHarness;
using testing::reply;

// The CR arrives after five characters (5208 us); the reply leaves 0.5 ms later and takes one
// character time per byte. The monitor sees both directions as the bytes arrive.
TEST(InstrumentLineTest, AnswersAfterTheCrAndThePlungerAndTheValveMovingTogetherOverload) {
    LineHarness host;
    std::string seen;
    host.line.setMonitor([&seen](InstrumentLine::Direction direction, char byte) {
        seen += direction == InstrumentLine::Direction::toInstrument ? '>' : '<';
        seen += byte;
    });
    ASSERT_EQ(host.exchange("1ZR"), std::string("/0\x60\x03\r\n"));
    EXPECT_EQ(host.arrivals.front(), 5708us + 1041us);
    EXPECT_EQ(host.arrivals.back(), 5708us + 6250us);
    EXPECT_EQ(seen, ">/>1>Z>R>\r>\n</<0<\x60<\x03<\r<\n");

    host.exchange("2ZR", 2s);
    host.exchange("2A44571R");
    EXPECT_EQ(host.exchange("1A1000R"), reply(0x69));
    EXPECT_FALSE(host.line.instrument().syringe().busy());
    EXPECT_FALSE(host.line.instrument().syringe().initialised());

    // A valve move that starts under a moving plunger stops the plunger where it stands.
    host.exchange("1ZR", 10s);
    host.exchange("1A24000R", 1s);
    EXPECT_EQ(host.exchange("2A0R"), reply(0x60));
    EXPECT_EQ(host.exchange("1Q"), reply(0x69));
    const int stoppedAt = host.line.instrument().syringe().position();
    EXPECT_TRUE(stoppedAt > 0 && stoppedAt < 24000) << stoppedAt;
    EXPECT_FALSE(host.line.instrument().syringe().initialised());
}

TEST(InstrumentLineTest, EachControllerAnswersOnlyItsOwnAddressAndStrayBytesAreIgnored) {
    LineHarness host;
    host.exchange("2ZR");
    EXPECT_FALSE(host.line.instrument().syringe().busy());
    EXPECT_EQ(host.exchange("2Q"), reply(0x40));
    EXPECT_EQ(host.exchange("1Q"), reply(0x60));
    EXPECT_EQ(host.exchange("5ZR") + host.exchange(""), "") << "no controller at 5, or none";
    EXPECT_EQ(host.line.instrument().commandsSeen(), 5u);

    host.line.hostWrite("xx\n/1Q");
    EXPECT_EQ(host.exchange("1?"), reply(0x60, "0")) << "a new / drops the unfinished frame";
    EXPECT_EQ(host.line.instrument().commandsSeen(), 6u);
}

// At 5.3 ms the LF is still on its way and the reply waits for its turn.
TEST(InstrumentLineTest, ADestroyedLineLeavesNothingBehindInTheClock) {
    VirtualClock clock;
    std::string received;
    {
        InstrumentLine line(clock, {});
        line.setHostReceiver([&received](char byte) { received += byte; });
        line.hostWrite("/1ZR\r\n");
        clock.advanceBy(5300us);
    }
    clock.advanceBy(5s);
    EXPECT_TRUE(received.empty());
}

}  // namespace
}  // namespace quendrix::sim
