#include "toolkit/core/dib_layout.h"

#include <limits>

namespace wexa {
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
