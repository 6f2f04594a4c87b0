#pragma once
// Between the image table, the drawing on its images and the readers of their pixels.
#include "toolkit/pixel_blend.h"

#include <windows.h>

#include <optional>

namespace wexa::detail {

struct ImageRecord;

// The pixel memory of an image whose bitmap is a 24-bit uncompressed section, limited to the
// size its record says; nothing for any other bitmap, so that no caller reads outside its memory.
std::optional<PixelSurface> ImagePixels(const ImageRecord& image);

// Ends the current drawing if it is on that image, so the image's bitmap is no longer
// selected into a device context and can be deleted.
void EndDrawingOnImage(int number);

} // namespace wexa::detail
