#include "toolkit/graphics/glyph_run.h"

#include <algorithm>
#include <climits>

namespace wexa::detail {
namespace {

// ExtTextOutW takes at most this many glyphs in one call.
constexpr std::size_t GlyphsPerCall = 8192;
constexpr WORD MissingGlyphMark = 0xFFFF; // GetGlyphIndicesW's mark for a character the font lacks
constexpr WORD MissingGlyph = 0;          // glyph 0 of a TrueType font

} // namespace

GlyphRun GlyphRunOf(HDC dc, std::wstring_view text) {
    GlyphRun run;
    const int count = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
    if (count == 0) return run;
    run.glyphs.resize(static_cast<std::size_t>(count));
    if (GetGlyphIndicesW(dc, text.data(), count, run.glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        return {};
    std::replace(run.glyphs.begin(), run.glyphs.end(), MissingGlyphMark, MissingGlyph);
    run.ends.resize(run.glyphs.size());
    SIZE size{};
    if (!GetTextExtentExPointI(dc, run.glyphs.data(), count, 0, nullptr, run.ends.data(), &size)) return {};
    run.height = size.cy;
    return run;
}

bool DrawGlyphRun(HDC dc, int x, int y, const GlyphRun& run, std::size_t first, std::size_t last, UINT options,
                  const RECT* rect) {
    last = std::min(last, run.Size());
    std::vector<INT> advances;
    bool drawn = true;
    for (std::size_t from = first; from < last; from += GlyphsPerCall) {
        const std::size_t to = std::min(from + GlyphsPerCall, last);
        advances.resize(to - from);
        for (std::size_t i = from; i < to; ++i) advances[i - from] = run.ends[i] - (i > 0 ? run.ends[i - 1] : 0);
        const int at = x + (from > 0 ? run.ends[from - 1] : 0);
        drawn &= ExtTextOutW(dc, at, y, options | ETO_GLYPH_INDEX, rect,
                             reinterpret_cast<LPCWSTR>(run.glyphs.data() + from), static_cast<UINT>(to - from),
                             advances.data()) != FALSE;
        options &= ~static_cast<UINT>(ETO_OPAQUE); // the box is filled once, under the first glyphs
    }
    return drawn;
}

} // namespace wexa::detail
