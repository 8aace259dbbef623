#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>
#include <string>

#include "platform/Failure.h"
#include "platform/SerialPort.h"
#include "qt/serial/ConfigHome.h"
#include "qt/serial/EventLoop.h"
#include "qt/serial/QtSerialLine.h"
#include "qt/serial/SimulatorProcess.h"
#include "qt/serial/WatchedLine.h"

namespace quendrix::qt {
namespace {

using namespace std::chrono_literals;
using platform::Failure;

constexpr auto generous = 10s;
// The drive's answer to an initialisation: no error, ready, no data.
constexpr std::string_view initialised = "/0`\x03\r\n";

QString simulatorProgram() {
#ifdef QUENDRIX_SIM_PATH
    return QStringLiteral(QUENDRIX_SIM_PATH);
#else
    return {};
#endif
}

// The serial-port component of the program on the Qt line, port 1 mapped to the simulated
// instrument through a link that the simulator makes and removes.
class SimulatorLinkTest : public ::testing::Test {
protected:
    SimulatorLinkTest() {
        config.mapPort(1, linkPath());
        port.setSettings("9600,N,8,1");
        port.setRThreshold(1);
        port.setInputLen(1);
        port.OnComm = [this] {
            const std::string character = port.Input();
            received += character;
            if (character.size() != 1) {
                ++notOneCharacter;
            }
        };
    }

    void SetUp() override {
        if (simulatorProgram().isEmpty()) {
            GTEST_SKIP() << "quendrix-sim was not built";
        }
    }

    QString linkPath() const { return config.path() + QStringLiteral("/instrument"); }

    std::unique_ptr<test::SimulatorProcess> startSimulator(QStringList options = {}) {
        options << QStringLiteral("--link") << linkPath();
        auto simulator = std::make_unique<test::SimulatorProcess>(simulatorProgram(), options);
        if (simulator->devicePath(generous).isEmpty()) {
            ADD_FAILURE() << "quendrix-sim did not start";
        }
        return simulator;
    }

    bool receiveAtLeast(std::size_t count) {
        return test::pumpUntil([&] { return received.size() >= count; }, QDeadlineTimer(generous));
    }

    test::ConfigHome config;
    QtSerialLine qtLine;
    test::WatchedLine line{qtLine};
    platform::SerialPort port{line};
    std::string received;
    int notOneCharacter = 0;
};

TEST_F(SimulatorLinkTest, ReplyIsAnnouncedOneCharacterAtATime) {
    const auto simulator = startSimulator();
    port.setPortOpen(true);
    port.Output("/1ZR\r\n");
    ASSERT_TRUE(receiveAtLeast(initialised.size())) << "received " << received.size();
    EXPECT_EQ(received, initialised);
    EXPECT_EQ(notOneCharacter, 0);
}

TEST_F(SimulatorLinkTest, HangUpClosesOnceWithoutSpinningAndTheNextOpenFindsANewInstrument) {
    auto simulator = startSimulator({QStringLiteral("--hang-up-after"), QStringLiteral("2")});
    port.setPortOpen(true);
    port.Output("/1ZR\r\n");
    ASSERT_TRUE(receiveAtLeast(initialised.size()));

    port.Output("/1Q\r\n");
    ASSERT_TRUE(test::pumpUntil([&] { return !port.PortOpen(); }, QDeadlineTimer(generous)));
    EXPECT_EQ(line.linesLost, 1);
    EXPECT_EQ(line.closes, 1);
    EXPECT_FALSE(qtLine.isOpen());
    EXPECT_EQ(received, initialised);

    // A bound on the fault of a port left open on a dead device, which keeps one core busy;
    // not a measure of speed.
    const auto before = test::processCpuTime();
    test::pumpFor(1s);
    EXPECT_LT(test::processCpuTime() - before, 200ms);
    EXPECT_EQ(line.linesLost, 1);
    EXPECT_EQ(line.closes, 1);

    // Gone for good: the simulator has exited and its link with it.
    ASSERT_TRUE(simulator->waitForExit(generous));
    EXPECT_THROW(port.setPortOpen(true), Failure);
    EXPECT_FALSE(port.PortOpen());

    simulator = startSimulator();
    port.setPortOpen(true);
    received.clear();
    port.Output("/1ZR\r\n");
    ASSERT_TRUE(receiveAtLeast(initialised.size()));
    EXPECT_EQ(received, initialised);
    EXPECT_EQ(line.opens, 2);
}

}  // namespace
}  // namespace quendrix::qt
