#pragma once
// The gadget table, and what the gadgets share: the default gadget font and the window that
// new gadgets are made in.
#include "toolkit/core/object_table.h"
#include "toolkit/platform/win32_handles.h"

#include <optional>
#include <string>
#include <string_view>

namespace wexa::detail {

// A gadget's rectangle as the program gave it, in 96-DPI units.
struct Place {
    int x = 0, y = 0, width = 0, height = 0;
};

struct GadgetRecord {
    HWND control = nullptr; // owned by its parent window, destroyed with it or on replacement
    Place place;
    bool sizedByImage = false; // an image view showing a bitmap: its size is the bitmap's, in pixels
    HFONT font = nullptr;      // the font it was sent last, so that a new layout can send its successor
    bool paintedByGlyphs = false; // a push button whose face the Toolkit paints, its label by glyph index
    int window = -1;              // the number of the window it was made in, which its events carry
};

struct GadgetState {
    ObjectTable<GadgetRecord> gadgets;
    std::optional<LOGFONTW> messageFont; // the system's, at the screen's density
    win32::UniqueFont ownDefaultFont;    // the message font at the layout density
    HFONT defaultGadgetFont = nullptr;
    HWND parent = nullptr; // the window new gadgets are made in, and its number
    int parentNumber = -1;
};

inline GadgetState& Gadgets() {
    static GadgetState state;
    return state;
}

// A child control of the parent window at the place scaled by the layout density, born with
// the gadget number as its identifier, which spares setting it after; null without a window.
HWND CreateChild(int number, const wchar_t* className, std::u16string_view text, DWORD style, DWORD exStyle,
                 const Place& place);

// Gives a freshly created control the gadget number, replacing what the number held:
// the old control is destroyed after the new one exists, with its waiting events.
HWND InstallGadget(int number, HWND created, const Place& place);

std::wstring WindowTextOf(HWND window);

} // namespace wexa::detail
