#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/MainForm.h"
#include "sim/virtualtime/SimPlatform.h"

namespace quendrix {
namespace {

using Entry = sim::SimSettingsStore::Entry;

constexpr const char* kApp = "quendrix";

std::string storedText(const sim::SimSettingsStore& store, const std::string& key) {
    const auto found = std::ranges::find(store.entries(), key, &Entry::key);
    return found == store.entries().end() ? "(absent)" : found->value;
}

class SettingsWindowTest : public ::testing::Test {
protected:
    sim::SimPlatform platform;
    sim::SimSettingsStore& store = platform.settings();
    app::MainForm form{platform};
    form::Inventory& c = form.controls();
    settings::frmValvePositions& settingsWindow = form.settingsWindow();
    settings::SettingsWindowControls& s = settingsWindow.controls();
    platform::Window& window = settingsWindow.window();
};

TEST_F(SettingsWindowTest, AnEmptyStoreGivesEveryDefaultAndTheUnloadWritesEveryKeyInItsOrder) {
    c.Settings.click();
    EXPECT_TRUE(window.shown());
    EXPECT_EQ(s.CommPortSetting.text(), "1");
    EXPECT_EQ(s.MaxPosition.text(), "");
    window.close();

    // Every write in its order, each section named where it begins.
    std::string written;
    std::string section;
    for (const Entry& entry : store.writes()) {
        EXPECT_EQ(entry.appName, kApp);
        if (entry.section != section) {
            section = entry.section;
            written += (written.empty() ? "[" : " [") + section + "]";
        }
        written += " " + entry.key + "=" + entry.value;
    }
    EXPECT_EQ(
        written,
        "[ValvePositions] ValveSpeed=2000 ValveOverShoot=1000 AuxilliaryWithFilter=44571 "
        "AuxilliaryWithOutFilter=20571 HomeBlockWithFilter=0 HomeBlockWithOutFilter=0 "
        "MasterMixWithFilter=10286 MasterMixWithOutFilter=34286 SampleWithFilter=30857 "
        "SampleWithOutFilter=6857 WashWithFilter=37714 WashWithOutFilter=13714 "
        "WasteWithFilter=17143 WasteWithOutFilter=41143 MaximumSteps=24000 MaximumVolume=1050 "
        "MaxPresureChange=100 CommPortSetting=1 [Volumes] MaximumSyringeVolume=11000 "
        "MinimumSyringeVolume=1100 MaximumAuxiliaryVolume=1200 MinimumAuxiliaryVolume=120 "
        "MaximumSampleVolume=6000 MinimumSampleVolume=600 MaximumWashVolume=7500 "
        "MinimumWashVolume=750 MaximumMastermixVolume=250 MinimumMastermixVolume=25 "
        "MaximumWasteVolume=11000 MinimumWasteVolume=1100 MinimumAspirateVolume=10 "
        "MaximumAspirateVolume=600 MinimumDispenseVolume=10 MaximumDispenseVolume=600 "
        "[FlowRates] MinimumAspirateFlowRate=10 MaximumAspirateFlowRate=150 "
        "MinimumDispenseFlowRate=10 MaximumDispenseFlowRate=150 MinimumLoopTimes=1 "
        "MaximumLoopTimes=50 MinimumSonicationAmplitude=10 MaximumSonicationAmplitude=150 "
        "MinimumSonicationTime=1 MaximumSonicationTime=150 MinimumWaitTime=1 "
        "MaximumWaitTime=150 [FLowRates] MaxDACValue=5851");
    EXPECT_FALSE(settingsWindow.loaded());

    EXPECT_EQ(store.reads().size(), 47u);
    EXPECT_EQ(store.reads().back(), (Entry{kApp, "FlowRates", "MaxDACValue", "5851"}));
}

TEST_F(SettingsWindowTest, AnEmptiedFieldIsStoredEmptyAndComesBackEmptyNotAsItsDefault) {
    c.Settings.click();
    s.MaxPresureChange.setText("");
    s.MinimumWaitTime.setText(" 1,5 bar");
    window.close();
    c.Settings.click();
    EXPECT_EQ(s.MaxPresureChange.text(), "");
    EXPECT_EQ(s.MinimumWaitTime.text(), " 1,5 bar");
    EXPECT_EQ(s.ValveSpeed.text(), "2000");
}

TEST_F(SettingsWindowTest, NamesStoredInOtherLetterCasesAreFoundAndUpdatedInPlace) {
    store.put(kApp, "valvepositions", "VALVESPEED", "1500");
    store.put(kApp, "FLowRates", "maxdacvalue", "6000");
    c.Settings.click();
    EXPECT_EQ(s.ValveSpeed.text(), "1500");
    EXPECT_EQ(s.MaxDACValue.text(), "6000");
    s.MaxDACValue.setText("6100");
    window.close();

    const auto& entries = store.entries();
    ASSERT_EQ(entries.size(), 47u);
    EXPECT_EQ(entries[0], (Entry{kApp, "valvepositions", "VALVESPEED", "1500"}));
    EXPECT_EQ(entries[1], (Entry{kApp, "FLowRates", "maxdacvalue", "6100"}));
    // The other flow rates join the section as it was first spelled.
    EXPECT_EQ(entries.back(), (Entry{kApp, "FLowRates", "MaximumWaitTime", "150"}));
}

// A read that fails skips its key: the load reads the others, and the unload writes back what
// was read, and the skipped key only when its field was typed in, so the store keeps its text.
TEST_F(SettingsWindowTest, AKeyThatCannotBeReadIsSkippedAndKeptUnlessItsFieldIsTypedIn) {
    using Field = platform::TextBox settings::SettingsWindowControls::*;
    struct Case {  // field nullptr: the key without a field; stored: after the unload
        const char *section, *key;
        Field field;
        const char *typed, *stored;
        std::size_t writes;
    };
    using C = settings::SettingsWindowControls;
    for (const Case& failing :
         {Case{"ValvePositions", "ValveSpeed", &C::ValveSpeed, "", "777", 46},
          Case{"Volumes", "MinimumWashVolume", &C::MinimumWashVolume, "800", "800", 47},
          Case{"ValvePositions", "AuxilliaryWithOutFilter", nullptr, "", "777", 46}}) {
        SCOPED_TRACE(failing.key);
        sim::SimPlatform rig;
        sim::SimSettingsStore& failingStore = rig.settings();
        failingStore.put(kApp, failing.section, failing.key, "777");
        failingStore.failAt(failing.section, failing.key);
        app::MainForm program(rig);
        settings::frmValvePositions& w = program.settingsWindow();
        program.controls().Settings.click();
        EXPECT_EQ(failingStore.reads().size(), 46u);
        EXPECT_EQ(w.controls().MaxDACValue.text(), "5851");  // read last
        ASSERT_EQ(rig.diagnosticLines().lines().size(), 1u);
        EXPECT_NE(rig.diagnosticLines().lines()[0].find(failing.key), std::string::npos);
        if (failing.field != nullptr) {
            EXPECT_EQ((w.controls().*failing.field).text(), "");
            (w.controls().*failing.field).setText(failing.typed);
        }
        failingStore.mend();
        w.window().close();
        EXPECT_EQ(failingStore.writes().size(), failing.writes);
        EXPECT_EQ(storedText(failingStore, failing.key), failing.stored);
        EXPECT_EQ(storedText(failingStore, "MaximumWaitTime"), "150");
        EXPECT_TRUE(rig.messages().shown().empty());
    }
}

// A run start reads the port number, which loads the window unseen; the program's end unloads
// it. A store failing in between keeps the port number and the key without a field.
TEST_F(SettingsWindowTest, AStoreFailingAtARunStartLosesNothingAtTheProgramsEnd) {
    store.put(kApp, "ValvePositions", "CommPortSetting", "3");
    store.put(kApp, "ValvePositions", "AuxilliaryWithOutFilter", "12345");
    store.failAt("ValvePositions", "CommPortSetting");
    c.MSFlexGrid1.setTextMatrix(1, 1, "End");
    form.runner().RunProtocol_Click(0);
    EXPECT_TRUE(settingsWindow.loaded());
    EXPECT_FALSE(window.shown());
    store.mend();
    c.MainForm.close();
    EXPECT_EQ(store.writes().size(), 46u);
    EXPECT_EQ(storedText(store, "CommPortSetting"), "3");
    EXPECT_EQ(store.writes()[3],
              (Entry{kApp, "ValvePositions", "AuxilliaryWithOutFilter", "12345"}));
    EXPECT_EQ(storedText(store, "AuxilliaryWithOutFilter"), "12345");
}

TEST_F(SettingsWindowTest, AnUnloadStopsSilentlyAtTheFirstKeyThatCannotBeWritten) {
    c.Settings.click();
    s.CommPortSetting.setText("3");
    store.failAt("Volumes", "MinimumWashVolume");
    window.close();
    EXPECT_EQ(store.writes().size(), 25u);
    EXPECT_EQ(c.MSComm1.CommPort(), 1);
    EXPECT_EQ(platform.diagnosticLines().lines().size(), 1u);
    EXPECT_TRUE(platform.messages().shown().empty());
}

TEST_F(SettingsWindowTest, TheUnloadAppliesTheCommPortOnlyWhenItIsA16BitNumberAndThePortIsClosed) {
    const std::tuple<const char*, bool, int> cases[] = {
        {"3", false, 3},    {" 2.5 ", false, 2}, {"3.5", false, 4},   {"3", true, 1},
        {"COM3", false, 1}, {"", false, 1},      {"32768", false, 1}, {"0", false, 1}};
    for (const auto& [text, portOpen, port] : cases) {
        SCOPED_TRACE(text);
        c.Settings.click();
        s.CommPortSetting.setText(text);
        c.MSComm1.setPortOpen(portOpen);
        const std::size_t before = store.writes().size();
        window.close();
        EXPECT_EQ(store.writes().size(), before + 47);
        EXPECT_EQ(c.MSComm1.CommPort(), port);
        c.MSComm1.setPortOpen(false);
        c.MSComm1.setCommPort(1);
    }
}

TEST_F(SettingsWindowTest, ShowingAgainBringsItToTheFrontAndAReopenLoadsAfresh) {
    int raised = 0;
    auto onBringToFront = window.onBringToFront.subscribe([&] { ++raised; });
    c.Settings.click();
    EXPECT_EQ(window.focusedControl(), &s.AuxilliaryWithFilter);
    s.MaxPosition.setText("9000");
    s.ValveSpeed.setText("1800");
    s.MaxSteps.setFocus();
    c.Settings.click();
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(store.reads().size(), 47u);
    EXPECT_EQ(s.MaxPosition.text(), "9000");
    EXPECT_EQ(window.focusedControl(), &s.MaxSteps);

    window.close();
    c.Settings.click();
    EXPECT_EQ(store.reads().size(), 94u);
    EXPECT_EQ(s.MaxPosition.text(), "");
    EXPECT_EQ(s.ValveSpeed.text(), "1800");
    EXPECT_EQ(window.focusedControl(), &s.AuxilliaryWithFilter);
}

TEST_F(SettingsWindowTest, Command1ShowsItWithTheLetterPanelsHiddenAndProgramEndClosesIt) {
    c.CommandFrame.setVisible(true);
    c.ValvePositionFrame.setVisible(true);
    c.Command1.click();
    EXPECT_TRUE(window.shown());
    EXPECT_FALSE(c.CommandFrame.visible());
    EXPECT_FALSE(c.ValvePositionFrame.visible());
    c.MainForm.close();
    EXPECT_FALSE(window.shown());
    EXPECT_EQ(store.writes().size(), 47u);
}

// Also after an earlier close: the window then loads while its last close still stands.
TEST_F(SettingsWindowTest, ReadingAFieldLoadsWithoutShowingAndProgramEndStoresIt) {
    c.Settings.click();
    window.close();
    form::SettingsFields& fields = form.settingsFields();
    EXPECT_EQ(fields.CommPortSetting(), "1");
    EXPECT_EQ(fields.MaxPosition(), "");
    EXPECT_FALSE(window.shown());
    EXPECT_EQ(store.reads().size(), 94u);

    s.CommPortSetting.setText("2");
    c.MSComm1.setPortOpen(true);
    c.MainForm.close();
    EXPECT_EQ(store.writes().size(), 94u);
    EXPECT_EQ(c.MSComm1.CommPort(), 2);  // applied after shut-down closed the port
}

TEST_F(SettingsWindowTest, TheFieldsTakeTheFocusInTheirOrderAndCommPortCoversTheFirst) {
    std::string order;
    for (const platform::TextBox* field : s.fields()) {
        order += field->name() + " ";
    }
    EXPECT_EQ(order,
              "AuxilliaryWithFilter MaxPosition HomeBlockWithFilter HomeBlockWithOutFilter "
              "MasterMixWithFilter MasterMixWithOutFilter SampleWithFilter SampleWithOutFilter "
              "WashWithFilter WashWithOutFilter WasteWithFilter WasteWithOutFilter MaxSteps "
              "MaxVolume MaxDACValue MaxPresureChange CommPortSetting MinimumSampleVolume "
              "MaximumSampleVolume MinimumWashVolume MaximumWashVolume MinimumAuxiliaryVolume "
              "MaximumAuxiliaryVolume MinimumMastermixVolume MaximumMastermixVolume "
              "MinimumWasteVolume MaximumWasteVolume MinimumSyringeVolume MaximumSyringeVolume "
              "MinimumAspirateVolume MaximumAspirateVolume MinimumDispenseVolume "
              "MaximumDispenseVolume MinimumAspirateFlowRate MaximumAspirateFlowRate "
              "MinimumDispenseFlowRate MaximumDispenseFlowRate MinimumLoopTimes MaximumLoopTimes "
              "MinimumSonicationAmplitude MaximumSonicationAmplitude MinimumSonicationTime "
              "MaximumSonicationTime MinimumWaitTime MaximumWaitTime ValveOverShoot ValveSpeed ");
    EXPECT_EQ(s.CommPortSetting.geometry(), (platform::TwipRect{2040, 120, 735, 285}));
    EXPECT_EQ(s.AuxilliaryWithFilter.geometry(), s.CommPortSetting.geometry());
    EXPECT_EQ(window.caption(), "Application settings");
}

}  // namespace
}  // namespace quendrix
