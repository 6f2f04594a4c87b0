#pragma once
#include <windows.h>

namespace wexa::detail {

// Queues the event of a typed character or of Backspace or Escape pressed in a Toolkit
// window. True when the message is thereby handled and must not be dispatched: the two
// keys then do nothing else. A typed character is still dispatched, so a focused button
// keeps its own handling of the space bar; Tab never arrives here as a character, since
// the accelerators take it first.
bool TakeKeyboardMessage(const MSG& message);

} // namespace wexa::detail
