#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "qt/CodePage.h"

namespace quendrix::qt {
namespace {

TEST(CodePageTest, EveryByteSurvivesTheTripToUnicodeAndBack) {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) {
        bytes.push_back(static_cast<char>(byte));
    }
    const QString text = toQString(bytes);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(toStdString(text), bytes);
}

struct Character {
    char16_t unicode;
    const char* bytes;
};

TEST(CodePageTest, ConvertsAsTheWesternWindowsCodePage) {
    const Character cases[] = {
        {u'A', "A"},         {u'\u20AC', "\x80"},  // euro sign
        {u'\u201E', "\x84"},                       // low double quotation mark
        {u'\u0178', "\x9F"},                       // capital Y with diaeresis
        {u'\u008D', "\x8D"},  // undefined in the code page: its own control character
        {u'\u00A0', "\xA0"},  // from here on as Latin-1
        {u'\u00E9', "\xE9"}, {u'\u00FF', "\xFF"},
    };
    for (const auto& [unicode, bytes] : cases) {
        EXPECT_EQ(toQString(bytes), QString(QChar(unicode))) << bytes;
        EXPECT_EQ(toStdString(QString(QChar(unicode))), bytes) << bytes;
    }
}

TEST(CodePageTest, ACharacterTheCodePageLacksBecomesAQuestionMark) {
    // A control character that a byte of the code page does not stand for, a character
    // beyond, and one beyond sixteen bits.
    EXPECT_EQ(toStdString(QString::fromUtf8("a\u0080b\u4E2Dc\U0001F600d")), "a?b?c?d");
}

}  // namespace
}  // namespace quendrix::qt
