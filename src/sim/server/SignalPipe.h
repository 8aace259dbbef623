#pragma once

namespace quendrix::sim {

// Turns SIGINT and SIGTERM into a readable descriptor, so the server's poll() wakes up and
// the loop ends cleanly instead of dying inside a write. Only one may exist at a time: a
// signal handler can reach nothing but a process-wide descriptor.
class SignalPipe {
public:
    SignalPipe();
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    // Becomes readable once a signal has come.
    int fd() const { return read_; }

private:
    int read_ = -1;
};

}  // namespace quendrix::sim
