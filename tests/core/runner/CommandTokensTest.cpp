#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/SeededRandom.h"
#include "platform/TextBox.h"
#include "runner/CommandTokens.h"
#include "sim/virtualtime/ScriptedRandom.h"

namespace quendrix::runner {
namespace {

constexpr float kMax = 0.99999994f;  // 1 - 2^-24, the largest value the generator gives

struct TokenRig {
    platform::TextBox Position{"Position", "Position"};
    platform::TextBox Speed{"Speed", "Speed"};
    std::string maxPosition;
    sim::ScriptedRandom random;
    CommandTokens tokens{Position, Speed, [this] { return maxPosition; }, random};
};

// The command sent, then Position and Speed, from Position "7" and Speed "20".
std::string expand(const std::string& command, const std::string& maxPosition = "",
                   const std::vector<float>& draws = {}) {
    TokenRig rig;
    rig.Position.setText("7");
    rig.Speed.setText("20");
    rig.maxPosition = maxPosition;
    for (float r : draws) {
        rig.random.queue(r);
    }
    const std::string sent = rig.tokens.ExpandCommandTokens(command);
    return sent + " " + rig.Position.text() + " " + rig.Speed.text();
}

TEST(CommandTokensTest, ExpandsEachTokenAtItsFirstOccurrence) {
    const std::pair<std::string, std::string> cases[] = {
        {"A+R", "A8R 8 20"},     {"gA-R", "gA6R 6 20"},        {"S+R", "S21R 7 21"},
        {"ZA00xyz", "A0R 0 20"}, {"A+S-R", "A8S19R 8 19"},     {"A+S00", "S1R 8 1"},
        {"A+RA+", "A8RA+ 8 20"}, {"VRND rnd", "VRND rnd 7 20"}};
    for (const auto& [command, expected] : cases) {
        EXPECT_EQ(expand(command), expected) << command;
    }
    const std::string x200(200, 'x');
    EXPECT_EQ(expand("A+" + x200 + "tail"), "A8" + x200 + " 8 20");
    const std::string every = "vrndVrndcrndLrndKrndCrnd";
    EXPECT_EQ(expand(every, "", {0, kMax, 0, kMax, 0, kMax}), "v50V5799c50L20K1C25 25 20");
    EXPECT_EQ(expand(every, "", {kMax, 0, kMax, 0, kMax, 0}), "v899V5c1999L1K63C1 1 20");
    EXPECT_EQ(expand("ArndR", "1000", {0}), "A1R 1 20");
    EXPECT_EQ(expand("ArndR", "1000", {kMax}), "A1000R 1000 20");
    // No bound: Position keeps its text, and the draw is spent all the same.
    EXPECT_EQ(expand("ArndLrnd", "", {0.5f, 0}), "A7L1 1 20");
}

TEST(CommandTokensTest, ValuesCarryOverFromTheStartUpTextsOn) {
    TokenRig rig;
    std::string sent;
    for (const char* command : {"S-R", "A+R", "A00", "A+R", "A+R", "A+R", "A-R"}) {
        sent += rig.tokens.ExpandCommandTokens(command) + " ";
    }
    EXPECT_EQ(sent, "SSpeedR APositionR A0R A1R A2R A3R A2R ");
}

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
}  // namespace quendrix::runner
