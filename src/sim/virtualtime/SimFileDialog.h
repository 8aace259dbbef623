#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileDialog.h"

namespace quendrix::sim {

// Answers each dialog from the test's script, in order, and records every dialog shown. A
// dialog shown with nothing scripted is a fault in the test, never a guess.
class SimFileDialog final : public platform::FileDialog {
public:
    struct Shown {
        Mode mode;
        std::string title;
        int flags;
        bool cancelError;
        std::string fileName;  // the name it opened with
        bool operator==(const Shown&) const = default;
    };

    void answer(std::string fileName) { script_.emplace_back(std::move(fileName)); }
    void cancel() { script_.emplace_back(std::nullopt); }
    const std::vector<Shown>& shown() const { return shown_; }

protected:
    std::optional<std::string> choose(Mode mode) override;

private:
    std::deque<std::optional<std::string>> script_;
    std::vector<Shown> shown_;
};

}  // namespace quendrix::sim
