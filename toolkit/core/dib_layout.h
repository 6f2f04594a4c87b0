#pragma once
// The arithmetic of a packed device-independent bitmap block: header, colour table, rows.
#include <cstdint>
#include <optional>

namespace wexa {

inline constexpr std::uint32_t InfoHeaderBytes = 40; // BITMAPINFOHEADER

// Bytes of one row, padded to a multiple of 4.
std::uint64_t PackedRowBytes(int bitCount, int width);

// The size of the rows when the platform does not report it: row bytes x height.
// Empty when that does not fit the header's 32-bit field.
std::optional<std::uint32_t> PackedImageBytes(int bitCount, int width, int height);

} // namespace wexa
