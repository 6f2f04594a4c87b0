#include "app/constants.h"
#include "app/font_provisioning.h"
#include "app/program.h"
#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "keyboard/line_editing.h"
#include "toolkit/fonts.h"
#include "toolkit/gadgets.h"
#include "toolkit/lifecycle.h"

namespace wexa {
namespace {

void ApplyFontOver(int first, int last, int fontNumber) {
    for (int n = first; n <= last; ++n) ApplyGadgetFont(n, FontHandleOf(fontNumber));
}

} // namespace

std::optional<Program> StartUp() {
    InitToolkit();
    ProvisionFonts();
    Program program; // an empty line
    if (IsNull(OpenToolkitWindow(MainWindowNumber, PositionIgnored, PositionIgnored, MainWindowClientWidth,
                                 MainWindowClientHeight, MainWindowTitle, MainWindowFlags)))
        return std::nullopt;
    RefreshLineDisplay(program.line); // the first line display, empty, in LineFont
    CreateKeyButtons(FirstGlyphKey, LastGlyphKey);
    ApplyFontOver(FirstGlyphKey, GlyphFontStepLast, GlyphFont);
    CreateKeyButtons(FirstSyllableKey, LastCommandButton);
    ApplyFontOver(FirstSyllableKey, LabelFontStepLast, LabelFont);
    return program;
}

void ShutDown() { ShutDownToolkit(); }

} // namespace wexa
