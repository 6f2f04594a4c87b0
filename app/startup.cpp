#include "app/constants.h"
#include "app/font_provisioning.h"
#include "app/program.h"
#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "keyboard/line_editing.h"
#include "toolkit/lifecycle/lifecycle.h"
#include "toolkit/windows/window.h"

namespace wexa {

// The window is made hidden and shown once its gadgets have their fonts: each gadget is then
// made and given its fonts without being drawn, and the window is drawn once, complete.
std::optional<Program> StartUp(StepMark mark) {
    InitToolkit();
    ProvisionFonts();
    mark("toolkit ready, fonts provisioned");
    Program program; // an empty line
    if (IsNull(OpenToolkitWindow(MainWindowNumber, PositionIgnored, PositionIgnored, MainWindowClientWidth,
                                 MainWindowClientHeight, MainWindowTitle, MainWindowFlags | WindowShownLater)))
        return std::nullopt;
    AddStayOnTopItem(MainWindowNumber, StayOnTopLabel);
    mark("main window made, hidden");
    RefreshLineDisplay(program.line); // the first line display, empty, in LineFont
    CreateKeyButtons(FirstGlyphKey, LastGlyphKey);
    ApplyKeyFonts(FirstGlyphKey, LastGlyphKey);
    CreateKeyButtons(FirstSyllableKey, LastCommandButton);
    ApplyKeyFonts(FirstSyllableKey, LastCommandButton);
    mark("keys made, fonts given");
    ShowToolkitWindow(MainWindowNumber);
    mark("main window shown: start-up done");
    return program;
}

void ShutDown() { ShutDownToolkit(); }

int RunProgram(StepMark mark) {
    if (std::optional<Program> program = StartUp(mark)) RunEventLoop(*program);
    ShutDown();
    return ProgramExitCode;
}

} // namespace wexa
