#pragma once
// PNG encoding of 24-bit pixel rows with libpng, free of the platform.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace wexa {

// The pixel memory of a 24-bit bottom-up bitmap: the first row in memory is the bottom
// row of the picture, each pixel blue, green, red, each row `stride` bytes apart.
struct BottomUpBgrRows {
    const std::uint8_t* pixels = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
};

// The rows as an 8-bit RGB PNG (IHDR, IDAT, IEND) in memory, top row first, no filter,
// compression level 9; nothing when libpng reports an error or memory runs out.
std::optional<std::vector<std::uint8_t>> EncodePngRows(const BottomUpBgrRows& rows);

// Writes all the bytes to the open file and flushes it. False when the stream fails (a full
// disk shows only at the flush); the caller then owns a partly written file.
bool WriteAllBytes(std::FILE* file, const std::vector<std::uint8_t>& bytes);

} // namespace wexa
