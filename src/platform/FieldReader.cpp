#include "platform/FieldReader.h"

#include <algorithm>

#include "platform/Failure.h"

namespace quendrix::platform {
namespace {

constexpr std::string_view kDelimiters = ",\r\n";
constexpr char kBlank = ' ';
constexpr char kQuote = '"';

}  // namespace

std::string_view FieldReader::readField() {
    if (atEnd()) {
        throw Failure("no data left to read");
    }
    next_ = std::min(data_.find_first_not_of(kBlank, next_), data_.size());
    const std::string_view field =
        next_ < data_.size() && data_[next_] == kQuote ? quotedField() : unquotedField();
    passDelimiter();
    return field;
}

std::string_view FieldReader::quotedField() {
    const std::size_t start = next_ + 1;
    next_ = start;
    skipTo(std::string_view(&kQuote, 1));
    const std::string_view field = data_.substr(start, next_ - start);
    if (!atEnd()) {
        ++next_;  // the closing quote
        skipTo(kDelimiters);
    }
    return field;
}

std::string_view FieldReader::unquotedField() {
    const std::size_t start = next_;
    skipTo(kDelimiters);
    std::string_view field = data_.substr(start, next_ - start);
    while (!field.empty() && field.back() == kBlank) {
        field.remove_suffix(1);
    }
    return field;
}

void FieldReader::skipTo(std::string_view characters) {
    next_ = std::min(data_.find_first_of(characters, next_), data_.size());
}

void FieldReader::passDelimiter() {
    if (atEnd()) {
        return;
    }
    const char delimiter = data_[next_++];
    if (delimiter == '\r' && !atEnd() && data_[next_] == '\n') {
        ++next_;
    }
}

}  // namespace quendrix::platform
