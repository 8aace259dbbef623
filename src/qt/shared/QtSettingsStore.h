#pragma once

#include <string>

#include "platform/Diagnostics.h"
#include "platform/SettingsStore.h"
#include "qt/shared/UserSettingsFile.h"

namespace quendrix::qt {

// The settings store in the application's per-user INI file (see UserSettingsFile): the
// application name picks the file, so "quendrix" shares it with the serial port names. Each
// call opens the file afresh; a save reaches the disk before it returns. Names are found in
// the spelling the file has, in any letter case; a name not yet there is written as given.
// Texts go to the file as Unicode through the program's code page and come back byte for byte.
// While the file has a malformed line, reads take the other lines, a key not among them fails
// to read rather than give its default, every save fails, and the diagnostics name the file
// and the lines.
class QtSettingsStore final : public platform::SettingsStore {
public:
    explicit QtSettingsStore(platform::Diagnostics& diagnostics);

    std::string GetSetting(const std::string& appName, const std::string& section,
                           const std::string& key, const std::string& defaultText) override;
    void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    void reportMalformed(const UserSettingsFile& file);

    platform::Diagnostics& diagnostics_;
    std::string reported_;  // the malformed lines told last, empty while the file is sound
};

}  // namespace quendrix::qt
