#include "service/ManualTestButtons.h"

#include <string>

namespace quendrix::service {

ManualTestButtons::ManualTestButtons(form::Inventory& form, device::DeviceLink& device)
    : form_(form), device_(device) {
    handlers_.push_back(form_.Command5.onClick.subscribe([this] { Command5_Click(); }));
    handlers_.push_back(form_.Command2.onClick.subscribe([this] { Command2_Click(); }));
}

void ManualTestButtons::Command5_Click() {
    for (int position = kFirstPosition; position <= kLastPosition; position += kPositionStep) {
        device_.SendToDevice("1", "A" + std::to_string(position) + "R", "");
        if (!pause()) {
            return;
        }
    }
}

bool ManualTestButtons::pause() {
    for (int pass = 0; pass < kPausePasses; ++pass) {
        for (int yield = 0; yield < kYieldsPerPass; ++yield) {
            if (!form_.events.yield()) {
                return false;
            }
        }
    }
    return true;
}

void ManualTestButtons::Command2_Click() {
    form_.Frame3.setVisible(!form_.Frame3.visible());
}

}  // namespace quendrix::service
