#pragma once
// The program's spine: start-up, the event loop and shutdown.
#include "keyboard/composed_line.h"
#include "keyboard/typing.h"
#include "toolkit/clipboard_drag/picture.h"

#include <optional>

namespace wexa {

// What the running program holds from one event to the next.
struct Program {
    ComposedLine line;      // the only user data; lost when the window closes
    PendingLetters pending; // typed letters that spell no syllable yet
    SharedPicture picture;  // the last transfer's, which the preview shows and lets drag
};

// Called with the name of each step of start-up as it ends, for a benchmark that times them;
// the program itself marks nothing.
using StepMark = void (*)(const char* step);
inline void MarkNothing(const char*) {}

// The whole program: start-up, the event loop until the window is closed, shutdown.
// Returns the exit code, the same on every path.
int RunProgram(StepMark mark = MarkNothing);

// Every step before the loop. Nothing when the main window could not be opened.
std::optional<Program> StartUp(StepMark mark = MarkNothing);

// One turn of the event loop for the event just fetched; false for the close and quit events.
bool HandleEvent(Program& program, int code);
void RunEventLoop(Program& program);
void DispatchGadget(Program& program, int gadgetNumber);

void ShutDown();

} // namespace wexa
