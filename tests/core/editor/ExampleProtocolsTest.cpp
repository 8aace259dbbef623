#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "app/MainForm.h"
#include "platform/StdFileSystem.h"
#include "runner/CommandTokens.h"
#include "sim/SimPlatform.h"
#include "sim/instrument/SimulatedInstrument.h"

namespace quendrix {
namespace {

using namespace std::chrono_literals;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The simulated platform on the machine's own files, set before the main window is made.
struct OnRealFiles {
    OnRealFiles() { platform.replaceFileSystem(files); }
    platform::StdFileSystem files;
    sim::SimPlatform platform;
};

// Each example loads through the Load command, saves back byte for byte, and runs on the
// simulated drives as a run would send it: every command after a readiness poll, "W" rows
// until the drive is done, loops as counted, tokens expanded; no drive may refuse a command.
class ExampleProtocolsTest : public ::testing::TestWithParam<const char*>, protected OnRealFiles {
protected:
    std::string cell(int row, int col) const { return grid.TextMatrix(row, col); }

    // Returns the number of commands sent.
    int run() {
        std::map<int, int> remaining;
        int sent = 0;
        for (int row = 1, steps = 0; row <= 2000 && steps < 10000; ++steps) {
            const std::string kind = cell(row, 1);
            if (kind == "End") {
                return sent;
            }
            int next = row + 1;
            if (kind == "Loop") {
                const auto [it, first] = remaining.try_emplace(row, std::stoi(cell(row, 3)));
                if (it->second > 0) {
                    --it->second;
                    next = std::stoi(cell(row, 2));
                } else {
                    remaining.erase(it);
                }
            } else if (kind >= "1" && kind <= "9") {
                send(std::stoi(kind), tokens.ExpandCommandTokens(cell(row, 2)), cell(row, 3));
                ++sent;
            } else {
                EXPECT_TRUE(kind == "Wait" || kind == "Count") << "row " << row << ": " << kind;
            }
            clock().advanceBy(10ms);
            row = next;
        }
        ADD_FAILURE() << "no End row reached";
        return sent;
    }

    void send(int address, const std::string& command, const std::string& flag) {
        sim::StepperController& drive = instrument.controller(address);
        while (drive.busy()) {
            clock().advanceBy(10ms);
        }
        EXPECT_EQ(drive.handle(command).error, sim::ControllerError::none)
            << address << " " << command;
        while (flag == "W" && drive.busy()) {
            clock().advanceBy(10ms);
        }
    }
    sim::VirtualClock& clock() { return platform.clock(); }

    app::MainForm form{platform};
    form::MainFormControls& controls = form.controls();
    platform::Grid& grid = controls.MSFlexGrid1;
    sim::SimulatedInstrument instrument{clock(), {}, [](std::string_view) {}};
    runner::CommandTokens tokens{controls.Position, controls.Speed, [] { return std::string(); },
                                 platform.scriptedRandom()};
};

TEST_P(ExampleProtocolsTest, LoadsSavesBackAndRunsOnTheSimulatedInstrument) {
    const std::string path = std::string(QUENDRIX_EXAMPLES_DIR "/") + GetParam() + ".protocol";
    const std::string original = readFile(path);
    ASSERT_FALSE(original.empty()) << path;
    platform.dialog().answer(path);
    controls.LoadProtocol.click();
    ASSERT_TRUE(platform.messages().shown().empty());

    const std::string copy = testing::TempDir() + GetParam() + ".protocol";
    platform.dialog().answer(copy);
    controls.SaveProtocol.click();
    EXPECT_EQ(readFile(copy), original);

    // The seeded draws, then the lowest and the highest of every random range.
    for (const float draw : {-1.0f, 0.0f, 0.99999f}) {
        SCOPED_TRACE(draw);
        for (int i = 0; draw >= 0 && i < 100; ++i) {
            platform.scriptedRandom().queue(draw);
        }
        EXPECT_GT(run(), 3);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleProtocolsTest,
                         ::testing::Values("prime-syringe", "valve-tour", "stepping-tokens"));

}  // namespace
}  // namespace quendrix
