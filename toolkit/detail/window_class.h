#pragma once
#include <windows.h>

namespace wexa::detail {

// Accelerator commands of every Toolkit window: Tab and Shift+Tab walk the focus.
inline constexpr WORD FocusNextCommand = 64001;
inline constexpr WORD FocusPreviousCommand = 64002;

// The accelerator table that every Toolkit window shares: Tab and Shift+Tab as those commands.
HACCEL CreateFocusAccelerators();

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// A hidden message-only window: a message posted to it ends a wait blocked in GetMessageW.
HWND CreateWakeWindow();
void WakeWaitingLoop();

// Moves the keyboard focus among the window's tab-stop children; `forward` for Tab.
void WalkFocus(HWND window, bool forward);

} // namespace wexa::detail
