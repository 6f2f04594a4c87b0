#pragma once
// The arithmetic of a packed device-independent bitmap block: header, colour table, rows.
#include <cstdint>
#include <optional>

namespace wexa {

inline constexpr std::uint32_t InfoHeaderBytes = 40; // BITMAPINFOHEADER

// planes x bits per pixel, raised to the next depth a packed bitmap can have: 1, 4, 8, 24 or 32.
int PackedBitCount(int planes, int bitsPerPixel);

// Bytes of the colour table after a header of headerBytes: coloursUsed entries of 4 bytes
// when that is given, else the full table of a 1-, 4- or 8-bit bitmap, else none.
std::uint32_t ColourTableBytes(std::uint32_t headerBytes, std::uint32_t coloursUsed, int bitCount);

// Bytes of one row, padded to a multiple of 4.
std::uint64_t PackedRowBytes(int bitCount, int width);

// The size of the rows when the platform does not report it: row bytes x height.
// Empty when that does not fit the header's 32-bit field.
std::optional<std::uint32_t> PackedImageBytes(int bitCount, int width, int height);

} // namespace wexa
