#pragma once
#include "toolkit/handles.h"

#include <string_view>

namespace wexa {

// Deletes the font under the number, then creates face at size points (scaled by the
// screen's vertical DPI) and stores it there. Null, with the number left empty, on failure.
FontHandle LoadToolkitFont(int number, std::u16string_view face, int points);
// The same with the height the font has on a screen of `dpi`, whatever the screen is.
FontHandle LoadToolkitFontAtDpi(int number, std::u16string_view face, int points, int dpi);

// The font under the number, or null when the number holds none.
FontHandle FontHandleOf(int number);

// Registers a font file for this process only; true when the platform added a font.
bool RegisterPrivateFontFile(std::u16string_view path);

} // namespace wexa
