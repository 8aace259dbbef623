// The server over a real pseudo-terminal, in real time. Nothing here sleeps: every wait is a
// poll() with a generous limit, and the only timing asserted is a lower bound that the
// pacing guarantees whatever the machine's speed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <string>

#include "sim/server/SimServer.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// The program's end of the port.
struct Port {
    explicit Port(const std::string& path)
        : fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~Port() { close(fd); }
    const int fd;
};

// Serves until `done` or for at most five seconds; returns the exit status if the server
// finished. poll() ignores a negative `stopFd`.
std::optional<int> serve(
    SimServer& server, int stopFd = -1, const std::function<bool()>& done = [] { return false; }) {
    const auto deadline = SteadyClock::now() + 5s;
    while (!done() && SteadyClock::now() < deadline) {
        if (const std::optional<int> status = server.turn(stopFd, 20ms)) {
            return status;
        }
    }
    return std::nullopt;
}

// Raw mode: no CR/LF translation either way.
TEST(SimServerTest, AnswersAtLineSpeed) {
    SimServer server(ServerOptions{});
    std::string arrived;
    server.line().setMonitor([&arrived](InstrumentLine::Direction direction, char byte) {
        if (direction == InstrumentLine::Direction::toInstrument) {
            arrived += byte;
        }
    });
    Port port(server.devicePath());
    const auto start = SteadyClock::now();
    ASSERT_EQ(write(port.fd, "/1Q\r\n", 5), 5);
    std::string reply;
    serve(server, -1, [&] {
        char buffer[64];
        const ssize_t count = read(port.fd, buffer, sizeof buffer);
        reply.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
        return reply.size() >= 6;
    });
    const auto elapsed = SteadyClock::now() - start;
    EXPECT_EQ(reply, std::string("/0\x60\x03\r\n"));
    EXPECT_EQ(arrived, "/1Q\r\n");
    // Four characters up to the CR, half a millisecond, six characters back.
    EXPECT_GE(elapsed, 10'916us);
    EXPECT_EQ(server.line().instrument().lastCommand(), "1Q");
}

TEST(SimServerTest, HangsUpAndFinishes) {
    ServerOptions options;
    options.faults.hangUpAfter = 1;
    SimServer server(options);
    Port port(server.devicePath());
    ASSERT_EQ(write(port.fd, "/1Q\r\n", 5), 5);
    EXPECT_EQ(serve(server), 0);
    pollfd waiting{port.fd, POLLIN, 0};
    poll(&waiting, 1, 5000);
    EXPECT_NE(waiting.revents & POLLHUP, 0);
    char byte = 0;
    const ssize_t count = read(port.fd, &byte, 1);
    EXPECT_TRUE(count == 0 || (count < 0 && errno == EIO)) << "the far end has gone";
}

TEST(SimServerTest, StopsWhenAskedTo) {
    SimServer server(ServerOptions{});
    int stop[2];
    ASSERT_EQ(pipe(stop), 0);
    ASSERT_EQ(write(stop[1], "x", 1), 1);
    EXPECT_EQ(serve(server, stop[0]), 0);
    close(stop[0]);
    close(stop[1]);
}

}  // namespace
}  // namespace quendrix::sim
