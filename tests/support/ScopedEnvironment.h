#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace quendrix::testsupport {

// One environment variable set to a value for as long as this lives; then it has its earlier
// value again, or none.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name),
          previous_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        qputenv(name_, value);
    }
    ~ScopedEnvironment() { previous_ ? qputenv(name_, *previous_) : qunsetenv(name_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> previous_;
};

}  // namespace quendrix::testsupport
