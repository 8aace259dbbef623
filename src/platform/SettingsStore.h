#pragma once

#include <string>

namespace quendrix::platform {

// The per-user settings store: texts addressed by application, section and key, kept from one
// run of the program to the next. Section and key names are matched without regard to letter
// case: a name already stored in another spelling is found and updated, never duplicated.
// Texts are single bytes and come back exactly as saved. Nothing is ever deleted.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, even an empty one; `defaultText` only when the key is absent.
    // Throws Failure when the store cannot be read.
    virtual std::string GetSetting(const std::string& appName, const std::string& section,
                                   const std::string& key, const std::string& defaultText) = 0;

    // Stores `value`, creating section and key as needed and replacing an earlier value.
    // Throws Failure when the store cannot be written.
    virtual void SaveSetting(const std::string& appName, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
};

}  // namespace quendrix::platform
