#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "sim/virtualtime/SimPlatform.h"

namespace quendrix {
namespace {

using sim::Micros;
using namespace std::chrono_literals;

class ManualTestButtonsTest : public ::testing::Test {
protected:
    // The framed commands on the line, each with the moment it was written.
    std::vector<sim::SimSerialLine::Write> commands() {
        std::vector<sim::SimSerialLine::Write> framed;
        std::ranges::copy_if(platform.serial().writes(), std::back_inserter(framed),
                             [](const auto& write) { return write.bytes.starts_with("/"); });
        return framed;
    }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::Inventory& c = form.controls();
};

// The one full sweep: 60 million yields, each a small step of virtual time.
TEST_F(ManualTestButtonsTest, TheSweepSendsTwelveHundredPositionsToAddressOneAPauseApart) {
    c.Command5.click();

    const auto sent = commands();
    ASSERT_EQ(sent.size(), 1200u);
    EXPECT_EQ(sent.front().bytes, "/1A10R");
    EXPECT_EQ(sent[1].bytes, "/1A20R");
    EXPECT_EQ(c.strPumpString.text(), "/1A12000R");
    EXPECT_EQ(sent.back().bytes, "/1A12000R");
    for (std::size_t i = 1; i < sent.size(); ++i) {
        ASSERT_EQ(sent[i].at - sent[i - 1].at, Micros{100ms}) << i;
    }
    EXPECT_EQ(platform.clock().now(), Micros{120s});
}

TEST_F(ManualTestButtonsTest, ClosingTheProgramEndsTheSweepAtItsNextYield) {
    platform.clock().at(Micros{250ms}, [&] { c.MainForm.close(); });
    c.Command5.click();

    const auto sent = commands();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent.back().bytes, "/1A30R");
    EXPECT_LE(platform.serial().writes().back().at, Micros{250ms});
    EXPECT_FALSE(c.MSComm1.PortOpen());
}

TEST_F(ManualTestButtonsTest, Command2TogglesTheCommunicationsPanel) {
    c.Command2.click();
    EXPECT_FALSE(c.Frame3.visible());
    c.Command2.click();
    EXPECT_TRUE(c.Frame3.visible());
}

}  // namespace
}  // namespace quendrix
