#pragma once

#include <vector>

#include "form/EventWait.h"
#include "form/Inventory.h"
#include "platform/ChangeNotifier.h"
#include "platform/Grid.h"
#include "platform/TextBox.h"

namespace quendrix::editor {

// The grid does not edit its own cells: a text box laid over the current cell does. An edit
// is open exactly while the box is visible, and the box's text is all there is of it. It
// lands in whatever cell is current when the grid gets the focus back or the operator leaves
// the cell; closing it by Esc hides the box first, so that nothing lands.
class CellEditor {
public:
    // Virtual-key codes of the keys that close an edit.
    static constexpr int kEnter = 13;
    static constexpr int kEscape = 27;
    static constexpr int kUp = 38;
    static constexpr int kDown = 40;
    // Codes up to the blank keep the cell's text; any other character replaces it.
    static constexpr int kBlank = 32;
    // Past the end of any text the box will hold, so the caret goes to the end.
    static constexpr int kCaretAtEnd = 1000;
    // The box is this much narrower and lower than the cell, in twips.
    static constexpr int kInset = 8;

    // Wires the main window's grid and its editor box.
    explicit CellEditor(form::Inventory& form);
    CellEditor(const CellEditor&) = delete;
    CellEditor& operator=(const CellEditor&) = delete;

    // Opens the editor over the grid's current cell, with the cell's text for a control key
    // or a blank and with the typed character alone for any other. KeyAscii is not changed.
    static void MSHFlexGridEdit(platform::Grid& MSHFlexGrid, platform::TextBox& Edt, int KeyAscii);
    // A key pressed down in the editor: Enter commits, Esc abandons, Up and Down commit and
    // move one row. Shift is not used.
    void EditKeyCode(platform::Grid& MSHFlexGrid, platform::TextBox& Edt, int KeyCode, int Shift);
    // Writes an open edit into the grid's current cell and hides the editor.
    static void commit(platform::Grid& MSHFlexGrid, platform::TextBox& Edt);

private:
    void wireEvents();
    void moveAfterCommit(platform::Grid& MSHFlexGrid, int rowStep);
    static void keepInView(platform::Grid& MSHFlexGrid, int row);

    form::Inventory& form_;
    std::vector<platform::Subscription> handlers_;
};

}  // namespace quendrix::editor
