#pragma once
// Colours as the platform packs them: red + 256 * green + 65536 * blue.
#include <cstdint>

namespace wexa {

using Colour = std::uint32_t;
constexpr Colour RGBColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour{r} | Colour{g} << 8 | Colour{b} << 16;
}
constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>(c >> 8 & 0xFF); }
constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>(c >> 16 & 0xFF); }

inline constexpr Colour White = RGBColour(255, 255, 255);
inline constexpr Colour Black = RGBColour(0, 0, 0);

} // namespace wexa
