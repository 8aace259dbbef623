#include "qt/serial/LowLatency.h"

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace quendrix::qt {

void requestLowLatency([[maybe_unused]] qintptr handle) {
#ifdef Q_OS_LINUX
    const int fd = static_cast<int>(handle);
    serial_struct serial{};
    if (fd < 0 || ::ioctl(fd, TIOCGSERIAL, &serial) != 0) {
        return;
    }
    if ((serial.flags & ASYNC_LOW_LATENCY) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
#endif
}

}  // namespace quendrix::qt
