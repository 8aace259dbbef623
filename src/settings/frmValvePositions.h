#pragma once

#include <string>
#include <vector>

#include "form/Inventory.h"
#include "form/SettingsFields.h"
#include "platform/SettingsStore.h"
#include "settings/SettingsTable.h"
#include "settings/SettingsWindowControls.h"

namespace quendrix::settings {

// The settings window: the editor of the stored settings and, while it is loaded, the holder
// of their values. It is loaded on first use (shown by the main window's "Settings" button
// and by its captionless Command1, or read by another part without being shown), fills its
// fields from the store when it loads, and writes them back and applies the port number when
// it unloads, by its close box or at program end. A key that could not be read is written back
// only when the operator has typed into its field, so a store that fails now and then never
// loses what it holds. Modeless and without an owner: the main
// window stays usable beside it.
class frmValvePositions final : public form::SettingsFields {
public:
    frmValvePositions(form::Inventory& form, platform::SettingsStore& store);
    frmValvePositions(const frmValvePositions&) = delete;
    frmValvePositions& operator=(const frmValvePositions&) = delete;

    SettingsWindowControls& controls() { return controls_; }
    platform::Window& window() { return controls_.frmValvePositions; }
    bool loaded() const { return loaded_; }

    // Loads the window if it is not loaded and shows it; a window already shown is brought
    // to the front with its fields as they are.
    void Show();
    // Unloads the window if it is loaded: the settings are stored and the port number
    // applied. The main window does this on its way out.
    void Unload();

    // The fields as they stand, typed but not yet stored; reading one loads the window
    // without showing it.
    std::string CommPortSetting() override;
    std::string MaxPosition() override;

    struct SettingText {
        const char* section;
        const char* key;
        std::string text;
    };
    // Every stored setting as the window holds it now, in the order it reads them; loads
    // the window without showing it.
    std::vector<SettingText> settingTexts();

    void Settings_Click();
    void Command1_Click();

private:
    void Load();
    void Form_Load();
    void Form_Unload();
    void readSettings();
    void saveSettings();
    bool mayWrite(const StoredSetting& setting) const;
    void applyCommPort();

    form::Inventory& form_;
    platform::SettingsStore& store_;
    SettingsWindowControls controls_;
    // The one setting without a field, written back as it was read.
    std::string AuxilliaryWithOutFilter_;
    // Per key of the read order: whether the last load read it.
    std::vector<bool> read_;
    bool loaded_ = false;
    std::vector<platform::Subscription> handlers_;
};

}  // namespace quendrix::settings
