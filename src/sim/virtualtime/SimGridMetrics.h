#pragma once

#include "platform/GridMetrics.h"

namespace quendrix::sim {

// A fixed font: every character 90 twips (6 pixels) wide, rows 225 twips (15 pixels) high.
class SimGridMetrics final : public platform::GridMetrics {
public:
    static constexpr int kRowHeight = 225;
    static constexpr int kCharWidth = 90;
    static constexpr int kMargin = 120;

    int rowHeight() const override { return kRowHeight; }
    int columnWidth(std::string_view caption) const override {
        return static_cast<int>(caption.size()) * kCharWidth + kMargin;
    }
};

}  // namespace quendrix::sim
