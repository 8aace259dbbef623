#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Failure.h"
#include "sim/SimSettingsStore.h"

namespace quendrix {
namespace {

using Entry = sim::SimSettingsStore::Entry;

constexpr const char* kApp = "quendrix";

struct ReadCase {
    const char* name;
    const char* appName;
    const char* section;
    const char* key;
    const char* expected;
};

TEST(SimSettingsStore, ReadsTheStoredTextEvenWhenEmptyAndTheDefaultOnlyForAnAbsentKey) {
    sim::SimSettingsStore store;
    store.put(kApp, "ValvePositions", "ValveSpeed", "");
    store.put(kApp, "ValvePositions", "MaxPresureChange", " 1,5 ");
    const ReadCase cases[] = {
        {"empty text", kApp, "ValvePositions", "ValveSpeed", ""},
        {"text as stored", kApp, "ValvePositions", "MaxPresureChange", " 1,5 "},
        {"other spelling", "QUENDRIX", "valvepositions", "maxpresurechange", " 1,5 "},
        {"absent key", kApp, "ValvePositions", "ValveOverShoot", "1000"},
        {"absent section", kApp, "Volumes", "ValveSpeed", "1000"},
        {"other application", "other", "ValvePositions", "ValveSpeed", "1000"},
    };
    for (const auto& [name, appName, section, key, expected] : cases) {
        EXPECT_EQ(store.GetSetting(appName, section, key, "1000"), expected) << name;
    }
}

TEST(SimSettingsStore, FindsAndUpdatesANameInAnySpellingWithoutDuplicatingIt) {
    sim::SimSettingsStore store;
    store.SaveSetting(kApp, "FlowRates", "MinimumWaitTime", "1");
    store.SaveSetting(kApp, "FLowRates", "MaxDACValue", "5851");
    store.SaveSetting(kApp, "flowrates", "MAXDACVALUE", "6000");
    store.SaveSetting(kApp, "Volumes", "MaximumWasteVolume", "11000");

    EXPECT_EQ(store.GetSetting(kApp, "FlowRates", "MaxDACValue", "0"), "6000");
    const std::vector<Entry> stored = {{kApp, "FlowRates", "MinimumWaitTime", "1"},
                                       {kApp, "FlowRates", "MaxDACValue", "6000"},
                                       {kApp, "Volumes", "MaximumWasteVolume", "11000"}};
    EXPECT_EQ(store.entries(), stored);
    // The saves themselves are kept as the caller spelled them.
    ASSERT_EQ(store.writes().size(), 4u);
    EXPECT_EQ(store.writes()[1], (Entry{kApp, "FLowRates", "MaxDACValue", "5851"}));
}

TEST(SimSettingsStore, TheFirstSpellingOfASectionStays) {
    sim::SimSettingsStore store;
    store.put(kApp, "FLowRates", "MaxDACValue", "5851");
    store.SaveSetting(kApp, "FlowRates", "MaximumWaitTime", "150");
    for (const Entry& entry : store.entries()) {
        EXPECT_EQ(entry.section, "FLowRates") << entry.key;
    }
    EXPECT_EQ(store.writes().size(), 1u);  // put is not a save
}

TEST(SimSettingsStore, AFailingKeyCanBeNeitherReadNorSavedInAnySpelling) {
    sim::SimSettingsStore store;
    store.put(kApp, "Volumes", "MinimumWashVolume", "750");
    store.failAt("Volumes", "MinimumWashVolume");
    EXPECT_THROW(store.GetSetting(kApp, "Volumes", "MinimumWashVolume", "0"), platform::Failure);
    EXPECT_THROW(store.SaveSetting(kApp, "VOLUMES", "minimumwashvolume", "1"), platform::Failure);
    EXPECT_EQ(store.GetSetting(kApp, "Volumes", "MaximumWashVolume", "7500"), "7500");
    EXPECT_EQ(store.GetSetting(kApp, "FlowRates", "MinimumWashVolume", "0"), "0");
    EXPECT_EQ(store.entries(), (std::vector<Entry>{{kApp, "Volumes", "MinimumWashVolume", "750"}}));
    EXPECT_TRUE(store.writes().empty());
    EXPECT_EQ(store.reads().size(), 2u);
}

}  // namespace
}  // namespace quendrix
