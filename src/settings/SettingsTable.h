#pragma once

#include <span>

#include "settings/SettingsWindowControls.h"

namespace quendrix::settings {

// The application name every setting is stored under.
inline constexpr const char* kApplication = "quendrix";

// One key of the store: where it lives, its default, and the field of the window that shows
// and edits it.
struct StoredSetting {
    const char* section;
    const char* key;
    int defaultValue;
    platform::TextBox SettingsWindowControls::*field;  // nullptr: kept by the window, no field
};

// One write of the window's unload: the key, and the section name it is written under.
struct SettingSave {
    const char* section;
    const StoredSetting* setting;
};

// The 47 keys in the order the window reads them when it loads.
std::span<const StoredSetting> readOrder();

// The same keys in the order the window writes them when it unloads: the valve positions as
// read, the volume ranges syringe first, then the flow rates as read, ending with
// `MaxDACValue`, which alone is written under "FLowRates".
std::span<const SettingSave> saveOrder();

}  // namespace quendrix::settings
