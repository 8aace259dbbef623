#pragma once

#include <string>
#include <string_view>

namespace quendrix {

// The program's texts are single bytes in the Windows-1252 code page. Every byte has a
// character of its own: the five bytes the code page leaves undefined stand for the control
// characters of the same number.
char32_t unicodeOf(char byte);

// The byte for one character, '?' when the code page has none.
char codePageByteOf(char32_t character);

// The text as UTF-8, for a terminal or a JSON document.
std::string utf8FromCodePage(std::string_view text);

}  // namespace quendrix
