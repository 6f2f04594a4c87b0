#include "toolkit/dib_layout.h"

#include <limits>

namespace wexa {
namespace {

inline constexpr std::uint32_t ColourEntryBytes = 4; // RGBQUAD

} // namespace

int PackedBitCount(int planes, int bitsPerPixel) {
    const long long bits = static_cast<long long>(planes) * bitsPerPixel;
    if (bits <= 1) return 1;
    if (bits <= 4) return 4;
    if (bits <= 8) return 8;
    if (bits <= 24) return 24;
    return 32;
}

std::uint32_t ColourTableBytes(std::uint32_t headerBytes, std::uint32_t coloursUsed, int bitCount) {
    if (headerBytes != InfoHeaderBytes) return 0;
    if (coloursUsed != 0) return coloursUsed * ColourEntryBytes;
    if (bitCount == 1 || bitCount == 4 || bitCount == 8) return (1u << bitCount) * ColourEntryBytes;
    return 0;
}

std::uint64_t PackedRowBytes(int bitCount, int width) {
    if (bitCount <= 0 || width <= 0) return 0;
    return (static_cast<std::uint64_t>(bitCount) * static_cast<std::uint64_t>(width) + 31) / 32 * 4;
}

std::optional<std::uint32_t> PackedImageBytes(int bitCount, int width, int height) {
    if (height < 0) return std::nullopt;
    const std::uint64_t bytes = PackedRowBytes(bitCount, width) * static_cast<std::uint64_t>(height);
    if (bytes > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(bytes);
}

} // namespace wexa
