#pragma once

namespace wexa {

// Restricts the DLL search to System32 first, then prepares the object tables, the event
// queue, the screen's DPI, the default gadget font, COM/OLE and the common controls.
// Every other Toolkit call comes after it.
void InitToolkit();

// Destroys every window (and so its gadgets), deletes every font and image and releases
// COM/OLE. Safe to call once after InitToolkit.
void ShutDownToolkit();

} // namespace wexa
