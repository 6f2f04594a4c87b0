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

WindowState& Windows();

// The window number of a Toolkit window, or -1.
int WindowNumberOf(HWND window);

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

// Accelerator commands of every Toolkit window: Tab and Shift+Tab walk the focus.
inline constexpr WORD FocusNextCommand = 64001;
inline constexpr WORD FocusPreviousCommand = 64002;

// The window menu's item that keeps a window above all others: below the system's own
// commands, which start at 0xF000, with the low four bits clear as WM_SYSCOMMAND needs.
inline constexpr UINT StayOnTopCommand = 0x0100;
// Puts the window above all others that are not, or back among them, and checks the item or not.
void ToggleStayOnTop(HWND window);

// The accelerator table that every Toolkit window shares: Tab and Shift+Tab as those commands.
HACCEL CreateFocusAccelerators();

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// A hidden message-only window: a message posted to it ends a wait blocked in GetMessageW.
HWND CreateWakeWindow();
void WakeWaitingLoop();

// Moves the keyboard focus among the window's tab-stop children; `forward` for Tab.
void WalkFocus(HWND window, bool forward);

// Queues the event of a typed character, or of an editing key (Backspace, Escape, or the
// shortcut of copy, undo or redo) pressed in a Toolkit window. True when the message is
// thereby handled and must not be dispatched: the editing keys then do nothing else, and
// the character that the platform would make of a shortcut is never made. A typed
// character is still dispatched, so a focused button keeps its own handling of the space
// bar; Tab never arrives here as a character, since the accelerators take it first. A
// control character typed with Ctrl raises no event.
bool TakeKeyboardMessage(const MSG& message);

} // namespace wexa::detail
