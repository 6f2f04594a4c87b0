#pragma once
// An image of the Toolkit's table as PNG bytes, for the PNG file and the clipboard: one
// encoding serves both, so the two hold the same bytes and a transfer encodes once.
#include "toolkit/detail/toolkit_state.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace wexa::detail {

// The image's PNG bytes, encoded again only when its pixels have changed since the last time;
// null when the image is not a 24-bit bitmap section or libpng cannot encode it.
const std::vector<std::uint8_t>* PngBytesOf(ImageRecord& image);

} // namespace wexa::detail
