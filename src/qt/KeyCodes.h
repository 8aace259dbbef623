#pragma once

#include <QKeyEvent>
#include <optional>

namespace quendrix::qt {

// Keys as the program's handlers know them: KeyDown gets a virtual-key code (13 Enter,
// 27 Esc, 38 Up, 40 Down, 65 for A) and a shift state (1 Shift, 2 Ctrl, 4 Alt); KeyPress
// gets the single-byte character the key types (13 for Enter, 8 for Backspace).
class KeyCodes {
public:
    // 0 for a key that has no virtual-key code.
    static int virtualKeyCode(int qtKey);
    static int shiftState(Qt::KeyboardModifiers modifiers);
    // The byte of the code page for the character typed, '?' for one the code page lacks;
    // nothing for keys that type no single character.
    static std::optional<int> keyAscii(const QKeyEvent& event);
};

}  // namespace quendrix::qt
