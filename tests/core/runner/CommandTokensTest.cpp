#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TextBox.h"
#include "runner/CommandTokens.h"
#include "sim/ScriptedRandom.h"

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

struct Case {
    std::string command;
    std::string position;
    std::string expected;
    std::string positionAfter;
    std::string speedAfter = "20";
    std::string maxPosition = "";
    std::vector<float> draws = {};
};

TEST(CommandTokensTest, ExpandsEachTokenAtItsFirstOccurrence) {
    const std::string x200(200, 'x');
    const std::string e299(299, '0');
    const std::string everyRange = "vrndVrndcrndLrndKrndCrnd";
    const Case cases[] = {
        {"A+R", "7", "A8R", "8"},
        {"gA-R", "7", "gA6R", "6"},
        {"S+R", "7", "S21R", "7", "21"},
        {"ZA00xyz", "7", "A0R", "0"},
        {"A+S-R", "7", "A8S19R", "8", "19"},
        {"A+S00", "7", "S1R", "8", "1"},
        {"A+RA+", "7", "A8RA+", "8"},
        {"A+R", "2.5", "A3.5R", "3.5"},
        {"A-R", "0", "A-1R", "-1"},
        {"VRND rnd", "7", "VRND rnd", "7"},
        {"A+R", "Position", "APositionR", "Position"},
        {"A+" + x200 + "tail", "7", "A8" + x200, "8"},
        {"A+R", "-2", "A-21R", "-2"},  // "A+" writes "A-1", whose "A-" is found next
        {everyRange, "7", "v50V5799c50L20K1C25", "25", "20", "", {0, kMax, 0, kMax, 0, kMax}},
        {everyRange, "7", "v899V5c1999L1K63C1", "1", "20", "", {kMax, 0, kMax, 0, kMax, 0}},
        {"ArndR", "7", "A1R", "1", "20", "1000", {0}},
        {"ArndR", "7", "A1000R", "1000", "20", "1000", {kMax}},
        {"ArndR", "7", "A-4R", "-4", "20", "-10", {0.5f}},
        {"Arnd", "7", "A5" + e299, "5" + e299, "20", "1e300", {0.5f}},
        // No bound: Position keeps its text, and the draw is spent all the same.
        {"ArndLrnd", "7", "A7L1", "1", "20", "", {0.5f, 0}},
    };
    for (const auto& row : cases) {
        TokenRig rig;
        rig.Position.setText(row.position);
        rig.Speed.setText("20");
        rig.maxPosition = row.maxPosition;
        for (float r : row.draws) {
            rig.random.queue(r);
        }
        EXPECT_EQ(rig.tokens.ExpandCommandTokens(row.command), row.expected) << row.command;
        EXPECT_EQ(rig.Position.text(), row.positionAfter) << row.command;
        EXPECT_EQ(rig.Speed.text(), row.speedAfter) << row.command;
    }
}

TEST(CommandTokensTest, ValuesCarryOverFromOneSendToTheNext) {
    TokenRig rig;
    EXPECT_EQ(rig.tokens.ExpandCommandTokens("S-R"), "SSpeedR");
    EXPECT_EQ(rig.tokens.ExpandCommandTokens("A00"), "A0R");
    for (const std::string count : {"1", "2", "3"}) {
        EXPECT_EQ(rig.tokens.ExpandCommandTokens("A+R"), "A" + count + "R");
    }
    rig.random.queue(kMax);
    rig.maxPosition = "30";
    EXPECT_EQ(rig.tokens.ExpandCommandTokens("Arnd"), "A30");
}

}  // namespace
}  // namespace quendrix::runner
