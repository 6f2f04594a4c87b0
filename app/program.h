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
// One event of the loop: a gadget's, a typed character or Backspace or Escape; others do nothing.
void DispatchEvent(int code);
void ShutDown();

} // namespace wexa
