#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/device/ScriptedRig.h"
#include "device/ReplyFramer.h"

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

// The buffer at every CR, and at the end. It is kept after a reply, so a second CR decodes it
// again; only a "/" (or its owner) empties it.
TEST(ReplyDecodingTest, FramerRules) {
    using Texts = std::vector<std::string>;
    const struct Case {
        Texts pieces;  // as the notifications hand them over
        Texts atCr;
        std::string after;
    } cases[] = {
        {{"/0`\x03\r\n"}, {"/0`\x03"}, "/0`\x03\n"},
        {{"/0", "`1", "7\r"}, {"/0`17"}, "/0`17"},
        {{"\r/0`\r"}, {"", "/0`"}, "/0`"},
        {{"/0`\x03\r\n", "\r"}, {"/0`\x03", "/0`\x03\n"}, "/0`\x03\n"},
        {{"/0`12\r34\r"}, {"/0`12", "/0`1234"}, "/0`1234"},
        {{"/0`\r\nxy\r", "z/0b"}, {"/0`", "/0`\nxy"}, "/0b"},
        {{"/" + std::string(1100, 'x') + "\r"},
         {"/" + std::string(1023, 'x')},
         "/" + std::string(1023, 'x')},
    };
    for (const Case& row : cases) {
        std::string buffer;
        Texts atCr;
        for (const std::string& piece : row.pieces) {
            for (const char c : piece) {
                if (ReplyFramer::take(buffer, c)) {
                    atCr.push_back(buffer);
                }
            }
        }
        EXPECT_EQ(atCr, row.atCr) << row.pieces.front();
        EXPECT_EQ(buffer, row.after) << row.pieces.front();
    }
}

}  // namespace
}  // namespace quendrix::device::testing
