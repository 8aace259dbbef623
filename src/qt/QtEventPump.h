#pragma once

#include "platform/EventPump.h"

namespace quendrix::qt {

// The window event queue of the running application.
class QtEventPump final : public platform::EventPump {
public:
    void pumpOnce() override;
    void pumpPending() override;
};

}  // namespace quendrix::qt
