#pragma once

#include <array>
#include <string_view>

namespace quendrix::runner {

// What a row is, decided by its column 1: a keyword, compared exactly, or a controller
// address, which is any text from "1" to "9" in character-code order ("12" and "3x" too).
// Anything else, the empty cell included, the run cannot read.
enum class RowKind { Loop, Goto, Pause, Wait, End, Device, Count, Unreadable };

struct Keyword {
    std::string_view text;
    RowKind kind;
};

// Every keyword of column 1. No keyword sorts between "1" and "9", so the order in which
// keywords and addresses are tried does not matter.
inline constexpr std::array<Keyword, 6> kKeywords{{
    {"Loop", RowKind::Loop},
    {"Goto", RowKind::Goto},
    {"Pause", RowKind::Pause},
    {"Wait", RowKind::Wait},
    {"End", RowKind::End},
    {"Count", RowKind::Count},
}};

RowKind classifyRow(std::string_view columnOne);

}  // namespace quendrix::runner
