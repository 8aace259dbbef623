#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quendrix::qt {

// A line of a settings file that QSettings would misread, or take the lines after it with.
struct MalformedLine {
    int number;          // 1 and up, as an editor counts them
    std::string reason;  // completes "line 3 ...": "has no \"=\""
};

// Checks an INI file line by line against what QSettings reads as one entry, before QSettings
// sees it: QSettings reads a line without "=" as nothing, lets an open double quote or a
// trailing backslash swallow the lines after it, and rewrites the file without what it did
// not understand at its next save. A sound line is blank, a comment (";" first), a section
// header ("[name]", a comment may follow) or "key=value" with a key, whose double quotes
// close on the line.
class IniLineCheck {
public:
    explicit IniLineCheck(std::string_view content);

    const std::vector<MalformedLine>& malformed() const { return malformed_; }
    // The content with its malformed lines left empty, and with them the lines of a section
    // whose header is malformed, since no one can tell which section they belong to. The other
    // lines keep their numbers.
    std::string usableContent() const;

private:
    std::vector<std::string> lines_;
    std::vector<bool> usable_;
    std::vector<MalformedLine> malformed_;
};

}  // namespace quendrix::qt
