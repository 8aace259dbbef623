#pragma once

#include <memory>
#include <utility>

namespace quendrix::sim {

// Scheduled actions may outlive the object that scheduled them (the scheduler belongs to
// someone else); wrapping them in the owner's token turns them into no-ops once it is gone.
class LifeToken {
public:
    template <typename Action>
    auto guard(Action action) const {
        return [alive = std::weak_ptr<const char>(alive_), action = std::move(action)]() mutable {
            if (!alive.expired()) {
                action();
            }
        };
    }

private:
    std::shared_ptr<const char> alive_ = std::make_shared<const char>('\0');
};

}  // namespace quendrix::sim
