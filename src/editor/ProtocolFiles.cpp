#include "editor/ProtocolFiles.h"

#include <algorithm>
#include <string>

#include "editor/ProtocolGrid.h"
#include "platform/DialogCancelled.h"
#include "platform/Failure.h"

namespace quendrix::editor {
namespace {

// A record is a quoted text that ends at its next double quote, so a quote inside a cell
// would end the cell early and push every later cell on by one. An apostrophe takes its place
// in the file; no controller command uses either.
std::string recordText(std::string text) {
    std::replace(text.begin(), text.end(), '"', '\'');
    return text;
}

// Every cell of the 2000 rows as the file holds it, row by row.
template <typename Take>
void eachRecord(const platform::Grid& grid, Take take) {
    for (int row = 1; row <= ProtocolGrid::kProtocolRows; ++row) {
        for (int col = ProtocolFiles::kFirstColumn; col <= ProtocolFiles::kLastColumn; ++col) {
            take(recordText(grid.TextMatrix(row, col)));
        }
    }
}

}  // namespace

ProtocolFiles::ProtocolFiles(form::Inventory& form, platform::FileDialog& CommonDialog1,
                             platform::MessageBox& messages)
    : form_(form), CommonDialog1_(CommonDialog1), messages_(messages) {
    handlers_.push_back(form_.SaveProtocol.onClick.subscribe([this] { SaveProtocol_Click(); }));
    handlers_.push_back(form_.LoadProtocol.onClick.subscribe([this] { LoadProtocol_Click(); }));
}

void ProtocolFiles::SaveProtocol_Click() {
    CommonDialog1_.setCancelError(true);
    CommonDialog1_.setFlags(platform::FileDialog::kOverwritePrompt);
    CommonDialog1_.setDialogTitle(kSaveTitle);
    if (!showDialog(&platform::FileDialog::ShowSave)) {
        return;
    }
    hidePanels();
    form_.fileSlot.close();
    try {
        writeProtocol();
    } catch (const platform::Failure& failure) {
        fail(kWriteError, failure.what());
    }
}

void ProtocolFiles::LoadProtocol_Click() {
    hidePanels();
    CommonDialog1_.setCancelError(true);
    CommonDialog1_.setDialogTitle(kLoadTitle);
    if (!showDialog(&platform::FileDialog::ShowOpen)) {
        return;
    }
    form_.fileSlot.close();
    try {
        readProtocol();
    } catch (const platform::Failure& failure) {
        fail(kReadError, failure.what());
    }
}

// Cancelling ends the command without a word; so does a dialog that cannot be shown, whose
// reason is kept for whoever looks into it.
bool ProtocolFiles::showDialog(void (platform::FileDialog::*show)()) {
    try {
        (CommonDialog1_.*show)();
        return true;
    } catch (const platform::DialogCancelled&) {
        return false;
    } catch (const platform::Failure& failure) {
        form_.diagnostics.report(std::string("file dialog failed: ") + failure.what());
        return false;
    }
}

void ProtocolFiles::hidePanels() {
    form_.CommandFrame.setVisible(false);
    form_.ValvePositionFrame.setVisible(false);
}

void ProtocolFiles::writeProtocol() {
    auto& grid = form_.MSFlexGrid1;
    auto& slot = form_.fileSlot;
    slot.openForReplace(CommonDialog1_.FileName());
    eachRecord(grid, [&](const std::string& record) { slot.writeRecord(record); });
    slot.commit();
    lastFile_ = CommonDialog1_.FileName();
    grid.setTopRow(1);
}

std::string ProtocolFiles::protocolText(const platform::Grid& grid) {
    std::string text;
    eachRecord(grid,
               [&](const std::string& record) { text += platform::FileSlot::recordBytes(record); });
    return text;
}

// A file of more than 2000 rows fails at row 2001, which the grid does not have.
void ProtocolFiles::readProtocol() {
    auto& grid = form_.MSFlexGrid1;
    auto& slot = form_.fileSlot;
    slot.openForInput(CommonDialog1_.FileName());
    for (int row = 1; !slot.atEnd(); ++row) {
        for (int col = kFirstColumn; col <= kLastColumn; ++col) {
            grid.setTextMatrix(row, col, slot.readField());
        }
    }
    slot.close();
    lastFile_ = CommonDialog1_.FileName();
    numberFilledRows();
    grid.setTopRow(1);
}

void ProtocolFiles::numberFilledRows() {
    auto& grid = form_.MSFlexGrid1;
    for (int row = 1; row <= ProtocolGrid::kProtocolRows; ++row) {
        if (!grid.TextMatrix(row, kFirstColumn).empty()) {
            grid.setTextMatrix(row, 0, std::to_string(row));
        }
    }
}

void ProtocolFiles::fail(std::string_view message, std::string_view reason) {
    form_.diagnostics.report(std::string(message) + ": " + std::string(reason));
    messages_.show(std::string(message));
    form_.fileSlot.close();
}

}  // namespace quendrix::editor
