#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QString>
#include <cstdlib>
#include <stdexcept>
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
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

// Port 1 leads to a pseudo-terminal whose far end the test plays: the line opens the other
// end as its device, the test writes and reads the master side.
class QtSerialLineTest : public ::testing::Test, public platform::SerialLineReceiver {
protected:
    QtSerialLineTest() {
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
            throw std::runtime_error("no pseudo-terminal");
        }
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        // Raw from the start, so that nothing sent before the line opens it is echoed.
        termios settings = deviceSettings();
        ::cfmakeraw(&settings);
        ::tcsetattr(master, TCSANOW, &settings);
        config.mapPort(1, QString::fromLocal8Bit(::ptsname(master)));
        line.setReceiver(this);
    }
    ~QtSerialLineTest() override {
        line.close();
        hangUp();
    }

    void onBytes(std::string_view bytes) override { received.append(bytes); }
    void onLineLost() override { ++linesLost; }

    void send(std::string_view bytes) {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // What the line has written, waiting for at least `count` bytes without handling events.
    std::string sent(std::size_t count) {
        std::string bytes;
        pollfd readable{master, POLLIN, 0};
        char buffer[256];
        ssize_t got = 0;
        while (bytes.size() < count && ::poll(&readable, 1, testsupport::generous / 1ms) > 0 &&
               (got = ::read(master, buffer, sizeof buffer)) > 0) {
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        return bytes;
    }

    termios deviceSettings() const {
        termios settings{};
        ::tcgetattr(master, &settings);
        return settings;
    }

    // The device goes away, as an unplugged adapter does.
    void hangUp() { ::close(std::exchange(master, -1)); }

    testsupport::ConfigHome config;
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    std::string received;
    int linesLost = 0;
    QtSerialLine line;
};

TEST_F(QtSerialLineTest, HandsOnReceivedBytesInOrderButNoneSentBeforeTheOpen) {
    send("/0@stale\r\n");
    line.open(1, LineSettings{});
    std::string burst;
    for (int i = 0; i < 3000; ++i) {
        burst += static_cast<char>('0' + i % 75);
    }
    send("/0`\x03\r\n");
    send(burst);
    ASSERT_TRUE(testsupport::pumpUntil([&] { return received.size() >= 6 + burst.size(); }));
    testsupport::pumpFor(50ms);
    EXPECT_EQ(received, "/0`\x03\r\n" + burst);
}

TEST_F(QtSerialLineTest, WritesGoOutAtOnceOnlyWhileOpenAndAClosedLineOpensAgain) {
    EXPECT_THROW(line.write("/1Q\r\n"), Failure);
    line.open(1, LineSettings{});
    line.write("/1ZR\r\n");
    // No event is handled in between: the bytes must not wait for the next pass of the loop.
    EXPECT_EQ(sent(6), "/1ZR\r\n");
    line.close();
    EXPECT_FALSE(line.isOpen());
    EXPECT_THROW(line.write("/1Q\r\n"), Failure);
    line.open(1, LineSettings{});
    send("/0`\r");
    ASSERT_TRUE(testsupport::pumpUntil([&] { return received.size() >= 4; }));
    EXPECT_EQ(received, "/0`\r");
}

TEST_F(QtSerialLineTest, OpenFailsOnAPortInUseAMissingDeviceOrDataBitsThePortCannotSend) {
    LineSettings fourDataBits;
    fourDataBits.dataBits = 4;
    EXPECT_THROW(line.open(1, fourDataBits), Failure);
    EXPECT_FALSE(line.isOpen());

    const QString missing = config.path() + QStringLiteral("/no-such-device");
    config.mapPort(2, missing);
    EXPECT_THAT([&] { line.open(2, LineSettings{}); },
                ThrowsMessage<Failure>(HasSubstr(missing.toStdString())));
    EXPECT_FALSE(line.isOpen());

    line.open(1, LineSettings{});
    EXPECT_THROW(line.open(1, LineSettings{}), Failure);
    EXPECT_TRUE(line.isOpen());
    QtSerialLine other;
    EXPECT_THROW(other.open(1, LineSettings{}), Failure);
    EXPECT_FALSE(other.isOpen());
}

TEST_F(QtSerialLineTest, HangUpClosesThePortOnceAndTellsTheReceiverOnce) {
    line.open(1, LineSettings{});
    hangUp();
    ASSERT_TRUE(testsupport::pumpUntil([&] { return linesLost > 0; }));
    EXPECT_FALSE(line.isOpen());

    // A port left open on a dead device keeps one core busy; a bound on that fault, not a
    // measure of speed.
    const auto before = testsupport::processCpuTime();
    testsupport::pumpFor(1s);
    EXPECT_LT(testsupport::processCpuTime() - before, 200ms);
    EXPECT_EQ(linesLost, 1);
    EXPECT_THROW(line.write("/1Q\r\n"), Failure);
}

// A pseudo-terminal always carries eight bits without a parity bit, whatever it is told, so
// the data size and the parity switch cannot be seen here; the speed, the kind of parity, the
// stop bits and the flow control can.
TEST_F(QtSerialLineTest, LineTakesTheSettingsWithoutFlowControl) {
    struct {
        const char* text;
        speed_t speed;
        tcflag_t paritySense;  // of PARODD and CMSPAR
        bool twoStopBits;
    } const cases[] = {
        {"9600,N,8,1", B9600, 0, false},          {"19200,E,7,2", B19200, 0, true},
        {"4800,O,8,1", B4800, PARODD, false},     {"9600,M,8,1", B9600, PARODD | CMSPAR, false},
        {"115200,S,6,1", B115200, CMSPAR, false},
    };
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.text);
        line.open(1, LineSettings::parse(expected.text));
        const termios applied = deviceSettings();
        EXPECT_EQ(cfgetospeed(&applied), expected.speed);
        EXPECT_EQ(cfgetispeed(&applied), expected.speed);
        EXPECT_EQ(applied.c_cflag & (PARODD | CMSPAR), expected.paritySense);
        EXPECT_EQ((applied.c_cflag & CSTOPB) != 0, expected.twoStopBits);
        EXPECT_EQ(applied.c_cflag & CRTSCTS, 0u);
        EXPECT_EQ(applied.c_iflag & (IXON | IXOFF), 0u);
        line.close();
    }
}

}  // namespace
}  // namespace quendrix::qt
