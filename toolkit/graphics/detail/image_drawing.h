#pragma once
// Between the image table, the drawing on its images and the readers of their pixels.
#include "toolkit/platform/win32_handles.h"
#include "toolkit/core/pixel_blend.h"

#include <optional>

namespace wexa::detail {

struct ImageRecord;

// A 24-bit uncompressed bitmap section; a negative height stores its rows top-down.
win32::UniqueBitmap MakeBitmapSection(HDC dc, int width, int height);

// The pixel memory of a 24-bit uncompressed bitmap section, limited to width x height;
// nothing for any other bitmap, so that no caller reads outside its memory. The platform may
// report a top-down section's height without its sign: the maker of one knows its rows' order.
std::optional<PixelSurface> SectionPixels(HBITMAP bitmap, int width, int height);
// Those of an image, limited to the size its record says.
std::optional<PixelSurface> ImagePixels(const ImageRecord& image);

// Ends the current drawing if it is on that image, so the image's bitmap is no longer
// selected into a device context and can be deleted.
void EndDrawingOnImage(int number);

} // namespace wexa::detail
