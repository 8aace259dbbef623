#include <gtest/gtest.h>

#include "platform/SeededRandom.h"
#include "sim/ScriptedRandom.h"

namespace quendrix {
namespace {

TEST(SeededRandomTest, EveryStartDrawsTheSameSequenceWithinZeroToOne) {
    platform::SeededRandom first;
    sim::ScriptedRandom second;  // with nothing queued, the seeded sequence
    for (int i = 0; i < 10000; ++i) {
        const float r = first.Rnd();
        ASSERT_EQ(r, second.Rnd()) << "draw " << i;
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
}

}  // namespace
}  // namespace quendrix
