#pragma once
// Pixel arithmetic of the Toolkit's 24-bit images, free of the platform: filling boxes,
// blending the text mask into an image, and reading the overhang off a drawn glyph.
#include "toolkit/core/colour.h"

#include <cstddef>
#include <cstdint>

namespace wexa {

inline constexpr int BytesPerPixel = 3; // blue, green, red; no alpha

// Bytes of one row of a 24-bit bitmap: 3 per pixel, padded to a multiple of 4.
constexpr std::ptrdiff_t RowStride24(int width) {
    return (static_cast<std::ptrdiff_t>(width) * BytesPerPixel + 3) / 4 * 4;
}

// A 24-bit pixel buffer as the platform lays it out. Rows are addressed from the top,
// whichever order they are stored in.
struct PixelSurface {
    std::uint8_t* pixels = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
    bool bottomUp = false;

    std::uint8_t* Row(int y) const { return pixels + (bottomUp ? height - 1 - y : y) * stride; }
    std::uint8_t* At(int x, int y) const { return Row(y) + static_cast<std::ptrdiff_t>(x) * BytesPerPixel; }
};

struct PixelBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// The part of the box (x, y, w, h) inside (0, 0, width, height); empty when none is. A
// negative w or h makes the box reach left of x or above y.
PixelBox BoxInside(long long x, long long y, long long w, long long h, int width, int height);

void FillPixels(const PixelSurface& image, PixelBox box, Colour colour);

// One channel moved from old towards target by coverage m of 255, remainder dropped.
constexpr std::uint8_t BlendChannel(std::uint8_t old, std::uint8_t target, std::uint8_t m) {
    return static_cast<std::uint8_t>((old * (255 - m) + target * m) / 255);
}

struct MaskBlend {
    int regionWidth = 0;            // mask columns from 0
    int regionHeight = 0;           // mask rows from 0
    long long destX = 0, destY = 0; // the region's top-left corner in the image
    Colour front = Black;
    bool opaque = false; // paint the whole region, starting from the background colour
    Colour background = Black;
};

// Blends the mask's region into the image, each channel with its own coverage, clipped
// to both. Transparent: a pixel with no coverage keeps its colour.
void BlendMask(const PixelSurface& image, const PixelSurface& mask, const MaskBlend& blend);

// Sets the mask's region (from column and row 0) back to black.
void ClearMask(const PixelSurface& mask, int regionWidth, int regionHeight);

// The rightmost column holding a pixel whose blue byte exceeds the threshold, or -1.
int RightmostInkColumn(const PixelSurface& surface, std::uint8_t threshold = 200);
// How far a glyph reaches past its advance: rightmost ink column - advance + 2, never below 0.
int OverhangFrom(int rightmostInkColumn, int advance);

} // namespace wexa
