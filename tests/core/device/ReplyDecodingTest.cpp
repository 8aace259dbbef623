#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/device/ScriptedRig.h"

namespace quendrix::device::testing {
namespace {

TEST(ReplyParseTest, TakesTheStatusByteAndTheDataWithoutLineFeeds) {
    struct Row {
        std::string raw;
        std::optional<Reply> reply;
    };
    const Row rows[] = {
        {"/0`", Reply{0x60, 0, true, ""}},
        {"/0@", Reply{0x40, 0, false, ""}},
        {"/0b", Reply{0x62, 2, true, ""}},
        {"/0o", Reply{0x6F, 15, true, ""}},
        {"/0\xF9", Reply{0xF9, 9, true, ""}},
        {"/0`17500\x03\n", Reply{0x60, 0, true, "17500\x03"}},
        {"/0`1\n2\r3", Reply{0x60, 0, true, "12\r3"}},
        {"xyczz", Reply{'c', 3, true, "zz"}},
        {"/0", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Reply::parse(row.raw), row.reply) << row.raw;
    }
}

// What the receiver shows of each reply; the parse itself is tabled above.
struct BufferCase {
    std::string name, bytes;
    std::string raw;  // Text3 afterwards
    std::string errorCode, data;
    bool replied;
    platform::Colour indicator;
    bool busyAfter;   // DeviceBusy, true before the reply
    std::string log;  // the run log's lines
    friend void PrintTo(const BufferCase& row, std::ostream* os) { *os << row.name; }
};

class ReceiveBufferTest : public ::testing::TestWithParam<BufferCase> {};

// Each case runs without a run log and with one: the decode must not depend on the log.
TEST_P(ReceiveBufferTest, DecodesWhatTheBufferHoldsAtTheCarriageReturn) {
    for (const bool logged : {false, true}) {
        ScriptedRig rig;
        if (logged) {
            rig.c.fileSlot.openForOutput(kRunLog);
        }
        rig.c.flags.DeviceBusy = true;
        rig.line.deliver(GetParam().bytes);
        EXPECT_EQ(rig.c.Text3.text(), GetParam().raw);
        EXPECT_EQ(rig.c.chrErrorCode.text(), GetParam().errorCode);
        EXPECT_EQ(rig.c.strResponse.text(), GetParam().data);
        EXPECT_EQ(rig.c.QueryResponse.text(), GetParam().data);
        EXPECT_EQ(rig.c.ShapeUnitStatus.fillColor(), GetParam().indicator);
        EXPECT_EQ(rig.c.flags.DeviceBusy, GetParam().busyAfter);
        EXPECT_EQ(rig.c.flags.ReplyReceived, GetParam().replied);
        if (logged) {
            EXPECT_EQ(rig.log(), GetParam().log);
        }
    }
}

// Status characters 0x60 "`", 0x40 "@" and 0x62 "b".
constexpr auto green = platform::kGreen;
INSTANTIATE_TEST_SUITE_P(
    Replies, ReceiveBufferTest,
    ::testing::Values(
        BufferCase{"Ready", "/0`\r", "/0`", "0", "", true, green, false, record("Received : /0`")},
        BufferCase{"Busy", "/0@\r", "/0@", "0", "", true, platform::kRed, true,
                   record("Received : /0@")},
        BufferCase{"ThreeCharacters", "/0`abc\r", "/0`abc", "0", "abc", true, green, false,
                   record("Received : /0`abc")},
        BufferCase{"SixCharactersGiveTheDataLineFirst", reply(0x60, "17500"), "/0`17500\x03\n", "0",
                   "17500\x03", true, green, false,
                   record("Received : 17500\x03") + record("Received : /0`17500\x03")},
        // Four characters of data, once the line feed is left out: the first to get a line.
        BufferCase{"LineFeedLeftOutOfData", "/0`1\n234\r", "/0`1\n234", "0", "1234", true, green,
                   false, record("Received : 1234") + record("Received : /0`1\n234")},
        BufferCase{"SlashInsideDataRestarts", "/0`12/0b34\r", "/0b34", "2", "34", true, green,
                   false, record("Received : /0b34")},
        BufferCase{"SlashAndOneCharacter", "/0\r", "/0", "0", "", false, platform::kBlack, true,
                   ""}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(ReplyDecodingTest, AShortReplyOnlyFlashesAndStopsTheWatchdog) {
    ScriptedRig rig;
    rig.c.tmrCommunicationTimeout.setEnabled(true);
    rig.line.deliver("/0\r");
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
    rig.line.deliver("/0`12/0A99\r\n");
    EXPECT_EQ(rig.c.chrErrorCode.text(), "1");
    EXPECT_EQ(rig.c.Text3.text(), "/0A99\n");
    rig.link.MSComm1_OnComm();  // nothing left to read
    EXPECT_EQ(rig.c.Text3.text(), "/0A99\n");
}

TEST(ReplyDecodingTest, OtherQueryModesLeaveTheIndicatorAlone) {
    ScriptedRig rig;
    rig.c.flags.StatusQueryMode = 1;
    rig.line.deliver(reply(0x62, "5"));
    EXPECT_EQ(rig.c.ShapeUnitStatus.fillColor(), platform::kBlack);
    EXPECT_EQ(rig.c.chrErrorCode.text(), "2");
    EXPECT_EQ(rig.c.QueryErrorCode.text(), "2");
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
    rig.line.deliver("/0`" + std::string(2000, 'd') + "\r");
    EXPECT_EQ(rig.c.strResponse.text(), std::string(ReplyReceiver::kBufferLimit - 3, 'd'));
    EXPECT_TRUE(rig.c.flags.ReplyReceived);
}

}  // namespace
}  // namespace quendrix::device::testing
