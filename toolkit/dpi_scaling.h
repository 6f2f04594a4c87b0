#pragma once
// Positions and sizes are given in pixels at 96 DPI and scaled to the screen's density.

namespace wexa {

inline constexpr int ReferenceDpi = 96;

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
