#include "sim/server/SignalPipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace quendrix::sim {

namespace {

// The write end, for the handler.
volatile sig_atomic_t signalWriteFd = -1;

extern "C" void onSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = write(signalWriteFd, &byte, 1);
    errno = savedErrno;
}

void install(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

SignalPipe::SignalPipe() {
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::system_error(errno, std::generic_category(), "pipe");
    }
    for (int fd : fds) {
        fcntl(fd, F_SETFD, FD_CLOEXEC);
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    read_ = fds[0];
    signalWriteFd = fds[1];
    install(onSignal);
}

SignalPipe::~SignalPipe() {
    install(SIG_DFL);
    close(signalWriteFd);
    signalWriteFd = -1;
    close(read_);
}

}  // namespace quendrix::sim
