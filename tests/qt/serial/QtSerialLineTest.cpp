#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "platform/Failure.h"
#include "platform/LineSettings.h"
#include "platform/SerialPort.h"
#include "qt/QtPlatform.h"
#include "qt/serial/PortDeviceName.h"
#include "qt/serial/QtSerialLine.h"
#include "sim/instrument/PacedLine.h"
#include "support/ConfigHome.h"
#include "support/ProcessCpuTime.h"
#include "support/PumpUntil.h"
#include "support/SimulatorProcess.h"

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

TEST_F(QtSerialLineTest, AWriteToAHungUpLineFailsNamingTheDeviceAndLosesTheLineOnce) {
    line.open(1, LineSettings{});
    const std::string device = ::ptsname(master);
    ::close(std::exchange(master, -1));
    EXPECT_THAT([&] { line.write("/1Q\r\n"); },
                ::testing::ThrowsMessage<Failure>(::testing::HasSubstr(device)));
    ASSERT_TRUE(testsupport::pumpUntil([&] { return linesLost > 0; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(linesLost, 1);
}

// More than the driver takes at once goes out whole and in order, and so does what follows.
TEST_F(QtSerialLineTest, BytesTheDriverCannotTakeYetFollowInOrder) {
    line.open(1, LineSettings{});
    std::string sent;
    for (int i = 0; sent.size() < 300'000; ++i) {
        sent += std::to_string(i) + "\r\n";
    }
    line.write(sent);
    line.write("/1Q\r\n");
    sent += "/1Q\r\n";
    std::string arrived;
    const auto drain = [&] {
        char chunk[4096];
        for (ssize_t n; (n = ::read(master, chunk, sizeof chunk)) > 0;) {
            arrived.append(chunk, static_cast<std::size_t>(n));
        }
        return arrived.size() >= sent.size();
    };
    ASSERT_NE(::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK), -1);
    ASSERT_TRUE(testsupport::pumpUntil(drain));
    EXPECT_EQ(arrived, sent);
}

// A pseudo-terminal carries eight bits and no parity bit whatever it is told; the rest shows.
TEST_F(QtSerialLineTest, LineTakesTheSettingsWithoutFlowControl) {
    // The settings, the speed, and the flags of PARODD, CMSPAR, CSTOPB and CRTSCTS.
    const std::tuple<const char*, speed_t, tcflag_t> cases[] = {
        {"19200,O,7,2", B19200, PARODD | CSTOPB},
        {"9600,M,8,1", B9600, PARODD | CMSPAR},
        {"115200,S,6,1", B115200, CMSPAR}};
    for (const auto& [text, speed, flags] : cases) {
        SCOPED_TRACE(text);
        line.open(1, LineSettings::parse(text));
        termios applied{};
        ::tcgetattr(master, &applied);
        EXPECT_EQ(cfgetospeed(&applied), speed);
        EXPECT_EQ(cfgetispeed(&applied), speed);
        EXPECT_EQ(applied.c_cflag & (PARODD | CMSPAR | CSTOPB | CRTSCTS), flags);
        EXPECT_EQ(applied.c_iflag & (IXON | IXOFF), 0u);
        line.close();
    }
}

// A port names its device on every system but Windows, where the port tests do not run.
TEST(PortDeviceNameTest, NamesTheDeviceOrOnSimInAnyCaseTheBuiltInInstrument) {
    const QTemporaryDir directory;
    QSettings settings(directory.filePath(QStringLiteral("quendrix.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Other/COM5"), QStringLiteral("sim"));  // not under Ports
    // Port, its entry under Ports (none if null), device, whether it leads to the instrument.
    const std::tuple<int, const char*, const char*, bool> cases[] = {
        {12, nullptr, "/dev/ttyS11", false},
        {2, "/dev/sim", "/dev/sim", false},
        {3, " /tmp/link ", "/tmp/link", false},
        {4, "", "/dev/ttyS3", false},
        {5, nullptr, "/dev/ttyS4", false},
        {6, "simulator", "simulator", false},
        {7, " SIM ", "SIM", true}};
    for (const auto& [port, entry, device, demo] : cases) {
        if (entry != nullptr) {
            settings.setValue(QStringLiteral("Ports/COM%1").arg(port), QString::fromLatin1(entry));
        }
        EXPECT_EQ(portDeviceName(port, settings).toStdString(), device) << "COM" << port;
        EXPECT_EQ(leadsToDemo(port, settings), demo) << "COM" << port;
    }
}

// The serial-port component on the Qt line, port 1 leading through a link that quendrix-sim
// makes and removes to a drive that answers an initialisation with no error, ready, no data.
TEST(SimulatorLinkTest, AnswersThroughTheLinkAndAHangUpClosesThePortUntilTheSimulatorIsBack) {
    const testsupport::ConfigHome config;
    const QStringList link{QStringLiteral("--link"), config.path() + QStringLiteral("/instrument")};
    config.mapPort(1, link.back());
    testsupport::SimulatorProcess simulator;
    QtSerialLine line;
    platform::SerialPort port{line};
    port.setRThreshold(1);
    port.setInputLen(1);
    std::string received;
    auto onCommHandler = port.OnComm.subscribe([&] { received += port.Input(); });
    const auto initialise = [&] {
        received.clear();
        port.setPortOpen(true);
        port.Output("/1ZR\r\n");
        EXPECT_TRUE(testsupport::pumpUntil([&] { return received == "/0`\x03\r\n"; })) << received;
    };

    ASSERT_NE(simulator.start(link + QStringList{"--hang-up-after", "2"}), "");
    initialise();
    port.Output("/1Q\r\n");
    ASSERT_TRUE(testsupport::pumpUntil([&] { return !port.PortOpen(); }));
    // Gone for good: the simulator has exited and its link with it.
    ASSERT_TRUE(testsupport::pumpUntil([&] { return !simulator.running(); }));
    EXPECT_THROW(port.setPortOpen(true), platform::Failure);

    ASSERT_NE(simulator.start(link), "");
    initialise();
}

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
