#include "sim/server/PseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace quendrix::sim {

namespace {

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void makeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        fail("tcgetattr");
    }
    cfmakeraw(&settings);
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        fail("tcsetattr");
    }
}

void makeNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) {
        fail("fcntl");
    }
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        fail("posix_openpt");
    }
    try {
        if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
            fail("grantpt/unlockpt");
        }
        const char* name = ptsname(master_);
        if (name == nullptr) {
            fail("ptsname");
        }
        slavePath_ = name;
        slave_ = open(name, O_RDWR | O_NOCTTY);
        if (slave_ < 0) {
            fail(name);
        }
        makeRaw(slave_);
        makeNonBlocking(master_);
    } catch (...) {
        hangUp();
        throw;
    }
}

PseudoTerminal::~PseudoTerminal() {
    hangUp();
}

std::string PseudoTerminal::readAvailable() {
    std::string bytes;
    char buffer[256];
    while (master_ >= 0) {
        const ssize_t count = read(master_, buffer, sizeof buffer);
        if (count <= 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return bytes;
}

bool PseudoTerminal::write(char byte) {
    return master_ >= 0 && ::write(master_, &byte, 1) == 1;
}

void PseudoTerminal::hangUp() {
    for (int* fd : {&master_, &slave_}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

}  // namespace quendrix::sim
