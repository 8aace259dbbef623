#pragma once

#include <string>

#include "platform/Diagnostics.h"

namespace quendrix::qt {

// One warning line per report through Qt's logging, category "quendrix": on standard error,
// and so in a desktop session's journal. A run against a missing port fails the same way
// twice a second for hours; a repeat of the last line is counted, and the count is written
// when another line comes.
class QtDiagnostics final : public platform::Diagnostics {
public:
    void report(std::string_view what) override;

private:
    std::string last_;
    long repeats_ = 0;
};

}  // namespace quendrix::qt
