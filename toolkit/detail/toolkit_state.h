#pragma once
// The Toolkit's tables and settings, shared by its operations on the program's one thread.
#include "toolkit/detail/win32_handles.h"
#include "toolkit/dpi_scaling.h"
#include "toolkit/event_queue.h"
#include "toolkit/handles.h"
#include "toolkit/images.h"
#include "toolkit/object_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wexa::detail {

struct WindowRecord {
    win32::UniqueWindow window;
    std::wstring className;
    Size client{}; // 96-DPI units, scaled anew whenever the layout density changes
    DWORD style = 0;
};

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
};

struct FontRecord {
    win32::UniqueFont font;
    std::wstring face;
    int points = 0;
    int fixedDpi = 0; // 0: the height follows the layout density
    DWORD quality = DEFAULT_QUALITY;
};

struct ImageRecord {
    win32::UniqueBitmap bitmap;
    int width = 0;
    int height = 0;
    int depth = 0;
};

struct ToolkitState {
    ObjectTable<WindowRecord> windows;
    ObjectTable<GadgetRecord> gadgets;
    ObjectTable<FontRecord> fonts;
    ObjectTable<ImageRecord> images;
    EventQueue events;
    Event current;
    int systemDpi = ReferenceDpi; // LOGPIXELSY of the screen, read once
    int layoutDpi = ReferenceDpi; // what positions, sizes and gadget font heights are scaled by
    std::optional<LOGFONTW> messageFont; // the system's, at systemDpi
    win32::UniqueFont ownDefaultFont;    // the message font at the layout density
    HFONT defaultGadgetFont = nullptr;
    std::vector<std::wstring> registeredFontFiles; // each removed again at shutdown
    std::vector<HANDLE> memoryFonts;               // fonts registered from memory, likewise
    HWND currentWindow = nullptr;
    win32::UniqueWindow wakeWindow; // receives the wake-up that ends a blocked wait
    win32::UniqueAccelerators focusKeys; // Tab and Shift+Tab, the same two entries for every window
    bool oleInitialized = false;
};

ToolkitState& State();

// Scales a 96-DPI value by the layout density, the same for both axes.
int Scale(int value);

// Scales every gadget and gadget font to a new layout density: each gadget moves to its
// place at that density, fonts that follow the layout (and the default gadget font) are
// made anew and sent to the gadgets that had their predecessors. Windows are sized by
// their callers.
void ApplyLayoutDpi(int dpi);

// Sizes a window for the density of its monitor, shrunk to fit that monitor's work area,
// with the gadgets and fonts following; centred in the work area, or as near `wanted` as
// lets it lie inside.
void FitWindowToMonitor(HWND window, int monitorDpi, HMONITOR monitor, const std::optional<Origin>& wanted);

// The density of the monitor the window is on, for a process that knows one per monitor;
// the system's otherwise.
int WindowDpi(HWND window);

// The window number of a Toolkit window, or -1.
int WindowNumberOf(HWND window);

// The gadget number of a Toolkit control, or -1 for any other window.
int GadgetNumberOf(HWND control);
// Queues a GadgetEvent of that type for a Toolkit control; nothing for any other window.
void QueueGadgetEvent(HWND control, int type);
// The control under the gadget number, or null.
HWND ControlOf(int number);

// Sends the gadget the font and keeps it as the one it has. The control is redrawn only when
// it is shown in a shown window: one that cannot be seen yet is drawn with it when its window appears.
void SendGadgetFont(GadgetRecord& gadget, HFONT font);

// A child control of the current window at the place scaled by the layout density, born with
// the gadget number as its identifier, which spares setting it after; null without a window.
HWND CreateChild(int number, const wchar_t* className, std::u16string_view text, DWORD style, DWORD exStyle,
                 const Place& place);

// Gives a freshly created control the gadget number, replacing what the number held:
// the old control is destroyed after the new one exists, with its waiting events.
HWND InstallGadget(int number, HWND created, const Place& place);

// The font as the Toolkit makes it at the layout density (or its fixed one); null on failure.
HFONT MakeFont(const FontRecord& font, int layoutDpi);

template <typename Handle, typename Native> Handle ToHandle(Native native) {
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(native));
}
template <typename Native, typename Handle> Native FromHandle(Handle handle) {
    return reinterpret_cast<Native>(static_cast<std::uintptr_t>(handle));
}

inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

} // namespace wexa::detail
