#pragma once

namespace quendrix::platform {

// The window event queue. Every wait of the program is a loop of pumpOnce() and a re-test
// of its condition.
class EventPump {
public:
    virtual ~EventPump() = default;
    // Handles the events that are pending; when none is, blocks until the next one arrives
    // and handles it. Never returns without having handled something, so a wait never spins.
    virtual void pumpOnce() = 0;
};

}  // namespace quendrix::platform
