#pragma once

namespace wexa {

// The whole program: start-up, the event loop until the window is closed, shutdown.
// Returns the exit code, 0 on every path.
int RunProgram();

void StartUp(); // every step before the loop
// False when start-up could not open the main window.
bool MainWindowOpen();
void RunEventLoop();
void DispatchGadget(int gadgetNumber);
void ShutDown();

} // namespace wexa
