#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace quendrix::sim {

// Message boxes are recorded, and answered at once unless the test scripted an action to
// run while the box is "open" (for instance a click elsewhere that a modal box would block).
class SimMessageBox final : public platform::MessageBox {
public:
    void show(const std::string& text) override {
        shown_.push_back(text);
        if (!script_.empty()) {
            auto action = std::move(script_.front());
            script_.pop_front();
            action(text);
        }
    }

    const std::vector<std::string>& shown() const { return shown_; }
    void whenShown(std::function<void(const std::string&)> action) {
        script_.push_back(std::move(action));
    }

private:
    std::vector<std::string> shown_;
    std::deque<std::function<void(const std::string&)>> script_;
};

}  // namespace quendrix::sim
