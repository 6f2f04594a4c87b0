#pragma once
// The Toolkit's tables and settings, shared by its operations on the program's one thread.
#include "toolkit/detail/output_files.h"
#include "toolkit/detail/win32_handles.h"
#include "toolkit/event_queue.h"
#include "toolkit/handles.h"
#include "toolkit/object_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wexa::detail {

struct WindowRecord {
    win32::UniqueWindow window;
    std::wstring className;
    win32::UniqueAccelerators accelerators;
};

struct GadgetRecord {
    HWND control = nullptr; // owned by its parent window, destroyed with it or on replacement
    int window = -1;
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
    ObjectTable<win32::UniqueFont> fonts;
    ObjectTable<ImageRecord> images;
    OutputFileTable files;
    EventQueue events;
    Event current;
    int dpiX = 96;
    int dpiY = 96;
    int fontDpi = 96; // LOGPIXELSY of the display, for font heights
    win32::UniqueFont ownDefaultFont; // the message font, when the system gave one
    HFONT defaultGadgetFont = nullptr;
    HWND currentWindow = nullptr;
    int currentWindowNumber = -1;
    win32::UniqueWindow wakeWindow; // receives the wake-up that ends a blocked wait
    bool oleInitialized = false;
};

ToolkitState& State();

int ScaleX(int value);
int ScaleY(int value);

// The window number of a Toolkit window, or -1.
int WindowNumberOf(HWND window);

// Whether the control is shown in a shown window. A font change redraws only such a
// control: one that cannot be seen yet is drawn with its font when its window appears.
bool OnScreen(HWND control);

// Gives a freshly created control the gadget number, replacing what the number held:
// the old control is destroyed after the new one exists, with its waiting events.
HWND InstallGadget(int number, HWND created);

template <typename Handle, typename Native> Handle ToHandle(Native native) {
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(native));
}
template <typename Native, typename Handle> Native FromHandle(Handle handle) {
    return reinterpret_cast<Native>(static_cast<std::uintptr_t>(handle));
}

inline const wchar_t* WideOf(std::u16string_view text, std::wstring& storage) {
    storage.assign(text.begin(), text.end());
    return storage.c_str();
}
inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

} // namespace wexa::detail
