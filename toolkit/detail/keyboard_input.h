#pragma once
#include <windows.h>

namespace wexa::detail {

// Queues the event of a typed character, or of an editing key (Backspace, Escape, or the
// shortcut of copy, undo or redo) pressed in a Toolkit window. True when the message is
// thereby handled and must not be dispatched: the editing keys then do nothing else, and
// the character that the platform would make of a shortcut is never made. A typed
// character is still dispatched, so a focused button keeps its own handling of the space
// bar; Tab never arrives here as a character, since the accelerators take it first. A
// control character typed with Ctrl raises no event.
bool TakeKeyboardMessage(const MSG& message);

} // namespace wexa::detail
