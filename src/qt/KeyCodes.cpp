#include "qt/KeyCodes.h"

#include <QList>
#include <QStringView>
#include <array>
#include <utility>

#include "common/CodePage.h"

namespace quendrix::qt {
namespace {

constexpr std::array<std::pair<int, int>, 22> kNamedKeys = {{
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},  {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},     {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},     {Qt::Key_Up, 38},       {Qt::Key_Right, 39},   {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
}};

constexpr int kVkF1 = 112;

}  // namespace

int KeyCodes::virtualKeyCode(int qtKey) {
    // Letters and digits share their codes with the upper-case characters.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return kVkF1 + (qtKey - Qt::Key_F1);
    }
    for (const auto& [key, code] : kNamedKeys) {
        if (key == qtKey) {
            return code;
        }
    }
    return 0;
}

int KeyCodes::shiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

std::optional<int> KeyCodes::keyAscii(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return std::nullopt;  // Tab moves the focus
        case Qt::Key_Delete:
            return std::nullopt;  // an editing key, though some systems give it a character
        default:
            break;
    }
    const QList<uint> typed = QStringView(event.text()).toUcs4();
    if (typed.size() != 1) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(quendrix::codePageByteOf(typed.front()));
}

}  // namespace quendrix::qt
