#include "settings/frmValvePositions.h"

#include "common/NumberText.h"
#include "platform/Failure.h"
#include "settings/SettingsTable.h"

namespace quendrix::settings {

frmValvePositions::frmValvePositions(form::MainFormControls& form, platform::SettingsStore& store)
    : form_(form), store_(store) {
    handlers_.push_back(form_.Settings.onClick.subscribe([this] { Settings_Click(); }));
    handlers_.push_back(form_.Command1.onClick.subscribe([this] { Command1_Click(); }));
    handlers_.push_back(window().onClose.subscribe([this] {
        if (loaded_) {
            loaded_ = false;
            Form_Unload();
        }
    }));
}

void frmValvePositions::Show() {
    if (loaded_ && window().shown()) {
        window().bringToFront();
        return;
    }
    Load();
    window().show();
}

void frmValvePositions::Unload() {
    if (window().shown()) {
        window().close();  // the close unloads
    } else if (loaded_) {
        loaded_ = false;
        Form_Unload();
    }
}

std::string frmValvePositions::CommPortSetting() {
    Load();
    return controls_.CommPortSetting.text();
}

std::string frmValvePositions::MaxPosition() {
    Load();
    return controls_.MaxPosition.text();
}

void frmValvePositions::Settings_Click() {
    Show();
}

void frmValvePositions::Command1_Click() {
    form_.CommandFrame.setVisible(false);
    form_.ValvePositionFrame.setVisible(false);
    Show();
    form_.CommandFrame.setVisible(false);
    form_.ValvePositionFrame.setVisible(false);
}

void frmValvePositions::Load() {
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
}

// A freshly loaded window starts empty, so a read that fails leaves the rest of the fields
// empty, and the maximum move position always is.
void frmValvePositions::Form_Load() {
    for (platform::TextBox* field : controls_.fields()) {
        field->setText("");
    }
    AuxilliaryWithOutFilter_.clear();
    controls_.AuxilliaryWithFilter.setFocus();
    try {
        readSettings();
    } catch (const platform::Failure& failure) {
        form_.diagnostics.report(std::string("settings load stopped: ") + failure.what());
    }
}

void frmValvePositions::readSettings() {
    for (const StoredSetting& setting : readOrder()) {
        std::string text = store_.GetSetting(kApplication, setting.section, setting.key,
                                             std::to_string(setting.defaultValue));
        if (setting.field != nullptr) {
            (controls_.*setting.field).setText(std::move(text));
        } else {
            AuxilliaryWithOutFilter_ = std::move(text);
        }
    }
}

void frmValvePositions::Form_Unload() {
    try {
        saveSettings();
    } catch (const platform::Failure& failure) {
        form_.diagnostics.report(std::string("settings save stopped: ") + failure.what());
        return;
    }
    applyCommPort();
}

void frmValvePositions::saveSettings() {
    for (const SettingSave& save : saveOrder()) {
        const StoredSetting& setting = *save.setting;
        const std::string& text =
            setting.field != nullptr ? (controls_.*setting.field).text() : AuxilliaryWithOutFilter_;
        store_.SaveSetting(kApplication, save.section, setting.key, text);
    }
}

void frmValvePositions::applyCommPort() {
    const std::string& text = controls_.CommPortSetting.text();
    const auto port = readWholeInt16(text);
    if (!port) {
        form_.diagnostics.report("port number not applied: \"" + text +
                                 "\" is not a 16-bit number");
        return;
    }
    try {
        form_.MSComm1.setCommPort(*port);
    } catch (const platform::Failure& failure) {
        form_.diagnostics.report(std::string("port number not applied: ") + failure.what());
    }
}

}  // namespace quendrix::settings
