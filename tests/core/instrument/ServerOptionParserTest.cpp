#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "sim/server/ServerOptionParser.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;

ServerOptions parse(std::initializer_list<const char*> arguments) {
    std::vector<const char*> argv{"quendrix-sim"};
    argv.insert(argv.end(), arguments);
    return parseServerOptions(static_cast<int>(argv.size()), argv.data());
}

TEST(ServerOptionParserTest, NoOptionsGiveAHealthyInstrument) {
    const ServerOptions options = parse({});
    EXPECT_FALSE(options.help);
    EXPECT_TRUE(options.linkPath.empty());
    EXPECT_TRUE(options.transcriptPath.empty());
    EXPECT_FALSE(options.faults.silent);
    EXPECT_EQ(options.faults.dropEvery, 0);
    EXPECT_FALSE(options.faults.fixedErrorCode.has_value());
    EXPECT_EQ(options.faults.hangUpAfter, 0);
}

TEST(ServerOptionParserTest, EveryFaultSwitchHasAnOption) {
    const ServerOptions options =
        parse({"--silent", "--drop-every", "3", "--garbage", "--babble", "--stuck-busy",
               "--error-code", "9", "--slow", "250", "--hang-up-after", "40", "--seed", "77"});
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

class BadCommandLineTest : public ::testing::TestWithParam<std::vector<const char*>> {};

TEST_P(BadCommandLineTest, IsRefused) {
    std::vector<const char*> argv{"quendrix-sim"};
    argv.insert(argv.end(), GetParam().begin(), GetParam().end());
    EXPECT_THROW(parseServerOptions(static_cast<int>(argv.size()), argv.data()), OptionError);
}

INSTANTIATE_TEST_SUITE_P(Options, BadCommandLineTest,
                         ::testing::Values(std::vector<const char*>{"--loud"},
                                           std::vector<const char*>{"silent"},
                                           std::vector<const char*>{"--drop-every"},
                                           std::vector<const char*>{"--drop-every", "0"},
                                           std::vector<const char*>{"--error-code", "16"},
                                           std::vector<const char*>{"--error-code", "-1"},
                                           std::vector<const char*>{"--slow", "2x"},
                                           std::vector<const char*>{"--slow", ""},
                                           std::vector<const char*>{"--hang-up-after", "0"},
                                           std::vector<const char*>{"--silent=yes"}));

TEST(ServerOptionParserTest, UsageNamesEveryOption) {
    const std::string usage = serverUsage();
    for (const char* option :
         {"--silent", "--drop-every", "--garbage", "--babble", "--stuck-busy", "--error-code",
          "--slow", "--hang-up-after", "--transcript", "--link", "--seed", "--help"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace quendrix::sim
