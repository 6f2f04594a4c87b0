#pragma once
// The bound's window: the keyboard's window, line display and 364 buttons with their fonts,
// made the cheap way while the window is hidden. Shared by the bound and the suspects.
#include <windows.h>

namespace wexa::bench {

struct BoundFonts {
    HFONT byNumber[4] = {}; // the message font for no label font, then glyph, label and line font
    BoundFonts();
    ~BoundFonts();
    BoundFonts(const BoundFonts&) = delete;
    BoundFonts& operator=(const BoundFonts&) = delete;
};

// Reads the screen's DPI and registers the carried font from where the keyboard writes it.
void PrepareBound();
// The hidden main window of the class, registered on first use with the procedure.
HWND OpenBoundWindow(const wchar_t* className, WNDPROC procedure, const wchar_t* title);
void MakeBoundControls(HWND window, const BoundFonts& fonts);

} // namespace wexa::bench
