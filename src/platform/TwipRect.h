#pragma once

namespace quendrix::platform {

inline constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch

// Position and size on a window, in twips (1/1440 inch).
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const TwipRect&) const = default;
};

}  // namespace quendrix::platform
