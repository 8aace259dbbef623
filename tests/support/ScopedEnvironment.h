#pragma once

#include <QByteArray>
#include <optional>

namespace quendrix::testsupport {

// One environment variable set to a value for as long as this lives; then it has its earlier
// value again, or none.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> previous_;
};

}  // namespace quendrix::testsupport
