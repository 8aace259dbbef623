// The server over a real pseudo-terminal, in real time, without sleeping: the only timing
// asserted is a lower bound that the pacing guarantees. Its hang-up is met in the Qt tests.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "sim/server/SimServer.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// Raw mode: no CR/LF translation either way. Four characters up to the CR, half a
// millisecond, six characters back.
TEST(SimServerTest, AnswersAtLineSpeedAndStopsWhenAskedTo) {
    SimServer server(ServerOptions{});
    const int port = open(server.devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const auto start = SteadyClock::now();
    ASSERT_EQ(write(port, "/1Q\r\n", 5), 5);
    std::string reply;
    char buffer[64];
    while (reply.size() < 6 && SteadyClock::now() < start + 5s) {
        server.turn(-1, 20ms);  // poll() ignores the negative stop descriptor
        const ssize_t count = read(port, buffer, sizeof buffer);
        reply.append(buffer, static_cast<std::size_t>(count > 0 ? count : 0));
    }
    EXPECT_GE(SteadyClock::now() - start, 10'916us);
    EXPECT_EQ(reply, std::string("/0\x60\x03\r\n"));
    EXPECT_EQ(server.line().instrument().lastCommand(), "1Q");

    int stop[2];
    ASSERT_EQ(pipe(stop), 0);
    ASSERT_EQ(write(stop[1], "x", 1), 1);
    EXPECT_EQ(server.turn(stop[0], 5s), 0);
    for (const int fd : {stop[0], stop[1], port}) {
        close(fd);
    }
}

}  // namespace
}  // namespace quendrix::sim
