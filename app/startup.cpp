#include "app/font_numbers.h"
#include "app/font_provisioning.h"
#include "app/main_window.h"
#include "app/program.h"
#include "keyboard/gadget_numbers.h"
#include "keyboard/key_table.h"
#include "keyboard/line_editing.h"
#include "toolkit/fonts.h"
#include "toolkit/gadgets.h"
#include "toolkit/lifecycle.h"

namespace wexa {
namespace {

bool windowOpen = false;

void ApplyFontOver(int first, int last, int fontNumber) {
    for (int n = first; n <= last; ++n) ApplyGadgetFont(n, FontHandleOf(fontNumber));
}

} // namespace

void StartUp() {
    InitToolkit();
    ProvisionFonts();
    ResetComposedLine();
    windowOpen = !IsNull(OpenToolkitWindow(MainWindowNumber, PositionIgnored, PositionIgnored,
                                           MainWindowClientWidth, MainWindowClientHeight, MainWindowTitle,
                                           MainWindowFlags));
    if (!windowOpen) return;
    RefreshLineDisplay(); // the first line display, empty, in LineFont
    CreateKeyButtons(FirstGlyphKey, LastGlyphKey);
    ApplyFontOver(FirstGlyphKey, GlyphFontStepLast, GlyphFont);
    CreateKeyButtons(FirstSyllableKey, LastCommandButton);
    ApplyFontOver(FirstSyllableKey, LabelFontStepLast, LabelFont);
}

bool MainWindowOpen() { return windowOpen; }

void ShutDown() {
    ShutDownToolkit();
    windowOpen = false;
}

} // namespace wexa
