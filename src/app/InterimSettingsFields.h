#pragma once

#include <string>

#include "form/SettingsFields.h"

namespace quendrix::app {

// Stands in for the settings window until it lands: port 1, and no bound for a drawn
// position.
class InterimSettingsFields final : public form::SettingsFields {
public:
    std::string CommPortSetting() override { return "1"; }
    std::string MaxPosition() override { return ""; }
};

}  // namespace quendrix::app
