#pragma once

#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "editor/CellEditor.h"
#include "editor/ProtocolFiles.h"
#include "editor/ProtocolGrid.h"
#include "form/Inventory.h"
#include "form/SettingsFields.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "runner/ProtocolRunner.h"
#include "service/ManualTestButtons.h"
#include "settings/frmValvePositions.h"

namespace quendrix::app {

// The program's one working window: it owns every control, timer and flag, starts the
// program when it is created and ends it when it closes. The object outlives the close, so
// that waits still on the stack find everything they use; they see the window closed and
// leave.
class MainForm {
public:
    explicit MainForm(platform::Platform& platform);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    form::Inventory& controls() { return controls_; }
    editor::ProtocolFiles& protocolFiles() { return protocolFiles_; }
    device::DeviceLink& deviceLink() { return device_; }
    runner::ProtocolRunner& runner() { return runner_; }
    // The message box the window's parts show their messages in.
    platform::MessageBox& messages() { return messages_; }
    settings::frmValvePositions& settingsWindow() { return settings_; }
    // The settings fields that other parts read; reading one loads the settings window.
    form::SettingsFields& settingsFields() { return settings_; }

    void NewProtocol_Click();

    // "Kestrova" and the version numbers, each with its sign position: "Kestrova  1. 0. 0".
    static std::string versionText(const platform::Version& version);

private:
    void Form_Load();
    void Form_Unload();

    platform::Platform& platform_;
    form::Inventory controls_;
    editor::ProtocolGrid grid_;
    editor::CellEditor cellEditor_;
    platform::MessageBox& messages_;
    editor::ProtocolFiles protocolFiles_;
    device::DeviceLink device_;
    settings::frmValvePositions settings_;
    runner::ProtocolRunner runner_;
    service::ManualTestButtons service_;
    std::vector<platform::Subscription> handlers_;
};

}  // namespace quendrix::app
