#pragma once
// The LineImage: the composed line drawn black on white, 45 pixels per character, 50 high.
#include "toolkit/clipboard_drag/picture.h"

#include <cstddef>
#include <string_view>

namespace wexa {

// 45 per code unit, never measured from the glyphs; 0 for a line too long for any
// image, which then ends as an empty line does.
int LineImageWidth(std::size_t length);

// Makes image number 0 width x 50 and draws the text into it in LineFont (the system font
// when LineFont was not made). Image 0 is left empty when the bitmap cannot be made, as
// for an empty line, and all black when drawing cannot start on it.
void RenderLineImage(int width, std::u16string_view text);

// The same line as the LineImage shows it, in its font, at its place and size, as filled
// glyph outlines; none when they cannot be made.
VectorPicture DrawLineOutlines(std::u16string_view text);

} // namespace wexa
