#include <gtest/gtest.h>

#include <string>

#include "core/device/ScriptedRig.h"

namespace quendrix::device::testing {
namespace {

// Each case runs without a run log, with one and with one that cannot be written: the decode
// must not depend on the log. Status characters 0x60 "`", 0x40 "@", 0x62 "b" and 0x6F "o".
TEST(ReplyDecodingTest, DecodesWhatTheBufferHoldsAtTheCarriageReturn) {
    constexpr auto green = platform::kGreen;
    const struct Case {
        std::string bytes, raw, errorCode, data;  // raw: Text3 afterwards
        platform::Colour indicator;
        bool replied, busyAfter;  // busyAfter: DeviceBusy, true before the reply
        std::string log;          // the run log's lines
    } cases[] = {
        {"/0`\r", "/0`", "0", "", green, true, false, record("Received : /0`")},
        {"/0o\r", "/0o", "15", "", green, true, false, record("Received : /0o")},
        {"/0@\r", "/0@", "0", "", platform::kRed, true, true, record("Received : /0@")},
        {reply(0x60, "17500"), "/0`17500\x03\n", "0", "17500\x03", green, true, false,
         record("Received : 17500\x03") + record("Received : /0`17500\x03")},
        // Four characters of data, once the line feed is left out: the first to get a line.
        {"/0`1\n234\r", "/0`1\n234", "0", "1234", green, true, false,
         record("Received : 1234") + record("Received : /0`1\n234")},
        {"/0`12/0b34\r", "/0b34", "2", "34", green, true, false, record("Received : /0b34")},
        {"/0\r", "/0", "0", "", platform::kBlack, false, true, ""},
    };
    for (const Case& row : cases) {
        for (const int log : {0, 1, 2}) {  // none, writable, unwritable
            SCOPED_TRACE(row.raw + " log " + std::to_string(log));
            ScriptedRig rig;
            if (log == 2) {
                rig.platform.files().makeUnwritable(kRunLog);
            }
            if (log > 0) {
                rig.c.fileSlot.openForOutput(kRunLog);
            }
            rig.c.flags.DeviceBusy = true;
            rig.line.deliver(row.bytes);
            EXPECT_EQ(rig.c.Text3.text(), row.raw);
            EXPECT_EQ(rig.c.chrErrorCode.text(), row.errorCode);
            EXPECT_EQ(rig.c.strResponse.text(), row.data);
            EXPECT_EQ(rig.c.QueryResponse.text(), row.data);
            EXPECT_EQ(rig.c.ShapeUnitStatus.fillColor(), row.indicator);
            EXPECT_EQ(rig.c.flags.DeviceBusy, row.busyAfter);
            EXPECT_EQ(rig.c.flags.ReplyReceived, row.replied);
            EXPECT_EQ(log > 0 ? rig.log() : "", log == 1 ? row.log : "");
        }
    }
}

// Every CR restarts the 250-ms flash. A line that never sends a CR cannot fill the memory.
TEST(ReplyDecodingTest, AShortReplyOnlyFlashesAndStopsTheWatchdogAndBabbleIsCutAtTheLimit) {
    ScriptedRig rig;
    rig.c.tmrCommunicationTimeout.setEnabled(true);
    rig.line.deliver("/0\r");
    EXPECT_FALSE(rig.c.tmrCommunicationTimeout.enabled());
    rig.clock.advanceBy(200ms);
    rig.line.deliver("\r");
    rig.clock.advanceBy(249ms);
    EXPECT_EQ(rig.c.Shape1.fillColor(), platform::kGreen);
    rig.clock.advanceBy(1ms);
    EXPECT_EQ(rig.c.Shape1.fillColor(), platform::kBlack);

    rig.line.deliver("/" + std::string(5000, 'x'));
    EXPECT_EQ(rig.c.Text3.text(), "/" + std::string(ReplyReceiver::kBufferLimit - 1, 'x'));
}

}  // namespace
}  // namespace quendrix::device::testing
