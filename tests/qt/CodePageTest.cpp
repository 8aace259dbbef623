#include <gtest/gtest.h>

#include <QString>
#include <numeric>
#include <string>

#include "qt/CodePage.h"

namespace quendrix::qt {
namespace {

TEST(CodePageTest, ConvertsAsTheWesternWindowsCodePageAndEveryByteComesBack) {
    std::string bytes(256, '\0');
    std::iota(bytes.begin(), bytes.end(), '\0');
    const QString text = toQString(bytes);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(toStdString(text), bytes);
    // Euro sign, low double quotation mark, an undefined byte standing for its own control
    // character, a Latin-1 letter.
    EXPECT_EQ(toQString("A\x80\x84\x8D\xE9"), QStringLiteral(u"A\u20AC\u201E\u008D\u00E9"));
    // Characters the code page lacks: a control character no byte stands for, one beyond
    // eight bits, one beyond sixteen.
    EXPECT_EQ(toStdString(QStringLiteral(u"a\u0080b\u4E2Dc\U0001F600d")), "a?b?c?d");
}

}  // namespace
}  // namespace quendrix::qt
