#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "dryrun/DryRunOptionParser.h"
#include "sim/server/ServerOptionParser.h"

namespace quendrix::app {
namespace {

struct CommandLineCase {
    std::vector<const char*> arguments;
    std::optional<int> status;
    std::string printed;
};

// The first of --help and --version wins; everything else is the window toolkit's.
TEST(CommandLineTest, AnswersHelpAndVersionAndLeavesTheRestToTheToolkit) {
    const CommandLineCase cases[] = {
        {{}, std::nullopt, ""},
        {{"-platform", "offscreen", "-style", "fusion"}, std::nullopt, ""},
        {{"--helpful", "-version"}, std::nullopt, ""},
        {{"--help"}, 0, programUsage()},
        {{"-platform", "xcb", "-h", "--version"}, 0, programUsage()},
        {{"--version", "--help"}, 0, "quendrix 2.1.15\n"},
    };
    for (const auto& [arguments, status, printed] : cases) {
        std::vector<const char*> argv{"quendrix"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        std::ostringstream out;
        EXPECT_EQ(answerCommandLine(static_cast<int>(argv.size()), argv.data(), {2, 1, 15}, out),
                  status)
            << arguments.size();
        EXPECT_EQ(out.str(), printed);
    }
    EXPECT_TRUE(programUsage().starts_with("Usage: quendrix [OPTION]...\n"));
}

// The help texts become the manual pages: buttons are named as the operator reads them, not
// with their accelerator marks, and each text offers --version.
TEST(CommandLineTest, EveryProgramsHelpNamesButtonsPlainlyAndOffersTheVersion) {
    for (const std::string& usage : {programUsage(), sim::serverUsage(), dryrun::dryRunUsage()}) {
        EXPECT_EQ(usage.find('&'), std::string::npos) << usage;
        EXPECT_NE(usage.find("\n      --version        show the version\n"), std::string::npos)
            << usage;
    }
}

}  // namespace
}  // namespace quendrix::app
