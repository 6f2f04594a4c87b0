#pragma once
#include "toolkit/handles.h"

#include <cstdint>
#include <string_view>

namespace wexa {

// Colours as the platform packs them: red + 256 * green + 65536 * blue.
using Colour = std::uint32_t;
constexpr Colour RGBColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour{r} | Colour{g} << 8 | Colour{b} << 16;
}
inline constexpr Colour White = RGBColour(255, 255, 255);
inline constexpr Colour Black = RGBColour(0, 0, 0);

// Makes a 24-bit bottom-up bitmap section under the number, filled black, releasing the
// image it held before. Null, with the number left empty, when it cannot be made.
BitmapHandle CreateImageBuffer(int number, int width, int height);
BitmapHandle ImageHandleOf(int number);
void FreeImage(int number);

// Drawing on an image: only one drawing at a time, between Begin and End.
bool BeginImageDrawing(int number);
inline constexpr int DrawingModeOpaque = 0;
inline constexpr int DrawingModeTransparent = 1;
void SetDrawingMode(int mode);
void FillBox(int x, int y, int width, int height, Colour colour);
void SetDrawingFont(FontHandle font);
double DrawTextAt(double x, double y, std::u16string_view text, Colour colour);
void EndImageDrawing();

// Writes the image as a PNG file; nonzero when the whole file was written.
int WriteImagePng(int number, std::u16string_view path);

} // namespace wexa
