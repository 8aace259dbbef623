#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "runner/CommandTokens.h"
#include "runner/RowKind.h"
#include "sim/instrument/ControllerError.h"

namespace quendrix::runner {
namespace {

// The guide for writing protocols names, in backquotes, every keyword and every token the
// program knows, and has a table row for every error code.
TEST(ProtocolGuideTest, NamesEveryKeywordTokenAndErrorCode) {
    std::ifstream in(QUENDRIX_DOCS_DIR "/protocols.md");
    const std::string guide{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(guide.empty());
    for (const Keyword& keyword : kKeywords) {
        EXPECT_NE(guide.find("`" + std::string(keyword.text) + "`"), std::string::npos)
            << keyword.text;
    }
    for (const CommandToken& token : kCommandTokens) {
        EXPECT_NE(guide.find("`" + std::string(token.text) + "`"), std::string::npos) << token.text;
    }
    for (const sim::ControllerErrorMeaning& error : sim::kControllerErrors) {
        const std::string code = std::to_string(static_cast<int>(error.code));
        EXPECT_NE(guide.find("\n| " + code + " | " + std::string(error.name) + " |"),
                  std::string::npos)
            << code;
    }
}

}  // namespace
}  // namespace quendrix::runner
