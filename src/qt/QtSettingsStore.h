#pragma once

#include "platform/SettingsStore.h"

namespace quendrix::qt {

// The settings store in the application's per-user INI file (see openUserSettingsFile): the
// application name picks the file, so "quendrix" shares it with the serial port names. Each
// call opens the file afresh; a save reaches the disk before it returns. Names are found in
// the spelling the file has, in any letter case; a name not yet there is written as given.
// Texts go to the file as Unicode through the program's code page and come back byte for byte.
class QtSettingsStore final : public platform::SettingsStore {
public:
    std::string GetSetting(const std::string& appName, const std::string& section,
                           const std::string& key, const std::string& defaultText) override;
    void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace quendrix::qt
