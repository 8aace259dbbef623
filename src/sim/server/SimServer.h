#pragma once

#include <ctime>
#include <fstream>
#include <optional>
#include <string>

#include "sim/cli/ServerOptions.h"
#include "sim/cli/Transcript.h"
#include "sim/clock/RealTimeScheduler.h"
#include "sim/instrument/InstrumentLine.h"
#include "sim/server/PseudoTerminal.h"
#include "sim/server/SymbolicLink.h"

namespace quendrix::sim {

// The simulated instrument behind a pseudo-terminal, in real time. A pseudo-terminal has no
// baud rate, so the server paces both directions itself: the host's bytes reach the
// instrument at 9600 baud, and each reply byte is written at the moment it would have
// arrived.
class SimServer {
public:
    // After a hang-up the server lingers this long before it exits, so that the program on
    // the other side meets a vanished port rather than a vanished process.
    static constexpr Micros hangUpGrace{300'000};

    // Throws std::system_error or std::filesystem::filesystem_error when the terminal, the
    // link or the transcript cannot be made.
    explicit SimServer(const ServerOptions& options);

    const std::string& devicePath() const { return terminal_.slavePath(); }
    InstrumentLine& line() { return line_; }

    // Serves until the line hangs up (returns 0 after the grace period) or until `stopFd`
    // becomes readable (returns 0 at once).
    int run(int stopFd);
    // One pass of run(): runs what is due, then waits in ppoll() for the host, the stop
    // descriptor or the next due action, but no longer than `atMost` when given. Returns the
    // exit status once the server is done.
    std::optional<int> turn(int stopFd, std::optional<Micros> atMost = std::nullopt);

private:
    static constexpr Micros kLongestWait{60'000'000};

    std::optional<timespec> pollTimeout(std::optional<Micros> wake,
                                        std::optional<Micros> atMost) const;
    void onHangUp();

    RealTimeScheduler scheduler_;
    PseudoTerminal terminal_;
    std::optional<SymbolicLink> link_;
    std::ofstream transcriptFile_;
    std::optional<Transcript> transcript_;
    InstrumentLine line_;
    std::optional<Micros> graceEnd_;
};

}  // namespace quendrix::sim
