#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/SettingsStore.h"

namespace quendrix::sim {

// The settings store in memory. Names keep the spelling they were first stored in; later
// spellings (letters A to Z in either case) find them. A key marked as failing can be neither
// read nor saved.
class SimSettingsStore final : public platform::SettingsStore {
public:
    // A stored text, or one read or save, with its address.
    struct Entry {
        std::string appName;
        std::string section;
        std::string key;
        std::string value;
        bool operator==(const Entry&) const = default;
    };

    std::string GetSetting(const std::string& appName, const std::string& section,
                           const std::string& key, const std::string& defaultText) override;
    void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                     const std::string& value) override;

    // Stores a text without counting it as a save: what the store held before the program ran.
    void put(const std::string& appName, const std::string& section, const std::string& key,
             const std::string& value);
    // From now on a read or save of this key of this section, in any spelling, throws Failure.
    void failAt(std::string section, std::string key);
    // From now on every key can be read and saved again.
    void mend() { failing_.clear(); }

    // The stored texts in the order their keys were created, names as first spelled.
    const std::vector<Entry>& entries() const { return entries_; }
    // Every read that succeeded, in order, names as the caller spelled them, with the text
    // it returned.
    const std::vector<Entry>& reads() const { return reads_; }
    // Every save that succeeded, in order, names as the caller spelled them.
    const std::vector<Entry>& writes() const { return writes_; }

private:
    void store(const std::string& appName, const std::string& section, const std::string& key,
               const std::string& value);
    void throwIfFailing(const std::string& section, const std::string& key) const;

    std::vector<Entry> entries_;
    std::vector<Entry> reads_;
    std::vector<Entry> writes_;
    std::vector<std::pair<std::string, std::string>> failing_;
};

}  // namespace quendrix::sim
