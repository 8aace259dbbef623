#include "platform/MessageBox.h"

namespace quendrix::platform {
namespace {

// Takes the box off the stack however display() leaves.
class OpenBox {
public:
    OpenBox(std::vector<std::string>& open, const std::string& text) : open_(open) {
        open_.push_back(text);
    }
    ~OpenBox() { open_.pop_back(); }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;

private:
    std::vector<std::string>& open_;
};

}  // namespace

void MessageBox::show(const std::string& text) {
    {
        const OpenBox box(open_, text);
        onShown.notify(text);
        display(text);
    }
    onClosed.notify(text);
}

bool MessageBox::answer() {
    if (open_.empty()) {
        return false;
    }
    pressOk();
    return true;
}

std::optional<std::string> MessageBox::onScreen() const {
    if (open_.empty()) {
        return std::nullopt;
    }
    return open_.back();
}

}  // namespace quendrix::platform
