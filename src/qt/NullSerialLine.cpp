#include "qt/NullSerialLine.h"

#include <string>

#include "platform/Failure.h"

namespace quendrix::qt {

void NullSerialLine::open(int port, const platform::LineSettings&) {
    throw platform::Failure("no serial port " + std::to_string(port));
}

void NullSerialLine::write(std::string_view) {
    throw platform::Failure("the serial port is not open");
}

}  // namespace quendrix::qt
