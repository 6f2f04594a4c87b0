#include "app/constants.h"
#include "app/font_provisioning.h"
#include "app/program.h"
#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "keyboard/line_editing.h"
#include "toolkit/fonts.h"
#include "toolkit/gadgets.h"
#include "toolkit/lifecycle.h"
#include "toolkit/window.h"

namespace wexa {
namespace {

void ApplyFontOver(int first, int last, int fontNumber) {
    for (int n = first; n <= last; ++n) ApplyGadgetFont(n, FontHandleOf(fontNumber));
}

} // namespace

// The window is made hidden and shown once its gadgets have their fonts: each gadget is then
// made and given its fonts without being drawn, and the window is drawn once, complete.
std::optional<Program> StartUp() {
    InitToolkit();
    ProvisionFonts();
    MarkStartupStep("fonts provisioned");
    Program program; // an empty line
    if (IsNull(OpenToolkitWindow(MainWindowNumber, PositionIgnored, PositionIgnored, MainWindowClientWidth,
                                 MainWindowClientHeight, MainWindowTitle, MainWindowFlags | WindowShownLater)))
        return std::nullopt;
    MarkStartupStep("main window made, hidden");
    RefreshLineDisplay(program.line); // the first line display, empty, in LineFont
    MarkStartupStep("line display");
    CreateKeyButtons(FirstGlyphKey, LastGlyphKey);
    MarkStartupStep("glyph keys made");
    ApplyFontOver(FirstGlyphKey, GlyphFontStepLast, GlyphFont);
    MarkStartupStep("glyph font step");
    CreateKeyButtons(FirstSyllableKey, LastCommandButton);
    MarkStartupStep("syllable keys and commands made");
    ApplyFontOver(FirstSyllableKey, LabelFontStepLast, LabelFont);
    MarkStartupStep("label font step");
    ShowToolkitWindow(MainWindowNumber);
    MarkStartupStep("main window shown: start-up done");
    return program;
}

void ShutDown() {
    MarkStartupStep("shutdown: entered");
    ShutDownToolkit();
    MarkStartupStep("shutdown: done");
}

} // namespace wexa
