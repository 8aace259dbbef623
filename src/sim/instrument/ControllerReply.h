#pragma once

#include <string>

#include "sim/instrument/ControllerError.h"

namespace quendrix::sim {

// What a controller answers, before the bus frames it.
struct ControllerReply {
    bool ready = true;
    ControllerError error = ControllerError::none;
    std::string data;
};

}  // namespace quendrix::sim
