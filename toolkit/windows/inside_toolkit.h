#pragma once
// What the Toolkit's other groups use of the windows group, beside its public headers.
#include <windows.h>

namespace wexa::detail {

// The window that owns what the program places on the clipboard: the current window (the
// main window), or the Toolkit's hidden window while none is open.
HWND ClipboardOwner();

// At start: the hidden window that ends a wait, and the focus keys.
void StartWindows();
// At shutdown: every window destroyed (and so its gadgets) and its class unregistered, then
// the hidden window; the table and the current event as before start.
void CloseWindows();

} // namespace wexa::detail
