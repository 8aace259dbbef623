#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QString>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Failure.h"
#include "platform/LineSettings.h"
#include "qt/serial/QtSerialLine.h"
#include "support/ConfigHome.h"
#include "support/ProcessCpuTime.h"
#include "support/PumpUntil.h"

namespace quendrix::qt {
namespace {

using namespace std::chrono_literals;
using platform::Failure;
using platform::LineSettings;

// Port 1 leads to a pseudo-terminal; the test plays the device on its master side.
class QtSerialLineTest : public ::testing::Test, public platform::SerialLineReceiver {
protected:
    void SetUp() override {
        ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        config.mapPort(1, QString::fromLocal8Bit(::ptsname(master)));
        line.setReceiver(this);
    }
    ~QtSerialLineTest() override { ::close(master); }

    void onBytes(std::string_view bytes) override { received.append(bytes); }
    void onLineLost() override { ++linesLost; }

    testsupport::ConfigHome config;
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    std::string received;
    int linesLost = 0;
    QtSerialLine line;
};

TEST_F(QtSerialLineTest, WritesGoOutAtOnceWhileOpenAndReadsBringNothingSentBeforeTheOpen) {
    line.open(1, LineSettings{});
    line.write("/1ZR\r\n");
    // The far end has the bytes before any event is handled, not on the loop's next pass.
    pollfd readable{master, POLLIN, 0};
    ASSERT_EQ(::poll(&readable, 1, testsupport::generous / 1ms), 1);
    char written[8]{};
    ASSERT_EQ(::read(master, written, sizeof written - 1), 6);
    EXPECT_STREQ(written, "/1ZR\r\n");
    line.close();
    EXPECT_THROW(line.write("/1Q\r\n"), Failure);

    ASSERT_EQ(::write(master, "/0@stale\r\n", 10), 10);
    line.open(1, LineSettings{});
    std::string reply = "/0`\x03\r\n";
    while (reply.size() < 3000) {
        reply += std::to_string(reply.size());
    }
    ASSERT_EQ(::write(master, reply.data(), reply.size()), static_cast<ssize_t>(reply.size()));
    ASSERT_TRUE(testsupport::pumpUntil([&] { return received.size() >= reply.size(); }));
    EXPECT_EQ(received, reply);
}

TEST_F(QtSerialLineTest, OpenFailsOnAPortInUseAMissingDeviceOrDataBitsThePortCannotSend) {
    EXPECT_THROW(line.open(1, LineSettings{.dataBits = 4}), Failure);
    const QString missing = config.path() + QStringLiteral("/no-such-device");
    config.mapPort(2, missing);
    EXPECT_THAT([&] { line.open(2, LineSettings{}); },
                ::testing::ThrowsMessage<Failure>(::testing::HasSubstr(missing.toStdString())));
    line.open(1, LineSettings{});
    EXPECT_THROW(line.open(1, LineSettings{}), Failure);
    QtSerialLine other;
    EXPECT_THROW(other.open(1, LineSettings{}), Failure);
}

TEST_F(QtSerialLineTest, HangUpClosesThePortOnceAndTellsTheReceiverOnce) {
    line.open(1, LineSettings{});
    ::close(std::exchange(master, -1));  // as an unplugged adapter goes away
    // A port left open on a dead device keeps a core busy: a bound on that fault, not on speed.
    const auto before = testsupport::processCpuTime();
    ASSERT_TRUE(testsupport::pumpUntil([&] { return linesLost > 0; }));
    EXPECT_LT(testsupport::processCpuTime() - before, 200ms);
    QCoreApplication::processEvents();  // whatever else the hang-up queued
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(linesLost, 1);
}

// A pseudo-terminal carries eight bits and no parity bit whatever it is told; the rest shows.
TEST_F(QtSerialLineTest, LineTakesTheSettingsWithoutFlowControl) {
    struct {
        const char* text;
        speed_t speed;
        tcflag_t flags;  // of PARODD, CMSPAR, CSTOPB and CRTSCTS
    } const cases[] = {{"19200,O,7,2", B19200, PARODD | CSTOPB},
                       {"9600,M,8,1", B9600, PARODD | CMSPAR},
                       {"115200,S,6,1", B115200, CMSPAR}};
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.text);
        line.open(1, LineSettings::parse(expected.text));
        termios applied{};
        ::tcgetattr(master, &applied);
        EXPECT_EQ(cfgetospeed(&applied), expected.speed);
        EXPECT_EQ(cfgetispeed(&applied), expected.speed);
        EXPECT_EQ(applied.c_cflag & (PARODD | CMSPAR | CSTOPB | CRTSCTS), expected.flags);
        EXPECT_EQ(applied.c_iflag & (IXON | IXOFF), 0u);
        line.close();
    }
}

}  // namespace
}  // namespace quendrix::qt
