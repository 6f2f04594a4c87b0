#pragma once
// An image of the Toolkit's table as PNG bytes, for the clipboard: the same encoder and the
// same rows as the PNG file, so the two hold the same bytes.
#include "toolkit/detail/toolkit_state.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace wexa::detail {

// Nothing when the image is not a 24-bit bitmap section or libpng cannot encode it.
std::optional<std::vector<std::uint8_t>> EncodeImagePng(const ImageRecord& image);

} // namespace wexa::detail
