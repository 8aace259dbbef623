#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ChangeNotifier.h"

namespace quendrix::platform {

// The modal message box: the program's title, the text and one OK button. show() returns
// when the box has been closed, by the operator or by answer(). A box shown while another is
// open stacks on it; answer() closes the top one.
class MessageBox {
public:
    virtual ~MessageBox() = default;

    void show(const std::string& text);
    // Presses OK on the top box, as the operator would; false when none is open.
    bool answer();
    // The text of the top box, if one is open.
    std::optional<std::string> onScreen() const;

    Event<std::string> onShown;   // a box opens, with its text
    Event<std::string> onClosed;  // a box has closed, with its text

protected:
    // Shows the box and returns when it is closed.
    virtual void display(const std::string& text) = 0;
    // Closes the box that display() shows last; display() returns.
    virtual void pressOk() = 0;

private:
    std::vector<std::string> open_;
};

inline constexpr const char* kProgramTitle = "quendrix";

}  // namespace quendrix::platform
