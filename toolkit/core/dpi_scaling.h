#pragma once
// Positions and sizes are given in pixels at 96 DPI and scaled by one layout density: the
// display's, or less where the window would not fit its monitor's work area at that.
#include <algorithm>

namespace wexa {

inline constexpr int ReferenceDpi = 96;
// The least density a window is shrunk to: below it text would be too small to read, and a
// window that does not fit even then is cut off rather than made smaller.
inline constexpr int SmallestLayoutDpi = 24;

struct Size {
    int width, height;
};

// The largest density at which MulDiv(length, density, 96) <= room, not above `cap`: from
// (length * density + 48) / 96 < room + 1.
constexpr int LargestFittingDpi(int length, int room, int cap) {
    if (length <= 0) return cap;
    long long dpi = (static_cast<long long>(room) * ReferenceDpi + ReferenceDpi / 2 - 1) / length;
    return dpi < cap ? static_cast<int>(dpi) : cap;
}

// The density at which a window's client area (96-DPI units) plus its frame (pixels) fits
// the work area: the display's own where it fits at that, else the largest at which it
// does, never below SmallestLayoutDpi (nor above the display's).
constexpr int FittingLayoutDpi(int displayDpi, Size client, Size frame, Size workArea) {
    int dpi = LargestFittingDpi(client.width, workArea.width - frame.width, displayDpi);
    dpi = LargestFittingDpi(client.height, workArea.height - frame.height, dpi);
    return std::max(dpi, std::min(displayDpi, SmallestLayoutDpi));
}

// The top-left corner that centres an outer size on the screen. A window larger than the
// screen is treated as the screen's size, so its corner never lies above or left of it.
struct Origin {
    int x, y;
};
constexpr Origin CentredOrigin(int outerWidth, int outerHeight, int screenWidth, int screenHeight) {
    return {(screenWidth - std::min(outerWidth, screenWidth)) / 2,
            (screenHeight - std::min(outerHeight, screenHeight)) / 2};
}

// A screen rectangle: the work area of a monitor, or a window's place.
struct Box {
    int left, top, right, bottom;
};

// Centred in the work area, which need not begin at (0, 0) (a taskbar on the left or top,
// a second monitor).
constexpr Origin CentredIn(Box work, Size outer) {
    Origin at = CentredOrigin(outer.width, outer.height, work.right - work.left, work.bottom - work.top);
    return {work.left + at.x, work.top + at.y};
}

// The corner nearest to `wanted` at which the outer size lies inside the work area; a
// window larger than the work area keeps its top-left corner in it.
constexpr Origin KeptInside(Origin wanted, Size outer, Box work) {
    auto clamp = [](int at, int length, int low, int high) { return std::max(std::min(at, high - length), low); };
    return {clamp(wanted.x, outer.width, work.left, work.right), clamp(wanted.y, outer.height, work.top, work.bottom)};
}

} // namespace wexa
