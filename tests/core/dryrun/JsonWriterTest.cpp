#include <gtest/gtest.h>

#include <sstream>

#include "common/CodePage.h"
#include "dryrun/JsonWriter.h"

namespace quendrix::dryrun {
namespace {

TEST(JsonWriterTest, CommasFallIntoPlaceAndTextsAreEscaped) {
    std::ostringstream out;
    JsonWriter json(out);
    json.beginObject().member("t", "q\"b\\s/\n\r\t\x01\x1F\xE2\x82\xAC").key("a").beginArray();
    json.value(1).value(-2.5).value(true).null().beginObject().endObject().beginArray();
    json.endArray().endArray().member("e", 0.1).member("x", 1e21).endObject();
    EXPECT_EQ(out.str(), R"({"t":"q\"b\\s/\n\r\t\u0001\u001f)"
                         "\xE2\x82\xAC"
                         R"(","a":[1,-2.5,true,null,{},[]],"e":0.1,"x":1e+21})");
}

// The program's bytes as UTF-8: the euro sign, a byte the code page leaves undefined, and a
// Latin-1 letter.
TEST(JsonWriterTest, CodePageTextsBecomeUtf8) {
    EXPECT_EQ(utf8FromCodePage("A\x80\x81\xE9"), "A\xE2\x82\xAC\xC2\x81\xC3\xA9");
}

}  // namespace
}  // namespace quendrix::dryrun
