#pragma once
#include "toolkit/core/colour.h"
#include "toolkit/platform/files.h"
#include "toolkit/core/handles.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace wexa {

// Makes a 24-bit bottom-up bitmap section under the number, filled black, releasing the
// image it held before. Null, with the number left empty, when it cannot be made.
BitmapHandle CreateImageBuffer(int number, int width, int height);
// The bitmap under the number, or null when the number holds no image.
BitmapHandle ImageHandleOf(int number);
// Deletes the image under the number, if there is one.
void FreeImage(int number);

// Drawing on an image: at most one drawing per thread, between Begin and End; the
// operations below do nothing outside one. Begin fails (false) when the number holds no
// 24-bit bitmap section or a device context cannot be made.
bool BeginImageDrawing(int number);
// Opaque (the start value): text paints its cell's background in the background colour,
// opaque black. Transparent: only the glyphs' coverage is blended in.
inline constexpr int DrawingModeOpaque = 0;
inline constexpr int DrawingModeTransparent = 1;
void SetDrawingMode(int mode);
// Fills the box with the colour, clipped to the image; a negative size reaches left or up.
void FillBox(int x, int y, int width, int height, Colour colour);
// The font for text from now on; a null font leaves the font as it was.
void SetDrawingFont(FontHandle font);
// Draws the text with its cell's top-left corner at (x, y), truncated to whole pixels, and
// returns x plus the text's width.
double DrawTextAt(double x, double y, std::u16string_view text, Colour colour);
void EndImageDrawing();

// An image's PNG file in memory, made once for the file and the clipboard alike.
struct EncodedImage {
    enum class Outcome {
        Unreadable, // no 24-bit bitmap section that matches its record: nothing may be written
        Refused,    // libpng reported an error
        Encoded,
    };
    Outcome outcome = Outcome::Unreadable;
    std::vector<std::uint8_t> bytes;
};
EncodedImage EncodeImagePng(int number);
// Writes the encoding as the image's PNG file, replacing the file whole or not at all: an
// unreadable image leaves the path untouched (NoImage), a refused encoding leaves no file there.
FileWriteOutcome WriteEncodedPng(const EncodedImage& png, std::u16string_view path);

} // namespace wexa
