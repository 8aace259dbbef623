#include <gtest/gtest.h>

#include <sstream>

#include "sim/cli/Transcript.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;
using Direction = InstrumentLine::Direction;

TEST(TranscriptTest, OneLinePerByteWithTimeDirectionHexAndTextAndRemarksUnderAHeader) {
    const auto line = &Transcript::line;
    EXPECT_EQ(line(5208us, Direction::toInstrument, '\r'), "        5.208 host>sim 0D CR");
    EXPECT_EQ(line(1'234'567'891us, Direction::toHost, '/'), "  1234567.891 sim>host 2F /");
    EXPECT_EQ(line(0us, Direction::toHost, '\x03'), "        0.000 sim>host 03 ETX");
    EXPECT_EQ(line(0us, Direction::toHost, '\xE9'), "        0.000 sim>host E9 .");

    std::ostringstream out;
    Transcript transcript(out);
    transcript.record(6749us, Direction::toHost, '`');
    transcript.remark(7000us, "hang-up");
    EXPECT_EQ(out.str(),
              "# time_ms direction hex char\n"
              "        6.749 sim>host 60 `\n"
              "#         7.000 hang-up\n");
}

}  // namespace
}  // namespace quendrix::sim
