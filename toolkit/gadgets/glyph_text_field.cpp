// The text fields created with TextFieldDrawnByGlyphs are owner-drawn statics: the Toolkit
// draws their text by glyph index, laid out as a left-aligned static lays out its text:
// lines break at spaces, a word wider than the field breaks where it no longer fits, and
// what passes the field's edges is clipped. Lines are laid out only down to the field's
// bottom, and only the glyphs they may hold are measured, so a long line costs no more.
#include "gadget_table.h"
#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/graphics/glyph_run.h"

#include <algorithm>
#include <string_view>

namespace wexa::detail {
namespace {

constexpr std::size_t FirstMeasured = 1024; // glyphs; more than the field's lines hold

struct LineBreak {
    std::size_t end;  // the line's glyphs end here
    std::size_t next; // and the next line begins here, past the space it was broken at
};

LineBreak NextLine(std::wstring_view text, const GlyphRun& run, std::size_t from, int width) {
    const int start = from > 0 ? run.ends[from - 1] : 0;
    const auto fits =
        std::upper_bound(run.ends.begin() + static_cast<std::ptrdiff_t>(from), run.ends.end(), start + width);
    const auto over = static_cast<std::size_t>(fits - run.ends.begin()); // the first glyph that does not fit
    if (over >= text.size()) return {text.size(), text.size()};
    if (text[over] == L' ') return {over, over + 1};
    if (std::size_t space = text.substr(from, over - from).rfind(L' '); space != std::wstring_view::npos)
        return {from + space, from + space + 1};
    const std::size_t end = std::max(over, from + 1); // a word wider than the field; at least one glyph
    return {end, end};
}

} // namespace

std::wstring WindowTextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void DrawGlyphTextField(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT& box = item.rcItem;
    // The colours and the brush the static's own drawing asks its parent for.
    auto brush =
        reinterpret_cast<HBRUSH>(SendMessageW(GetParent(item.hwndItem), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(item.hwndItem)));
    FillRect(dc, &box, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    if (!IsWindowEnabled(item.hwndItem)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0))) SelectObject(dc, font);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    const std::wstring text = WindowTextOf(item.hwndItem);
    const std::wstring_view all(text);
    GlyphRun run = GlyphRunOf(dc, all.substr(0, FirstMeasured));
    int y = box.top;
    for (std::size_t from = 0; from < run.Size() && y < box.bottom;) {
        const LineBreak line = NextLine(all.substr(0, run.Size()), run, from, box.right - box.left);
        if (line.end == run.Size() && run.Size() < all.size()) { // the line may go on past what is measured
            run = GlyphRunOf(dc, all.substr(0, 2 * run.Size()));
            continue;
        }
        const int x = box.left - (from > 0 ? run.ends[from - 1] : 0); // glyph `from` at the left edge
        DrawGlyphRun(dc, x, y, run, from, line.end, ETO_CLIPPED, &box);
        from = line.next;
        y += run.height;
    }
}

} // namespace wexa::detail
