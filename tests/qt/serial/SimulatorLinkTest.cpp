#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <chrono>
#include <string>
#include <string_view>

#include "platform/Failure.h"
#include "platform/SerialLine.h"
#include "platform/SerialPort.h"
#include "qt/serial/QtSerialLine.h"
#include "support/ConfigHome.h"
#include "support/ProcessCpuTime.h"
#include "support/PumpUntil.h"
#include "support/SimulatorProcess.h"

namespace quendrix::qt {
namespace {

using namespace std::chrono_literals;
using platform::Failure;

// Passes everything between a serial line and its receiver through, counting the opens and
// closes the receiver asks for and the losses the line reports.
struct WatchedLine final : platform::SerialLine, platform::SerialLineReceiver {
    explicit WatchedLine(platform::SerialLine& watched) : line(watched) {}

    void open(int port, const platform::LineSettings& settings) override {
        line.open(port, settings);
        ++opens;
    }
    void close() override {
        ++closes;
        line.close();
    }
    void write(std::string_view bytes) override { line.write(bytes); }
    void setReceiver(platform::SerialLineReceiver* next) override {
        receiver = next;
        line.setReceiver(next != nullptr ? this : nullptr);
    }
    void onBytes(std::string_view bytes) override { receiver->onBytes(bytes); }
    void onLineLost() override {
        ++linesLost;
        receiver->onLineLost();
    }

    platform::SerialLine& line;
    platform::SerialLineReceiver* receiver = nullptr;
    int opens = 0;
    int closes = 0;
    int linesLost = 0;
};

// The serial-port component of the program on the Qt line, port 1 leading to the simulated
// instrument through a link that quendrix-sim makes and removes.
TEST(SimulatorLinkTest, ReplyComesOneCharacterAtATimeAndAHangUpClosesOnceWithoutSpinning) {
    // The drive's answer to an initialisation: no error, ready, no data.
    constexpr std::string_view initialised = "/0`\x03\r\n";
    const testsupport::ConfigHome config;
    const QString link = config.path() + QStringLiteral("/instrument");
    config.mapPort(1, link);
    testsupport::SimulatorProcess simulator;
    const auto startSimulator = [&](QStringList options) {
        ASSERT_FALSE(simulator.start(options << QStringLiteral("--link") << link).isEmpty())
            << "quendrix-sim did not start";
    };

    QtSerialLine qtLine;
    WatchedLine line{qtLine};
    platform::SerialPort port{line};
    port.setSettings("9600,N,8,1");
    port.setRThreshold(1);
    port.setInputLen(1);
    std::string received;
    int notOneCharacter = 0;
    auto onCommHandler = port.OnComm.subscribe([&] {
        const std::string character = port.Input();
        received += character;
        notOneCharacter += character.size() != 1 ? 1 : 0;
    });
    const auto initialise = [&] {
        received.clear();
        port.Output("/1ZR\r\n");
        ASSERT_TRUE(testsupport::pumpUntil([&] { return received.size() >= initialised.size(); }))
            << "received " << received.size();
        EXPECT_EQ(received, initialised);
    };

    ASSERT_NO_FATAL_FAILURE(
        startSimulator({QStringLiteral("--hang-up-after"), QStringLiteral("2")}));
    port.setPortOpen(true);
    ASSERT_NO_FATAL_FAILURE(initialise());
    EXPECT_EQ(notOneCharacter, 0);

    port.Output("/1Q\r\n");
    ASSERT_TRUE(testsupport::pumpUntil([&] { return !port.PortOpen(); }));
    EXPECT_FALSE(qtLine.isOpen());
    EXPECT_EQ(received, initialised);

    // A bound on the fault of a port left open on a dead device, which keeps one core busy;
    // not a measure of speed.
    const auto before = testsupport::processCpuTime();
    testsupport::pumpFor(1s);
    EXPECT_LT(testsupport::processCpuTime() - before, 200ms);
    EXPECT_EQ(line.linesLost, 1);
    EXPECT_EQ(line.closes, 1);

    // Gone for good: the simulator has exited and its link with it.
    ASSERT_TRUE(testsupport::pumpUntil([&] { return !simulator.running(); }));
    EXPECT_THROW(port.setPortOpen(true), Failure);
    EXPECT_FALSE(port.PortOpen());

    ASSERT_NO_FATAL_FAILURE(startSimulator({}));
    port.setPortOpen(true);
    ASSERT_NO_FATAL_FAILURE(initialise());
    EXPECT_EQ(line.opens, 2);
    simulator.stop();
}

}  // namespace
}  // namespace quendrix::qt
