#pragma once

#include "platform/TextBox.h"

namespace quendrix::form {

// A text box that holds a count. Its text is read strictly and written back in the shortest
// plain form; a text that is not a number makes the step fail, and the box keeps its text.
class Counter {
public:
    explicit Counter(platform::TextBox& box) : box_(box) {}

    // Each returns false when the step failed and was skipped.
    bool raise() { return step(1.0); }
    bool lower() { return step(-1.0); }

    bool readsZero() const;

private:
    bool step(double by);

    platform::TextBox& box_;
};

}  // namespace quendrix::form
