#pragma once
// The program's own numbers and paths: the main window, the font file, start-up's font steps.
#include "toolkit/window.h"

#include <cstdint>

namespace wexa {

// What the process ends with, on every path.
inline constexpr int ProgramExitCode = 0;

inline constexpr int MainWindowNumber = 0;
inline constexpr int MainWindowClientWidth = 1350;
inline constexpr int MainWindowClientHeight = 730;
inline constexpr char16_t MainWindowTitle[] = u"Wexa Font Tastatur";
inline constexpr std::uint32_t MainWindowFlags =
    WindowSystemMenu | WindowMinimizeGadget | WindowMaximizeGadget | WindowCentered; // 0xCB0001

// Where the carried font file is written when nothing is there yet.
inline constexpr char16_t FontFilePath[] = u"d:\\kelvast6\\vevoviv.ttf";

// The font steps of start-up run over these ranges, both ends included; they reach one
// number past the glyph keys and take in the spaces button.
inline constexpr int GlyphFontStepLast = 180;
inline constexpr int LabelFontStepLast = 370;

} // namespace wexa
