#pragma once
#include <windows.h>

namespace wexa::detail {

// The focus commands of every Toolkit window, which Tab and Shift+Tab send: they walk the focus.
inline constexpr WORD FocusNextCommand = 64001;
inline constexpr WORD FocusPreviousCommand = 64002;

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// A hidden message-only window: a message posted to it ends a wait blocked in GetMessageW.
HWND CreateWakeWindow();
void UnregisterWakeWindowClass();
void WakeWaitingLoop();

// Moves the keyboard focus among the window's tab-stop children; `forward` for Tab.
void WalkFocus(HWND window, bool forward);

} // namespace wexa::detail
