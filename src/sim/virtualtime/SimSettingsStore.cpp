#include "sim/virtualtime/SimSettingsStore.h"

#include <algorithm>
#include <string_view>

#include "platform/Failure.h"

namespace quendrix::sim {
namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, {}, lower, lower);
}

}  // namespace

std::string SimSettingsStore::GetSetting(const std::string& appName, const std::string& section,
                                         const std::string& key, const std::string& defaultText) {
    throwIfFailing(section, key);
    const auto found = std::ranges::find_if(entries_, [&](const Entry& entry) {
        return sameName(entry.appName, appName) && sameName(entry.section, section) &&
               sameName(entry.key, key);
    });
    const std::string text = found == entries_.end() ? defaultText : found->value;
    reads_.push_back({appName, section, key, text});
    return text;
}

void SimSettingsStore::SaveSetting(const std::string& appName, const std::string& section,
                                   const std::string& key, const std::string& value) {
    throwIfFailing(section, key);
    store(appName, section, key, value);
    writes_.push_back({appName, section, key, value});
}

void SimSettingsStore::put(const std::string& appName, const std::string& section,
                           const std::string& key, const std::string& value) {
    store(appName, section, key, value);
}

void SimSettingsStore::failAt(std::string section, std::string key) {
    failing_.emplace_back(std::move(section), std::move(key));
}

void SimSettingsStore::store(const std::string& appName, const std::string& section,
                             const std::string& key, const std::string& value) {
    // A new key takes the spelling its application and section were first stored with.
    Entry added{appName, section, key, value};
    for (Entry& entry : entries_) {
        if (!sameName(entry.appName, appName)) {
            continue;
        }
        added.appName = entry.appName;
        if (!sameName(entry.section, section)) {
            continue;
        }
        added.section = entry.section;
        if (sameName(entry.key, key)) {
            entry.value = value;
            return;
        }
    }
    entries_.push_back(std::move(added));
}

void SimSettingsStore::throwIfFailing(const std::string& section, const std::string& key) const {
    const bool failing = std::ranges::any_of(failing_, [&](const auto& address) {
        return sameName(address.first, section) && sameName(address.second, key);
    });
    if (failing) {
        throw platform::Failure("the settings store cannot reach " + section + "/" + key);
    }
}

}  // namespace quendrix::sim
