#include <gtest/gtest.h>

#include <string>

#include "platform/Failure.h"
#include "platform/LineSettings.h"
#include "platform/SerialPort.h"

namespace quendrix {
namespace {

using platform::Failure;
using platform::LineSettings;

// The component on a line that records what it is asked to do. One character per
// notification and the reopening after a lost line are pinned by the device link's tests.
class SerialPortTest : public ::testing::Test, private platform::SerialLine {
protected:
    void open(int number, const LineSettings& settings) override {
        if (number == 9) {
            throw Failure("no such port");
        }
        openedWith = settings;
        ++opens;
    }
    void close() override {}
    void write(std::string_view) override {}
    void setReceiver(platform::SerialLineReceiver* r) override { receiver = r; }

    platform::SerialLineReceiver* receiver = nullptr;
    LineSettings openedWith;
    int opens = 0;
    platform::SerialPort port{*this};
    int notifications = 0;
    platform::Subscription handler = port.OnComm.subscribe([this] { ++notifications; });
};

// A handler that reads nothing is called once, not for ever. InputLen 0 reads everything.
TEST_F(SerialPortTest, OpensWithItsSettingsRefusesWhatCannotBeDoneAndAnnouncesFromTheThreshold) {
    EXPECT_THROW(port.Output("x"), Failure);  // not open
    EXPECT_THROW(port.setSettings("9600,N,8"), Failure);
    EXPECT_EQ(port.Settings(), "9600,N,8,1");
    EXPECT_THROW(port.setCommPort(0), Failure);
    port.setCommPort(9);
    EXPECT_THROW(port.setPortOpen(true), Failure);
    EXPECT_FALSE(port.PortOpen());
    port.setCommPort(3);
    port.setSettings("19200,E,7,2");
    port.setPortOpen(true);
    EXPECT_EQ(openedWith,
              (LineSettings{19200, LineSettings::Parity::Even, 7, LineSettings::StopBits::Two}));
    EXPECT_THROW(port.setPortOpen(true), Failure);  // already open
    EXPECT_THROW(port.setCommPort(2), Failure);     // not while open
    EXPECT_EQ(opens, 1);

    receiver->onBytes("abc");
    EXPECT_EQ(notifications, 0);
    port.setRThreshold(1);
    receiver->onBytes("d");
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(port.Input(), "abcd");
}

TEST(LineSettingsParse, AcceptsTheUsualFormsAndRejectsTheRest) {
    EXPECT_EQ(LineSettings::parse("9600,N,8,1"), LineSettings{});
    EXPECT_EQ(LineSettings::parse("9600,n,8,1.5").stopBits, LineSettings::StopBits::OneAndHalf);
    EXPECT_EQ(LineSettings::parse("300,O,5,1").parity, LineSettings::Parity::Odd);
    for (const char* bad : {"", "9600", "9600,N,8,1,1", "9600,X,8,1", "9600,N,9,1", "9600,N,8,3",
                            "-9600,N,8,1", "9600,NN,8,1", " 9600,N,8,1", "fast,N,8,1"}) {
        EXPECT_THROW(LineSettings::parse(bad), Failure) << bad;
    }
}

}  // namespace
}  // namespace quendrix
