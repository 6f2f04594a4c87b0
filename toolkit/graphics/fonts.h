#pragma once
#include "toolkit/core/handles.h"

#include <span>
#include <string_view>

namespace wexa {

// Deletes the font under the number, then creates face at size points and stores it there.
// Its height follows the layout density, and it is made anew (and sent to the gadgets that
// have it) when that changes. Null, with the number left empty, on failure.
FontHandle LoadToolkitFont(int number, std::u16string_view face, int points);
// The same with the height the font has on a screen of `dpi`, whatever the screen or the
// layout is, and grey antialiased edges even where the system would draw ClearType's
// coloured ones; it is never made anew.
FontHandle LoadToolkitFontAtDpi(int number, std::u16string_view face, int points, int dpi);

// The font under the number, or null when the number holds none.
FontHandle FontHandleOf(int number);

// Registers a font file for this process only; true when the platform added a font. The
// registration is removed again by ShutDownToolkit.
bool RegisterPrivateFontFile(std::u16string_view path);
// Registers font file bytes from memory, for this process only; true when the platform
// added a font. The bytes must stay valid until ShutDownToolkit, which removes them.
bool RegisterPrivateFontData(std::span<const unsigned char> bytes);
// Whether the platform draws a font asked for by this face name in that face itself,
// rather than in a substitute.
bool HasFontFace(std::u16string_view face);

} // namespace wexa
