#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "sim/server/Transcript.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;
using Direction = InstrumentLine::Direction;

TEST(TranscriptTest, OneLinePerByteWithTimeDirectionHexAndText) {
    EXPECT_EQ(Transcript::line(5208us, Direction::toInstrument, '\r'),
              "        5.208 host>sim 0D CR");
    EXPECT_EQ(Transcript::line(1'234'567'891us, Direction::toHost, '/'),
              "  1234567.891 sim>host 2F /");
    EXPECT_EQ(Transcript::line(0us, Direction::toHost, '\x03'), "        0.000 sim>host 03 ETX");
    EXPECT_EQ(Transcript::line(0us, Direction::toHost, ' '), "        0.000 sim>host 20 SP");
    EXPECT_EQ(Transcript::line(0us, Direction::toHost, '\n'), "        0.000 sim>host 0A LF");
    EXPECT_EQ(Transcript::line(0us, Direction::toHost, '\xE9'), "        0.000 sim>host E9 .");
}

// The fields split on blanks and read back to the same time and byte.
TEST(TranscriptTest, LinesParseBack) {
    std::ostringstream out;
    Transcript transcript(out);
    transcript.record(6749us, Direction::toHost, '`');
    transcript.remark(7000us, "hang-up");
    std::istringstream in(out.str());
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line.front(), '#');
    std::getline(in, line);
    std::istringstream fields(line);
    double milliseconds = 0;
    std::string direction;
    int hex = 0;
    std::string shown;
    fields >> milliseconds >> direction >> std::hex >> hex >> shown;
    EXPECT_DOUBLE_EQ(milliseconds, 6.749);
    EXPECT_EQ(direction, "sim>host");
    EXPECT_EQ(hex, 0x60);
    EXPECT_EQ(shown, "`");
    std::getline(in, line);
    EXPECT_EQ(line, "#         7.000 hang-up");
}

}  // namespace
}  // namespace quendrix::sim
