#include <gtest/gtest.h>
#include <termios.h>

#include <QDeadlineTimer>
#include <QString>
#include <chrono>
#include <ostream>
#include <string>

#include "platform/Failure.h"
#include "platform/LineSettings.h"
#include "qt/serial/ConfigHome.h"
#include "qt/serial/EventLoop.h"
#include "qt/serial/PseudoTerminal.h"
#include "qt/serial/QtSerialLine.h"
#include "qt/serial/RecordingReceiver.h"

namespace quendrix::qt {
namespace {

using namespace std::chrono_literals;
using platform::Failure;
using platform::LineSettings;
using test::RecordingReceiver;

constexpr auto generous = 10s;

// Port 1 leads to a pseudo-terminal that the test plays the device on.
class QtSerialLineTest : public ::testing::Test {
protected:
    QtSerialLineTest() {
        config.mapPort(1, QString::fromStdString(device.slavePath()));
        line.setReceiver(&receiver);
    }

    bool receiveAtLeast(std::size_t count) {
        return test::pumpUntil([&] { return receiver.received.size() >= count; },
                               QDeadlineTimer(generous));
    }

    test::ConfigHome config;
    test::PseudoTerminal device;
    RecordingReceiver receiver;
    QtSerialLine line;
};

TEST_F(QtSerialLineTest, OpensTheDeviceThatTheSettingsName) {
    line.open(1, LineSettings{});
    EXPECT_TRUE(line.isOpen());
    EXPECT_EQ(line.deviceName().toStdString(), device.slavePath());
}

TEST_F(QtSerialLineTest, HandsReceivedBytesOnInOrder) {
    line.open(1, LineSettings{});
    std::string burst;
    for (int i = 0; i < 3000; ++i) {
        burst += static_cast<char>('0' + i % 75);
    }
    device.send("/0`\x03\r\n");
    device.send(burst);
    ASSERT_TRUE(receiveAtLeast(6 + burst.size()));
    EXPECT_EQ(receiver.received, "/0`\x03\r\n" + burst);
}

TEST_F(QtSerialLineTest, DropsWhatTheDeviceSentBeforeTheOpen) {
    device.send("/0@stale\r\n");
    line.open(1, LineSettings{});
    device.send("/0`\r");
    ASSERT_TRUE(receiveAtLeast(4));
    test::pumpFor(50ms);
    EXPECT_EQ(receiver.received, "/0`\r");
}

TEST_F(QtSerialLineTest, WritesReachTheDeviceAtOnce) {
    line.open(1, LineSettings{});
    line.write("/1ZR\r\n");
    // No event is handled in between: the bytes must not wait for the next pass of the loop.
    EXPECT_EQ(device.receive(6, generous), "/1ZR\r\n");
}

TEST_F(QtSerialLineTest, OpensAgainAfterAClose) {
    line.open(1, LineSettings{});
    line.close();
    EXPECT_FALSE(line.isOpen());
    line.open(1, LineSettings{});
    device.send("/0`\r");
    ASSERT_TRUE(receiveAtLeast(4));
    EXPECT_EQ(receiver.received, "/0`\r");
}

TEST_F(QtSerialLineTest, WriteFailsUnlessOpen) {
    EXPECT_THROW(line.write("/1Q\r\n"), Failure);
    line.open(1, LineSettings{});
    line.close();
    EXPECT_THROW(line.write("/1Q\r\n"), Failure);
}

TEST_F(QtSerialLineTest, SecondOpenOfAnOpenLineFails) {
    line.open(1, LineSettings{});
    EXPECT_THROW(line.open(1, LineSettings{}), Failure);
    EXPECT_TRUE(line.isOpen());
}

TEST_F(QtSerialLineTest, PortHeldByAnotherLineCannotBeOpened) {
    line.open(1, LineSettings{});
    QtSerialLine other;
    EXPECT_THROW(other.open(1, LineSettings{}), Failure);
    EXPECT_FALSE(other.isOpen());
}

TEST_F(QtSerialLineTest, MissingDeviceFailsWithItsName) {
    const QString missing = config.path() + QStringLiteral("/no-such-device");
    config.mapPort(2, missing);
    try {
        line.open(2, LineSettings{});
        FAIL() << "opened a device that does not exist";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find(missing.toStdString()), std::string::npos)
            << failure.what();
    }
    EXPECT_FALSE(line.isOpen());
}

TEST_F(QtSerialLineTest, DataBitsThePortCannotSendFailTheOpen) {
    LineSettings settings;
    settings.dataBits = 4;
    EXPECT_THROW(line.open(1, settings), Failure);
    EXPECT_FALSE(line.isOpen());
}

TEST_F(QtSerialLineTest, HangUpClosesThePortOnceAndTellsTheReceiverOnce) {
    line.open(1, LineSettings{});
    device.hangUp();
    ASSERT_TRUE(test::pumpUntil([&] { return receiver.linesLost > 0; }, QDeadlineTimer(generous)));
    EXPECT_FALSE(line.isOpen());

    // A port left open on a dead device keeps one core busy; a bound on that fault, not a
    // measure of speed.
    const auto before = test::processCpuTime();
    test::pumpFor(1s);
    EXPECT_LT(test::processCpuTime() - before, 200ms);
    EXPECT_EQ(receiver.linesLost, 1);
    EXPECT_THROW(line.write("/1Q\r\n"), Failure);
}

// A pseudo-terminal always carries eight bits without a parity bit, whatever it is told, so
// the data size and the parity switch cannot be seen here; the speed, the kind of parity, the
// stop bits and the flow control can.
struct SettingsCase {
    const char* text;
    speed_t speed;
    tcflag_t paritySense;  // of PARODD and CMSPAR
    bool twoStopBits;
};

void PrintTo(const SettingsCase& settings, std::ostream* out) {
    *out << '"' << settings.text << '"';
}

class QtSerialLineSettingsTest : public QtSerialLineTest,
                                 public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(QtSerialLineSettingsTest, LineTakesTheSettingsWithoutFlowControl) {
    const SettingsCase& expected = GetParam();
    line.open(1, LineSettings::parse(expected.text));
    const termios applied = device.lineSettings();
    EXPECT_EQ(cfgetospeed(&applied), expected.speed);
    EXPECT_EQ(cfgetispeed(&applied), expected.speed);
    EXPECT_EQ(applied.c_cflag & (PARODD | CMSPAR), expected.paritySense);
    EXPECT_EQ((applied.c_cflag & CSTOPB) != 0, expected.twoStopBits);
    EXPECT_EQ(applied.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(applied.c_iflag & (IXON | IXOFF), 0u);
}

INSTANTIATE_TEST_SUITE_P(Texts, QtSerialLineSettingsTest,
                         ::testing::Values(SettingsCase{"9600,N,8,1", B9600, 0, false},
                                           SettingsCase{"19200,E,7,2", B19200, 0, true},
                                           SettingsCase{"4800,O,8,1", B4800, PARODD, false},
                                           SettingsCase{"9600,M,8,1", B9600, PARODD | CMSPAR,
                                                        false},
                                           SettingsCase{"115200,S,6,1", B115200, CMSPAR, false}));

}  // namespace
}  // namespace quendrix::qt
