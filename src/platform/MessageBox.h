#pragma once

#include <string>

namespace quendrix::platform {

// The modal message box: the program's title, the text and one OK button. Returns when the
// operator has closed it.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text) = 0;
};

inline constexpr const char* kProgramTitle = "quendrix";

}  // namespace quendrix::platform
