#include "platform/Container.h"

namespace quendrix::platform {

void Container::add(Control& child) {
    child.parent_ = this;
    children_.push_back(&child);
}

}  // namespace quendrix::platform
