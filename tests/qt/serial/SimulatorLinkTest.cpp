#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <string>

#include "platform/Failure.h"
#include "platform/SerialPort.h"
#include "qt/serial/QtSerialLine.h"
#include "support/ConfigHome.h"
#include "support/PumpUntil.h"
#include "support/SimulatorProcess.h"

namespace quendrix::qt {
namespace {

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

}  // namespace
}  // namespace quendrix::qt
