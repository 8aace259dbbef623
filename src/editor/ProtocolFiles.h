#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form/Inventory.h"
#include "platform/ChangeNotifier.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"

namespace quendrix::editor {

// Saving the protocol to a file and loading it again. The file is a flat dump of the three
// protocol columns of all 2000 rows, row by row, one quoted record per line; its meaning
// comes from the position of each line alone. Both commands use the main window's file
// slot, and so end a run log that a run had open on it.
class ProtocolFiles {
public:
    static constexpr std::string_view kSaveTitle = "Save Protocol";
    static constexpr std::string_view kLoadTitle = "Load Protocol";
    static constexpr std::string_view kWriteError = "Error Writing File";
    static constexpr std::string_view kReadError = "Error Reading file";
    static constexpr int kFirstColumn = 1;
    static constexpr int kLastColumn = 3;

    // Wires the Load and Save buttons of the main window.
    ProtocolFiles(form::Inventory& form, platform::FileDialog& CommonDialog1,
                  platform::MessageBox& messages);
    ProtocolFiles(const ProtocolFiles&) = delete;
    ProtocolFiles& operator=(const ProtocolFiles&) = delete;

    // Every row is written, empty or not. A save that fails leaves an earlier file as it was:
    // the new content replaces it only once complete. A double quote in a cell is written as an
    // apostrophe, so that every cell loads back in its own place; the grid keeps its quote.
    void SaveProtocol_Click();
    // Only the cells that the file supplies change; then the rows with a filled first column
    // are numbered again.
    void LoadProtocol_Click();

    // The file last loaded or saved without a failure; empty before the first.
    const std::string& lastFile() const { return lastFile_; }
    // The grid's protocol as Save writes it.
    static std::string protocolText(const platform::Grid& grid);

private:
    bool showDialog(void (platform::FileDialog::*show)());
    void hidePanels();
    void writeProtocol();
    void readProtocol();
    void numberFilledRows();
    void fail(std::string_view message, std::string_view reason);

    form::Inventory& form_;
    platform::FileDialog& CommonDialog1_;
    platform::MessageBox& messages_;
    std::string lastFile_;
    std::vector<platform::Subscription> handlers_;
};

}  // namespace quendrix::editor
