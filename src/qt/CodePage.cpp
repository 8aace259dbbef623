#include "qt/CodePage.h"

#include <QList>
#include <QStringView>
#include <algorithm>
#include <array>

namespace quendrix::qt {
namespace {

// Bytes 0x80 to 0x9F; every other byte is the character of the same number. The five bytes
// the code page leaves undefined stand for the control characters of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

constexpr unsigned kFirstHigh = 0x80;
constexpr unsigned kLastHigh = 0x9F;

char16_t toUnicode(unsigned char byte) {
    return byte >= kFirstHigh && byte <= kLastHigh ? kHighControls[byte - kFirstHigh] : byte;
}

}  // namespace

QString toQString(std::string_view text) {
    QString result(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    std::ranges::transform(text, result.begin(), [](char byte) {
        return QChar(toUnicode(static_cast<unsigned char>(byte)));
    });
    return result;
}

std::string toStdString(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t character : QStringView(text).toUcs4()) {
        result.push_back(toCodePage(character));
    }
    return result;
}

char toCodePage(char32_t character) {
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

}  // namespace quendrix::qt
