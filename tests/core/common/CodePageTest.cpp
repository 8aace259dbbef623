#include <gtest/gtest.h>

#include "common/CodePage.h"

namespace quendrix {
namespace {

// The program's bytes as UTF-8: the euro sign, a byte the code page leaves undefined, and a
// Latin-1 letter.
TEST(CodePageTest, CodePageTextsBecomeUtf8) {
    EXPECT_EQ(utf8FromCodePage("A\x80\x81\xE9"), "A\xE2\x82\xAC\xC2\x81\xC3\xA9");
}

}  // namespace
}  // namespace quendrix
