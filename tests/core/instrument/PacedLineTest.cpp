#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/VirtualClock.h"
#include "sim/instrument/PacedLine.h"

namespace quendrix::sim {
namespace {

class PacedLineTest : public ::testing::Test {
protected:
    VirtualClock clock;
    std::vector<Micros> arrivals;
    std::string delivered;
    PacedLine line{clock, [this](char byte) {
                       arrivals.push_back(clock.now());
                       delivered += byte;
                   }};

    void drain() {
        while (clock.runNext() > 0) {
        }
    }
};

TEST_F(PacedLineTest, EachByteTakesOneCharacterTimeOfTenBits) {
    line.send("/1ZR\r\n");
    drain();
    const std::vector<Micros> expected{Micros{1041}, Micros{2083}, Micros{3125},
                                       Micros{4166}, Micros{5208}, Micros{6250}};
    EXPECT_EQ(arrivals, expected);
    EXPECT_EQ(delivered, "/1ZR\r\n");
}

TEST_F(PacedLineTest, ALongTrainDoesNotDrift) {
    line.send(std::string(9600, 'x'));
    drain();
    ASSERT_EQ(arrivals.size(), 9600u);
    EXPECT_EQ(arrivals.back(), Micros{10'000'000});
    EXPECT_EQ(arrivals[4799], Micros{5'000'000});
}

TEST_F(PacedLineTest, BytesHandedOverWhileTheLineIsBusyQueueBehindTheTrain) {
    line.send("ab");
    clock.advanceTo(Micros{500});
    line.send("c");
    drain();
    EXPECT_EQ(arrivals.back(), Micros{3125});
    EXPECT_EQ(line.freeAt(), Micros{3125});
}

TEST_F(PacedLineTest, AnIdleLineStartsTheNextByteFromItsHandOver) {
    line.send("a");
    clock.advanceTo(Micros{10'000});
    line.send("b");
    drain();
    EXPECT_EQ(arrivals, (std::vector<Micros>{Micros{1041}, Micros{11'041}}));
}

TEST_F(PacedLineTest, NothingArrivesAfterTheLineIsGone) {
    auto doomed = std::make_unique<PacedLine>(clock, [this](char byte) { delivered += byte; });
    doomed->send("abc");
    doomed.reset();
    drain();
    EXPECT_TRUE(delivered.empty());
}

}  // namespace
}  // namespace quendrix::sim
