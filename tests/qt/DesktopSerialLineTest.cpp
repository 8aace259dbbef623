#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>

#include "platform/Failure.h"
#include "qt/QtPlatform.h"
#include "sim/instrument/PacedLine.h"
#include "support/ConfigHome.h"
#include "support/PumpUntil.h"

namespace quendrix::qt {
namespace {

// The program's own platform, its settings leading port 1 to the built-in instrument.
class DesktopSerialLineTest : public ::testing::Test, public platform::SerialLineReceiver {
protected:
    DesktopSerialLineTest() {
        config.mapPort(1, QStringLiteral("sim"));
        config.mapPort(2, config.path() + QStringLiteral("/no-such-device"));
        line.setReceiver(this);
    }
    void onBytes(std::string_view bytes) override { received.append(bytes); }
    void onLineLost() override {}

    std::string ask(std::string_view command) {
        received.clear();
        line.write(command);
        EXPECT_TRUE(testsupport::pumpUntil([&] { return received.ends_with("\r\n"); }));
        return received;
    }

    testsupport::ConfigHome config;
    QtPlatform platform;
    platform::SerialLine& line = platform.serialLine();
    std::string received;
};

TEST_F(DesktopSerialLineTest, TheInstrumentAnswersAtLineSpeedAndKeepsItsStateAcrossOpens) {
    line.open(1, {});
    EXPECT_THAT([&] { line.open(2, {}); },
                ::testing::ThrowsMessage<platform::Failure>(::testing::HasSubstr("already open")));
    const auto start = std::chrono::steady_clock::now();
    // An unknown command sets error 3; a status query, even after a reopen, still reports it.
    EXPECT_EQ(ask("/1XR\r\n"), "/0c\x03\r\n");
    // The command up to its CR and the reply have crossed a 9600-baud line.
    EXPECT_GE(std::chrono::steady_clock::now() - start, sim::PacedLine::charactersTime(5 + 6));
    line.close();
    EXPECT_THROW(line.write("/1QR\r\n"), platform::Failure);
    EXPECT_THROW(line.open(2, {}), platform::Failure);  // other ports stay devices
    line.open(1, {});
    EXPECT_EQ(ask("/1QR\r\n"), "/0c\x03\r\n");  // ready, error 3
}

}  // namespace
}  // namespace quendrix::qt
