#pragma once

#include "platform/FileDialog.h"

namespace quendrix::qt {

// The desktop's open and save dialogs over the active window. File names are paths in the
// file system's own encoding, not program texts.
class QtFileDialog final : public platform::FileDialog {
protected:
    std::optional<std::string> choose(Mode mode) override;
};

}  // namespace quendrix::qt
