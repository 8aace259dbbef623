#include <gtest/gtest.h>

#include <QString>
#include <ostream>
#include <string>

#include "qt/KeyCodes.h"

namespace quendrix::qt {
namespace {

struct VirtualKey {
    int qtKey;
    int code;
};

void PrintTo(const VirtualKey& key, std::ostream* out) {
    *out << "key 0x" << std::hex << key.qtKey << std::dec << " -> " << key.code;
}

class VirtualKeyCodeTest : public ::testing::TestWithParam<VirtualKey> {};

TEST_P(VirtualKeyCodeTest, MapsTheKeysTheProgramKnows) {
    EXPECT_EQ(KeyCodes::virtualKeyCode(GetParam().qtKey), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, VirtualKeyCodeTest,
    ::testing::Values(VirtualKey{Qt::Key_Return, 13}, VirtualKey{Qt::Key_Enter, 13},
                      VirtualKey{Qt::Key_Escape, 27}, VirtualKey{Qt::Key_Up, 38},
                      VirtualKey{Qt::Key_Down, 40}, VirtualKey{Qt::Key_Left, 37},
                      VirtualKey{Qt::Key_Backspace, 8}, VirtualKey{Qt::Key_A, 65},
                      VirtualKey{Qt::Key_Z, 90}, VirtualKey{Qt::Key_0, 48},
                      VirtualKey{Qt::Key_F1, 112}, VirtualKey{Qt::Key_F12, 123},
                      VirtualKey{Qt::Key_Shift, 16}, VirtualKey{Qt::Key_Comma, 0},
                      VirtualKey{Qt::Key_unknown, 0}));

TEST(ShiftStateTest, CombinesShiftControlAndAlt) {
    EXPECT_EQ(KeyCodes::shiftState(Qt::NoModifier), 0);
    EXPECT_EQ(KeyCodes::shiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(KeyCodes::shiftState(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(KeyCodes::shiftState(Qt::ShiftModifier | Qt::KeypadModifier), 1);
}

struct TypedKey {
    int qtKey;
    const char* text;
    std::optional<int> ascii;
};

void PrintTo(const TypedKey& key, std::ostream* out) {
    *out << "key 0x" << std::hex << key.qtKey << " text";
    for (const char32_t character : QString::fromUtf8(key.text).toUcs4()) {
        *out << " U+" << static_cast<unsigned>(character);
    }
    *out << std::dec << " -> " << (key.ascii ? std::to_string(*key.ascii) : "nothing");
}

class KeyAsciiTest : public ::testing::TestWithParam<TypedKey> {};

TEST_P(KeyAsciiTest, GivesTheCodePageByteOfTheCharacterTyped) {
    const QKeyEvent event(QEvent::KeyPress, GetParam().qtKey, Qt::NoModifier,
                          QString::fromUtf8(GetParam().text));
    EXPECT_EQ(KeyCodes::keyAscii(event), GetParam().ascii);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyAsciiTest,
    ::testing::Values(TypedKey{Qt::Key_A, "a", 97}, TypedKey{Qt::Key_A, "A", 65},
                      TypedKey{Qt::Key_Space, " ", 32},
                      // Control keys type their codes even where the event carries no text.
                      TypedKey{Qt::Key_Return, "", 13}, TypedKey{Qt::Key_Escape, "", 27},
                      TypedKey{Qt::Key_Backspace, "", 8},
                      TypedKey{Qt::Key_Adiaeresis, "\xc3\xa4", 0xE4},
                      TypedKey{Qt::Key_unknown, "\xe2\x82\xac", 0x80},  // euro sign
                      // Beyond the code page, and keys that type nothing or more than one.
                      TypedKey{Qt::Key_unknown, "\xe4\xb8\xad", '?'},
                      TypedKey{Qt::Key_unknown, "\xf0\x9f\x98\x80", '?'},
                      TypedKey{Qt::Key_unknown, "ab", std::nullopt},
                      TypedKey{Qt::Key_Tab, "\t", std::nullopt},
                      TypedKey{Qt::Key_Up, "", std::nullopt}));

}  // namespace
}  // namespace quendrix::qt
