#pragma once

#include <string>

#include "platform/ChangeNotifier.h"
#include "platform/MessageBox.h"

namespace quendrix::platform {

// A message box that tells a watcher when it is shown and when the operator has closed it,
// for as long as it waited on them.
class WatchedMessageBox final : public MessageBox {
public:
    explicit WatchedMessageBox(MessageBox& box) : box_(box) {}

    void show(const std::string& text) override {
        onShown.notify(text);
        box_.show(text);
        onClosed.notify();
    }

    Event<const std::string&> onShown;
    Event<> onClosed;

private:
    MessageBox& box_;
};

}  // namespace quendrix::platform
