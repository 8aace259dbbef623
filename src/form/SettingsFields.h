#pragma once

#include <string>

namespace quendrix::form {

// The two fields of the settings window that other parts read directly. Reading one loads
// the window (without showing it) if it is not loaded yet; the text is the field's as it
// stands, typed but not yet stored.
class SettingsFields {
public:
    virtual ~SettingsFields() = default;
    virtual std::string CommPortSetting() = 0;
    virtual std::string MaxPosition() = 0;
};

}  // namespace quendrix::form
