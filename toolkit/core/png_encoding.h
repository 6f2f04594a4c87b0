#pragma once
// PNG encoding of 24-bit pixel rows with libpng, free of the platform.
#include "toolkit/core/pixel_blend.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace wexa {

// The pixels as an 8-bit RGB PNG (IHDR, IDAT, IEND) in memory, top row first, no filter,
// compression level 9; nothing when libpng reports an error or memory runs out.
std::optional<std::vector<std::uint8_t>> EncodePngRows(const PixelSurface& rows);

} // namespace wexa
