#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

#include "platform/Failure.h"
#include "platform/SerialPort.h"
#include "qt/serial/QtSerialLine.h"
#include "support/ConfigHome.h"
#include "support/PumpUntil.h"
#include "support/SimulatorProcess.h"

namespace quendrix::qt {
namespace {

using platform::Failure;

// The serial-port component of the program on the Qt line, port 1 leading to the simulated
// instrument through a link that quendrix-sim makes and removes. How often the line is closed
// and reports its loss is pinned by the tests of the line and of the component.
TEST(SimulatorLinkTest, AnswersThroughTheLinkAndAHangUpClosesThePortUntilTheSimulatorIsBack) {
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

    QtSerialLine line;
    platform::SerialPort port{line};
    port.setRThreshold(1);
    port.setInputLen(1);
    std::string received;
    auto onCommHandler = port.OnComm.subscribe([&] { received += port.Input(); });
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

    port.Output("/1Q\r\n");
    ASSERT_TRUE(testsupport::pumpUntil([&] { return !port.PortOpen(); }));
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(received, initialised);

    // Gone for good: the simulator has exited and its link with it.
    ASSERT_TRUE(testsupport::pumpUntil([&] { return !simulator.running(); }));
    EXPECT_THROW(port.setPortOpen(true), Failure);

    ASSERT_NO_FATAL_FAILURE(startSimulator({}));
    port.setPortOpen(true);
    ASSERT_NO_FATAL_FAILURE(initialise());
    simulator.stop();
}

}  // namespace
}  // namespace quendrix::qt
