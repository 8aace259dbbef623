#include "settings/frmValvePositions.h"

#include <span>

#include "common/NumberText.h"
#include "platform/Failure.h"
#include "settings/SettingsTable.h"

namespace quendrix::settings {

frmValvePositions::frmValvePositions(form::Inventory& form, platform::SettingsStore& store)
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

std::vector<frmValvePositions::SettingText> frmValvePositions::settingTexts() {
    Load();
    std::vector<SettingText> texts;
    for (const StoredSetting& setting : readOrder()) {
        texts.push_back({setting.section, setting.key,
                         setting.field != nullptr ? (controls_.*setting.field).text()
                                                  : AuxilliaryWithOutFilter_});
    }
    return texts;
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

// A freshly loaded window starts empty, so a key that cannot be read leaves its field empty,
// and the maximum move position always is.
void frmValvePositions::Form_Load() {
    for (platform::TextBox* field : controls_.fields()) {
        field->setText("");
    }
    AuxilliaryWithOutFilter_.clear();
    controls_.AuxilliaryWithFilter.setFocus();
    readSettings();
}

// Reads every key it can. One that fails is marked unread and the next is tried: a failing
// read says nothing about the text stored, which the unload must then leave alone.
void frmValvePositions::readSettings() {
    const std::span<const StoredSetting> settings = readOrder();
    read_.assign(settings.size(), false);
    std::size_t failed = 0;
    std::string firstFailure;
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const StoredSetting& setting = settings[i];
        try {
            std::string text = store_.GetSetting(kApplication, setting.section, setting.key,
                                                 std::to_string(setting.defaultValue));
            if (setting.field != nullptr) {
                (controls_.*setting.field).setText(std::move(text));
            } else {
                AuxilliaryWithOutFilter_ = std::move(text);
            }
            read_[i] = true;
        } catch (const platform::Failure& failure) {
            if (failed++ == 0) {
                firstFailure =
                    std::string(setting.section) + "/" + setting.key + ": " + failure.what();
            }
        }
    }
    if (failed > 0) {
        form_.diagnostics.report("settings load: " + std::to_string(failed) + " of " +
                                 std::to_string(settings.size()) +
                                 " keys not read, each kept in the store unless its field is "
                                 "typed in; the first, " +
                                 firstFailure);
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
        if (!mayWrite(setting)) {
            continue;
        }
        const std::string& text =
            setting.field != nullptr ? (controls_.*setting.field).text() : AuxilliaryWithOutFilter_;
        store_.SaveSetting(kApplication, save.section, setting.key, text);
    }
}

// A key that was read is written back. One that was not is written only when the operator
// has typed into its empty field; the field-less key never is.
bool frmValvePositions::mayWrite(const StoredSetting& setting) const {
    const auto index = static_cast<std::size_t>(&setting - readOrder().data());
    if (read_.at(index)) {
        return true;
    }
    return setting.field != nullptr && !(controls_.*setting.field).text().empty();
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
