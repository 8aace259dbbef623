#include "common/CodePage.h"

#include <algorithm>
#include <array>

namespace quendrix {
namespace {

// Bytes 0x80 to 0x9F; every other byte is the character of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

constexpr unsigned char kFirstHigh = 0x80;
constexpr unsigned char kLastHigh = 0x9F;

void appendUtf8(std::string& out, char32_t character) {
    const auto byte = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (character < 0x80) {
        byte(character);
    } else if (character < 0x800) {
        byte(0xC0 | (character >> 6));
        byte(0x80 | (character & 0x3F));
    } else {
        byte(0xE0 | (character >> 12));
        byte(0x80 | ((character >> 6) & 0x3F));
        byte(0x80 | (character & 0x3F));
    }
}

}  // namespace

char32_t unicodeOf(char byte) {
    const auto code = static_cast<unsigned char>(byte);
    return code >= kFirstHigh && code <= kLastHigh ? kHighControls[code - kFirstHigh] : code;
}

char codePageByteOf(char32_t character) {
    if (character < kFirstHigh || (character > kLastHigh && character <= 0xFF)) {
        return static_cast<char>(character);
    }
    const auto* found = std::ranges::find_if(
        kHighControls, [character](char16_t high) { return char32_t{high} == character; });
    if (found == kHighControls.end()) {
        return '?';
    }
    return static_cast<char>(kFirstHigh + static_cast<unsigned>(found - kHighControls.begin()));
}

std::string utf8FromCodePage(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char byte : text) {
        appendUtf8(out, unicodeOf(byte));
    }
    return out;
}

}  // namespace quendrix
