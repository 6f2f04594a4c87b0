#pragma once

namespace wexa {

// Start-up, the event loop until the window is closed, and shutdown.
void StartUp();      // steps before the loop; false when the window could not be opened
bool MainWindowOpen();
void RunEventLoop();
void DispatchGadget(int gadgetNumber);
void ShutDown();

} // namespace wexa
