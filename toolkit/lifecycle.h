#pragma once

namespace wexa {

// Prepares the object tables, the event queue, the screen's DPI, the default gadget
// font, COM/OLE and the common controls. Every other Toolkit call comes after it.
void InitToolkit();

// Destroys every window (and so its gadgets), deletes every font and image and releases
// COM/OLE. Safe to call once after InitToolkit.
void ShutDownToolkit();

// A benchmark build times the steps of start-up and shutdown by setting a hook that is
// called with the name of each step as it ends. The program never sets one: then a mark
// costs one test.
using StartupStepHook = void (*)(const char* step);
void SetStartupStepHook(StartupStepHook hook);
void MarkStartupStep(const char* step);

} // namespace wexa
