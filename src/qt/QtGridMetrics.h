#pragma once

#include <QFont>

#include "platform/GridMetrics.h"

namespace quendrix::qt {

// The grid's font and what it measures. Rows are 15 pixels high, so that the grid and the
// "Communications" panel fit the fixed window; the font is chosen to fit such a row.
class QtGridMetrics final : public platform::GridMetrics {
public:
    static constexpr int kRowHeightPixels = 15;
    static constexpr int kMarginPixels = 4;

    QtGridMetrics();

    const QFont& font() const { return font_; }
    int rowHeight() const override;
    int columnWidth(std::string_view caption) const override;

private:
    QFont font_;
};

}  // namespace quendrix::qt
