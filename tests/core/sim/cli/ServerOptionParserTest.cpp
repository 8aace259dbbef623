#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "sim/cli/ServerOptionParser.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;

ServerOptions parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "quendrix-sim");
    return parseServerOptions(static_cast<int>(arguments.size()), arguments.data());
}

// Values follow as the next argument or after an equals sign.
TEST(ServerOptionParserTest, EveryFaultSwitchAndFileHasAnOption) {
    const ServerOptions options =
        parse({"--silent", "--drop-every", "3", "--garbage", "--babble", "--stray-cr",
               "--stuck-busy", "--error-code=15", "--slow", "250", "--hang-up-after", "40",
               "--seed", "77", "--link=/tmp/qx", "--transcript", "line.txt", "-h", "--version"});
    const FaultSwitches& f = options.faults;
    EXPECT_TRUE(f.silent && f.garbage && f.babble && f.strayCr && f.stuckBusy && options.help &&
                options.version);
    EXPECT_EQ(std::tuple(f.dropEvery, f.fixedErrorCode, f.slowReply, f.hangUpAfter, f.noiseSeed),
              std::tuple(3, 15, 250ms, 40, 77u));
    EXPECT_EQ(options.linkPath + " " + options.transcriptPath, "/tmp/qx line.txt");
}

// A null value stands for an option given last, without one.
TEST(ServerOptionParserTest, RefusesWhatItDoesNotUnderstand) {
    const std::pair<const char*, const char*> bad[] = {
        {"--loud", nullptr},      {"silent", nullptr},     {"--drop-every", nullptr},
        {"--drop-every", "0"},    {"--slow", "2x"},        {"--slow", ""},
        {"--error-code", "16"},   {"--error-code", "-1"},  {"--silent=yes", nullptr},
        {"--hang-up-after", "0"}, {"--version=1", nullptr}};
    for (const auto& [option, value] : bad) {
        EXPECT_THROW(value ? parse({option, value}) : parse({option}), OptionError) << option;
    }
}

}  // namespace
}  // namespace quendrix::sim
