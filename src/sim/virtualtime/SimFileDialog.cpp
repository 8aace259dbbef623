#include "sim/virtualtime/SimFileDialog.h"

#include <stdexcept>

namespace quendrix::sim {

std::optional<std::string> SimFileDialog::choose(Mode mode) {
    shown_.push_back({mode, DialogTitle(), Flags(), CancelError(), FileName()});
    if (script_.empty()) {
        throw std::logic_error("the file dialog \"" + DialogTitle() + "\" has no scripted answer");
    }
    std::optional<std::string> answer = std::move(script_.front());
    script_.pop_front();
    return answer;
}

}  // namespace quendrix::sim
