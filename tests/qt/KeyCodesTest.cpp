#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QString>
#include <optional>
#include <utility>

#include "qt/KeyCodes.h"

namespace quendrix::qt {
namespace {

TEST(KeyCodesTest, MapsTheKeysTheProgramKnowsToTheirVirtualKeyCodes) {
    const std::pair<int, int> keys[] = {
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},    {Qt::Key_Escape, 27}, {Qt::Key_Up, 38},
        {Qt::Key_Left, 37},   {Qt::Key_Backspace, 8}, {Qt::Key_A, 65},      {Qt::Key_Z, 90},
        {Qt::Key_0, 48},      {Qt::Key_F1, 112},      {Qt::Key_F12, 123},   {Qt::Key_Shift, 16},
        {Qt::Key_Comma, 0},   {Qt::Key_unknown, 0}};
    for (const auto& [qtKey, code] : keys) {
        EXPECT_EQ(KeyCodes::virtualKeyCode(qtKey), code) << "key 0x" << std::hex << qtKey;
    }
}

TEST(KeyCodesTest, CombinesShiftControlAndAlt) {
    EXPECT_EQ(KeyCodes::shiftState(Qt::NoModifier), 0);
    EXPECT_EQ(KeyCodes::shiftState(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(KeyCodes::shiftState(Qt::ShiftModifier | Qt::KeypadModifier), 1);
}

std::optional<int> typed(int qtKey, const char* text) {
    return KeyCodes::keyAscii(
        QKeyEvent(QEvent::KeyPress, qtKey, Qt::NoModifier, QString::fromUtf8(text)));
}

// The code-page byte of the character typed, '?' for one beyond the code page; control keys
// type their codes even where the event carries no text, editing and focus keys nothing.
TEST(KeyCodesTest, GivesTheCodePageByteOfTheCharacterTyped) {
    EXPECT_EQ(typed(Qt::Key_unknown, "a"), 97);
    EXPECT_EQ(typed(Qt::Key_unknown, "\xe2\x82\xac"), 0x80);  // the euro sign
    EXPECT_EQ(typed(Qt::Key_unknown, "\xf0\x9f\x98\x80"), '?');
    EXPECT_EQ(typed(Qt::Key_Return, ""), 13);
    EXPECT_EQ(typed(Qt::Key_Escape, ""), 27);
    EXPECT_EQ(typed(Qt::Key_Backspace, ""), 8);
    EXPECT_EQ(typed(Qt::Key_unknown, "ab"), std::nullopt);
    EXPECT_EQ(typed(Qt::Key_Tab, "\t"), std::nullopt);
    EXPECT_EQ(typed(Qt::Key_Up, ""), std::nullopt);
    EXPECT_EQ(typed(Qt::Key_Delete, "\x7f"), std::nullopt);
}

}  // namespace
}  // namespace quendrix::qt
