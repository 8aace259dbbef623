#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sim/VirtualClock.h"
#include "sim/instrument/PacedLine.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;

class PacedLineTest : public ::testing::Test {
protected:
    VirtualClock clock;
    std::vector<Micros> arrivals;
    std::string delivered;
    PacedLine line{clock, [this](char byte) {
                       arrivals.push_back(clock.now());
                       delivered += byte;
                   }};
};

TEST_F(PacedLineTest, ALongTrainDoesNotDrift) {
    line.send(std::string(9600, 'x'));
    clock.advanceBy(20s);
    ASSERT_EQ(arrivals.size(), 9600u);
    EXPECT_EQ(arrivals.back(), 10'000'000us);
    EXPECT_EQ(arrivals[4799], 5'000'000us);
}

// Each byte takes one character time of ten bits. A byte handed over while the line is busy
// queues behind the train; on an idle line the next byte's time counts from its hand-over.
TEST_F(PacedLineTest, ByteTimesCountFromTheTrainOrFromAnIdleHandOver) {
    line.send("ab");
    clock.advanceTo(500us);
    line.send("c");
    EXPECT_EQ(line.freeAt(), 3125us);
    clock.advanceTo(10'000us);
    line.send("d");
    clock.advanceBy(1s);
    EXPECT_EQ(arrivals, (std::vector<Micros>{1041us, 2083us, 3125us, 11'041us}));
    EXPECT_EQ(delivered, "abcd");
}

TEST_F(PacedLineTest, NothingArrivesAfterTheLineIsGone) {
    auto doomed = std::make_unique<PacedLine>(clock, [this](char byte) { delivered += byte; });
    doomed->send("abc");
    doomed.reset();
    clock.advanceBy(1s);
    EXPECT_TRUE(delivered.empty());
}

}  // namespace
}  // namespace quendrix::sim
