#pragma once
#include "toolkit/core/event_queue.h" // the event codes

namespace wexa {

// Returns the oldest queued event's code, making it the current event; with none
// queued, blocks for the next platform message, dispatches it and returns its number.
int WaitForEvent();

int EventGadgetNumber(); // of the current event
int EventType();

} // namespace wexa
