#include "qt/shared/IniLineCheck.h"

#include <optional>

namespace quendrix::qt {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Lines end in LF, CR LF or a lone CR, as QSettings reads them.
std::vector<std::string> splitLines(std::string_view content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] != '\n' && content[i] != '\r') {
            continue;
        }
        lines.emplace_back(content.substr(start, i - start));
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < content.size()) {
        lines.emplace_back(content.substr(start));
    }
    return lines;
}

// What stands before an unquoted ";" (the rest is a comment), or why the line would run on
// into the next: a backslash escapes the character after it, as in QSettings.
struct Scan {
    std::string_view content;
    std::size_t equals = std::string_view::npos;  // the first unquoted "="
    std::optional<std::string> fault;
};

Scan scan(std::string_view line) {
    Scan result;
    result.content = line;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\') {
            if (i + 1 == line.size()) {
                result.fault = "ends in a backslash, which joins the next line to it";
                return result;
            }
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == '=' && result.equals == std::string_view::npos) {
            result.equals = i;
        } else if (!quoted && c == ';') {
            result.content = line.substr(0, i);
            return result;
        }
    }
    if (quoted) {
        result.fault = "leaves a double quote open, which takes the lines after it";
    }
    return result;
}

std::optional<std::string> sectionFault(std::string_view header) {
    const std::size_t close = header.find(']');
    if (close == std::string_view::npos) {
        return "has no \"]\" after its section name";
    }
    if (!trimmed(header.substr(close + 1)).empty()) {
        return "has text after the \"]\" of its section name";
    }
    if (trimmed(header.substr(1, close - 1)).empty()) {
        return "names no section";
    }
    return std::nullopt;
}

std::optional<std::string> lineFault(std::string_view line) {
    if (line.empty() || line.front() == ';') {
        return std::nullopt;
    }
    if (line.front() == '#') {
        return "begins with \"#\", but comments begin with \";\"";
    }
    const Scan scanned = scan(line);
    if (scanned.fault) {
        return scanned.fault;
    }
    const std::string_view content = trimmed(scanned.content);
    if (content.front() == '[') {
        return sectionFault(content);
    }
    if (scanned.equals == std::string_view::npos) {
        return "has no \"=\"";
    }
    if (trimmed(content.substr(0, scanned.equals)).empty()) {
        return "has no key before \"=\"";
    }
    return std::nullopt;
}

}  // namespace

IniLineCheck::IniLineCheck(std::string_view content) {
    if (content.starts_with(kByteOrderMark)) {
        malformed_.push_back({1, "begins with a byte order mark"});
        content.remove_prefix(kByteOrderMark.size());
    }
    lines_ = splitLines(content);
    bool inBrokenSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = trimmed(lines_[i]);
        const std::optional<std::string> fault = lineFault(line);
        if (line.starts_with('[')) {
            inBrokenSection = fault.has_value();
        }
        if (fault) {
            malformed_.push_back({static_cast<int>(i + 1), *fault});
        }
        usable_.push_back(!fault && !inBrokenSection);
    }
}

std::string IniLineCheck::usableContent() const {
    std::string content;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (usable_[i]) {
            content += lines_[i];
        }
        content += '\n';
    }
    return content;
}

}  // namespace quendrix::qt
