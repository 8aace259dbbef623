// The server over a real pseudo-terminal, in real time. Nothing here sleeps: every wait is a
// poll() with a generous limit, and the only timing asserted is a lower bound that the
// pacing guarantees whatever the machine's speed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>

#include "sim/server/PseudoTerminal.h"
#include "sim/server/SimServer.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;
constexpr auto patience = 5s;

// The program's end of the port.
class Port {
public:
    explicit Port(const std::string& path)
        : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~Port() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    int fd() const { return fd_; }
    void write(std::string_view bytes) const {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Appends whatever is waiting; false once the far end has gone.
    bool readInto(std::string& bytes) const {
        char buffer[64];
        const ssize_t count = read(fd_, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
        }
        return count != 0 && !(count < 0 && errno == EIO);
    }
    // Waits for something to read, or for the hang-up.
    short waitReadable(int milliseconds) const {
        pollfd waiting{fd_, POLLIN, 0};
        poll(&waiting, 1, milliseconds);
        return waiting.revents;
    }

private:
    int fd_;
};

class Pipe {
public:
    Pipe() { EXPECT_EQ(pipe(fds_), 0); }
    ~Pipe() {
        close(fds_[0]);
        close(fds_[1]);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int readEnd() const { return fds_[0]; }
    void signal() const { ASSERT_EQ(write(fds_[1], "x", 1), 1); }

private:
    int fds_[2] = {-1, -1};
};

TEST(PseudoTerminalTest, CarriesBytesBothWays) {
    PseudoTerminal terminal;
    Port port(terminal.slavePath());
    ASSERT_GE(port.fd(), 0);
    port.write("/1Q\r\n");
    std::string fromPort;
    const auto deadline = SteadyClock::now() + patience;
    while (fromPort.size() < 5 && SteadyClock::now() < deadline) {
        pollfd waiting{terminal.masterFd(), POLLIN, 0};
        poll(&waiting, 1, 1000);
        fromPort += terminal.readAvailable();
    }
    EXPECT_EQ(fromPort, "/1Q\r\n") << "raw mode: no echo, no CR/LF translation";
    EXPECT_TRUE(terminal.write('\r'));
    ASSERT_NE(port.waitReadable(5000) & POLLIN, 0);
    std::string toPort;
    port.readInto(toPort);
    EXPECT_EQ(toPort, "\r");
}

TEST(PseudoTerminalTest, AHangUpReachesTheProgram) {
    PseudoTerminal terminal;
    Port port(terminal.slavePath());
    terminal.hangUp();
    EXPECT_FALSE(terminal.isOpen());
    EXPECT_NE(port.waitReadable(5000) & POLLHUP, 0);
    std::string ignored;
    EXPECT_FALSE(port.readInto(ignored));
}

class SimServerTest : public ::testing::Test {
protected:
    std::optional<int> serveUntil(SimServer& server, const std::function<bool()>& done) {
        const auto deadline = SteadyClock::now() + patience;
        while (!done() && SteadyClock::now() < deadline) {
            if (const std::optional<int> status = server.turn(stop.readEnd(), 20ms)) {
                return status;
            }
        }
        return std::nullopt;
    }

    Pipe stop;
};

TEST_F(SimServerTest, AnswersAtLineSpeed) {
    SimServer server(ServerOptions{});
    Port port(server.devicePath());
    const auto start = SteadyClock::now();
    port.write("/1Q\r\n");
    std::string reply;
    serveUntil(server, [&] {
        port.readInto(reply);
        return reply.size() >= 6;
    });
    const auto elapsed = SteadyClock::now() - start;
    EXPECT_EQ(reply, std::string("/0\x60\x03\r\n"));
    // Four characters up to the CR, half a millisecond, six characters back.
    EXPECT_GE(elapsed, 10'916us);
    EXPECT_EQ(server.line().instrument().lastCommand(), "1Q");
}

TEST_F(SimServerTest, HangsUpAndFinishes) {
    ServerOptions options;
    options.faults.hangUpAfter = 1;
    SimServer server(options);
    Port port(server.devicePath());
    port.write("/1Q\r\n");
    EXPECT_EQ(serveUntil(server, [] { return false; }), 0);
    EXPECT_NE(port.waitReadable(5000) & POLLHUP, 0);
}

TEST_F(SimServerTest, StopsWhenAskedTo) {
    SimServer server(ServerOptions{});
    stop.signal();
    EXPECT_EQ(serveUntil(server, [] { return false; }), 0);
}

}  // namespace
}  // namespace quendrix::sim
