#include <gtest/gtest.h>

#include <vector>

#include "sim/server/ServerOptionParser.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;

ServerOptions parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "quendrix-sim");
    return parseServerOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(ServerOptionParserTest, EveryFaultSwitchHasAnOption) {
    const ServerOptions options =
        parse({"--silent", "--drop-every", "3", "--garbage", "--babble", "--stuck-busy",
               "--error-code", "9", "--slow", "250", "--hang-up-after", "40", "--seed", "77"});
    EXPECT_FALSE(options.help);
    EXPECT_EQ(options.linkPath + options.transcriptPath, "");
    const FaultSwitches& f = options.faults;
    EXPECT_TRUE(f.silent);
    EXPECT_EQ(f.dropEvery, 3);
    EXPECT_TRUE(f.garbage);
    EXPECT_TRUE(f.babble);
    EXPECT_TRUE(f.stuckBusy);
    EXPECT_EQ(f.fixedErrorCode, 9);
    EXPECT_EQ(f.slowReply, 250ms);
    EXPECT_EQ(f.hangUpAfter, 40);
    EXPECT_EQ(f.noiseSeed, 77u);
}

TEST(ServerOptionParserTest, ValuesMayFollowAnEqualsSign) {
    const ServerOptions options =
        parse({"--link=/tmp/qx", "--transcript=line.txt", "--error-code=0", "-h"});
    EXPECT_EQ(options.linkPath, "/tmp/qx");
    EXPECT_EQ(options.transcriptPath, "line.txt");
    EXPECT_EQ(options.faults.fixedErrorCode, 0);
    EXPECT_TRUE(options.help);
}

TEST(ServerOptionParserTest, RefusesWhatItDoesNotUnderstand) {
    const std::vector<std::vector<const char*>> bad{{"--loud"},
                                                    {"silent"},
                                                    {"--drop-every"},
                                                    {"--drop-every", "0"},
                                                    {"--slow", "2x"},
                                                    {"--slow", ""},
                                                    {"--error-code", "16"},
                                                    {"--error-code", "-1"},
                                                    {"--silent=yes"},
                                                    {"--hang-up-after", "0"}};
    for (const auto& arguments : bad) {
        EXPECT_THROW(parse(arguments), OptionError) << arguments.front();
    }
}

}  // namespace
}  // namespace quendrix::sim
