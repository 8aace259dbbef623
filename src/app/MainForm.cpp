#include "app/MainForm.h"

#include "common/NumberText.h"
#include "platform/Failure.h"

namespace quendrix::app {

MainForm::MainForm(platform::Platform& platform)
    : platform_(platform),
      controls_(platform),
      grid_(controls_.MSFlexGrid1, controls_.CommandFrame, controls_.ValvePositionFrame),
      cellEditor_(controls_),
      messages_(platform.messageBox()),
      protocolFiles_(controls_, platform.fileDialog(), messages_),
      device_(controls_),
      settings_(controls_, platform.settingsStore()),
      runner_(controls_, device_, settings_, messages_, platform.random()),
      service_(controls_, device_) {
    handlers_.push_back(controls_.NewProtocol.onClick.subscribe([this] { NewProtocol_Click(); }));
    handlers_.push_back(controls_.MainForm.onClose.subscribe([this] { Form_Unload(); }));
    Form_Load();
}

std::string MainForm::versionText(const platform::Version& version) {
    return "Kestrova " + formatSignedNumber(version.major) + "." +
           formatSignedNumber(version.minor) + "." + formatSignedNumber(version.revision);
}

void MainForm::Form_Load() {
    grid_.InitProtocolGrid();
    controls_.txtVersion.setCaption(versionText(platform_.version()));
    controls_.flags.CurrentAddress = "1";
    controls_.chrErrorCode.setText("0");
    controls_.flags.ProtocolRunning = false;
    const auto& window = controls_.MainForm.geometry();
    controls_.MainForm.setGeometry(
        {window.left, window.top, controls_.Picture1.geometry().width, window.height});
    grid_.numberRows();
    controls_.GridEditText.setText("");
}

void MainForm::Form_Unload() {
    // Clearing the flag first is what lets the waits further down the stack end.
    controls_.flags.ProtocolRunning = false;
    for (platform::Timer* timer : controls_.timers()) {
        timer->setEnabled(false);
    }
    if (controls_.MSComm1.PortOpen()) {
        controls_.MSComm1.setPortOpen(false);
    }
    // With the port closed, the settings window can apply the port number it stores.
    settings_.Unload();
}

void MainForm::NewProtocol_Click() {
    grid_.InitProtocolGrid();
    controls_.MSFlexGrid1.setFocus();
    controls_.MainForm.setCaption("Create Protocol");
}

}  // namespace quendrix::app
