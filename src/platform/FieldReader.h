#pragma once

#include <cstddef>
#include <string_view>

namespace quendrix::platform {

// Reads the fields of a sequential file's content, one at a time:
// - blanks (spaces) before a field are skipped;
// - a field that begins with a double quote is the text up to the next double quote, blanks,
//   commas and line ends included; whatever stands between that quote and the next comma or
//   line end is dropped. Without a closing quote the field runs to the end of the data;
// - any other field runs up to the next comma or line end; its trailing blanks are dropped;
// - a comma or a line end closes the field. CR LF is one line end, and a lone CR or a lone LF
//   is one as well, so "a\n\rb" holds three fields (a, an empty one, b);
// - the last field may also end at the end of the data.
// The data has nothing left once the delimiter of its last field has been read; empty data
// has nothing from the start. The fields are views into the data, which must outlive them.
class FieldReader {
public:
    explicit FieldReader(std::string_view data) : data_(data) {}

    bool atEnd() const { return next_ >= data_.size(); }
    // Throws Failure when nothing is left.
    std::string_view readField();

private:
    std::string_view quotedField();
    std::string_view unquotedField();
    void skipTo(std::string_view characters);
    void passDelimiter();

    std::string_view data_;
    std::size_t next_ = 0;
};

}  // namespace quendrix::platform
