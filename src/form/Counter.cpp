#include "form/Counter.h"

#include "common/NumberText.h"

namespace quendrix::form {

bool Counter::step(double by) {
    const auto value = readWholeNumber(box_.text());
    if (!value) {
        return false;
    }
    box_.setText(formatNumber(*value + by));
    return true;
}

bool Counter::readsZero() const {
    const auto value = readWholeNumber(box_.text());
    return value && *value == 0.0;
}

}  // namespace quendrix::form
