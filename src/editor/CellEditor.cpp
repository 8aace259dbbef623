#include "editor/CellEditor.h"

#include <string>

namespace quendrix::editor {
namespace {

constexpr int kHighestByte = 255;

// A code outside the single-byte range has no character in the code page.
char characterOf(int keyAscii) {
    return keyAscii >= 0 && keyAscii <= kHighestByte ? static_cast<char>(keyAscii) : '?';
}

}  // namespace

CellEditor::CellEditor(form::Inventory& form) : form_(form) {
    wireEvents();
}

void CellEditor::wireEvents() {
    auto& grid = form_.MSFlexGrid1;
    auto& edit = form_.GridEditText;
    handlers_.push_back(grid.onKeyPress.subscribe(
        [&grid, &edit](int& KeyAscii) { MSHFlexGridEdit(grid, edit, KeyAscii); }));
    handlers_.push_back(
        grid.onDblClick.subscribe([&grid, &edit] { MSHFlexGridEdit(grid, edit, kBlank); }));
    handlers_.push_back(edit.onKeyDown.subscribe(
        [this, &grid, &edit](int KeyCode, int Shift) { EditKeyCode(grid, edit, KeyCode, Shift); }));
    // Enter would otherwise insert nothing and beep.
    handlers_.push_back(edit.onKeyPress.subscribe([](int& KeyAscii) {
        if (KeyAscii == kEnter) {
            KeyAscii = 0;
        }
    }));
    handlers_.push_back(grid.onGotFocus.subscribe([&grid, &edit] { commit(grid, edit); }));
    handlers_.push_back(grid.onLeaveCell.subscribe([&grid, &edit] { commit(grid, edit); }));
}

void CellEditor::MSHFlexGridEdit(platform::Grid& MSHFlexGrid, platform::TextBox& Edt,
                                 int KeyAscii) {
    if (KeyAscii >= 0 && KeyAscii <= kBlank) {
        // The key itself is not applied: Backspace deletes nothing, a blank inserts nothing.
        Edt.setText(MSHFlexGrid.Text());
        Edt.setSelStart(kCaretAtEnd);
    } else {
        Edt.setText(std::string(1, characterOf(KeyAscii)));
        Edt.setSelStart(1);
    }
    const auto& grid = MSHFlexGrid.geometry();
    Edt.move(grid.left + MSHFlexGrid.CellLeft(), grid.top + MSHFlexGrid.CellTop(),
             MSHFlexGrid.CellWidth() - kInset, MSHFlexGrid.CellHeight() - kInset);
    Edt.setVisible(true);
    Edt.setFocus();
}

void CellEditor::EditKeyCode(platform::Grid& MSHFlexGrid, platform::TextBox& Edt, int KeyCode,
                             int /*Shift*/) {
    switch (KeyCode) {
        case kEnter:
            MSHFlexGrid.setFocus();  // its GotFocus commits
            break;
        case kEscape:
            Edt.setVisible(false);  // so that the commit finds nothing open
            MSHFlexGrid.setFocus();
            break;
        case kUp:
            moveAfterCommit(MSHFlexGrid, -1);
            break;
        case kDown:
            moveAfterCommit(MSHFlexGrid, +1);
            break;
        default:
            break;  // the key edits the text as usual
    }
}

// The commit runs while the grid takes the focus and the pending events run, so the text
// lands in the cell that was being edited and not in its neighbour.
void CellEditor::moveAfterCommit(platform::Grid& MSHFlexGrid, int rowStep) {
    MSHFlexGrid.setFocus();
    form_.events.yield();
    const int row = MSHFlexGrid.Row() + rowStep;
    if (row >= MSHFlexGrid.FixedRows() && row <= MSHFlexGrid.Rows() - 1) {
        MSHFlexGrid.setRow(row);
        keepInView(MSHFlexGrid, row);
    }
}

// As in any grid, a row reached by the arrows scrolls into view, so that the next edit opens
// over a cell the operator can see.
void CellEditor::keepInView(platform::Grid& MSHFlexGrid, int row) {
    if (MSHFlexGrid.RowIsVisible(row)) {
        return;
    }
    const int top = MSHFlexGrid.TopRow();
    MSHFlexGrid.setTopRow(row < top ? row : row - MSHFlexGrid.visibleRowCount() + 1);
}

void CellEditor::commit(platform::Grid& MSHFlexGrid, platform::TextBox& Edt) {
    if (!Edt.visible()) {
        return;
    }
    MSHFlexGrid.setText(Edt.text());
    Edt.setVisible(false);
}

}  // namespace quendrix::editor
