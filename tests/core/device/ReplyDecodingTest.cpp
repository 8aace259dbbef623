#include <gtest/gtest.h>

#include <string>

#include "core/device/ScriptedRig.h"

namespace quendrix::device::testing {
namespace {

class ReplyDecodingTest : public ::testing::Test {
protected:
    ReplyDecodingTest() { rig.openPort(); }

    ScriptedRig rig;
    app::MainFormControls& c = rig.controls();
};

struct StatusCase {
    int status;
    std::string errorCode;
    platform::Colour indicator;
    bool deviceBusyAfter;  // DeviceBusy was true before the reply
};

class StatusByteTest : public ReplyDecodingTest,
                       public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusByteTest, ShowsErrorCodeAndReadiness) {
    const StatusCase& param = GetParam();
    c.flags.DeviceBusy = true;
    rig.line().deliver(reply(param.status));
    EXPECT_EQ(c.chrErrorCode.text(), param.errorCode);
    EXPECT_EQ(c.QueryErrorCode.text(), param.errorCode);
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), param.indicator);
    EXPECT_EQ(c.flags.DeviceBusy, param.deviceBusyAfter);
    EXPECT_TRUE(c.flags.ReplyReceived);
}

INSTANTIATE_TEST_SUITE_P(StatusCharacters, StatusByteTest,
                         ::testing::Values(StatusCase{0x60, "0", platform::kGreen, false},
                                           StatusCase{0x40, "0", platform::kRed, true},
                                           StatusCase{0x62, "2", platform::kGreen, false},
                                           StatusCase{0x6F, "15", platform::kGreen, false},
                                           StatusCase{0x4F, "15", platform::kRed, true},
                                           // bytes above 0x7F are single-byte characters too
                                           StatusCase{0xE9, "9", platform::kGreen, false},
                                           StatusCase{0x20, "0", platform::kGreen, false}));

TEST_F(ReplyDecodingTest, ReadyReplyWithoutDataDuringARun) {
    rig.openLog();
    rig.line().deliver("/0\x60\r");
    EXPECT_EQ(c.chrErrorCode.text(), "0");
    EXPECT_EQ(c.strResponse.text(), "");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kGreen);
    EXPECT_FALSE(c.flags.DeviceBusy);
    EXPECT_TRUE(c.flags.ReplyReceived);
    EXPECT_EQ(c.Text3.text(), "/0\x60");
    EXPECT_EQ(rig.log(), record("Received : /0\x60"));
}

TEST_F(ReplyDecodingTest, LongDataPartIsLoggedBeforeTheRawReply) {
    rig.openLog();
    rig.line().deliver(reply(0x60, "17500"));
    EXPECT_EQ(c.strResponse.text(), "17500\x03");
    EXPECT_EQ(c.QueryResponse.text(), "17500\x03");
    EXPECT_EQ(rig.log(), record("Received : 17500\x03") + record("Received : /0\x60"
                                                                 "17500\x03"));
    // The LF after the CR waits in the buffer until the next "/".
    EXPECT_EQ(c.Text3.text(),
              "/0\x60"
              "17500\x03\n");
}

struct LogCase {
    std::string data;
    int entries;
};

class DataLoggingTest : public ReplyDecodingTest, public ::testing::WithParamInterface<LogCase> {};

TEST_P(DataLoggingTest, OnlyADataPartLongerThanThreeGetsItsOwnEntry) {
    rig.openLog();
    rig.line().deliver("/0\x60" + GetParam().data + "\r");
    std::string expected;
    if (GetParam().entries == 2) {
        expected = record("Received : " + GetParam().data);
    }
    expected += record("Received : /0\x60" + GetParam().data);
    EXPECT_EQ(rig.log(), expected);
}

INSTANTIATE_TEST_SUITE_P(DataLengths, DataLoggingTest,
                         ::testing::Values(LogCase{"", 1}, LogCase{"abc", 1}, LogCase{"abcd", 2},
                                           LogCase{"17500\x03", 2}));

struct BufferCase {
    std::string name;
    std::string bytes;
    std::string raw;  // Text3 after the CR
    std::string errorCode;
    std::string data;
};

class ReceiveBufferTest : public ReplyDecodingTest,
                          public ::testing::WithParamInterface<BufferCase> {};

TEST_P(ReceiveBufferTest, DecodesWhatTheBufferHoldsAtTheCarriageReturn) {
    rig.line().deliver(GetParam().bytes);
    EXPECT_EQ(c.Text3.text(), GetParam().raw);
    EXPECT_EQ(c.chrErrorCode.text(), GetParam().errorCode);
    EXPECT_EQ(c.strResponse.text(), GetParam().data);
    EXPECT_EQ(c.QueryResponse.text(), GetParam().data);
}

INSTANTIATE_TEST_SUITE_P(Replies, ReceiveBufferTest,
                         ::testing::Values(BufferCase{"SlashInsideDataRestarts",
                                                      "/0\x60"
                                                      "12/0\x62"
                                                      "34\r",
                                                      "/0\x62"
                                                      "34",
                                                      "2", "34"},
                                           BufferCase{"LineFeedLeftOutOfData",
                                                      "/0\x60"
                                                      "1\n2\r",
                                                      "/0\x60"
                                                      "1\n2",
                                                      "0", "12"},
                                           BufferCase{"ControlCharactersKept", "/0\x60\x01\x7f\r",
                                                      "/0\x60\x01\x7f", "0", "\x01\x7f"},
                                           BufferCase{"NoSlashExtendsTheBuffer", "xy\x63zz\r",
                                                      "xy\x63zz", "3", "zz"},
                                           BufferCase{"NoiseBeforeTheSlashDropped",
                                                      "\x05\n\xfe/0\x65\r", "/0\x65", "5", ""}),
                         [](const auto& testCase) { return testCase.param.name; });

class ShortReplyTest : public ReplyDecodingTest,
                       public ::testing::WithParamInterface<std::string> {};

TEST_P(ShortReplyTest, ChangesNothingButTheFlash) {
    c.chrErrorCode.setText("7");
    c.strResponse.setText("before");
    c.ShapeUnitStatus.setFillColor(platform::kRed);
    c.flags.DeviceBusy = true;
    c.tmrCommunicationTimeout.setEnabled(true);
    rig.line().deliver(GetParam());
    EXPECT_FALSE(c.flags.ReplyReceived);
    EXPECT_EQ(c.chrErrorCode.text(), "7");
    EXPECT_EQ(c.strResponse.text(), "before");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kRed);
    EXPECT_TRUE(c.flags.DeviceBusy);
    EXPECT_EQ(c.Shape1.fillColor(), platform::kGreen);
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
}

INSTANTIATE_TEST_SUITE_P(StrayEnds, ShortReplyTest,
                         ::testing::Values(std::string("\r"), std::string("/\r"),
                                           std::string("/0\r")));

TEST_F(ReplyDecodingTest, FlashLasts250MillisecondsFromTheLastCarriageReturn) {
    rig.line().deliver("/0\x60\r");
    EXPECT_EQ(c.Shape1.fillColor(), platform::kGreen);
    rig.clock().advanceBy(200ms);
    rig.line().deliver("\r");
    rig.clock().advanceBy(249ms);
    EXPECT_EQ(c.Shape1.fillColor(), platform::kGreen);
    rig.clock().advanceBy(1ms);
    EXPECT_EQ(c.Shape1.fillColor(), platform::kBlack);
    EXPECT_FALSE(c.Timer1.enabled());
}

TEST_F(ReplyDecodingTest, DecodesWithoutARunLog) {
    ASSERT_FALSE(c.fileSlot.isOpen());
    rig.line().deliver(reply(0x60, "24000"));
    EXPECT_EQ(c.QueryResponse.text(), "24000\x03");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kGreen);
}

TEST(ReplyDecodingFullDiskTest, ALogThatCannotBeWrittenDoesNotStopTheDecode) {
    ScriptedRig rig(/*diskFull=*/true);
    rig.openPort();
    rig.openLog();
    auto& c = rig.controls();
    c.flags.DeviceBusy = true;
    rig.line().deliver(reply(0x60, "24000"));
    EXPECT_EQ(c.QueryResponse.text(), "24000\x03");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kGreen);
    EXPECT_FALSE(c.flags.DeviceBusy);
}

TEST_F(ReplyDecodingTest, OtherQueryModesLeaveTheIndicatorAlone) {
    c.flags.StatusQueryMode = 1;
    c.flags.DeviceBusy = true;
    rig.line().deliver(reply(0x62, "5"));
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kBlack);
    EXPECT_TRUE(c.flags.DeviceBusy);
    EXPECT_EQ(c.chrErrorCode.text(), "2");
    EXPECT_TRUE(c.flags.ReplyReceived);
}

TEST_F(ReplyDecodingTest, SeveralCharactersPerNotificationAreTakenInOrder) {
    c.MSComm1.setInputLen(0);  // each read takes all that waits
    rig.line().deliver(
        "/0\x60"
        "12/0\x41"
        "99\x03\r\n");
    EXPECT_EQ(c.chrErrorCode.text(), "1");
    EXPECT_EQ(c.strResponse.text(), "99\x03");
    EXPECT_EQ(c.Text3.text(),
              "/0\x41"
              "99\x03\n");
}

TEST_F(ReplyDecodingTest, NotificationWithNothingToReadChangesNothing) {
    c.Text3.setText("/0");
    rig.link().MSComm1_OnComm();
    c.MSComm1.setPortOpen(false);
    rig.link().MSComm1_OnComm();  // nothing can be read from a closed port
    EXPECT_EQ(c.Text3.text(), "/0");
    EXPECT_EQ(c.Shape1.fillColor(), platform::kBlack);
}

TEST_F(ReplyDecodingTest, BabbleIsCutAtTheBufferLimitUntilTheNextReply) {
    rig.line().deliver(std::string(5000, 'x'));
    EXPECT_EQ(c.Text3.text(), std::string(ReplyReceiver::kBufferLimit, 'x'));
    rig.line().deliver("/0\x62\r");
    EXPECT_EQ(c.Text3.text(), "/0\x62");
    EXPECT_EQ(c.chrErrorCode.text(), "2");
}

TEST_F(ReplyDecodingTest, OverlongReplyKeepsItsStartAndStillEndsAtTheCarriageReturn) {
    rig.line().deliver("/0\x60" + std::string(2000, 'd') + "\r");
    EXPECT_EQ(c.Text3.text().size(), ReplyReceiver::kBufferLimit);
    EXPECT_EQ(c.strResponse.text(), std::string(ReplyReceiver::kBufferLimit - 3, 'd'));
    EXPECT_TRUE(c.flags.ReplyReceived);
}

}  // namespace
}  // namespace quendrix::device::testing
