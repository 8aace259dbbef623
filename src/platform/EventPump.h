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
    // Handles the events that are pending and returns, never blocking: a yield inside a loop
    // that has work of its own. In virtual time it also lets a small fixed step pass.
    virtual void pumpPending() = 0;
};

}  // namespace quendrix::platform
