#include "platform/FileDialog.h"

#include <utility>

#include "platform/DialogCancelled.h"

namespace quendrix::platform {

void FileDialog::show(Mode mode) {
    std::optional<std::string> chosen =
        preset_ ? std::exchange(preset_, std::nullopt) : choose(mode);
    if (chosen.has_value()) {
        fileName_ = std::move(*chosen);
    } else if (cancelError_) {
        throw DialogCancelled();
    }
}

}  // namespace quendrix::platform
