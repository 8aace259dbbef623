#include <gtest/gtest.h>

#include <string>

#include "core/device/ScriptedRig.h"

namespace quendrix::device::testing {
namespace {

struct StatusCase {
    int status;
    std::string errorCode;
    platform::Colour indicator;
};

class StatusByteTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusByteTest, ShowsErrorCodeAndReadinessWithoutARunLog) {
    ScriptedRig rig;
    rig.c.flags.DeviceBusy = true;
    rig.line.deliver(reply(GetParam().status));
    EXPECT_EQ(rig.c.chrErrorCode.text(), GetParam().errorCode);
    EXPECT_EQ(rig.c.QueryErrorCode.text(), GetParam().errorCode);
    EXPECT_EQ(rig.c.ShapeUnitStatus.fillColor(), GetParam().indicator);
    // Only a ready reply clears DeviceBusy; a busy one leaves it as it was.
    EXPECT_EQ(rig.c.flags.DeviceBusy, GetParam().indicator == platform::kRed);
    EXPECT_TRUE(rig.c.flags.ReplyReceived);
}

INSTANTIATE_TEST_SUITE_P(Characters, StatusByteTest,
                         ::testing::Values(StatusCase{0x60, "0", platform::kGreen},
                                           StatusCase{0x40, "0", platform::kRed},
                                           StatusCase{0x62, "2", platform::kGreen},
                                           StatusCase{0x6F, "15", platform::kGreen},
                                           StatusCase{0x4F, "15", platform::kRed},
                                           StatusCase{0xE9, "9", platform::kGreen}));

struct BufferCase {
    std::string name;
    std::string bytes;
    std::string raw;  // Text3 afterwards
    std::string errorCode;
    std::string data;
    std::string log;  // the run log's lines
    friend void PrintTo(const BufferCase& param, std::ostream* os) { *os << param.name; }
};

class ReceiveBufferTest : public ::testing::TestWithParam<BufferCase> {};

TEST_P(ReceiveBufferTest, DecodesWhatTheBufferHoldsAtTheCarriageReturn) {
    ScriptedRig rig;
    rig.c.fileSlot.openForOutput(kRunLog);
    rig.line.deliver(GetParam().bytes);
    EXPECT_EQ(rig.c.Text3.text(), GetParam().raw);
    EXPECT_EQ(rig.c.chrErrorCode.text(), GetParam().errorCode);
    EXPECT_EQ(rig.c.strResponse.text(), GetParam().data);
    EXPECT_EQ(rig.c.QueryResponse.text(), GetParam().data);
    EXPECT_EQ(rig.log(), GetParam().log);
}

const std::string ready = "/0\x60";

INSTANTIATE_TEST_SUITE_P(
    Replies, ReceiveBufferTest,
    ::testing::Values(
        BufferCase{"NoData", ready + "\r", ready, "0", "", record("Received : " + ready)},
        BufferCase{"ThreeCharacters", ready + "abc\r", ready + "abc", "0", "abc",
                   record("Received : " + ready + "abc")},
        BufferCase{"SixCharactersGiveTheDataLineFirst", reply(0x60, "17500"), ready + "17500\x03\n",
                   "0", "17500\x03",
                   record("Received : 17500\x03") + record("Received : " + ready + "17500\x03")},
        BufferCase{"SlashInsideDataRestarts",
                   ready + "12/0\x62"
                           "34\r",
                   "/0\x62"
                   "34",
                   "2", "34",
                   record("Received : /0\x62"
                          "34")},
        BufferCase{"LineFeedLeftOutOfData", ready + "1\n234\r", ready + "1\n234", "0", "1234",
                   record("Received : 1234") + record("Received : " + ready + "1\n234")},
        BufferCase{"NoSlashExtendsTheBuffer", "xy\x63zz\r", "xy\x63zz", "3", "zz",
                   record("Received : xy\x63zz")},
        BufferCase{"StrayCarriageReturn", "\r", "", "0", "", ""},
        BufferCase{"SlashAndOneCharacter", "/0\r", "/0", "0", "", ""}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(ReplyDecodingTest, AShortReplyOnlyFlashesAndStopsTheWatchdog) {
    ScriptedRig rig;
    rig.c.ShapeUnitStatus.setFillColor(platform::kRed);
    rig.c.tmrCommunicationTimeout.setEnabled(true);
    rig.line.deliver("/0\r");
    EXPECT_FALSE(rig.c.flags.ReplyReceived);
    EXPECT_EQ(rig.c.ShapeUnitStatus.fillColor(), platform::kRed);
    EXPECT_FALSE(rig.c.tmrCommunicationTimeout.enabled());
    EXPECT_EQ(rig.c.Shape1.fillColor(), platform::kGreen);
    // Every CR restarts the 250-ms flash.
    rig.clock.advanceBy(200ms);
    rig.line.deliver("\r");
    rig.clock.advanceBy(249ms);
    EXPECT_EQ(rig.c.Shape1.fillColor(), platform::kGreen);
    rig.clock.advanceBy(1ms);
    EXPECT_EQ(rig.c.Shape1.fillColor(), platform::kBlack);
}

TEST(ReplyDecodingTest, SeveralCharactersPerNotificationAreTakenInOrder) {
    ScriptedRig rig;
    rig.c.MSComm1.setInputLen(0);  // a read takes all that waits
    rig.line.deliver(ready +
                     "12/0\x41"
                     "99\r\n");
    EXPECT_EQ(rig.c.chrErrorCode.text(), "1");
    EXPECT_EQ(rig.c.Text3.text(),
              "/0\x41"
              "99\n");
    rig.link.MSComm1_OnComm();  // nothing left to read
    EXPECT_EQ(rig.c.Text3.text(),
              "/0\x41"
              "99\n");
}

TEST(ReplyDecodingTest, OtherQueryModesLeaveTheIndicatorAlone) {
    ScriptedRig rig;
    rig.c.flags.StatusQueryMode = 1;
    rig.line.deliver(reply(0x62, "5"));
    EXPECT_EQ(rig.c.ShapeUnitStatus.fillColor(), platform::kBlack);
    EXPECT_EQ(rig.c.chrErrorCode.text(), "2");
}

TEST(ReplyDecodingTest, AFullDiskLosesTheLogEntryButNotTheDecode) {
    ScriptedRig rig(/*diskFull=*/true);
    rig.c.fileSlot.openForOutput(kRunLog);
    rig.line.deliver(reply(0x60, "24000"));
    EXPECT_EQ(rig.c.QueryResponse.text(), "24000\x03");
    EXPECT_EQ(rig.c.ShapeUnitStatus.fillColor(), platform::kGreen);
}

TEST(ReplyDecodingTest, ABabblingLineIsCutAtTheBufferLimit) {
    ScriptedRig rig;
    rig.line.deliver(std::string(5000, 'x'));
    EXPECT_EQ(rig.c.Text3.text(), std::string(ReplyReceiver::kBufferLimit, 'x'));
    // An overlong reply keeps its start, and its CR still ends it.
    rig.line.deliver(ready + std::string(2000, 'd') + "\r");
    EXPECT_EQ(rig.c.strResponse.text(), std::string(ReplyReceiver::kBufferLimit - 3, 'd'));
    EXPECT_TRUE(rig.c.flags.ReplyReceived);
}

}  // namespace
}  // namespace quendrix::device::testing
