#include "qt/QtGridMetrics.h"

#include <QFontMetrics>

#include "platform/TwipRect.h"
#include "qt/shared/CodePage.h"

namespace quendrix::qt {

QtGridMetrics::QtGridMetrics() : font_("DejaVu Sans Condensed") {
    // A narrow face lets the wide Command column and its neighbours fit without a
    // horizontal scroll bar; any sans face serves where it is missing.
    font_.setStyleHint(QFont::SansSerif);
    font_.setPixelSize(11);
}

int QtGridMetrics::rowHeight() const {
    return kRowHeightPixels * platform::kTwipsPerPixel;
}

int QtGridMetrics::columnWidth(std::string_view caption) const {
    const int pixels = QFontMetrics(font_).horizontalAdvance(toQString(caption)) + kMarginPixels;
    return pixels * platform::kTwipsPerPixel;
}

}  // namespace quendrix::qt
