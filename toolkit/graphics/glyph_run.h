#pragma once
// Text drawn by the font's glyph indices. Text drawn as characters may go through the
// system's script processing, which shapes control and format characters to a blank glyph
// of no width; two of the signs are such characters (U+007F and the soft hyphen U+00AD).
// A run drawn by glyph index gets no further language processing, so every sign shows its
// own glyph on every Windows. The keys, the line display and the picture all draw through here.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wexa::detail {

struct GlyphRun {
    std::vector<WORD> glyphs; // one per code unit; a character the font lacks shows its missing glyph
    std::vector<int> ends;    // where each glyph's advance ends, counted from the run's start
    int height = 0;           // the height of the run's cell in the font

    int Width() const { return ends.empty() ? 0 : ends.back(); }
    std::size_t Size() const { return glyphs.size(); }
};

// The text in the font selected into the device context; empty when the font gives no glyphs.
GlyphRun GlyphRunOf(HDC dc, std::wstring_view text);

// Draws glyphs [first, last) of the run (all of them by default), each at the place it has in
// the whole run, with the run's start at (x, y) in the context's alignment, colours and
// background mode. options and rect are ExtTextOutW's (ETO_CLIPPED, ETO_OPAQUE); the glyph
// index flag is added.
bool DrawGlyphRun(HDC dc, int x, int y, const GlyphRun& run, std::size_t first = 0, std::size_t last = SIZE_MAX,
                  UINT options = 0, const RECT* rect = nullptr);

} // namespace wexa::detail
