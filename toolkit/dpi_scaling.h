#pragma once
// Positions and sizes are given in pixels at 96 DPI and scaled to the screen's density.
#include <cstdint>

namespace wexa {

inline constexpr int ReferenceDpi = 96;

// value * numerator / denominator, rounded to the nearest integer, halves away from
// zero, as the platform's MulDiv does; -1 when the denominator is 0 or the result
// does not fit.
constexpr int MulDivRounded(int value, int numerator, int denominator) {
    if (denominator == 0) return -1;
    std::int64_t product = std::int64_t{value} * numerator;
    std::int64_t d = denominator;
    if (d < 0) {
        product = -product;
        d = -d;
    }
    std::int64_t half = d / 2;
    std::int64_t q = product >= 0 ? (product + half) / d : -((-product + half) / d);
    return q > INT32_MAX || q < INT32_MIN ? -1 : static_cast<int>(q);
}

constexpr int ScaleForDpi(int value, int dpi) { return MulDivRounded(value, dpi, ReferenceDpi); }

// Character height in pixels of a font of `points` on a screen of `dpi`.
constexpr int FontPixelHeight(int points, int dpi) { return MulDivRounded(points, dpi, 72); }

} // namespace wexa

namespace wexa {

// The top-left corner that centres an outer size on the screen. A window larger than the
// screen is treated as the screen's size, so its corner never lies above or left of it.
struct Origin {
    int x, y;
};
constexpr Origin CentredOrigin(int outerWidth, int outerHeight, int screenWidth, int screenHeight) {
    int w = outerWidth < screenWidth ? outerWidth : screenWidth;
    int h = outerHeight < screenHeight ? outerHeight : screenHeight;
    return {(screenWidth - w) / 2, (screenHeight - h) / 2};
}

} // namespace wexa
