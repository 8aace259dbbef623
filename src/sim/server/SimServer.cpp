#include "sim/server/SimServer.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace quendrix::sim {

SimServer::SimServer(const ServerOptions& options) : line_(scheduler_, options.faults) {
    if (!options.linkPath.empty()) {
        link_.emplace(options.linkPath, terminal_.slavePath());
    }
    if (!options.transcriptPath.empty()) {
        transcriptFile_.open(options.transcriptPath, std::ios::out | std::ios::trunc);
        if (!transcriptFile_) {
            throw std::system_error(errno, std::generic_category(), options.transcriptPath);
        }
        transcript_.emplace(transcriptFile_);
        line_.setMonitor([this](InstrumentLine::Direction direction, char byte) {
            transcript_->record(scheduler_.now(), direction, byte);
        });
    }
    line_.setHostReceiver([this](char byte) { terminal_.write(byte); });
    line_.setOnHangUp([this] { onHangUp(); });
}

int SimServer::run(int stopFd) {
    for (;;) {
        if (const std::optional<int> status = turn(stopFd)) {
            return *status;
        }
    }
}

std::optional<int> SimServer::turn(int stopFd, std::optional<Micros> atMost) {
    scheduler_.runDue();
    if (line_.hungUp() && !graceEnd_) {
        terminal_.hangUp();
        graceEnd_ = scheduler_.now() + hangUpGrace;
    }
    if (graceEnd_ && scheduler_.now() >= *graceEnd_) {
        return 0;
    }
    std::optional<Micros> wake = scheduler_.nextDue();
    if (graceEnd_) {
        wake = std::min(wake.value_or(*graceEnd_), *graceEnd_);
    }
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {terminal_.masterFd(), POLLIN, 0}};
    const nfds_t count = terminal_.isOpen() ? 2 : 1;
    const std::optional<timespec> timeout = pollTimeout(wake, atMost);
    if (ppoll(fds, count, timeout ? &*timeout : nullptr, nullptr) < 0) {
        if (errno == EINTR) {
            return std::nullopt;
        }
        throw std::system_error(errno, std::generic_category(), "poll");
    }
    if (fds[0].revents != 0) {
        return 0;
    }
    if (count == 2 && (fds[1].revents & POLLIN) != 0) {
        line_.hostWrite(terminal_.readAvailable());
    } else if (count == 2 && fds[1].revents != 0) {
        // Our own slave descriptor keeps this from happening; if it does, stop rather than
        // spin on it.
        throw std::runtime_error("the pseudo-terminal failed");
    }
    return std::nullopt;
}

// To the microsecond: a wait rounded up to whole milliseconds would deliver each reply byte
// up to a millisecond late, and every exchange on the line would take that much longer.
std::optional<timespec> SimServer::pollTimeout(std::optional<Micros> wake,
                                               std::optional<Micros> atMost) const {
    if (atMost) {
        wake = std::min(wake.value_or(scheduler_.now() + *atMost), scheduler_.now() + *atMost);
    }
    if (!wake) {
        return std::nullopt;
    }
    const long long wait =
        std::clamp<long long>((*wake - scheduler_.now()).count(), 0, kLongestWait.count());
    return timespec{static_cast<time_t>(wait / 1'000'000),
                    static_cast<long>(wait % 1'000'000 * 1000)};
}

void SimServer::onHangUp() {
    if (transcript_) {
        transcript_->remark(scheduler_.now(), "hang-up: the line goes away");
    }
}

}  // namespace quendrix::sim
