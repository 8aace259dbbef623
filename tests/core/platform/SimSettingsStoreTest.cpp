#include <gtest/gtest.h>

#include <vector>

#include "platform/Failure.h"
#include "sim/SimSettingsStore.h"

namespace quendrix {
namespace {

using Entry = sim::SimSettingsStore::Entry;

constexpr const char* kApp = "quendrix";

TEST(SimSettingsStore, ReadsTheStoredTextEvenWhenEmptyAndTheDefaultOnlyForAnAbsentKey) {
    sim::SimSettingsStore store;
    store.put(kApp, "ValvePositions", "ValveSpeed", "");
    store.put(kApp, "ValvePositions", "MaxPresureChange", " 1,5 ");
    EXPECT_EQ(store.GetSetting(kApp, "ValvePositions", "ValveSpeed", "2000"), "");
    EXPECT_EQ(store.GetSetting("QUENDRIX", "valvepositions", "MAXPRESURECHANGE", "0"), " 1,5 ");
    EXPECT_EQ(store.GetSetting(kApp, "Volumes", "ValveSpeed", "2000"), "2000");
    EXPECT_EQ(store.GetSetting("other", "ValvePositions", "ValveSpeed", "2000"), "2000");
}

TEST(SimSettingsStore, FindsAndUpdatesANameInAnySpellingWithoutDuplicatingIt) {
    sim::SimSettingsStore store;
    store.put(kApp, "FLowRates", "MaxDACValue", "1");
    store.SaveSetting(kApp, "FlowRates", "MinimumWaitTime", "1");
    store.SaveSetting(kApp, "FLowRates", "MaxDACValue", "5851");
    store.SaveSetting(kApp, "flowrates", "MAXDACVALUE", "6000");

    EXPECT_EQ(store.GetSetting(kApp, "FlowRates", "MaxDACValue", "0"), "6000");
    // The first spelling stays; the saves are recorded as the caller spelled them.
    EXPECT_EQ(store.entries(), (std::vector<Entry>{{kApp, "FLowRates", "MaxDACValue", "6000"},
                                                   {kApp, "FLowRates", "MinimumWaitTime", "1"}}));
    ASSERT_EQ(store.writes().size(), 3u);
    EXPECT_EQ(store.writes()[2], (Entry{kApp, "flowrates", "MAXDACVALUE", "6000"}));
}

TEST(SimSettingsStore, AFailingKeyCanBeNeitherReadNorSavedInAnySpelling) {
    sim::SimSettingsStore store;
    store.put(kApp, "Volumes", "MinimumWashVolume", "750");
    store.failAt("Volumes", "MinimumWashVolume");
    EXPECT_THROW(store.GetSetting(kApp, "Volumes", "MinimumWashVolume", "0"), platform::Failure);
    EXPECT_THROW(store.SaveSetting(kApp, "VOLUMES", "minimumwashvolume", "1"), platform::Failure);
    EXPECT_EQ(store.GetSetting(kApp, "FlowRates", "MinimumWashVolume", "0"), "0");
    EXPECT_EQ(store.entries(), (std::vector<Entry>{{kApp, "Volumes", "MinimumWashVolume", "750"}}));
    EXPECT_TRUE(store.writes().empty());
    EXPECT_EQ(store.reads().size(), 1u);
}

}  // namespace
}  // namespace quendrix
