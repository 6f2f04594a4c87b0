#pragma once

namespace wexa {

inline constexpr int GadgetEvent = 13100; // a gadget reported an action
inline constexpr int CloseEvent = 13116;  // the user asked to close a window
// The thread was told to end (WM_QUIT), or its messages can no longer be read: no further
// wait would return anything but this.
inline constexpr int QuitEvent = 13117;

// Types of a GadgetEvent.
inline constexpr int EventTypeLeftClick = 0;
inline constexpr int EventTypeRightClick = 1;
inline constexpr int EventTypeLeftDoubleClick = 2;
inline constexpr int EventTypeRightDoubleClick = 3;
inline constexpr int EventTypeDragStart = 14002;

// Returns the oldest queued event's code, making it the current event; with none
// queued, blocks for the next platform message, dispatches it and returns its number.
int WaitForEvent();

int EventGadgetNumber(); // of the current event
int EventType();

} // namespace wexa
