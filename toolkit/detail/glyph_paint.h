#pragma once
// The controls whose text the Toolkit draws by glyph index (see glyph_run.h) in place of
// the control's own text drawing, which may hand it to the system's script processing.
#include <windows.h>

#include <commctrl.h>

#include <string>

namespace wexa::detail {

// Paints a glyph key's whole face for its custom-draw notification, as the push button
// would paint it, and returns what the button is to do next.
LRESULT PaintGlyphButton(const NMCUSTOMDRAW& draw);

// Draws an owner-drawn text field: its background, and its text laid out as a
// left-aligned static lays it out.
void DrawGlyphTextField(const DRAWITEMSTRUCT& item);

std::wstring WindowTextOf(HWND window);

} // namespace wexa::detail
