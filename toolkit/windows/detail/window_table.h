#pragma once
// The window table, and what the windows share: the current window, the hidden window that
// ends a wait, the focus keys and the current event; the window procedure and the keys it takes.
#include "toolkit/core/dpi_scaling.h"
#include "toolkit/core/event_queue.h"
#include "toolkit/core/object_table.h"
#include "toolkit/platform/win32_handles.h"

#include <optional>
#include <string>

namespace wexa::detail {

struct WindowRecord {
    win32::UniqueWindow window;
    std::wstring className;
    Size client{}; // 96-DPI units, scaled anew whenever the layout density changes
    DWORD style = 0;
};

struct WindowState {
    ObjectTable<WindowRecord> windows;
    Event current;
    HWND currentWindow = nullptr;
    win32::UniqueWindow wakeWindow; // receives the wake-up that ends a blocked wait
    win32::UniqueAccelerators focusKeys; // Tab and Shift+Tab, the same two entries for every window
};

inline WindowState& Windows() {
    static WindowState state;
    return state;
}

// The window number of a Toolkit window, or -1.
int WindowNumberOf(HWND window);

// Sizes a window for the density of its monitor, shrunk to fit that monitor's work area,
// with the gadgets and fonts following; centred in the work area, or as near `wanted` as
// lets it lie inside.
void FitWindowToMonitor(HWND window, int monitorDpi, HMONITOR monitor, const std::optional<Origin>& wanted);

// The density of the monitor the window is on, for a process that knows one per monitor;
// the system's otherwise.
int WindowDpi(HWND window);

// Accelerator commands of every Toolkit window: Tab and Shift+Tab walk the focus.
inline constexpr WORD FocusNextCommand = 64001;
inline constexpr WORD FocusPreviousCommand = 64002;

// The window menu's item that keeps a window above all others: below the system's own
// commands, which start at 0xF000, with the low four bits clear as WM_SYSCOMMAND needs.
inline constexpr UINT StayOnTopCommand = 0x0100;

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

} // namespace wexa::detail
