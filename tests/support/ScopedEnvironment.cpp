#include "support/ScopedEnvironment.h"

#include <QtGlobal>

namespace quendrix::testsupport {

ScopedEnvironment::ScopedEnvironment(const char* name, const QByteArray& value) : name_(name) {
    if (qEnvironmentVariableIsSet(name_)) {
        previous_ = qgetenv(name_);
    }
    qputenv(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    if (previous_) {
        qputenv(name_, *previous_);
    } else {
        qunsetenv(name_);
    }
}

}  // namespace quendrix::testsupport
