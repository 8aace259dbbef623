#pragma once

#include "platform/Diagnostics.h"

namespace quendrix::qt {

// One warning line per report through Qt's logging, category "quendrix": on standard error,
// and so in a desktop session's journal.
class QtDiagnostics final : public platform::Diagnostics {
public:
    void report(std::string_view what) override;
};

}  // namespace quendrix::qt
