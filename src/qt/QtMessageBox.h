#pragma once

#include <vector>

#include "platform/MessageBox.h"

class QMessageBox;

namespace quendrix::qt {

// A modal box over the active window, titled with the program's title, with one OK button.
class QtMessageBox final : public platform::MessageBox {
protected:
    void display(const std::string& text) override;
    void pressOk() override;

private:
    std::vector<QMessageBox*> boxes_;  // the boxes open now, the top one last
};

}  // namespace quendrix::qt
