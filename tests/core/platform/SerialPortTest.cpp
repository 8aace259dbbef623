#include <gtest/gtest.h>

#include <string>

#include "platform/Failure.h"
#include "platform/LineSettings.h"
#include "platform/SerialPort.h"

namespace quendrix {
namespace {

using platform::Failure;
using platform::LineSettings;

// A line that records what the component does with it.
class FakeLine final : public platform::SerialLine {
public:
    void open(int port, const LineSettings& settings) override {
        if (port == missingPort) {
            throw Failure("no such port");
        }
        openedPort = port;
        openedWith = settings;
        ++opens;
    }
    void close() override { ++closes; }
    void write(std::string_view bytes) override { written += bytes; }
    void setReceiver(platform::SerialLineReceiver* r) override { receiver = r; }

    platform::SerialLineReceiver* receiver = nullptr;
    int missingPort = 9;
    int openedPort = 0;
    LineSettings openedWith;
    int opens = 0;
    int closes = 0;
    std::string written;
};

class SerialPortTest : public ::testing::Test {
protected:
    FakeLine line;
    platform::SerialPort port{line};
};

TEST_F(SerialPortTest, OpensWithItsPortNumberAndSettings) {
    port.setCommPort(3);
    port.setSettings("19200,E,7,2");
    port.setPortOpen(true);
    EXPECT_EQ(line.openedPort, 3);
    EXPECT_EQ(line.openedWith,
              (LineSettings{19200, LineSettings::Parity::Even, 7, LineSettings::StopBits::Two}));
    EXPECT_TRUE(port.PortOpen());
}

TEST_F(SerialPortTest, WhatCannotBeDoneIsAFailure) {
    EXPECT_THROW(port.Output("x"), Failure);  // not open
    EXPECT_THROW(port.setSettings("9600,N,8"), Failure);
    EXPECT_THROW(port.setSettings("fast,N,8,1"), Failure);
    EXPECT_EQ(port.Settings(), "9600,N,8,1");
    EXPECT_THROW(port.setCommPort(0), Failure);
    port.setCommPort(9);
    EXPECT_THROW(port.setPortOpen(true), Failure);
    EXPECT_FALSE(port.PortOpen());
    port.setCommPort(1);
    port.setPortOpen(true);
    EXPECT_THROW(port.setPortOpen(true), Failure);  // already open
    EXPECT_THROW(port.setCommPort(2), Failure);     // not while open
    EXPECT_EQ(line.opens, 1);
}

TEST_F(SerialPortTest, AnnouncesReceivedCharactersOneAtATimeInOrder) {
    port.setRThreshold(1);
    port.setInputLen(1);
    port.setPortOpen(true);
    std::string seen;
    auto handler = port.OnComm.subscribe([&] { seen += port.Input() + "|"; });
    line.receiver->onBytes("/0`");
    line.receiver->onBytes("\r\n");
    EXPECT_EQ(seen, "/|0|`|\r|\n|");
    EXPECT_EQ(port.InBufferCount(), 0u);
}

TEST_F(SerialPortTest, WithoutAThresholdNothingIsAnnounced) {
    port.setPortOpen(true);
    int notifications = 0;
    auto handler = port.OnComm.subscribe([&] { ++notifications; });
    line.receiver->onBytes("abc");
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(port.Input(), "abc");  // InputLen 0 reads everything
}

TEST_F(SerialPortTest, AHandlerThatReadsNothingIsNotCalledForEver) {
    port.setRThreshold(1);
    port.setPortOpen(true);
    int notifications = 0;
    auto handler = port.OnComm.subscribe([&] { ++notifications; });
    line.receiver->onBytes("abc");
    EXPECT_EQ(notifications, 1);
}

TEST_F(SerialPortTest, ALostLineClosesThePortOnceAndItCanOpenAgain) {
    port.setRThreshold(1);
    port.setPortOpen(true);
    line.receiver->onLineLost();
    line.receiver->onLineLost();
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(line.closes, 1);
    EXPECT_THROW(port.Output("x"), Failure);
    port.setPortOpen(true);
    EXPECT_EQ(line.opens, 2);
}

TEST(LineSettingsParse, AcceptsTheUsualFormsAndRejectsTheRest) {
    EXPECT_EQ(LineSettings::parse("9600,N,8,1"), LineSettings{});
    EXPECT_EQ(LineSettings::parse("9600,n,8,1.5").stopBits, LineSettings::StopBits::OneAndHalf);
    EXPECT_EQ(LineSettings::parse("300,O,5,1").parity, LineSettings::Parity::Odd);
    for (const char* bad : {"", "9600", "9600,N,8,1,1", "9600,X,8,1", "9600,N,9,1", "9600,N,8,3",
                            "-9600,N,8,1", "9600,NN,8,1", " 9600,N,8,1"}) {
        EXPECT_THROW(LineSettings::parse(bad), Failure) << bad;
    }
}

}  // namespace
}  // namespace quendrix
