#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <chrono>
#include <string>
#include <string_view>

#include "platform/Failure.h"
#include "platform/LineSettings.h"
#include "qt/QtPlatform.h"
#include "sim/instrument/PacedLine.h"
#include "support/ConfigHome.h"
#include "support/PumpUntil.h"

namespace quendrix::qt {
namespace {

using platform::Failure;
using platform::LineSettings;

// The program's own platform with a settings file of the test's own that maps port 1 to the
// built-in simulated instrument; no simulator process runs.
class DesktopSerialLineTest : public ::testing::Test, public platform::SerialLineReceiver {
protected:
    DesktopSerialLineTest() {
        config.mapPort(1, QStringLiteral("sim"));
        line.setReceiver(this);
    }

    void onBytes(std::string_view bytes) override { received.append(bytes); }
    void onLineLost() override {}

    bool replied() const { return received.ends_with("\r\n"); }

    testsupport::ConfigHome config;
    QtPlatform platform;
    platform::SerialLine& line = platform.serialLine();
    std::string received;
};

TEST_F(DesktopSerialLineTest,
       AStatusQueryBringsBackTheInstrumentsReplyThroughTheEventLoopAtLineSpeed) {
    line.open(1, LineSettings{});
    QElapsedTimer clock;
    clock.start();
    line.write("/1QR\r\n");
    EXPECT_EQ(received, "");
    ASSERT_TRUE(testsupport::pumpUntil([&] { return replied(); }));
    const std::chrono::nanoseconds took(clock.nsecsElapsed());

    EXPECT_EQ(received, "/0`\x03\r\n");  // ready, no error
    // The command up to its CR, then the reply, has crossed a 9600-baud line; the LF crosses
    // while the reply comes back.
    const auto characters =
        static_cast<std::int64_t>(std::string_view("/1QR\r").size() + received.size());
    EXPECT_GE(took, sim::PacedLine::charactersTime(characters));
}

TEST_F(DesktopSerialLineTest, TheInstrumentKeepsItsStateAcrossOpensAndOtherPortsStayDevices) {
    line.open(1, LineSettings{});
    EXPECT_THROW(line.open(2, LineSettings{}), Failure);  // one line at a time
    line.write("/1XR\r\n");  // an unknown command: error 3 until the next command string
    ASSERT_TRUE(testsupport::pumpUntil([&] { return replied(); }));
    line.close();
    EXPECT_THROW(line.write("/1QR\r\n"), Failure);

    config.mapPort(2, config.path() + QStringLiteral("/no-such-device"));
    EXPECT_THROW(line.open(2, LineSettings{}), Failure);

    line.open(1, LineSettings{});
    received.clear();
    line.write("/1QR\r\n");
    ASSERT_TRUE(testsupport::pumpUntil([&] { return replied(); }));
    EXPECT_EQ(received, "/0c\x03\r\n");  // ready, error 3
}

}  // namespace
}  // namespace quendrix::qt
