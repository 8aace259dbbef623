#pragma once

#include "platform/MessageBox.h"

namespace quendrix::qt {

// A modal box over the active window, titled with the program's title, with one OK button.
class QtMessageBox final : public platform::MessageBox {
public:
    void show(const std::string& text) override;
};

}  // namespace quendrix::qt
