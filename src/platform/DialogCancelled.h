#pragma once

#include "platform/Failure.h"

namespace quendrix::platform {

// The user cancelled a file dialog whose CancelError was set: the command that showed it ends.
class DialogCancelled : public Failure {
public:
    DialogCancelled() : Failure("the dialog was cancelled") {}
};

}  // namespace quendrix::platform
