#include "toolkit/core/pixel_blend.h"

#include <algorithm>
#include <cstring>

namespace wexa {
namespace {

struct Span {
    long long from = 0;
    long long to = 0; // one past the end
};

// The extent [start, start + length) inside [0, limit), a negative length reaching back.
Span SpanInside(long long start, long long length, int limit) {
    if (length < 0) {
        start += length;
        length = -length;
    }
    return {std::max(start, 0LL), std::min(start + length, static_cast<long long>(limit))};
}

void BlendRow(std::uint8_t* out, const std::uint8_t* coverage, int pixels, const std::uint8_t target[3],
              const std::uint8_t* base) {
    for (int x = 0; x < pixels; ++x, out += BytesPerPixel, coverage += BytesPerPixel) {
        for (int c = 0; c < BytesPerPixel; ++c) {
            std::uint8_t old = base ? base[c] : out[c];
            // m == 0 keeps old exactly, as the formula does; skipping it keeps long lines fast.
            out[c] = coverage[c] == 0 ? old : BlendChannel(old, target[c], coverage[c]);
        }
    }
}

} // namespace

PixelBox BoxInside(long long x, long long y, long long w, long long h, int width, int height) {
    Span cols = SpanInside(x, w, width);
    Span rows = SpanInside(y, h, height);
    if (cols.to <= cols.from || rows.to <= rows.from) return {};
    return {static_cast<int>(cols.from), static_cast<int>(rows.from), static_cast<int>(cols.to - cols.from),
            static_cast<int>(rows.to - rows.from)};
}

void FillPixels(const PixelSurface& image, PixelBox box, Colour colour) {
    box = BoxInside(box.x, box.y, box.width, box.height, image.width, image.height);
    const std::uint8_t bgr[3] = {BlueOf(colour), GreenOf(colour), RedOf(colour)};
    for (int y = box.y; y < box.y + box.height; ++y) {
        std::uint8_t* p = image.At(box.x, y);
        for (int x = 0; x < box.width; ++x, p += BytesPerPixel) std::memcpy(p, bgr, BytesPerPixel);
    }
}

void BlendMask(const PixelSurface& image, const PixelSurface& mask, const MaskBlend& blend) {
    int regionWidth = std::clamp(blend.regionWidth, 0, mask.width);
    int regionHeight = std::clamp(blend.regionHeight, 0, mask.height);
    PixelBox box = BoxInside(blend.destX, blend.destY, regionWidth, regionHeight, image.width, image.height);
    if (box.Empty()) return;
    const std::uint8_t target[3] = {BlueOf(blend.front), GreenOf(blend.front), RedOf(blend.front)};
    const std::uint8_t back[3] = {BlueOf(blend.background), GreenOf(blend.background), RedOf(blend.background)};
    auto maskX = static_cast<int>(box.x - blend.destX);
    for (int y = box.y; y < box.y + box.height; ++y) {
        auto maskY = static_cast<int>(y - blend.destY);
        BlendRow(image.At(box.x, y), mask.At(maskX, maskY), box.width, target, blend.opaque ? back : nullptr);
    }
}

void ClearMask(const PixelSurface& mask, int regionWidth, int regionHeight) {
    PixelBox box = BoxInside(0, 0, regionWidth, regionHeight, mask.width, mask.height);
    for (int y = 0; y < box.height; ++y)
        std::memset(mask.Row(y), 0, static_cast<std::size_t>(box.width) * BytesPerPixel);
}

int RightmostInkColumn(const PixelSurface& surface, std::uint8_t threshold) {
    for (int x = surface.width - 1; x >= 0; --x)
        for (int y = 0; y < surface.height; ++y)
            if (surface.At(x, y)[0] > threshold) return x;
    return -1;
}

int OverhangFrom(int rightmostInkColumn, int advance) {
    return rightmostInkColumn < 0 ? 0 : std::max(rightmostInkColumn - advance + 2, 0);
}

} // namespace wexa
